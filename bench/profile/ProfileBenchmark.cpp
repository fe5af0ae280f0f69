// The catalogue parses every device definition once at start and asks each
// for dozens of keys; 500 definitions of about 8 KB must take well under
// 0.1 s together, i.e. well under 200 us for one definition.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/profile/Profile.h"

namespace {

constexpr int kWords = 4;
constexpr int kItemsPerWord = 6;
constexpr int kValuesPerItem = 4;

// A definition shaped like the real ones, of about 8 KB.
std::string MakeDefinition() {
    std::string text =
        "[General]\r\nProgram_set=0x0F\r\nChipID=0x3188\r\nMemID=0x0001\r\n"
        "[ROM]\r\nSize=1024\r\nBitWidth=14\r\n"
        "[Option]\r\nOptWords=4\r\nOptStart=0x8000\r\n";
    for (int w = 0; w < kWords; ++w) {
        text += "OptAddr" + std::to_string(w) + "=0x800" + std::to_string(w) + "\r\n";
        text += "OptInitVal" + std::to_string(w) + "=0x3FFF\r\n";
        text += "OptItems" + std::to_string(w) + "=" + std::to_string(kItemsPerWord) + "\r\n";
    }
    for (int w = 0; w < kWords; ++w) {
        for (int i = 0; i < kItemsPerWord; ++i) {
            text += "[Option" + std::to_string(w) + "_Item" + std::to_string(i) + "]\r\n";
            text += "ItemType=0\r\nName=Watchdog timer,WDT\r\nBitStart=" + std::to_string(i) +
                    "\r\nBitEnd=" + std::to_string(i + 1) + "\r\nItemCount=4,4\r\n";
            for (int v = 0; v < kValuesPerItem; ++v) {
                text += "Item" + std::to_string(v) + "_Name=Setting " + std::to_string(v) + ",S" +
                        std::to_string(v) + "\r\n";
                text += "Item" + std::to_string(v) + "_Val=" + std::to_string(v) + "," + std::to_string(v) +
                        "\r\n";
            }
        }
    }
    text += "[InitValue]\r\nSection_Val=0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07\r\n";
    text += "[Pattern]\r\n";
    while (text.size() < 8192) text += "Pat=0x00000000000000000000000000000000\r\n";
    return text;
}

void ReadOneDefinition(benchmark::State& state) {
    const std::string text = MakeDefinition();
    std::string section;
    std::string key;
    for (auto _ : state) {
        const auto profile = tovrin::profile::Profile::FromText(text);
        uint32_t sum = profile.GetInteger("ROM", "Size", 0) + profile.GetInteger("ROM", "BitWidth", 0) +
                       profile.GetInteger("General", "ChipID", 0) +
                       profile.GetInteger("Option", "OptWords", 0);
        for (int w = 0; w < kWords; ++w) {
            key = "OptAddr" + std::to_string(w);
            sum += profile.GetInteger("Option", key, 0);
            for (int i = 0; i < kItemsPerWord; ++i) {
                section = "Option" + std::to_string(w) + "_Item" + std::to_string(i);
                sum +=
                    profile.GetInteger(section, "ItemType", 0) + profile.GetInteger(section, "BitStart", 0);
                benchmark::DoNotOptimize(profile.GetString(section, "Name"));
                for (int v = 0; v < kValuesPerItem; ++v) {
                    key = "Item" + std::to_string(v) + "_Val";
                    benchmark::DoNotOptimize(profile.GetString(section, key));
                }
            }
        }
        benchmark::DoNotOptimize(profile.GetString("InitValue", "Section_Val"));
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(ReadOneDefinition)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

void ParseOneDefinition(benchmark::State& state) {
    const std::string text = MakeDefinition();
    for (auto _ : state) benchmark::DoNotOptimize(tovrin::profile::Profile::FromText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseOneDefinition)->Unit(benchmark::kMicrosecond);

}  // namespace
