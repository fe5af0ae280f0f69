#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "bench/catalogue/OpenSslDes.h"
#include "catalogue/Des.h"

namespace {

using tovrin::catalogue::Des;
using tovrin::catalogue::DesKey;

constexpr std::size_t kDataBytes = 1 << 20;
constexpr DesKey kKey = {'t', 'i', 'r', 'k', '2', '9', '5', '7'};

std::vector<uint8_t> Data() {
    std::vector<uint8_t> data(kDataBytes);
    uint32_t x = 12345;
    for (auto& byte : data) byte = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 24);
    return data;
}

template <class Cipher>
double SecondsToDecrypt(const Cipher& cipher, std::vector<uint8_t>& data) {
    const auto start = std::chrono::steady_clock::now();
    cipher.DecryptEcb(data);
    benchmark::DoNotOptimize(data.data());
    benchmark::ClobberMemory();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Both ciphers on the same megabyte in the same iteration, so that the
// ratio is not skewed by the machine's load drifting between two runs.
void BM_DesDecryptOursBesideOpenSsl(benchmark::State& state) {
    const Des ours(kKey);
    const OpenSslDes peer(kKey);
    std::vector<uint8_t> a = Data();
    std::vector<uint8_t> b = a;

    // Same key, same data: same result, or the comparison means nothing.
    ours.DecryptEcb(a);
    peer.DecryptEcb(b);
    if (a != b) {
        state.SkipWithError("our DES and OpenSSL's disagree");
        return;
    }

    double oursSeconds = 0;
    double peerSeconds = 0;
    for (auto _ : state) {
        oursSeconds += SecondsToDecrypt(ours, a);
        peerSeconds += SecondsToDecrypt(peer, b);
    }
    const double megabytes = static_cast<double>(kDataBytes) * static_cast<double>(state.iterations()) / 1e6;
    state.counters["ours_MB/s"] = megabytes / oursSeconds;
    state.counters["openssl_MB/s"] = megabytes / peerSeconds;
    state.counters["ours/openssl"] = peerSeconds / oursSeconds;
}
BENCHMARK(BM_DesDecryptOursBesideOpenSsl)->Unit(benchmark::kMillisecond);

}  // namespace
