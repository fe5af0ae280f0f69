// The desktop program's costs beside their baselines: start-up with 500
// enciphered device files against none, and the demo download through the
// window against the link's floor of two 1 ms reports a packet.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "burner/BurnerLink.h"
#include "burner/RecordingEvents.h"
#include "burnersim/BurnerFirmware.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/dialog/ScriptedPrompts.h"
#include "platform/easypod/FaultyTransport.h"
#include "ui/CVerantDlg.h"

namespace fs = std::filesystem;

namespace {

// Takes the confirmations and never overwrites the source, whichever of the
// questions the chip asks.
class ConfirmingPrompts final : public tovrin::dialog::ScriptedPrompts {
public:
    bool Ask(int kind, std::string_view, tovrin::dialog::PromptIcon) override {
        return kind != static_cast<int>(tovrin::image::Question::OverwriteSource);
    }
};

fs::path SamplesDirectory() {
    if (const char* samples = std::getenv("TOVRIN_SAMPLES")) return samples;
    return TOVRIN_SOURCE_SAMPLES;
}

// A program directory with deviceFiles copies of an enciphered definition.
fs::path MakeProgramDirectory(int deviceFiles) {
    char pattern[] = "/tmp/tovrin-bench-XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const fs::path samples = SamplesDirectory();
    fs::create_directories(dir / "Device");
    for (int i = 0; i < deviceFiles; ++i) {
        // Built piecewise: GCC 12 warns falsely (-Wrestrict) on "K" + to_string(...).
        std::string name = std::to_string(10000 + i);
        name.insert(0, 1, 'K');
        name += ".dev";
        fs::copy_file(samples / "Device" / "K16S20.dev", dir / "Device" / name);
    }
    if (deviceFiles == 0) return dir;
    fs::copy(samples / "Pats", dir / "Pats", fs::copy_options::recursive);
    fs::copy_file(samples / "Version.TXT", dir / "Version.TXT");
    return dir;
}

void StartUp(benchmark::State& state) {
    const fs::path dir = MakeProgramDirectory(static_cast<int>(state.range(0)));
    tovrin::burnersim::BurnerFirmware firmware;
    tovrin::burnersim::SimulatorTransport transport(firmware);
    tovrin::dialog::ScriptedPrompts prompts;
    for (auto _ : state) {
        tovrin::ui::CVerantDlg window({dir, prompts, transport});
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.ComboCount(1029));
    }
    fs::remove_all(dir);
}
BENCHMARK(StartUp)->Arg(0)->Arg(500)->Unit(benchmark::kMillisecond);

void DemoDownload(benchmark::State& state) {
    const fs::path samples = SamplesDirectory();
    tovrin::burnersim::BurnerFirmware firmware;
    tovrin::burnersim::SimulatorTransport simulator(firmware);
    tovrin::easypod::FaultPlan plan;
    plan.latencyPerReport = std::chrono::milliseconds(1);
    tovrin::easypod::FaultyTransport transport(simulator, plan);
    ConfirmingPrompts prompts;
    tovrin::ui::CVerantDlg window({samples, prompts, transport});
    window.show();
    window.OpenSource(samples / "demo.hex");
    // As the link counts them: the image rounded up, the patterns rounded down.
    constexpr std::size_t block = tovrin::image::kTransferBlockBytes;
    const auto& bench = window.Workbench();
    const std::size_t packets = (bench.ImageByteCount() + block - 1) / block +
                                bench.TestPattern().size() / block + bench.TestPattern2().size() / block;
    for (auto _ : state) {
        window.accept();
    }
    // One write and one read report a packet, 1 ms each.
    state.counters["packets"] = static_cast<double>(packets);
    state.counters["floor_ms"] = 2.0 * static_cast<double>(packets);
}
BENCHMARK(DemoDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same download by the link alone, without a window, under the same
// load: the figure the dialog's own is compared with.
void LinkDownload(benchmark::State& state) {
    const fs::path samples = SamplesDirectory();
    tovrin::burnersim::BurnerFirmware firmware;
    tovrin::burnersim::SimulatorTransport simulator(firmware);
    tovrin::easypod::FaultPlan plan;
    plan.latencyPerReport = std::chrono::milliseconds(1);
    tovrin::easypod::FaultyTransport transport(simulator, plan);
    ConfirmingPrompts prompts;
    tovrin::ui::CVerantDlg window({samples, prompts, transport});
    window.Initialize();
    window.OpenSource(samples / "demo.hex");
    tovrin::burner::RecordingEvents events;
    tovrin::burner::BurnerLink link(transport, events,
                                    [&window] { return tovrin::burner::LinkInputsFrom(window.Workbench()); });
    for (auto _ : state) {
        link.SetDownloadActive(true);
        link.ExecuteBurnerCommand(tovrin::burner::CMD_DOWNLOAD);
    }
}
BENCHMARK(LinkDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
