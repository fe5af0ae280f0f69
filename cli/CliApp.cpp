#include "cli/CliApp.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/BurnerLinkCommands.h"
#include "cli/CatalogueCommands.h"
#include "cli/CliContext.h"
#include "cli/ImageCommands.h"
#include "platform/system/ProgramDirectory.h"

namespace tovrin::cli {

void CliContext::OnCommand(const CLI::App* command, std::function<void()> action) {
    actions.emplace_back(command, std::move(action));
}

void CliContext::Fail(int code, const std::string& message) {
    err << "tovrin-cli: " << message << "\n";
    exitCode = code;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           std::optional<easypod::BurnerBackendEntry> usbBackend) {
    CLI::App app{"Tovrin without a window: the device catalogue, programming images and the burner",
                 "tovrin-cli"};
    app.require_subcommand(1);
    app.fallthrough();

    std::string programDirectory;
    app.add_option("--program-dir", programDirectory,
                   "Folder holding Device/, Pats/ and Version.TXT (default: the executable's folder)");

    CliContext context{ExecutableDirectory(), out, err, kExitSuccess, std::move(usbBackend), {}};
    AddCatalogueCommands(app, context);
    AddImageCommands(app, context);
    AddBurnerLinkCommands(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitSuccess;
    } catch (const CLI::ParseError& error) {
        err << "tovrin-cli: " << error.what() << "\n";
        return kExitUsage;
    }
    if (!programDirectory.empty()) context.programDirectory = programDirectory;
    for (const auto& [command, action] : context.actions) {
        if (command->parsed() > 0) {
            action();
            break;
        }
    }
    return context.exitCode;
}

}  // namespace tovrin::cli
