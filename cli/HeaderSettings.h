#pragma once

#include <array>
#include <string>

#include "cli/DialogSettings.h"
#include "platform/system/Result.h"

namespace CLI {
class App;
}
namespace tovrin::image {
class Workbench;
}

namespace tovrin::cli {

// The main dialog's header controls as command-line options; unset ones
// are left as the dialog shows them.
struct HeaderSettings {
    static constexpr int kUnset = -1;
    int verify = kUnset;
    int program = kUnset;
    int blankCheck = kUnset;
    int test = kUnset;
    int rollingCode = kUnset;
    int addresses = kUnset;  // 1..4
    std::array<std::string, 4> address;
    std::string initialValue;
    std::string step;
    std::string optionBytes;  // 64 hexadecimal digits: header bytes 48..79
    DialogSettings dialogs;   // taken after the option bytes, before the controls
};

void AddHeaderSettingOptions(CLI::App& command, HeaderSettings& settings);

// Applies the settings as a user would through the controls, allowing only
// what the enabled, writable controls would allow at that moment; the error
// says which control refused and why.
Status ApplyHeaderSettings(image::Workbench& workbench, const HeaderSettings& settings);

}  // namespace tovrin::cli
