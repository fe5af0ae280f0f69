#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tovrin::testing {

struct ProcessResult {
    int exitCode = -1;  // -1 when the process could not run or died of a signal
    std::string standardOutput;
    std::string standardError;
};

// Runs a program with the given arguments (argv[0] is the program path),
// optional standard input and extra environment entries ("NAME=value"), and
// collects both outputs.
ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::string& standardInput = {},
                         const std::vector<std::string>& extraEnvironment = {});

}  // namespace tovrin::testing
