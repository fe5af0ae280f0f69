// CRC-16 beside Boost.CRC on the same 64 KiB buffer, and a HEX load that
// fills 32 K code words.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <boost/crc.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalogue/DeviceCatalogue.h"
#include "image/Crc16.h"
#include "image/Workbench.h"

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
using BoostCcittFalse = boost::crc_optimal<16, 0x1021, 0xFFFF, 0, false, false>;

const std::vector<uint8_t>& Buffer() {
    static const std::vector<uint8_t> buffer = [] {
        std::vector<uint8_t> bytes(kBufferBytes);
        std::mt19937 random(1);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        return bytes;
    }();
    return buffer;
}

uint16_t BoostCrc(const std::vector<uint8_t>& bytes) {
    BoostCcittFalse crc;
    crc.process_bytes(bytes.data(), bytes.size());
    return crc.checksum();
}

void BM_Crc16(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tovrin::image::Crc16(Buffer()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBufferBytes));
}
BENCHMARK(BM_Crc16);

void BM_BoostCrc(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(BoostCrc(Buffer()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBufferBytes));
}
BENCHMARK(BM_BoostCrc);

// Both in one run, alternating, so that the ratio compares like with like.
void BM_Crc16VersusBoost(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    if (tovrin::image::Crc16(Buffer()) != BoostCrc(Buffer())) {
        state.SkipWithError("the two CRCs disagree");
        return;
    }
    Clock::duration ours{}, boost{};
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(tovrin::image::Crc16(Buffer()));
        auto middle = Clock::now();
        benchmark::DoNotOptimize(BoostCrc(Buffer()));
        auto end = Clock::now();
        ours += middle - start;
        boost += end - middle;
    }
    const double bytes = static_cast<double>(state.iterations()) * kBufferBytes;
    const double oursSeconds = std::chrono::duration<double>(ours).count();
    const double boostSeconds = std::chrono::duration<double>(boost).count();
    state.counters["tovrin_GBps"] = bytes / oursSeconds / 1e9;
    state.counters["boost_GBps"] = bytes / boostSeconds / 1e9;
    state.counters["ratio"] = boostSeconds / oursSeconds;
}
BENCHMARK(BM_Crc16VersusBoost);

class HexLoad {
public:
    static constexpr int kWords = 32 * 1024;

    HexLoad()
        : dir_(std::filesystem::temp_directory_path() / ("tovrin-image-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir_ / "Pats");
        catalogue_.Add({"BIG16", 2 * kWords + 80, 14}, {});
        std::ofstream out(dir_ / "big.hex", std::ios::binary);
        const int bytesPerRecord = 16;
        for (int address = 0; address < 2 * kWords; address += bytesPerRecord) {
            char line[64];
            unsigned sum = bytesPerRecord + (address >> 8) + (address & 0xFF);
            int n = std::snprintf(line, sizeof line, ":%02X%04X00", bytesPerRecord, address);
            for (int k = 0; k < bytesPerRecord; ++k) {
                const unsigned value = (address + k) * 7 & 0xFF;
                sum += value;
                n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X", value);
            }
            std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X\r\n",
                          (0x100 - (sum & 0xFF)) & 0xFF);
            out << line;
        }
        out << ":00000001FF\r\n";
    }
    ~HexLoad() { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
    tovrin::catalogue::DeviceCatalogue catalogue_;
};

void BM_LoadHexOf32KWords(benchmark::State& state) {
    static HexLoad fixture;
    tovrin::image::Workbench bench(fixture.dir_, fixture.catalogue_);
    bench.SelectInitialChip(0);
    for (auto _ : state) {
        const auto report = bench.SelectSourceFile(fixture.dir_ / "big.hex");
        if (!report.success || report.badChecksumRecords != 0) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(bench.ProgrammingImage().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2 * HexLoad::kWords);
}
BENCHMARK(BM_LoadHexOf32KWords)->Unit(benchmark::kMillisecond);

}  // namespace
