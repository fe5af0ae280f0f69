#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/CatalogueLoader.h"
#include "catalogue/EncipheredText.h"

namespace {

constexpr int kDeviceFiles = 500;
constexpr std::size_t kPlaintextBytes = 4000;  // about 8 KB once enciphered

// A plausible definition: identity, a few option words with items, values
// and their names, filled up to the wanted size with more items.
std::string DefinitionText(int chip) {
    std::string text = "[General]\r\nProgram_set=0x0F\r\nChipID=0x" + std::to_string(1000 + chip) +
                       "\r\nMemID=0x0102\r\n[ROM]\r\nSize=4096\r\nBitWidth=14\r\n"
                       "[InitValue]\r\nSection_Val=0x12,0x3F,0x00,0xFF\r\n"
                       "[Option]\r\nOptWords=4\r\nOptStart=0x2007\r\n";
    for (int d = 0; d < 4; ++d)
        text += "OptAddr" + std::to_string(d) + "=0x200" + std::to_string(7 + d) + "\r\nOptInitVal" +
                std::to_string(d) + "=0x3FFF\r\nOptItems" + std::to_string(d) + "=8\r\n";
    for (int item = 0; text.size() < kPlaintextBytes; ++item) {
        const int d = item / 8 % 4;
        const int i = item % 8;
        text += "[Option" + std::to_string(d) + "_Item" + std::to_string(i) +
                "]\r\nItemType=0\r\nName=Field" + std::to_string(i) + "\r\nBitStart=" + std::to_string(i) +
                "\r\nBitEnd=" + std::to_string(i) + "\r\nItemCount=4,4\r\n";
        for (int v = 0; v < 4; ++v)
            text += "Item" + std::to_string(v) + "_Name=Choice " + std::to_string(v) + ",Alt\r\nItem" +
                    std::to_string(v) + "_Val=" + std::to_string(v) + "," + std::to_string(v) + "\r\n";
    }
    text.resize(kPlaintextBytes);
    return text;
}

// The program directory lives for the whole run and is removed at exit.
class GeneratedProgramDirectory {
public:
    GeneratedProgramDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovrin-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return;
        path_ = pattern;
        std::filesystem::create_directories(path_ / "Device");
        for (int chip = 0; chip < kDeviceFiles; ++chip) {
            const auto enciphered = tovrin::catalogue::EncipherDefinitionText(DefinitionText(chip));
            if (!enciphered.ok()) return;
            std::string fileName = std::to_string(chip);
            fileName.insert(0, 1, 'C');  // spelled out: GCC 12 warns falsely on "C" + string
            fileName += ".dev";
            std::ofstream(path_ / "Device" / fileName, std::ios::binary) << *enciphered;
        }
        std::ofstream(path_ / "LastSelChip.TXT") << "C250\r\n";
        ready_ = true;
    }
    ~GeneratedProgramDirectory() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    bool ready() const { return ready_; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    bool ready_ = false;
};

void BM_LoadCatalogue500EncipheredFiles(benchmark::State& state) {
    static const GeneratedProgramDirectory program;
    if (!program.ready()) {
        state.SkipWithError("could not generate the device files");
        return;
    }
    for (auto _ : state) {
        const auto load = tovrin::catalogue::LoadCatalogue(program.path());
        if (load.catalogue.Size() != kDeviceFiles) {
            state.SkipWithError("not every device file was loaded");
            return;
        }
        benchmark::DoNotOptimize(load.initialSelection);
    }
    state.SetItemsProcessed(state.iterations() * kDeviceFiles);
}
BENCHMARK(BM_LoadCatalogue500EncipheredFiles)->Unit(benchmark::kMillisecond);

}  // namespace
