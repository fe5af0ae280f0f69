#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/RunProcess.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::testing {

// tovrin-cli as a user runs it, on a given program directory.
inline ProcessResult RunCli(const std::filesystem::path& programDirectory, std::vector<std::string> arguments,
                            const std::vector<std::string>& environment = {}) {
    arguments.insert(arguments.begin(), {"--program-dir", programDirectory.string()});
    return RunProcess(BinaryDirectory() / "tovrin-cli", arguments, {}, environment);
}

// The demo program directory as the build copies it beside the binaries.
inline std::filesystem::path BuiltSamples() {
    return BinaryDirectory();
}

}  // namespace tovrin::testing
