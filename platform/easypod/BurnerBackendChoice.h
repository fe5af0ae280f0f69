#pragma once

#include <filesystem>
#include <string_view>

#include "platform/system/Result.h"

namespace tovrin::easypod {

// Environment variable that picks the burner backend at start.
inline constexpr const char* kBurnerBackendVariable = "TOVRIN_BURNER";

enum class BurnerBackendKind {
    Usb,              // "usb": a real burner through hidraw
    Simulator,        // "sim": the burner model in this process
    SimulatorDaemon,  // "sim:SOCKET": tovrin-burnersim listening on SOCKET
};

struct BurnerBackendChoice {
    BurnerBackendKind kind = BurnerBackendKind::Usb;
    std::filesystem::path socketPath;  // SimulatorDaemon only
};

// Parses "usb", "sim" or "sim:SOCKET"; anything else is an error naming the forms.
Result<BurnerBackendChoice> ParseBurnerBackend(std::string_view text);

// TOVRIN_BURNER, or usb when it is unset or empty.
Result<BurnerBackendChoice> BurnerBackendFromEnvironment();

}  // namespace tovrin::easypod
