#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DeviceCatalogue.h"
#include "image/Workbench.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::image::testing {

// What a device-definition file would declare for one chip.
struct ChipSpec {
    std::string name;
    int32_t sizeWords = 16;
    int32_t bitWidth = 14;
    uint8_t programSet = 0x07;
    uint16_t chipId = 0x1234;
    uint16_t memId = 0x0001;
    std::vector<uint8_t> optionBytes{};  // placed at option positions 0, 1, ...
    std::vector<uint8_t> sectionVal{};   // header bytes from 64 on
};

// The definition the catalogue builds for such a chip.
catalogue::ChipDefinition MakeDefinition(const ChipSpec& spec);

// A program directory in a temporary folder, a catalogue and a Workbench
// whose StatusLog texts are collected.
class WorkbenchFixture {
public:
    explicit WorkbenchFixture(const std::vector<ChipSpec>& chips);

    Workbench& bench() { return bench_; }
    const tovrin::testing::TempDirectory& dir() const { return dir_; }
    std::vector<std::string> statusTexts;

    // Writes a file into the program directory and returns its path.
    std::filesystem::path Write(std::string_view relative, std::string_view content) const;
    std::filesystem::path Write(std::string_view relative, const std::vector<uint8_t>& content) const;

    // Selects the listed chip of that name, as the user does in the chip list.
    void Choose(std::string_view name);

private:
    tovrin::testing::TempDirectory dir_;
    catalogue::DeviceCatalogue catalogue_;
    Workbench bench_;
};

// A project file's bytes with a matching stored QvbChecksum.
std::vector<uint8_t> SealProjectFile(std::vector<uint8_t> bytes);

}  // namespace tovrin::image::testing
