#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/easypod/BurnerBackends.h"

namespace CLI {
class App;
}

namespace tovrin::cli {

// Exit statuses of every command.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitFailed = 1,  // the operation ran and failed
    kExitUsage = 2,   // bad arguments or an unknown chip
};

// What every command sees: the program directory and the two outputs.
struct CliContext {
    std::filesystem::path programDirectory;
    std::ostream& out;
    std::ostream& err;
    int exitCode = kExitSuccess;
    // The real burners' backend, which only the executable can give.
    std::optional<easypod::BurnerBackendEntry> usbBackend;

    // Prints "tovrin-cli: message" on standard error and records the status.
    void Fail(int code, const std::string& message);

    // Registers what a (sub)command does; it runs after the whole command
    // line is parsed, so global options are known by then.
    void OnCommand(const CLI::App* command, std::function<void()> action);

    std::vector<std::pair<const CLI::App*, std::function<void()>>> actions;
};

}  // namespace tovrin::cli
