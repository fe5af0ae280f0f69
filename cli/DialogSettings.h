#pragma once

#include <string>
#include <vector>

#include "platform/system/Result.h"

namespace CLI {
class App;
}
namespace tovrin::image {
class Workbench;
}

namespace tovrin::cli {

// What the configuration-word and pin-test dialogs would be told, as
// command-line options.
struct DialogSettings {
    std::vector<std::string> config;  // "ITEM=VALUE", display names in UTF-8
    std::string osTest;               // "off" or "PINCOUNT[:PIN,...]"
};

void AddDialogSettingOptions(CLI::App& command, DialogSettings& settings);

// Each dialog as a user would drive it: opened on a freshly built header,
// its choices made, its OK taken into the header. The configuration words
// come first, as the dialogs' own order has it.
Status ApplyDialogSettings(image::Workbench& workbench, const DialogSettings& settings);

}  // namespace tovrin::cli
