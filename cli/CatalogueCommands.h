#pragma once

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tovrin::cli {

// chips, chip NAME, device decipher|encipher
void AddCatalogueCommands(CLI::App& app, CliContext& context);
void AddDeviceFileCommands(CLI::App& app, CliContext& context);

}  // namespace tovrin::cli
