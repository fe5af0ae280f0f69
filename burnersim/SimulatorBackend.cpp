#include "burnersim/SimulatorBackend.h"

#include <system_error>

#include "platform/easypod/SocketTransport.h"

namespace tovrin::burnersim {

namespace {

constexpr std::string_view kSimName = "sim";
// Identity of the in-process model: one per program.
constexpr std::string_view kInProcessIdentity = "(in-process)";

class DaemonConnection final : public easypod::BurnerConnection {
public:
    explicit DaemonConnection(std::filesystem::path socket) : transport_(std::move(socket)) {}
    easypod::HidTransport& Transport() override { return transport_; }

private:
    easypod::SocketTransport transport_;
};

std::string CanonicalSocket(std::string_view path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(std::filesystem::path(path), error);
    return error ? std::string(path) : canonical.string();
}

}  // namespace

SimulatedBurner::SimulatedBurner(const SimulatorSettings& settings, std::unique_ptr<RequestLogFile> log)
    : log_(std::move(log)),
      firmware_(settings.firmware),
      simulator_(firmware_),
      faults_(simulator_, settings.faults) {
    if (log_) firmware_.SetRequestLog(log_->Sink());
}

Result<std::unique_ptr<SimulatedBurner>> SimulatedBurner::Make(const SimulatorSettings& settings) {
    std::unique_ptr<RequestLogFile> log;
    if (!settings.logPath.empty()) {
        auto opened = RequestLogFile::Open(settings.logPath);
        if (!opened) return opened.error();
        log = std::move(*opened);
    }
    return std::unique_ptr<SimulatedBurner>(new SimulatedBurner(settings, std::move(log)));
}

easypod::BurnerBackendEntry SimulatorBackend(SimulatorSettings settings) {
    const std::string sim(kSimName);
    auto resolve = [sim](std::string_view parameter) -> Result<std::vector<easypod::BurnerTarget>> {
        if (parameter.empty())
            return std::vector<easypod::BurnerTarget>{{sim, "", std::string(kInProcessIdentity), sim}};
        const std::string socket(parameter);
        return std::vector<easypod::BurnerTarget>{{sim, socket, CanonicalSocket(socket), sim + ":" + socket}};
    };
    auto open =
        [settings = std::move(settings)](
            const easypod::BurnerTarget& target) -> Result<std::unique_ptr<easypod::BurnerConnection>> {
        if (!target.parameter.empty())
            return std::unique_ptr<easypod::BurnerConnection>(
                std::make_unique<DaemonConnection>(target.parameter));
        auto burner = SimulatedBurner::Make(settings);
        if (!burner) return burner.error();
        return std::unique_ptr<easypod::BurnerConnection>(std::move(*burner));
    };
    return {kSimName, "sim, sim:SOCKET", std::move(resolve), std::move(open), {}};
}

easypod::BurnerBackendTable MakeBurnerBackendTable(std::optional<easypod::BurnerBackendEntry> usb,
                                                   SimulatorSettings simulator) {
    easypod::BurnerBackendTable table;
    if (usb) table.push_back(std::move(*usb));
    table.push_back(SimulatorBackend(std::move(simulator)));
    return table;
}

}  // namespace tovrin::burnersim
