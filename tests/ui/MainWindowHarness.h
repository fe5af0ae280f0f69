#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "burnersim/BurnerFirmware.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/dialog/ScriptedPrompts.h"
#include "platform/easypod/HidTransport.h"
#include "tests/support/TempDirectory.h"
#include "ui/CVerantDlg.h"

namespace tovrin::testing {

// The simulated burner with a USB plug: unplugged, it is not found and its
// reports go nowhere.
class PluggableTransport final : public easypod::HidTransport {
public:
    explicit PluggableTransport(easypod::HidTransport& inner) : inner_(inner) {}
    bool plugged = true;

    easypod::HidOpenStatus Open(const easypod::HidDeviceMatch& match) override {
        return plugged ? inner_.Open(match) : easypod::HidOpenStatus::NotFound;
    }
    bool WriteReport(const easypod::HidReport& report, std::chrono::milliseconds timeout) override {
        return plugged && inner_.WriteReport(report, timeout);
    }
    easypod::HidReadStatus ReadReport(easypod::HidReport& report,
                                      std::chrono::milliseconds timeout) override {
        return plugged ? inner_.ReadReport(report, timeout) : easypod::HidReadStatus::Failed;
    }
    void Close() override { inner_.Close(); }
    std::string LastError() const override {
        return plugged ? inner_.LastError() : "the burner is unplugged";
    }
    std::size_t DiscardWaitingReports() override { return plugged ? inner_.DiscardWaitingReports() : 0; }

private:
    easypod::HidTransport& inner_;
};

enum class Devices { Samples, None };

// A program directory copied from samples/, the in-process simulator and
// scripted prompts around a real main window.
struct MainWindowHarness {
    explicit MainWindowHarness(Devices devices = Devices::Samples, bool burnerPlugged = true);

    // Builds the window and runs its initialisation.
    ui::CVerantDlg& Start();

    std::string ReadProgramFile(std::string_view name) const;
    std::filesystem::path Sample(std::string_view name) const { return dir / name; }

    TempDirectory dir;
    burnersim::BurnerFirmware firmware;
    burnersim::SimulatorTransport simulator{firmware};
    PluggableTransport transport{simulator};
    dialog::ScriptedPrompts prompts;
    std::unique_ptr<ui::CVerantDlg> window;
};

}  // namespace tovrin::testing
