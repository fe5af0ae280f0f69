// Host time of the download beside the USB full-speed floor: one 64-byte OUT
// and one IN report per packet, each in its own 1 ms frame, 2 ms a packet.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "burner/BurnerLink.h"
#include "burnersim/BurnerFirmware.h"
#include "burnersim/SimulatorBackend.h"
#include "burnersim/SimulatorDaemon.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/FaultyTransport.h"
#include "platform/easypod/SocketTransport.h"

namespace {

constexpr double kFloorSecondsPerPacket = 0.002;

// The demo chip: a 2128-byte image and both test patterns.
constexpr std::size_t kImageBytes = 2128;
constexpr std::size_t kPatternBytes = 592;
constexpr std::size_t kPattern2Bytes = 1280;
constexpr std::size_t kDemoPackets = (kImageBytes + 31) / 32 + kPatternBytes / 32 + kPattern2Bytes / 32;

// Events that cost nothing, so that the link itself is measured.
class QuietEvents final : public tovrin::burner::BurnerEvents {
public:
    void ReportStatus(std::string_view) override {}
    void AddFirmwareVersion(std::string_view) override {}
    void SelectFirmwareVersion(int) override {}
    void ClearFirmwareVersions() override {}
    void SetConnectionText(std::string_view) override {}
    void ShowProgress() override {}
    void HideProgress() override {}
    void SetProgressTotal(int) override {}
    void SetProgressPosition(int) override {}
    void ShowMessage(std::string_view) override {}
    bool AskYesNo(tovrin::image::Question, std::string_view) override { return true; }
    void EnableButton(int, bool) override {}
    void SetSettingsControls(std::span<const tovrin::burner::ControlEnabling>) override {}
    void StopTimer(int) override {}
    void StartTimer(int, int) override {}
};

struct DemoDownload {
    explicit DemoDownload(std::chrono::microseconds latency) : device(simulator) {
        device.Plan().latencyPerReport = latency;
    }
    void Run() {
        link.SetDownloadActive(true);
        link.ExecuteBurnerCommand(tovrin::burner::CMD_DOWNLOAD);
        if (link.LastOutcome() != tovrin::burner::ExchangeOutcome::Completed) std::abort();
    }

    std::vector<uint8_t> image = std::vector<uint8_t>(kImageBytes, 0x3F);
    std::vector<uint8_t> pattern = std::vector<uint8_t>(kPatternBytes, 0x01);
    std::vector<uint8_t> pattern2 = std::vector<uint8_t>(kPattern2Bytes, 0x02);
    tovrin::burnersim::BurnerFirmware firmware;
    tovrin::burnersim::SimulatorTransport simulator{firmware};
    tovrin::easypod::FaultyTransport device;
    QuietEvents events;
    tovrin::burner::BurnerLink link{device, events, [this] {
                                        return tovrin::burner::LinkInputs{image, pattern, pattern2, true, {}};
                                    }};
};

// Host time per packet (link, framing and the simulator's firmware) with no bus time at all.
void BM_HostTimePerPacket(benchmark::State& state) {
    DemoDownload download(std::chrono::microseconds(0));
    std::chrono::steady_clock::duration spent{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        download.Run();
        spent += std::chrono::steady_clock::now() - start;
    }
    const double seconds = std::chrono::duration<double>(spent).count();
    const double perPacket = seconds / static_cast<double>(state.iterations() * kDemoPackets);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kDemoPackets));
    state.counters["ns_per_packet"] = perPacket * 1e9;
    state.counters["percent_of_floor"] = 100.0 * perPacket / kFloorSecondsPerPacket;
}
BENCHMARK(BM_HostTimePerPacket)->Unit(benchmark::kMicrosecond);

// The whole demo download with 1 ms per report, beside its floor.
void BM_DemoDownloadAtOneMillisecondPerReport(benchmark::State& state) {
    DemoDownload download(std::chrono::microseconds(1000));
    std::chrono::steady_clock::duration spent{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        download.Run();
        spent += std::chrono::steady_clock::now() - start;
    }
    const double floor = kDemoPackets * kFloorSecondsPerPacket;
    const double seconds =
        std::chrono::duration<double>(spent).count() / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["percent_over_floor"] = 100.0 * (seconds - floor) / floor;
}
BENCHMARK(BM_DemoDownloadAtOneMillisecondPerReport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// The same download to the simulator daemon's pump on a Unix socket, the
// model paced at 1 ms a report by the fault wrapper, as tovrin-burnersim
// --latency-ms 1 runs it.
void BM_DemoDownloadToTheDaemonAtOneMillisecondPerReport(benchmark::State& state) {
    const auto socket =
        std::filesystem::temp_directory_path() / ("tovrin-bench-" + std::to_string(::getpid()) + ".sock");
    tovrin::burnersim::SimulatorSettings settings;
    settings.faults.latencyPerReport = std::chrono::milliseconds(1);
    auto burner = std::move(*tovrin::burnersim::SimulatedBurner::Make(settings));
    std::atomic<bool> stop{false};
    tovrin::burnersim::DaemonOptions options;
    options.socketPath = socket;
    std::thread daemon([&] { tovrin::burnersim::ServeBurner(options, burner->Transport(), stop); });
    while (!std::filesystem::exists(socket)) std::this_thread::sleep_for(std::chrono::milliseconds(5));

    const std::vector<uint8_t> image(kImageBytes, 0x3F);
    const std::vector<uint8_t> pattern(kPatternBytes, 0x01);
    const std::vector<uint8_t> pattern2(kPattern2Bytes, 0x02);
    tovrin::easypod::SocketTransport transport(socket);
    QuietEvents events;
    tovrin::burner::BurnerLink link(transport, events, [&] {
        return tovrin::burner::LinkInputs{image, pattern, pattern2, true, {}};
    });
    std::chrono::steady_clock::duration spent{};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        link.SetDownloadActive(true);
        link.ExecuteBurnerCommand(tovrin::burner::CMD_DOWNLOAD);
        spent += std::chrono::steady_clock::now() - start;
        if (link.LastOutcome() != tovrin::burner::ExchangeOutcome::Completed) std::abort();
    }
    stop = true;
    daemon.join();
    const double floor = kDemoPackets * kFloorSecondsPerPacket;
    const double seconds =
        std::chrono::duration<double>(spent).count() / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["ratio_to_floor"] = seconds / floor;
}
BENCHMARK(BM_DemoDownloadToTheDaemonAtOneMillisecondPerReport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
