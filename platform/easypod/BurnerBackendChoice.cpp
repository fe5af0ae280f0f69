#include "platform/easypod/BurnerBackendChoice.h"

#include <cstdlib>
#include <string>

namespace tovrin::easypod {

Result<BurnerBackendChoice> ParseBurnerBackend(std::string_view text) {
    constexpr std::string_view kDaemonPrefix = "sim:";
    if (text == "usb") return BurnerBackendChoice{BurnerBackendKind::Usb, {}};
    if (text == "sim") return BurnerBackendChoice{BurnerBackendKind::Simulator, {}};
    if (text.starts_with(kDaemonPrefix) && text.size() > kDaemonPrefix.size())
        return BurnerBackendChoice{BurnerBackendKind::SimulatorDaemon,
                                   std::filesystem::path(text.substr(kDaemonPrefix.size()))};
    return Error{"unknown burner backend \"" + std::string(text) + "\" (expected usb, sim or sim:SOCKET)"};
}

Result<BurnerBackendChoice> BurnerBackendFromEnvironment() {
    const char* value = std::getenv(kBurnerBackendVariable);
    if (value == nullptr || *value == '\0') return BurnerBackendChoice{};
    return ParseBurnerBackend(value);
}

}  // namespace tovrin::easypod
