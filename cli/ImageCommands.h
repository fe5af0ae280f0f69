#pragma once

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tovrin::cli {

// image (build a programming image from a source) and info (decode a project file)
void AddImageCommands(CLI::App& app, CliContext& context);

}  // namespace tovrin::cli
