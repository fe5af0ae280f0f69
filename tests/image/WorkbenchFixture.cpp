#include "tests/image/WorkbenchFixture.h"

#include <algorithm>

#include "image/Checksums.h"

namespace tovrin::image::testing {

catalogue::ChipDefinition MakeDefinition(const ChipSpec& spec) {
    catalogue::ChipDefinition definition;
    std::vector<uint8_t> identity(16, 0);
    std::fill_n(identity.begin(), 7, ' ');
    for (std::size_t i = 0; i < spec.name.size() && i < 7; ++i) {
        char c = spec.name[i];
        identity[i] = static_cast<uint8_t>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
    }
    identity[7] = spec.programSet;
    identity[8] = static_cast<uint8_t>(spec.chipId & 0xFF);
    identity[9] = static_cast<uint8_t>(spec.chipId >> 8);
    identity[10] = static_cast<uint8_t>(spec.memId & 0xFF);
    identity[11] = static_cast<uint8_t>(spec.memId >> 8);

    std::vector<uint8_t> options(16);
    for (std::size_t i = 0; i < options.size(); ++i) {
        options[i] = (i % 2 == 0) ? 0xFF : catalogue::ErasedHighByte(spec.bitWidth);
    }
    std::copy(spec.optionBytes.begin(), spec.optionBytes.end(), options.begin());

    definition.headerSections = {{0, identity},
                                 {16, std::vector<uint8_t>(16, 0)},
                                 {32, std::vector<uint8_t>(16, 0)},
                                 {48, options},
                                 {64, spec.sectionVal}};
    return definition;
}

WorkbenchFixture::WorkbenchFixture(const std::vector<ChipSpec>& chips)
    : bench_(dir_.path(), catalogue_, [this](std::string_view text) { statusTexts.emplace_back(text); }) {
    // The Workbench keeps a reference; entries may be added before it is used.
    for (const ChipSpec& chip : chips) {
        catalogue_.Add({chip.name, static_cast<uint32_t>(2 * chip.sizeWords + 80), chip.bitWidth},
                       MakeDefinition(chip));
    }
    std::filesystem::create_directories(dir_ / "Pats");
}

std::filesystem::path WorkbenchFixture::Write(std::string_view relative, std::string_view content) const {
    return dir_.Write(relative, content);
}

std::filesystem::path WorkbenchFixture::Write(std::string_view relative,
                                              const std::vector<uint8_t>& content) const {
    return dir_.Write(relative, content);
}

void WorkbenchFixture::Choose(std::string_view name) {
    const auto& entries = bench_.Catalogue().Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name == name) {
            bench_.ChangeChip(i);
            return;
        }
    }
}

std::vector<uint8_t> SealProjectFile(std::vector<uint8_t> bytes) {
    ImageHeader header{};
    std::copy_n(bytes.begin(), header.size(), header.begin());
    const uint16_t qvb = ComputeQvbChecksum(header, bytes);
    bytes[30] = static_cast<uint8_t>(qvb & 0xFF);
    bytes[31] = static_cast<uint8_t>(qvb >> 8);
    return bytes;
}

}  // namespace tovrin::image::testing
