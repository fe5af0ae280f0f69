#include "cli/BurnerLinkCommands.h"

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "burner/BurnerCommands.h"
#include "burner/BurnerLink.h"
#include "burner/ChipChecksumCheck.h"
#include "burner/Protocol.h"
#include "burnersim/SimulatorBackend.h"
#include "burnersim/SimulatorSwitchOptions.h"
#include "cli/ConsoleBurnerEvents.h"
#include "cli/GangConsole.h"
#include "cli/HeaderSettings.h"
#include "cli/TextFormat.h"
#include "cli/WorkbenchSession.h"
#include "image/ControlIds.h"
#include "image/ImageHeader.h"
#include "platform/easypod/BurnerBackends.h"
#include "platform/easypod/EasyPod.h"
#include "platform/text/GbkText.h"
#include "production/AuditLog.h"
#include "production/GangMember.h"
#include "production/OperationRecord.h"
#include "production/SerialLedger.h"
#include "production/SourceDigest.h"

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
    bool strict = false;
};

struct DownloadOptions {
    SessionOptions session;
    bool verify = false;
    std::string log;
    std::string serialLedger;
    uint32_t serialBlock = 0;
};

struct ChecksumOptions {
    SessionOptions session;
    std::string log;
};

// The burners the selector names, each with its own connection.
struct OpenedBurners {
    std::vector<easypod::BurnerTarget> targets;
    std::vector<std::unique_ptr<easypod::BurnerConnection>> connections;
};

std::optional<OpenedBurners> OpenBurners(CliContext& context, const BackendOptions& options) {
    const auto settings = burnersim::SettingsFromSwitches(options.sim);
    if (!settings) {
        context.Fail(kExitUsage, "--" + std::string(kSimSwitchPrefix) + settings.error().message);
        return std::nullopt;
    }
    const easypod::BurnerBackendTable table =
        burnersim::MakeBurnerBackendTable(context.usbBackend, *settings);
    auto targets = easypod::SelectBurners(easypod::BurnerSelectorText(options.burner), table);
    if (!targets) {
        context.Fail(kExitUsage, "--burner: " + targets.error().message);
        return std::nullopt;
    }
    OpenedBurners opened{std::move(*targets), {}};
    for (const easypod::BurnerTarget& target : opened.targets) {
        auto connection = easypod::OpenBurner(target, table);
        if (!connection) {
            context.Fail(kExitFailed, target.label + ": " + connection.error().message);
            return std::nullopt;
        }
        opened.connections.push_back(std::move(connection.value()));
    }
    return opened;
}

std::unique_ptr<easypod::BurnerConnection> OpenBackend(CliContext& context, const BackendOptions& options) {
    auto opened = OpenBurners(context, options);
    if (!opened) return nullptr;
    if (opened->connections.size() != 1) {
        context.Fail(kExitUsage, "--burner: this command talks to one burner, and " +
                                     std::to_string(opened->connections.size()) + " are chosen");
        return nullptr;
    }
    return std::move(opened->connections.front());
}

// A probe that finds no burner: say why as precisely as we can.
void FailNoBurner(CliContext& context, const burner::BurnerLink& link) {
    context.Fail(kExitFailed, production::NoBurnerMessage(link.LastConnectResult(), link.LastError()));
}

// The outcome in words, with the transport's reason where it failed on the way.
std::string Explained(ExchangeOutcome outcome, const burner::BurnerLink& link) {
    std::string text = production::OutcomeMessage(outcome);
    const bool transportFailed = outcome == ExchangeOutcome::NoReply || outcome == ExchangeOutcome::Lost ||
                                 outcome == ExchangeOutcome::WriteFailed ||
                                 outcome == ExchangeOutcome::NotConnected;
    if (const std::string reason = link.LastError(); transportFailed && !reason.empty())
        text += " (" + reason + ")";
    return text;
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

// Every attached burner, as the table's backends enumerate them.
void ListBurners(CliContext& context, bool json) {
    const easypod::BurnerBackendTable table = burnersim::MakeBurnerBackendTable(context.usbBackend, {});
    const std::vector<easypod::AttachedBurner> burners = easypod::AttachedBurners(table);
    bool someRefused = false;
    if (json) {
        ordered_json list = ordered_json::array();
        for (const auto& b : burners)
            list.push_back({{"path", b.path},
                            {"serial", b.serial},
                            {"bus", b.bus},
                            {"ports", b.ports},
                            {"accessible", b.mayOpen}});
        context.out << ordered_json{{"burners", list}}.dump(2) << "\n";
    } else if (burners.empty()) {
        context.out << "no burner is attached\n";
    } else {
        context.out << PadRight("path", 16) << PadRight("serial", 24) << PadRight("bus", 5)
                    << PadRight("ports", 10) << "access\n";
        for (const auto& b : burners)
            context.out << PadRight(b.path, 16)
                        << PadRight(b.serial.empty() ? "-" : easypod::EscapedDeviceText(b.serial), 24)
                        << PadRight(b.bus > 0 ? std::to_string(b.bus) : "-", 5)
                        << PadRight(b.ports.empty() ? "-" : b.ports, 10) << (b.mayOpen ? "yes" : "no")
                        << "\n";
    }
    for (const auto& b : burners) someRefused = someRefused || !b.mayOpen;
    if (someRefused)
        context.err << "tovrin-cli: this user may not open every burner; install the udev rule "
                    << easypod::kBurnerUdevRuleFile << " (cmake --install puts it in "
                    << easypod::kUdevRulesDirectory << "), then re-plug the burners\n";
}

// The main dialog as it stands after loading the source and taking the settings.
std::unique_ptr<WorkbenchSession> PrepareSession(CliContext& context, const SessionOptions& options,
                                                 bool sourceRequired) {
    auto session = std::make_unique<WorkbenchSession>(context);
    if (!options.chip.empty() && !session->ChangeChip(options.chip)) return nullptr;
    if (!options.source.empty()) {
        image::SelectFileReport report;
        if (!session->SelectSource(options.source, &report)) return nullptr;
        for (const std::string& warning : report.warnings) context.err << "tovrin-cli: " << warning << "\n";
        if (options.strict && !report.warnings.empty()) {
            context.Fail(kExitFailed, "--strict: " + options.source + " loads with " +
                                          std::to_string(report.warnings.size()) +
                                          " warning(s); nothing was sent");
            return nullptr;
        }
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

// The burners one command works on, each with its own backend and member.
struct Gang {
    std::vector<std::unique_ptr<easypod::BurnerConnection>> connections;
    std::unique_ptr<GangConsole> console;
    ConsoleBurnerEvents* soleEvents = nullptr;  // a single burner prints as before
    std::vector<std::unique_ptr<burner::BurnerEvents>> events;
    std::vector<std::unique_ptr<production::GangMember>> members;

    std::vector<production::GangMember*> Members() const {
        std::vector<production::GangMember*> all;
        for (const auto& m : members) all.push_back(m.get());
        return all;
    }
    std::vector<production::GangMember*> Present() const {
        std::vector<production::GangMember*> present;
        for (const auto& m : members)
            if (m->Outcome().present) present.push_back(m.get());
        return present;
    }
};

std::optional<Gang> OpenGang(CliContext& context, const BackendOptions& options, bool progressLines,
                             bool quietSole) {
    auto opened = OpenBurners(context, options);
    if (!opened) return std::nullopt;
    Gang gang;
    gang.connections = std::move(opened->connections);
    std::vector<std::string> selectors;
    for (const auto& target : opened->targets) selectors.push_back(target.label);
    const bool live = ::isatty(STDOUT_FILENO) == 1;
    if (selectors.size() > 1)
        gang.console = std::make_unique<GangConsole>(context.out, context.err, selectors, live);
    for (std::size_t i = 0; i < selectors.size(); ++i) {
        if (gang.console) {
            gang.events.push_back(gang.console->EventsFor(i));
        } else {
            auto sole = std::make_unique<ConsoleBurnerEvents>(context.out, context.err, ConsoleAnswers{},
                                                              progressLines && live, quietSole);
            gang.soleEvents = sole.get();
            gang.events.push_back(std::move(sole));
        }
        gang.members.push_back(std::make_unique<production::GangMember>(
            selectors[i], gang.connections[i]->Transport(), *gang.events.back()));
    }
    return gang;
}

// Opens the log before anything is sent, so a log that cannot be written
// stops the command while nothing has happened yet.
std::optional<std::optional<production::AuditLog>> OpenLog(CliContext& context, const std::string& path) {
    if (path.empty()) return std::optional<production::AuditLog>();
    auto log = production::AuditLog::Open(path);
    if (!log) {
        context.Fail(kExitFailed, log.error().message + "; nothing was sent");
        return std::nullopt;
    }
    return std::optional<production::AuditLog>(std::move(*log));
}

// Appends the records; a record that cannot be written fails the command.
class RecordKeeper {
public:
    RecordKeeper(CliContext& context, const std::optional<production::AuditLog>& log,
                 production::OperationFacts facts)
        : context_(context), log_(log), facts_(std::move(facts)) {}

    void Keep(const production::GangMember& member, std::span<const uint8_t> image,
              const std::optional<production::SerialBlock>& block) {
        if (!log_) return;
        Status appended = log_->Append(production::MakeAuditRecord(facts_, member, image, block));
        if (appended) return;
        std::lock_guard lock(mutex_);
        failures_.push_back("[" + member.Selector() + "] " + appended.error().message);
    }
    // Reports the records that could not be written; false when there were any.
    bool ReportFailures() {
        for (const auto& failure : failures_) context_.Fail(kExitFailed, failure);
        return failures_.empty();
    }

private:
    CliContext& context_;
    const std::optional<production::AuditLog>& log_;
    production::OperationFacts facts_;
    std::mutex mutex_;
    std::vector<std::string> failures_;
};

production::OperationFacts FactsFor(CliContext& context, const std::string& operation,
                                    const image::Workbench& workbench, const std::string& source,
                                    bool logging) {
    production::OperationFacts facts{operation, workbench.SelectedChipName(), std::nullopt, std::nullopt};
    if (source.empty()) return facts;
    facts.source = source;
    if (!logging) return facts;
    auto digest = production::FileSha256(source, image::kMaxSourceFileBytes);
    if (digest) {
        facts.sourceSha256 = *digest;
    } else {
        context.err << "tovrin-cli: " << digest.error().message << "\n";
    }
    return facts;
}

// A burner's text in the table: control characters as \xNN, so that a
// firmware string cannot move the cursor or break the columns.
std::string Printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

void PrintSummary(CliContext& context, const Gang& gang) {
    context.out << "\n"
                << PadRight("burner", 28) << PadRight("identity", 10) << PadRight("firmware", 20)
                << PadRight("outcome", 8) << PadRight("packets", 9) << PadRight("resends", 9) << "seconds\n";
    for (const auto& member : gang.members) {
        const production::BurnerOutcome& o = member->Outcome();
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(o.elapsed.count()) / 1000.0);
        context.out << PadRight(member->Selector(), 28)
                    << PadRight(o.burnerId ? Hex(*o.burnerId, 8) : "-", 10)
                    << PadRight(o.firmware ? Printable(text::GbkToUtf8(*o.firmware)) : "-", 20)
                    << PadRight(o.ok ? "ok" : "FAILED", 8) << PadRight(std::to_string(o.packets), 9)
                    << PadRight(std::to_string(o.resends), 9) << seconds << "\n";
    }
    for (const auto& member : gang.members)
        if (!member->Outcome().ok)
            context.err << "tovrin-cli: [" << member->Selector() << "] " << member->Outcome().message << "\n";
}

// Per-burner images: each gets the ledger's block as its rolling-code start.
std::optional<std::vector<std::optional<production::SerialBlock>>> DrawBlocks(
    CliContext& context, image::Workbench& workbench, const std::vector<production::GangMember*>& present,
    const DownloadOptions& options) {
    std::vector<std::optional<production::SerialBlock>> blocks(present.size());
    if (options.serialLedger.empty()) return blocks;
    const image::DecodedHeader h = image::DecodeHeader(workbench.WorkingHeader());
    if (!h.rollingCode) {
        context.Fail(kExitUsage,
                     "--serial-ledger: the rolling code is disabled (see --rolling-code); nothing was sent");
        return std::nullopt;
    }
    std::vector<production::SerialBlockRequest> requests;
    for (const auto* member : present) requests.push_back({member->Selector(), member->Outcome().burnerId});
    auto drawn = production::DrawSerialBlocks(options.serialLedger, requests, options.serialBlock, h.step,
                                              h.initialValue);
    if (!drawn) {
        context.Fail(kExitFailed, drawn.error().message);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < present.size(); ++i) blocks[i] = (*drawn)[i];
    return blocks;
}

void Download(CliContext& context, const BackendOptions& backendOptions, const DownloadOptions& options) {
    if (options.serialLedger.empty() != (options.serialBlock == 0)) {
        context.Fail(kExitUsage, "--serial-ledger and --serial-block go together");
        return;
    }
    auto log = OpenLog(context, options.log);
    if (!log) return;
    auto session = PrepareSession(context, options.session, true);
    if (!session) return;
    image::Workbench& workbench = session->workbench();
    auto gang = OpenGang(context, backendOptions, true, false);
    if (!gang) return;
    RecordKeeper records(context, *log,
                         FactsFor(context, "download", workbench, options.session.source, log->has_value()));

    const auto all = gang->Members();
    production::RunOnEachMember(all, [](production::GangMember& member) { member.Probe(); });
    const auto present = gang->Present();
    for (const auto* member : all)
        if (!member->Outcome().present) records.Keep(*member, workbench.ProgrammingImage(), std::nullopt);

    if (!present.empty()) {
        ConsoleBurnerEvents questions(context.out, context.err,
                                      ConsoleAnswers{options.session.yes, options.session.save}, false);
        switch (burner::ConfirmDownload(workbench, questions)) {
            case burner::DownloadCommandResult::Declined:
                context.exitCode = kExitFailed;
                return;
            case burner::DownloadCommandResult::SaveFailed:
                context.Fail(kExitFailed, "the project file could not be written; nothing was sent");
                return;
            case burner::DownloadCommandResult::Ran:
                break;
        }
        auto blocks = DrawBlocks(context, workbench, present, options);
        if (!blocks) return;
        // Each burner's image differs only in its rolling-code start; the
        // field is typed as a user would, then put back.
        const std::string original = workbench.Controls().initialValue.Text();
        for (std::size_t i = 0; i < present.size(); ++i) {
            if ((*blocks)[i]) {
                if (Status typed = workbench.SetHexField(control::kInitialValue, Hex((*blocks)[i]->start, 8));
                    !typed) {
                    context.Fail(kExitFailed, typed.error().message);
                    return;
                }
                workbench.BuildHeader();
            }
            present[i]->SetInputs(workbench.ProgrammingImage(), workbench.TestPattern(),
                                  workbench.TestPattern2());
        }
        if (!options.serialLedger.empty()) {
            (void)workbench.SetHexField(control::kInitialValue, original);
            workbench.BuildHeader();
        }
        std::map<const production::GangMember*, std::optional<production::SerialBlock>> blockOf;
        for (std::size_t i = 0; i < present.size(); ++i) blockOf[present[i]] = (*blocks)[i];
        production::RunOnEachMember(present, [&](production::GangMember& member) {
            member.Download(options.verify);
            records.Keep(member, member.Image(), blockOf[&member]);
        });
    }

    if (gang->members.size() > 1) {
        PrintSummary(context, *gang);
    } else if (!all[0]->Outcome().ok) {
        context.Fail(kExitFailed, all[0]->Outcome().message);
    }
    for (const auto* member : all)
        if (!member->Outcome().ok) context.exitCode = kExitFailed;
    records.ReportFailures();
}

void ChipChecksum(CliContext& context, const BackendOptions& backendOptions, const ChecksumOptions& options) {
    auto log = OpenLog(context, options.log);
    if (!log) return;
    auto session = PrepareSession(context, options.session, false);
    if (!session) return;
    image::Workbench& workbench = session->workbench();
    auto gang = OpenGang(context, backendOptions, false, true);
    if (!gang) return;
    RecordKeeper records(context, *log,
                         FactsFor(context, "checksum", workbench, options.session.source, log->has_value()));
    workbench.BuildHeader();
    const std::vector<uint8_t> reference = workbench.ProgrammingImage();
    const bool compare = !options.session.source.empty();

    const auto all = gang->Members();
    production::RunOnEachMember(all, [&](production::GangMember& member) {
        member.Probe();
        if (compare) {
            member.ReadChecksum(std::span<const uint8_t>(reference));
        } else {
            member.ReadChecksum(std::nullopt);
        }
        records.Keep(member, reference, std::nullopt);
    });

    if (gang->soleEvents) {
        const production::BurnerOutcome& o = all[0]->Outcome();
        if (o.checksum) {
            context.out << WithLineFeeds(burner::FormatChipChecksumReport(*o.checksum)) << "\n";
            context.out << "image: 校验和(QVB): " << workbench.QvbChecksumText()
                        << "  校验和(ROM): " << workbench.RomChecksumText() << "\n";
        }
        if (!o.ok) context.Fail(kExitFailed, o.message);
    } else {
        PrintSummary(context, *gang);
    }
    for (const auto* member : all)
        if (!member->Outcome().ok) context.exitCode = kExitFailed;
    records.ReportFailures();
}

void AddSessionOptions(CLI::App& command, SessionOptions& options, bool sourceRequired) {
    command.add_option("--chip", options.chip, "Change to this chip first, as the chip list would");
    auto* source = command.add_option("--source", options.source, "Intel HEX or QVB project file");
    if (sourceRequired) source->required();
    command.add_flag("--strict", options.strict,
                     "Refuse a HEX source that loads with a warning, before anything is sent");
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

    auto listJson = std::make_shared<bool>(false);
    CLI::App* burnersCommand = app.add_subcommand("burners", "List every attached burner");
    burnersCommand->add_flag("--json", *listJson, "Print JSON");
    context.OnCommand(burnersCommand, [&context, listJson] { ListBurners(context, *listJson); });

    auto burnerJson = std::make_shared<bool>(false);
    CLI::App* burnerCommand =
        app.add_subcommand("burner", "Probe the burner and read its firmware version and identity");
    burnerCommand->add_flag("--json", *burnerJson, "Print JSON");
    context.OnCommand(burnerCommand,
                      [&context, backend, burnerJson] { IdentifyBurner(context, *backend, *burnerJson); });

    auto download = std::make_shared<DownloadOptions>();
    CLI::App* downloadCommand = app.add_subcommand(
        "download", "Load a source, build the header and download it with the test patterns");
    AddSessionOptions(*downloadCommand, download->session, true);
    downloadCommand->add_flag("--yes", download->session.yes,
                              "Answer Yes to the open/short and FT+PROGRAM questions");
    downloadCommand->add_flag("--save", download->session.save,
                              "Answer Yes to overwriting the source as a project file");
    // --verify is the header's verify checkbox; this is the host's own check.
    downloadCommand->add_flag("--verify-download", download->verify,
                              "Read the burner's checksums back and compare them with the image");
    downloadCommand->add_option("--log", download->log, "Append one JSON line per burner to FILE");
    downloadCommand->add_option("--serial-ledger", download->serialLedger,
                                "Give each burner its own rolling-code start from this ledger file");
    downloadCommand
        ->add_option("--serial-block", download->serialBlock,
                     "Rolling codes per burner taken from the ledger")
        ->check(CLI::PositiveNumber);
    context.OnCommand(downloadCommand,
                      [&context, backend, download] { Download(context, *backend, *download); });

    auto checksum = std::make_shared<ChecksumOptions>();
    CLI::App* checksumCommand = app.add_subcommand(
        "checksum",
        "Read the checksums and configuration the burner holds; with --source, compare them with the image");
    AddSessionOptions(*checksumCommand, checksum->session, false);
    checksumCommand->add_option("--log", checksum->log, "Append one JSON line per burner to FILE");
    context.OnCommand(checksumCommand,
                      [&context, backend, checksum] { ChipChecksum(context, *backend, *checksum); });
}

}  // namespace tovrin::cli
