#include "fuzz/image/FuzzWorkbench.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace tovrin::image::fuzzing {
namespace {

catalogue::ChipDefinition Definition(const std::string& name, uint8_t programSet, uint16_t memId) {
    std::vector<uint8_t> identity(16, 0);
    std::fill_n(identity.begin(), 7, ' ');
    std::copy(name.begin(), name.end(), identity.begin());
    identity[7] = programSet;
    identity[10] = static_cast<uint8_t>(memId & 0xFF);
    identity[11] = static_cast<uint8_t>(memId >> 8);
    catalogue::ChipDefinition definition;
    definition.headerSections = {{0, identity},
                                 {16, std::vector<uint8_t>(16, 0)},
                                 {32, std::vector<uint8_t>(16, 0)},
                                 {48, std::vector<uint8_t>(16, 0xFF)},
                                 {64, std::vector<uint8_t>(20, 0x11)}};
    return definition;
}

void WriteFile(const std::filesystem::path& path, std::size_t size, uint8_t fill) {
    std::ofstream out(path, std::ios::binary);
    const std::vector<uint8_t> bytes(size, fill);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

const catalogue::DeviceCatalogue& FuzzCatalogue() {
    static const catalogue::DeviceCatalogue catalogue = [] {
        catalogue::DeviceCatalogue c;
        c.Add({"Q3L88", 2 * 64 + 80, 14}, Definition("Q3L88", 0x2F, 0x0401));
        c.Add({"VB27C12", 2 * 1024 + 80, 12}, Definition("VB27C12", 0x07, 0x0002));
        c.Add({"K16", 80, 16}, Definition("K16", 0x3F, 0x0903));
        c.Add({"M8", 2 * 3 + 80, 8}, Definition("M8", 0x05, 0x0000));
        c.Add({"W40", 2 * 5 + 80, 40}, {});
        return c;
    }();
    return catalogue;
}

const std::filesystem::path& FuzzProgramDirectory() {
    // Never destroyed, so that the clean-up at exit can still name it.
    static const std::filesystem::path* directory = [] {
        auto* dir = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                              ("tovrin-image-fuzz-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*dir / "Pats");
        WriteFile(*dir / "Pats" / "Q3L88.pat", 592, 0x03);
        WriteFile(*dir / "Pats" / "Q3L88.pat2", 1280, 0x5A);
        WriteFile(*dir / "Pats" / "M8.pat", 100, 0x01);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(FuzzProgramDirectory(), ignored);
        });
        return dir;
    }();
    return *directory;
}

void CheckInvariants(const Workbench& bench) {
    Require(bench.ProgrammingImage().size() == bench.ImageByteCount());
    Require(bench.ImageByteCount() >= catalogue::kImageHeaderByteCount);
    Require(bench.TestPattern().empty() || bench.TestPattern().size() == kTestPatternBytes);
    Require(bench.TestPattern2().empty() || bench.TestPattern2().size() == kTestPattern2Bytes);
    Require(bench.Controls().addressCountIndex >= 0 && bench.Controls().addressCountIndex <= 3);
}

}  // namespace tovrin::image::fuzzing
