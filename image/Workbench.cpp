#include "image/Workbench.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "image/Checksums.h"
#include "image/ChipNames.h"
#include "image/HexRecords.h"
#include "image/ProjectFile.h"
#include "platform/system/FileIo.h"
#include "platform/system/Prefault.h"
#include "platform/text/AsciiCase.h"

namespace tovrin::image {
namespace {

// Name and flags a HEX load starts from; they remain only for a chip without a definition.
constexpr std::string_view kHeaderTemplateName = "Q3L88XX";
constexpr uint8_t kHeaderTemplateFlags = 0xFF;
constexpr uint8_t kErasedLowByte = 0xFF;
constexpr std::size_t kFirstErasedByte = 8;

constexpr std::string_view kPatternsFolder = "Pats";
constexpr std::string_view kPatternExtension = ".pat";
constexpr std::string_view kPattern2Extension = ".pat2";
// Bits of TestPattern byte 7 that say the chip can be function-tested.
constexpr std::size_t kPatternTestByte = 7;
constexpr uint8_t kPatternTestBits = 0x03;

constexpr std::string_view kLastSelectedChipFile = "LastSelChip.TXT";

constexpr std::string_view kZeroLengthText = "File length is zero.";
constexpr std::string_view kInvalidSourceText = "Invalid source file to program ";
constexpr std::string_view kLoadFailedStatus = "\r\n文件未打开！\r\n\r\n QVB文件格式错误！";
constexpr std::string_view kLoadFailedNotice = "\r\n  文件未打开！\r\n\r\n QVB文件格式错误！";
constexpr std::string_view kLoadedStatus = "\r\n文件打开成功!\r\n\r\n请选择芯片配置或直接下载";
constexpr std::string_view kHexLoadedNotice = "\r\n     文件打开成功!\r\n\r\n请确认芯片型号及选择芯片配置";
constexpr std::string_view kWarningLead = "\r\n\r\n";
constexpr const char* kBadChecksumWarning = "警告: 有 %zu 条记录校验和错误!";
constexpr const char* kBeyondCodeAreaWarning = "警告: 有 %zu 个字节超出芯片代码区，已丢弃!";
constexpr const char* kAddressRecordWarning = "警告: 有 %zu 个字节来自地址记录(类型02-05)，已写入代码区!";
constexpr const char* kExtendedAddressWarning =
    "警告: 有 %zu 个字节属于扩展地址(64K以上)，已按低16位地址写入代码区!";

std::vector<std::string> HexWarnings(const HexParseSummary& summary) {
    std::vector<std::string> warnings;
    auto add = [&warnings](const char* format, std::size_t count) {
        if (count == 0) return;
        char text[160];
        std::snprintf(text, sizeof text, format, count);
        warnings.emplace_back(text);
    };
    add(kBadChecksumWarning, summary.badChecksumRecords);
    add(kBeyondCodeAreaWarning, summary.bytesBeyondImage);
    add(kAddressRecordWarning, summary.addressRecordBytes);
    add(kExtendedAddressWarning, summary.extendedAddressBytes);
    return warnings;
}

constexpr std::size_t kHeaderBytes = catalogue::kImageHeaderByteCount;

constexpr std::array<std::string_view, 4> kAddressRadioTexts = {"1地址", "2地址", "3地址", "4地址"};
constexpr std::string_view kRollingCodeDisabledReason =
    "the rolling code is disabled (\"滚码使能\" 1034 is off)";
constexpr std::string_view kTestCheckboxDisabled =
    "the \"测试\" check box (1028) is disabled: the chip's test pattern does not allow the function test";

// A definition can declare any size; an image below the header would leave
// the header unbacked, and one no source file could fill is not a chip.
uint32_t UsableImageByteCount(uint32_t declared) {
    return std::clamp<uint32_t>(declared, kHeaderBytes, static_cast<uint32_t>(kMaxSourceFileBytes));
}

// Reads a pattern file over the start of pattern, grown to size; false (and
// pattern emptied) when the file cannot be opened.
bool ReadPattern(const std::filesystem::path& path, std::size_t size, std::vector<uint8_t>& pattern) {
    const auto bytes = ReadFilePrefix(path, size);
    if (!bytes) {
        pattern.clear();
        return false;
    }
    pattern.resize(size);
    std::copy(bytes->begin(), bytes->end(), pattern.begin());
    return true;
}

}  // namespace

Workbench::Workbench(std::filesystem::path programDirectory, const catalogue::DeviceCatalogue& catalogue,
                     StatusReporter reportStatus)
    : programDirectory_(std::move(programDirectory)),
      catalogue_(catalogue),
      reportStatus_(std::move(reportStatus)),
      image_(kInitialImageByteCount, 0),
      checksums_(kInitialImageByteCount) {}

void Workbench::Report(std::string_view text) const {
    if (reportStatus_) reportStatus_(text);
}

void Workbench::ResizeImage() {
    const std::size_t before = image_.size();
    if (imageByteCount_ > image_.capacity()) {
        image_.reserve(imageByteCount_);
        PrefaultForWriting(image_.data() + before, image_.capacity() - before);
    }
    image_.resize(imageByteCount_, 0);
    checksums_.ImageResized(before, image_.size());
}

void Workbench::SelectPosition(std::size_t position) {
    const catalogue::ChipListEntry& entry = catalogue_.Entries()[position];
    imageByteCount_ = UsableImageByteCount(entry.imageByteCount);
    bitWidth_ = entry.bitWidth;
    ResizeImage();
    selectedChipName_ = entry.name;
    selectedPosition_ = position;
}

void Workbench::WriteHeaderSections(const catalogue::ChipDefinition& definition) {
    // Sections describe the header; bytes a section declares past it would
    // land in the code area, so they are left out.
    const std::size_t end = std::min(image_.size(), kHeaderBytes);
    for (const catalogue::HeaderSection& section : definition.headerSections) {
        for (std::size_t i = 0; i < section.bytes.size(); ++i) {
            const std::size_t target = std::size_t{section.offset} + i;
            if (target >= end) break;
            image_[target] = section.bytes[i];
        }
    }
}

void Workbench::ApplyChipDefinition() {
    WriteHeaderSections(catalogue_.DefinitionOrEmpty(selectedChipName_));
    std::copy_n(image_.begin(), kHeaderBytes, workingHeader_.begin());
    ShowHeader();
}

void Workbench::ComputeChecksums() {
    const uint16_t rom = checksums_.Rom(workingHeader_, image_);
    WriteLe16(workingHeader_, header::kRomChecksum, rom);
    romChecksumText_ = ChecksumText(rom);
    const uint16_t qvb = checksums_.Qvb(workingHeader_, image_);
    WriteLe16(workingHeader_, header::kQvbChecksum, qvb);
    qvbChecksumText_ = ChecksumText(qvb);
}

void Workbench::ShowHeader() {
    const ImageHeader& h = workingHeader_;
    controls_.addressCountIndex = AddressCountIndexFromByte(h[header::kAddressCount]);
    for (std::size_t i = 0; i < controls_.addresses.size(); ++i) {
        controls_.addresses[i].SetValue(ReadLe16(h, header::kAddresses[i]));
    }
    controls_.initialValue.SetValue(ReadLe32(h, header::kInitialValue));
    controls_.step.SetValue(ReadLe32(h, header::kStep));

    const uint8_t flags = h[header::kFlags];
    controls_.verify = flags & flag::kVerify;
    controls_.program = flags & flag::kProgram;
    controls_.blankCheck = flags & flag::kBlankCheck;
    controls_.rollingCodeEnabled = flags & flag::kRollingCode;
    controls_.carriedFlag = flags & flag::kCarried;
    controls_.test = flags & flag::kTest;

    ComputeChecksums();

    char display[16];
    const std::size_t o = header::kOptionBlock;
    std::snprintf(display, sizeof display, "%02X%02X,%02X%02X", h[o + 3], h[o + 2], h[o + 1], h[o]);
    configurationDisplay_ = display;

    RefreshRollingCodeControls();
}

void Workbench::BuildHeader() {
    ImageHeader& h = workingHeader_;
    h[header::kAddressCount] = static_cast<uint8_t>(controls_.addressCountIndex + 1);
    std::fill_n(h.begin() + header::kZeroBlock, header::kZeroBlockLength, 0);
    for (std::size_t i = 0; i < controls_.addresses.size(); ++i) {
        WriteLe16(h, header::kAddresses[i],
                  static_cast<uint16_t>(controls_.addresses[i].GetValue() & 0xFFFF));
    }
    WriteLe32(h, header::kStep, controls_.step.GetValue());
    WriteLe32(h, header::kInitialValue, controls_.initialValue.GetValue());

    uint8_t flags = h[header::kFlags] & flag::kKeptBit6;
    if (controls_.verify) flags |= flag::kVerify;
    if (controls_.program) flags |= flag::kProgram;
    if (controls_.blankCheck) flags |= flag::kBlankCheck;
    if (controls_.rollingCodeEnabled) flags |= flag::kRollingCode;
    if (controls_.carriedFlag) flags |= flag::kCarried;
    if (controls_.test) flags |= flag::kTest;
    h[header::kFlags] = flags;

    ComputeChecksums();
    std::copy(h.begin(), h.end(), image_.begin());
    optionByteBuffer_.assign(h.begin() + header::kOptionBlock, h.end());
}

void Workbench::ReceiveOptionBytes() {
    const std::size_t count = std::min(optionByteBuffer_.size(), header::kOptionBlockLength);
    std::copy_n(optionByteBuffer_.begin(), count, workingHeader_.begin() + header::kOptionBlock);
    ShowHeader();
}

bool Workbench::SelectChipByName(std::string_view name) {
    const std::optional<std::size_t> position = catalogue_.FindByPrefix(name);
    if (!position) return false;
    SelectPosition(*position);
    ApplyChipDefinition();
    return true;
}

bool Workbench::SelectInitialChip(std::size_t position) {
    if (position >= catalogue_.Size()) return false;
    SelectPosition(position);
    ApplyChipDefinition();
    return true;
}

bool Workbench::ChangeChip(std::size_t position) {
    if (position >= catalogue_.Size()) return false;
    SelectPosition(position);
    ApplyChipDefinition();
    if (sourceIsHex_) (void)LoadSourceFile();
    return true;
}

bool Workbench::LoadSourceFile() {
    sourceIsHex_ = false;
    const auto bytes = ReadFileBytes(std::filesystem::path(sourcePath_), kMaxSourceFileBytes);
    if (!bytes) return false;
    return LoadSourceBytes(*bytes);
}

bool Workbench::LoadSourceBytes(std::span<const uint8_t> fileBytes) {
    sourceIsHex_ = false;
    hexSummary_ = {};
    ResizeImage();
    return HasHexExtension(sourcePath_) ? LoadHex(fileBytes) : LoadProjectFile(fileBytes);
}

bool Workbench::LoadHex(std::span<const uint8_t> fileBytes) {
    sourceIsHex_ = true;
    if (fileBytes.empty()) {
        Report(kZeroLengthText);
        return true;
    }
    std::copy(kHeaderTemplateName.begin(), kHeaderTemplateName.end(), image_.begin());
    image_[header::kFlags] = kHeaderTemplateFlags;
    const uint8_t erasedHigh = catalogue::ErasedHighByte(bitWidth_);
    for (std::size_t i = kFirstErasedByte; i < image_.size(); ++i) {
        image_[i] = (i % 2 == 0) ? kErasedLowByte : erasedHigh;
    }
    if (const catalogue::ChipDefinition* definition = catalogue_.Find(selectedChipName_)) {
        WriteHeaderSections(*definition);
    }
    const std::string_view text(reinterpret_cast<const char*>(fileBytes.data()), fileBytes.size());
    hexSummary_ = StoreHexRecords(text, image_);
    checksums_.CodeAreaChanged();
    return CompleteLoad();
}

bool Workbench::LoadProjectFile(std::span<const uint8_t> fileBytes) {
    const std::string name = ApplyFamilyRule(HeaderChipName(fileBytes));
    if (!SelectChipByName(name)) {
        Report(kInvalidSourceText);
        return false;
    }
    if (fileBytes.size() < imageByteCount_) {
        Report(kInvalidSourceText);
        return false;
    }
    std::copy_n(fileBytes.begin(), imageByteCount_, image_.begin());
    checksums_.CodeAreaChanged();
    return CompleteLoad();
}

bool Workbench::CompleteLoad() {
    std::copy_n(image_.begin(), kHeaderBytes, workingHeader_.begin());
    ShowHeader();
    chipListEnabled_ = sourceIsHex_;
    RefreshRollingCodeControls();
    savedImageChecksum_ = ReadLe16(workingHeader_, header::kQvbChecksum);
    if (!sourceIsHex_ && ReadLe16(image_, header::kQvbChecksum) != savedImageChecksum_) {
        std::fill(image_.begin(), image_.end(), 0);
        checksums_.CodeAreaChanged();
        return false;
    }
    LoadTestPatterns();
    BuildHeader();
    return true;
}

void Workbench::LoadTestPatterns() {
    const std::string name = ApplyFamilyRule(HeaderChipName(image_));
    // The name comes from the file's own bytes; it must not lead out of Pats/.
    const bool usable = name.find('/') == std::string::npos;
    const std::filesystem::path stem = programDirectory_ / kPatternsFolder / name;

    bool found = usable &&
                 ReadPattern(stem.string() + std::string(kPatternExtension), kTestPatternBytes, testPattern_);
    if (!found) testPattern_.clear();
    patternAllowsTest_ = found && (testPattern_[kPatternTestByte] & kPatternTestBits) != 0;
    testCheckboxEnabled_ = patternAllowsTest_;

    found = usable &&
            ReadPattern(stem.string() + std::string(kPattern2Extension), kTestPattern2Bytes, testPattern2_);
    if (!found) testPattern2_.clear();
}

SelectFileReport Workbench::SelectSourceFile(const std::filesystem::path& path) {
    sourcePath_ = path.string();
    SelectFileReport report;
    report.success = LoadSourceFile();
    if (!report.success) {
        report.statusText = kLoadFailedStatus;
        report.messageBoxText = std::string(kLoadFailedNotice);
        return report;
    }
    report.badChecksumRecords = hexSummary_.badChecksumRecords;
    report.warnings = HexWarnings(hexSummary_);
    std::string warning;
    for (const std::string& line : report.warnings) warning += std::string(kWarningLead) + line;
    report.statusText = std::string(kLoadedStatus) + warning;
    if (sourceIsHex_) report.messageBoxText = std::string(kHexLoadedNotice) + warning;
    sourceLoaded_ = true;
    testCheckboxEnabled_ = patternAllowsTest_;
    return report;
}

RollingCodeControlSet Workbench::RollingCodeControlStates() const {
    return ComputeRollingCodeControls(controls_.rollingCodeEnabled, controls_.addressCountIndex,
                                      IsExactQ3L88(selectedChipName_));
}

void Workbench::RefreshRollingCodeControls() {
    const RollingCodeControlSet states = RollingCodeControlStates();
    for (std::size_t i = 0; i < control::kAddressEdits.size(); ++i) {
        const auto state = states.Find(control::kAddressEdits[i]);
        if (state && state->clearedToZero) controls_.addresses[i].SetText(kClearedAddressText);
    }
}

std::vector<ControlState> Workbench::HeaderControlStates() const {
    std::vector<ControlState> states = {
        {control::kVerifyCheckbox, true},       {control::kBlankCheckCheckbox, true},
        {control::kProgramCheckbox, true},      {control::kTestCheckbox, testCheckboxEnabled_},
        {control::kChipList, chipListEnabled_}, {control::kRollingCodeEnable, true},
    };
    const RollingCodeControlSet rollingCode = RollingCodeControlStates();
    states.insert(states.end(), rollingCode.controls.begin(), rollingCode.controls.end());
    return states;
}

HexField* Workbench::HexFieldFor(int controlId) {
    for (std::size_t i = 0; i < control::kAddressEdits.size(); ++i)
        if (control::kAddressEdits[i] == controlId) return &controls_.addresses[i];
    if (controlId == control::kInitialValue) return &controls_.initialValue;
    if (controlId == control::kStep) return &controls_.step;
    return nullptr;
}

Status Workbench::SetFlag(int controlId, bool on) {
    bool* member = nullptr;
    switch (controlId) {
        case control::kVerifyCheckbox:
            member = &controls_.verify;
            break;
        case control::kBlankCheckCheckbox:
            member = &controls_.blankCheck;
            break;
        case control::kProgramCheckbox:
            member = &controls_.program;
            break;
        case control::kTestCheckbox:
            member = &controls_.test;
            break;
        default:
            return Error{"control " + std::to_string(controlId) + " is no programming-flag check box"};
    }
    // A disabled check box cannot be clicked; asking for the value it already has changes nothing.
    if (controlId == control::kTestCheckbox && !testCheckboxEnabled_ && *member != on)
        return Error{std::string(kTestCheckboxDisabled)};
    *member = on;
    return Status::Ok();
}

Status Workbench::SetRollingCodeEnabled(bool on) {
    controls_.rollingCodeEnabled = on;
    RefreshRollingCodeControls();
    return Status::Ok();
}

Status Workbench::SetAddressCount(int count) {
    if (count < 1 || count > static_cast<int>(control::kAddressCountRadios.size()))
        return Error{"the rolling code has 1 to 4 addresses, not " + std::to_string(count)};
    const std::size_t index = static_cast<std::size_t>(count - 1);
    const auto radio = RollingCodeControlStates().Find(control::kAddressCountRadios[index]);
    if (!radio || !radio->enabled) {
        std::string why = "the \"" + std::string(kAddressRadioTexts[index]) + "\" radio button (" +
                          std::to_string(control::kAddressCountRadios[index]) + ") is disabled: ";
        why += controls_.rollingCodeEnabled
                   ? "only the chip " + std::string(kQ3L88ChipName) + " offers three or four addresses"
                   : std::string(kRollingCodeDisabledReason);
        return Error{why};
    }
    controls_.addressCountIndex = count - 1;
    RefreshRollingCodeControls();
    return Status::Ok();
}

Status Workbench::SetHexField(int controlId, std::string_view text) {
    HexField* field = HexFieldFor(controlId);
    if (!field) return Error{"control " + std::to_string(controlId) + " is no hexadecimal edit"};
    const std::string name = "edit " + std::to_string(controlId);
    if (!HexField::IsWellFormed(text, field->DigitCount()))
        return Error{name + " needs exactly " + std::to_string(field->DigitCount()) +
                     " hexadecimal digits, not \"" + std::string(text) + "\""};
    const auto state = RollingCodeControlStates().Find(controlId);
    if (!state || !state->enabled || state->readOnly)
        return Error{name + " is read-only: " +
                     (controls_.rollingCodeEnabled
                          ? std::string("this address is beyond the selected address count")
                          : std::string(kRollingCodeDisabledReason))};
    field->SetText(text::AsciiUpperCopy(text));
    RefreshRollingCodeControls();
    return Status::Ok();
}

Status Workbench::TakeOptionBytes(std::span<const uint8_t> bytes) {
    // A shorter buffer fills the start of the block, as ReceiveOptionBytes takes it.
    if (bytes.size() > header::kOptionBlockLength)
        return Error{"the option block holds " + std::to_string(header::kOptionBlockLength) + " bytes, not " +
                     std::to_string(bytes.size())};
    optionByteBuffer_.assign(bytes.begin(), bytes.end());
    ReceiveOptionBytes();
    return Status::Ok();
}

SaveDecision Workbench::DecideSave(const YesNoQuestion& ask) {
    // Without a loaded source there is no file to write the image to.
    if (!sourceLoaded_) return SaveDecision::Continue;
    const uint16_t current = ReadLe16(workingHeader_, header::kQvbChecksum);
    if (!sourceIsHex_ && savedImageChecksum_ == current) return SaveDecision::Continue;
    if (!ask || !ask(Question::OverwriteSource, kOverwriteSourceQuestion)) return SaveDecision::Continue;
    if (!WriteProjectFile(ProjectFileTarget(sourcePath_), image_)) return SaveDecision::Abort;
    savedImageChecksum_ = current;
    return SaveDecision::Saved;
}

void Workbench::PrepareDataBufferView() {
    BuildHeader();
    std::copy_n(image_.begin(), kHeaderBytes, workingHeader_.begin());
    ShowHeader();
    optionByteBuffer_.assign(workingHeader_.begin() + header::kOptionBlock, workingHeader_.end());
    savedImageChecksum_ = ReadLe16(workingHeader_, header::kQvbChecksum);
}

Status Workbench::SaveImageAs(const std::filesystem::path& target) const {
    return WriteProjectFile(target, image_);
}

Status WriteLastSelectedChip(const std::filesystem::path& programDirectory, std::string_view chipName) {
    return WriteFileAtomically(programDirectory / kLastSelectedChipFile, chipName);
}

}  // namespace tovrin::image
