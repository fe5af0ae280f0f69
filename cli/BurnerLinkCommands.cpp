#include "cli/BurnerLinkCommands.h"

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "burner/BurnerCommands.h"
#include "burner/BurnerLink.h"
#include "burner/Protocol.h"
#include "burnersim/SimulatorBackend.h"
#include "burnersim/SimulatorSwitchOptions.h"
#include "cli/ConsoleBurnerEvents.h"
#include "cli/HeaderSettings.h"
#include "cli/TextFormat.h"
#include "cli/WorkbenchSession.h"
#include "platform/easypod/BurnerBackends.h"
#include "platform/easypod/EasyPod.h"

namespace tovrin::cli {
namespace {

using burner::ExchangeOutcome;
using nlohmann::ordered_json;

struct BackendOptions {
    std::string burner;  // empty: TOVRIN_BURNER, else usb
    burnersim::SimulatorSwitches sim;
};

// The "--sim-" switches are the daemon's switches under a prefix.
constexpr std::string_view kSimSwitchPrefix = "sim-";

struct SessionOptions {
    std::string chip;
    std::string source;
    HeaderSettings settings;
    bool yes = false;
    bool save = false;
    bool json = false;
};

std::unique_ptr<easypod::BurnerConnection> OpenBackend(CliContext& context, const BackendOptions& options) {
    const auto settings = burnersim::SettingsFromSwitches(options.sim);
    if (!settings) {
        context.Fail(kExitUsage, "--" + std::string(kSimSwitchPrefix) + settings.error().message);
        return nullptr;
    }
    const easypod::BurnerBackendTable table =
        burnersim::MakeBurnerBackendTable(context.usbBackend, *settings);
    const auto targets = easypod::SelectBurners(easypod::BurnerSelectorText(options.burner), table);
    if (!targets) {
        context.Fail(kExitUsage, "--burner: " + targets.error().message);
        return nullptr;
    }
    if (targets->size() != 1) {
        context.Fail(kExitUsage, "--burner: this command talks to one burner, and " +
                                     std::to_string(targets->size()) + " are chosen");
        return nullptr;
    }
    auto connection = easypod::OpenBurner(targets->front(), table);
    if (!connection) {
        context.Fail(kExitFailed, connection.error().message);
        return nullptr;
    }
    return std::move(connection.value());
}

// A probe that finds no burner: say why as precisely as we can.
void FailNoBurner(CliContext& context, const burner::BurnerLink& link) {
    if (link.LastConnectResult() == easypod::kPodAccessDenied) {
        context.Fail(
            kExitFailed,
            "a burner is attached but this user may not open its hidraw node; install the udev rule " +
                std::string(easypod::kBurnerUdevRuleFile) + " (cmake --install puts it in " +
                std::string(easypod::kUdevRulesDirectory) + "), then re-plug the burner");
        return;
    }
    const std::string reason = link.LastError();
    context.Fail(kExitFailed, reason.empty() ? "no burner answers" : "no burner answers (" + reason + ")");
}

const char* OutcomeText(ExchangeOutcome outcome) {
    switch (outcome) {
        case ExchangeOutcome::Completed:
            return "completed";
        case ExchangeOutcome::NotConnected:
            return "the burner could not be opened";
        case ExchangeOutcome::NoReply:
            return "the burner did not answer in time";
        case ExchangeOutcome::Lost:
            return "the burner went away while it was answering";
        case ExchangeOutcome::WriteFailed:
            return "the request could not be sent";
        case ExchangeOutcome::Refused:
            return "the burner kept refusing a packet";
        case ExchangeOutcome::NothingSent:
            return "there was nothing to send";
    }
    return "failed";
}

// The outcome in words, with the transport's reason where it failed on the way.
std::string Explained(ExchangeOutcome outcome, const burner::BurnerLink& link) {
    std::string text = OutcomeText(outcome);
    const bool transportFailed = outcome == ExchangeOutcome::NoReply || outcome == ExchangeOutcome::Lost ||
                                 outcome == ExchangeOutcome::WriteFailed ||
                                 outcome == ExchangeOutcome::NotConnected;
    if (const std::string reason = link.LastError(); transportFailed && !reason.empty())
        text += " (" + reason + ")";
    return text;
}

bool CheckOutcome(CliContext& context, const burner::BurnerLink& link) {
    auto outcome = link.LastOutcome();
    if (outcome && *outcome == ExchangeOutcome::Completed) return true;
    context.Fail(kExitFailed, outcome ? Explained(*outcome, link) : "no exchange ran");
    return false;
}

// The link as the main dialog holds it after its first probe found a burner
// (the burner buttons are enabled only then).
struct ProbedLink {
    std::unique_ptr<easypod::BurnerConnection> backend;
    std::unique_ptr<ConsoleBurnerEvents> events;
    std::unique_ptr<burner::BurnerLink> link;
};

std::optional<ProbedLink> ProbeLink(CliContext& context, const BackendOptions& backendOptions,
                                    std::unique_ptr<ConsoleBurnerEvents> events,
                                    burner::LinkInputsSource inputs) {
    ProbedLink probed{OpenBackend(context, backendOptions), std::move(events), nullptr};
    if (!probed.backend) return std::nullopt;
    probed.link =
        std::make_unique<burner::BurnerLink>(probed.backend->Transport(), *probed.events, std::move(inputs));
    probed.link->ProbeBurner();
    if (!probed.link->BurnerPresent()) {
        FailNoBurner(context, *probed.link);
        return std::nullopt;
    }
    return probed;
}

void IdentifyBurner(CliContext& context, const BackendOptions& backendOptions, bool json) {
    auto probed = ProbeLink(
        context, backendOptions,
        std::make_unique<ConsoleBurnerEvents>(context.out, context.err, ConsoleAnswers{}, false, true),
        [] { return burner::LinkInputs{}; });
    if (!probed) return;
    const ConsoleBurnerEvents& events = *probed->events;
    const burner::BurnerLink& link = *probed->link;
    // A burner that opens but answers neither request is no burner to talk to.
    for (const uint8_t code : {burner::CMD_FIRMWARE_VERSION, burner::CMD_BURNER_ID}) {
        const auto outcome = link.OutcomeOf(code);
        if (outcome && *outcome != ExchangeOutcome::Completed) {
            context.Fail(kExitFailed,
                         std::string(code == burner::CMD_BURNER_ID ? "identity" : "firmware-version") +
                             " request: " + Explained(*outcome, link));
            return;
        }
    }
    const std::string firmware = events.FirmwareVersions().empty() ? "" : events.FirmwareVersions().back();
    std::string report;
    for (const auto& r : events.Reports()) report += r;
    if (json) {
        ordered_json result = {
            {"firmwareVersion", events.FirmwareVersions().empty() ? ordered_json() : ordered_json(firmware)},
            {"burnerId", link.BurnerId() ? ordered_json(Hex(*link.BurnerId(), 8)) : ordered_json()},
            {"connection", events.ConnectionText()},
            {"report", report}};
        context.out << result.dump(2) << "\n";
        return;
    }
    context.out << "固件版本: " << firmware << "\n"
                << "report:" << report << "\n";
}

// The main dialog as it stands after loading the source and taking the settings.
std::unique_ptr<WorkbenchSession> PrepareSession(CliContext& context, const SessionOptions& options,
                                                 bool sourceRequired) {
    auto session = std::make_unique<WorkbenchSession>(context);
    if (!options.chip.empty() && !session->ChangeChip(options.chip)) return nullptr;
    if (!options.source.empty()) {
        if (!session->SelectSource(options.source)) return nullptr;
    } else if (sourceRequired) {
        context.Fail(kExitUsage, "--source is required");
        return nullptr;
    }
    if (Status applied = ApplyHeaderSettings(session->workbench(), options.settings); !applied) {
        context.Fail(kExitUsage, applied.error().message);
        return nullptr;
    }
    return session;
}

void Download(CliContext& context, const BackendOptions& backendOptions, const SessionOptions& options) {
    auto session = PrepareSession(context, options, true);
    if (!session) return;
    image::Workbench& workbench = session->workbench();
    auto probed = ProbeLink(context, backendOptions,
                            std::make_unique<ConsoleBurnerEvents>(context.out, context.err,
                                                                  ConsoleAnswers{options.yes, options.save},
                                                                  ::isatty(STDOUT_FILENO) == 1),
                            [&workbench] { return burner::LinkInputsFrom(workbench); });
    if (!probed) return;
    switch (burner::RunDownloadCommand(workbench, *probed->link, *probed->events)) {
        case burner::DownloadCommandResult::Declined:
            context.exitCode = kExitFailed;
            return;
        case burner::DownloadCommandResult::SaveFailed:
            context.Fail(kExitFailed, "the project file could not be written; nothing was sent");
            return;
        case burner::DownloadCommandResult::Ran:
            CheckOutcome(context, *probed->link);
            return;
    }
}

void ChipChecksum(CliContext& context, const BackendOptions& backendOptions, const SessionOptions& options) {
    auto session = PrepareSession(context, options, false);
    if (!session) return;
    image::Workbench& workbench = session->workbench();
    auto probed = ProbeLink(
        context, backendOptions,
        std::make_unique<ConsoleBurnerEvents>(context.out, context.err, ConsoleAnswers{}, false, true),
        [&workbench] { return burner::LinkInputsFrom(workbench); });
    if (!probed) return;
    const auto& reports = probed->events->Reports();
    const std::size_t before = reports.size();
    burner::RunChipChecksumCommand(workbench, *probed->link);
    if (!CheckOutcome(context, *probed->link)) return;
    for (std::size_t i = before; i < reports.size(); ++i) context.out << reports[i] << "\n";
    context.out << "image: 校验和(QVB): " << workbench.QvbChecksumText()
                << "  校验和(ROM): " << workbench.RomChecksumText() << "\n";
}

void AddSessionOptions(CLI::App& command, SessionOptions& options, bool sourceRequired) {
    command.add_option("--chip", options.chip, "Change to this chip first, as the chip list would");
    auto* source = command.add_option("--source", options.source, "Intel HEX or QVB project file");
    if (sourceRequired) source->required();
    AddHeaderSettingOptions(command, options.settings);
}

}  // namespace

void AddBurnerLinkCommands(CLI::App& app, CliContext& context) {
    auto backend = std::make_shared<BackendOptions>();
    app.add_option(
           "--burner", backend->burner,
           "usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, sim or sim:SOCKET (default: TOVRIN_BURNER, else usb)")
        ->group("Burner");
    burnersim::AddSimulatorSwitches(app, backend->sim, kSimSwitchPrefix,
                                    "In-process simulator (--burner sim)");

    auto burnerJson = std::make_shared<bool>(false);
    CLI::App* burnerCommand =
        app.add_subcommand("burner", "Probe the burner and read its firmware version and identity");
    burnerCommand->add_flag("--json", *burnerJson, "Print JSON");
    context.OnCommand(burnerCommand,
                      [&context, backend, burnerJson] { IdentifyBurner(context, *backend, *burnerJson); });

    auto download = std::make_shared<SessionOptions>();
    CLI::App* downloadCommand = app.add_subcommand(
        "download", "Load a source, build the header and download it with the test patterns");
    AddSessionOptions(*downloadCommand, *download, true);
    downloadCommand->add_flag("--yes", download->yes,
                              "Answer Yes to the open/short and FT+PROGRAM questions");
    downloadCommand->add_flag("--save", download->save,
                              "Answer Yes to overwriting the source as a project file");
    context.OnCommand(downloadCommand,
                      [&context, backend, download] { Download(context, *backend, *download); });

    auto checksum = std::make_shared<SessionOptions>();
    CLI::App* checksumCommand = app.add_subcommand(
        "checksum", "Build the header, then read the checksums and configuration the burner holds");
    AddSessionOptions(*checksumCommand, *checksum, false);
    context.OnCommand(checksumCommand,
                      [&context, backend, checksum] { ChipChecksum(context, *backend, *checksum); });
}

}  // namespace tovrin::cli
