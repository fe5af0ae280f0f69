#include "ui/CVerantApp.h"

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QTimer>
#include <iostream>

#include "burnersim/SimulatorBackend.h"
#include "platform/dialog/QtPrompts.h"
#include "platform/dialog/Screenshot.h"
#include "platform/dialog/TextConversion.h"
#include "platform/easypod/BurnerBackends.h"
#include "platform/system/InstanceLock.h"
#include "platform/system/ProgramDirectory.h"
#include "ui/CVerantDlg.h"
#include "ui/Version.h"

namespace tovrin::ui {

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Prompts of an unattended run (screenshots): notices go to standard error,
// the confirmations are taken, the source is never overwritten.
class UnattendedPrompts final : public dialog::PromptService {
public:
    void Notify(std::string_view text, dialog::PromptIcon) override {
        std::cerr << "tovrin: " << dialog::ToUtf8(dialog::WithLineFeeds(dialog::FromUtf8(text))) << "\n";
    }
    bool Ask(int kind, std::string_view, dialog::PromptIcon) override {
        return kind != static_cast<int>(image::Question::OverwriteSource);
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const dialog::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const dialog::FileDialogRequest&) override {
        return std::nullopt;
    }
};

int RunUnattended(CVerantDlg& window, const StartOptions& options) {
    window.Initialize();
    window.show();
    if (options.source) window.OpenSource(*options.source);
    if (options.download) {
        if (!window.Link().BurnerPresent()) {
            std::cerr << "tovrin: --download: no burner answers\n";
            return kExitFailed;
        }
        window.accept();
    }
    QApplication::processEvents();
    if (Status saved = dialog::SaveWidgetPng(window, options.screenshot); !saved) {
        std::cerr << "tovrin: " << saved.error().message << "\n";
        return kExitFailed;
    }
    std::cerr << "tovrin: wrote " << options.screenshot.string() << "\n";
    return 0;
}

}  // namespace

int CVerantApp::Run(const std::vector<std::string>& arguments) {
    CLI::App cli{"Tovrin: prepares programming images and downloads them to the burner", "tovrin"};
    cli.set_version_flag("--version", std::string(kVersion));
    StartOptions options;
    std::string source;
    cli.add_option(
        "--program-dir", options.programDirectory,
        "folder with Device/, Pats/, Version.TXT and LastSelChip.TXT (default: the program's own)");
    cli.add_option("--burner", options.burner,
                   "usb, usb:SERIAL, usb:/dev/hidrawN, sim or sim:SOCKET (default: TOVRIN_BURNER, else usb)");
    cli.add_option("--screenshot", options.screenshot,
                   "render the window after start (and SOURCE) to this PNG file, then exit");
    cli.add_flag("--download", options.download,
                 "with --screenshot: download after SOURCE (confirmations taken, source not overwritten)");
    cli.add_option("SOURCE", source, "a .hex or .qvb file to open after start");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    try {
        cli.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return cli.exit(error) == 0 ? 0 : kExitUsage;
    }
    if (options.download && options.screenshot.empty()) {
        std::cerr << "tovrin: --download needs --screenshot\n";
        return kExitUsage;
    }
    if (!source.empty()) options.source = std::filesystem::absolute(source);
    return Run(options);
}

int CVerantApp::Run(const StartOptions& options) {
    dialog::QtPrompts prompts;
    prompts.SetApplicationTitle(std::string(kApplicationTitle));

    const InstanceLock lock = InstanceLock::Acquire(kInstanceLockName);
    if (lock.IsSecondInstance()) {
        prompts.Notify(kAlreadyRunningText, dialog::PromptIcon::Warning);
        return kExitFailed;
    }

    const easypod::BurnerBackendTable table =
        burnersim::MakeBurnerBackendTable(usbBackend_, burnersim::SimulatorSettings{});
    const auto targets = easypod::SelectBurners(easypod::BurnerSelectorText(options.burner), table);
    if (!targets) {
        std::cerr << "tovrin: --burner: " << targets.error().message << "\n";
        return kExitUsage;
    }
    if (targets->size() != 1) {
        std::cerr << "tovrin: --burner: the window talks to one burner, and " << targets->size()
                  << " are chosen\n";
        return kExitUsage;
    }
    auto backend = easypod::OpenBurner(targets->front(), table);
    if (!backend) {
        std::cerr << "tovrin: " << backend.error().message << "\n";
        return kExitFailed;
    }

    const std::filesystem::path programDirectory =
        options.programDirectory.empty() ? ExecutableDirectory() : options.programDirectory;
    UnattendedPrompts unattended;
    const bool unattendedRun = !options.screenshot.empty();
    dialog::PromptService& used = unattendedRun ? static_cast<dialog::PromptService&>(unattended) : prompts;
    used.SetApplicationTitle(std::string(kApplicationTitle));

    CVerantDlg window({programDirectory, used, (*backend)->Transport()});
    prompts.SetParentWindow(&window);
    if (unattendedRun) return RunUnattended(window, options);

    if (options.source) {
        const std::filesystem::path source = *options.source;
        QTimer::singleShot(0, &window, [&window, source] { window.OpenSource(source); });
    }
    window.exec();
    return 0;
}

}  // namespace tovrin::ui
