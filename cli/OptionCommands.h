#pragma once

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tovrin::cli {

// options (the configuration-word rows as the dialog shows them) and
// device check (findings in definition files). Needs the device command.
void AddOptionCommands(CLI::App& app, CliContext& context);

}  // namespace tovrin::cli
