#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/DeviceCatalogue.h"
#include "image/Checksums.h"
#include "image/HexField.h"
#include "image/HexRecords.h"
#include "image/ImageHeader.h"
#include "image/Question.h"
#include "image/RollingCodeControls.h"
#include "platform/system/Result.h"

namespace tovrin::image {

// Image size of the main dialog before any chip is selected.
inline constexpr uint32_t kInitialImageByteCount = 2128;
// Source files beyond this size are refused like files that cannot be opened.
inline constexpr std::size_t kMaxSourceFileBytes = 64u * 1024 * 1024;
// The image and the patterns travel to the burner in blocks of this size.
inline constexpr std::size_t kTransferBlockBytes = 32;
inline constexpr std::size_t kTestPatternBytes = 592;
inline constexpr std::size_t kTestPattern2Bytes = 1280;

inline constexpr std::string_view kInitialSourcePathText = "Please select qvb file / hex file ";
inline constexpr std::string_view kOverwriteSourceQuestion = "文件改变，是否覆盖源文件? ";

// The member values the header controls exchange with the main dialog.
struct HeaderControls {
    bool verify = true;              // 1024
    bool program = true;             // 1026
    bool blankCheck = true;          // 1025
    bool test = true;                // 1028
    bool rollingCodeEnabled = true;  // 1034
    bool carriedFlag = true;         // header byte 7 bit 4, no control
    int addressCountIndex = 0;       // radio group 1031, 1016, 1015, 1012: count - 1
    std::array<HexField, 4> addresses{
        // 1041, 1035, 1036, 1037
        HexField(HexField::kShortDigits, "3FFF"), HexField(HexField::kShortDigits, "3FFF"),
        HexField(HexField::kShortDigits, "3FFF"), HexField(HexField::kShortDigits, "3FFF")};
    HexField initialValue{HexField::kLongDigits, "3FFFFFFF"};  // 1040
    HexField step{HexField::kLongDigits, "00000001"};          // 1039
};

// Outcome of the select-file command, for the caller to show.
struct SelectFileReport {
    bool success = false;
    std::string statusText;                     // replaces the StatusLog text
    std::optional<std::string> messageBoxText;  // an OK notice, when there is one
    std::size_t badChecksumRecords = 0;         // HEX records whose checksum is wrong
    // One line per silent outcome of the HEX load (wrong record checksums,
    // bytes beyond the code area, address records and extended addresses
    // taken as code); each is also in statusText and messageBoxText.
    std::vector<std::string> warnings;
};

enum class SaveDecision {
    Continue,  // nothing was asked, or the user declined: download without saving
    Saved,     // the image was written as the project file
    Abort,     // the project file could not be written: end the download silently
};

// Receives the texts written to the StatusLog on the way (without time stamp).
using StatusReporter = std::function<void(std::string_view text)>;
// Asks a Yes/No question of the given kind with its text; true only for Yes.
using YesNoQuestion = std::function<bool(Question kind, std::string_view text)>;

// The main dialog's non-visual state and the operations on it. It never
// touches a window: what the controls should show, and which of them are
// enabled or writable, is read back from it.
class Workbench {
public:
    // Starts as the main dialog does before its catalogue load; the dialog's
    // initialisation ends with RefreshRollingCodeControls().
    // The catalogue is only referred to; it must outlive the Workbench.
    Workbench(std::filesystem::path programDirectory, const catalogue::DeviceCatalogue& catalogue,
              StatusReporter reportStatus = {});

    // --- operations -----------------------------------------------------
    // Writes the selected chip's header sections into the image, copies the
    // header into the WorkingHeader and shows it.
    void ApplyChipDefinition();
    // WorkingHeader -> member values and checksum texts; refreshes the
    // rolling-code controls.
    void ShowHeader();
    // Member values -> WorkingHeader -> image bytes 0..79; refreshes the
    // checksums and the OptionByteBuffer.
    void BuildHeader();
    // OptionByteBuffer -> WorkingHeader bytes 48..79, then ShowHeader.
    void ReceiveOptionBytes();
    // Selects the first listed chip whose name begins with name (case-
    // insensitive, from the second entry on); false when none matches.
    bool SelectChipByName(std::string_view name);
    // Stores the path as chosen (case kept) without loading it.
    void SetSourcePath(std::string path) { sourcePath_ = std::move(path); }
    // Loads SourcePath; false on failure (see the report of SelectSourceFile).
    bool LoadSourceFile();
    // The load from file content already read, as if it were SourcePath's.
    bool LoadSourceBytes(std::span<const uint8_t> fileBytes);
    // Steps of the catalogue load once a list position is chosen; false when
    // position is not in the list.
    bool SelectInitialChip(std::size_t position);
    // The chip change of the chip list: selects position, applies its
    // definition and reloads a HEX source silently. Does not write
    // LastSelChip.TXT (see WriteLastSelectedChip).
    bool ChangeChip(std::size_t position);
    // The select-file command once a file was chosen: stores the path as
    // chosen, loads it and says what to report.
    SelectFileReport SelectSourceFile(const std::filesystem::path& path);
    // Enabled / read-only / cleared states of the rolling-code controls for
    // the current member values (no side effects).
    RollingCodeControlSet RollingCodeControlStates() const;
    // Every header control's state for the current values: the flags 1024,
    // 1025, 1026, 1028, the chip list 1029, 1034 and the rolling-code group.
    std::vector<ControlState> HeaderControlStates() const;
    // Applies the rolling-code states to the member values: clears the
    // address fields beyond the selected count. The operations below run it.
    void RefreshRollingCodeControls();

    // --- what a user does to a header control ---------------------------
    // Each refuses what the disabled or read-only control would not allow,
    // with an error naming the control and why, and refreshes afterwards.
    // A programming flag: 1024, 1025, 1026 or 1028.
    Status SetFlag(int controlId, bool on);
    // Check box 1034.
    Status SetRollingCodeEnabled(bool on);
    // The address-count radio for count 1..4.
    Status SetAddressCount(int count);
    // Typing text into one of the six hexadecimal edits: exactly its digit
    // count of hexadecimal digits, shown upper-case.
    Status SetHexField(int controlId, std::string_view text);
    // What an option dialog hands back (WM_USER+100): the bytes become the
    // OptionByteBuffer and ReceiveOptionBytes takes them into the header.
    Status TakeOptionBytes(std::span<const uint8_t> bytes);
    // Save decision of the download, after BuildHeader.
    SaveDecision DecideSave(const YesNoQuestion& ask);
    // Opening the data-buffer view: BuildHeader, show the image's header and
    // take its checksum as the saved one.
    void PrepareDataBufferView();
    // The data-buffer dialog's save-as: writes the image, changes no state.
    Status SaveImageAs(const std::filesystem::path& target) const;

    // --- state ----------------------------------------------------------
    const HeaderControls& Controls() const { return controls_; }

    const std::vector<uint8_t>& ProgrammingImage() const { return image_; }
    const ImageHeader& WorkingHeader() const { return workingHeader_; }
    // Shared with the option dialogs; TakeOptionBytes hands it back.
    const std::vector<uint8_t>& OptionByteBuffer() const { return optionByteBuffer_; }

    const std::string& SourcePath() const { return sourcePath_; }
    bool SourceIsHex() const { return sourceIsHex_; }
    bool SourceLoaded() const { return sourceLoaded_; }
    uint16_t SavedImageChecksum() const { return savedImageChecksum_; }
    std::size_t BadChecksumRecords() const { return hexSummary_.badChecksumRecords; }
    // What the latest HEX load counted; all zero after a project file.
    const HexParseSummary& HexSummary() const { return hexSummary_; }

    const std::vector<uint8_t>& TestPattern() const { return testPattern_; }
    const std::vector<uint8_t>& TestPattern2() const { return testPattern2_; }
    bool PatternAllowsTest() const { return patternAllowsTest_; }

    uint32_t ImageByteCount() const { return imageByteCount_; }
    int32_t BitWidth() const { return bitWidth_; }
    const std::string& SelectedChipName() const { return selectedChipName_; }
    std::optional<std::size_t> SelectedPosition() const { return selectedPosition_; }
    const catalogue::DeviceCatalogue& Catalogue() const { return catalogue_; }
    const std::filesystem::path& ProgramDirectory() const { return programDirectory_; }

    // Display texts of the checksums and of the configuration words.
    const std::string& RomChecksumText() const { return romChecksumText_; }
    const std::string& QvbChecksumText() const { return qvbChecksumText_; }
    const std::string& ConfigurationDisplay() const { return configurationDisplay_; }

    // Enabled states that follow a load.
    bool ChipListEnabled() const { return chipListEnabled_; }
    bool TestCheckboxEnabled() const { return testCheckboxEnabled_; }

private:
    void Report(std::string_view text) const;
    void SelectPosition(std::size_t position);
    void ResizeImage();
    void WriteHeaderSections(const catalogue::ChipDefinition& definition);
    void ComputeChecksums();
    bool LoadHex(std::span<const uint8_t> fileBytes);
    bool LoadProjectFile(std::span<const uint8_t> fileBytes);
    bool CompleteLoad();
    void LoadTestPatterns();
    HexField* HexFieldFor(int controlId);

    std::filesystem::path programDirectory_;
    const catalogue::DeviceCatalogue& catalogue_;
    StatusReporter reportStatus_;

    HeaderControls controls_;
    std::vector<uint8_t> image_;
    // Every write to the code area of image_ must be reported to it.
    ImageChecksums checksums_;
    ImageHeader workingHeader_{};
    std::vector<uint8_t> optionByteBuffer_;

    std::string sourcePath_{kInitialSourcePathText};
    bool sourceIsHex_ = false;
    bool sourceLoaded_ = false;
    uint16_t savedImageChecksum_ = 0;
    HexParseSummary hexSummary_;

    std::vector<uint8_t> testPattern_;
    std::vector<uint8_t> testPattern2_;
    bool patternAllowsTest_ = false;

    uint32_t imageByteCount_ = kInitialImageByteCount;
    int32_t bitWidth_ = 0;  // nothing sets it before a chip is selected
    std::string selectedChipName_;
    std::optional<std::size_t> selectedPosition_;

    std::string romChecksumText_ = "XXXX";
    std::string qvbChecksumText_ = "XXXX";
    std::string configurationDisplay_ = "XXXX XXXX";

    bool chipListEnabled_ = true;
    bool testCheckboxEnabled_ = false;
};

// Records the chip for the next start (LastSelChip.TXT beside the program),
// the name with no line end, written atomically.
Status WriteLastSelectedChip(const std::filesystem::path& programDirectory, std::string_view chipName);

}  // namespace tovrin::image
