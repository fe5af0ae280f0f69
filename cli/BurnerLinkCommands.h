#pragma once

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tovrin::cli {

// The global --burner and --sim-* options, and the commands that talk to
// the burner: burner, download, checksum.
void AddBurnerLinkCommands(CLI::App& app, CliContext& context);

}  // namespace tovrin::cli
