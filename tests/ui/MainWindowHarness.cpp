#include "tests/ui/MainWindowHarness.h"

namespace tovrin::testing {

MainWindowHarness::MainWindowHarness(Devices devices, bool burnerPlugged) {
    namespace fs = std::filesystem;
    const fs::path samples = SourceSamplesDirectory();
    if (devices == Devices::Samples) {
        fs::copy(samples / "Device", dir / "Device", fs::copy_options::recursive);
        fs::copy(samples / "Pats", dir / "Pats", fs::copy_options::recursive);
        fs::copy(samples / "LastSelChip.TXT", dir / "LastSelChip.TXT");
    }
    fs::copy(samples / "Version.TXT", dir / "Version.TXT");
    fs::copy(samples / "demo.hex", dir / "demo.hex");
    transport.plugged = burnerPlugged;
}

ui::CVerantDlg& MainWindowHarness::Start() {
    window = std::make_unique<ui::CVerantDlg>(ui::MainDialogSetup{dir.path(), prompts, transport});
    window->Initialize();
    return *window;
}

std::string MainWindowHarness::ReadProgramFile(std::string_view name) const {
    const auto bytes = ReadAll(dir / name);
    return {bytes.begin(), bytes.end()};
}

}  // namespace tovrin::testing
