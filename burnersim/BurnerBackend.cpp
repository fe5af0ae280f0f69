#include "burnersim/BurnerBackend.h"

#include "burnersim/RequestLogFile.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/FaultyTransport.h"
#include "platform/easypod/HidapiTransport.h"
#include "platform/easypod/SocketTransport.h"

namespace tovrin::burnersim {

namespace {

class UsbBackend final : public BurnerBackend {
public:
    easypod::HidTransport& Transport() override { return transport_; }

private:
    easypod::HidapiTransport transport_;
};

class DaemonBackend final : public BurnerBackend {
public:
    explicit DaemonBackend(std::filesystem::path socket) : transport_(std::move(socket)) {}
    easypod::HidTransport& Transport() override { return transport_; }

private:
    easypod::SocketTransport transport_;
};

easypod::FaultPlan PlanFor(const SimulatorOptions& options) {
    easypod::FaultPlan plan;
    plan.unplugAfterWrites = options.unplugAfterPackets;
    plan.latencyPerReport = options.latencyPerReport;
    return plan;
}

class InProcessBackend final : public BurnerBackend {
public:
    InProcessBackend(const SimulatorOptions& options, std::unique_ptr<RequestLogFile> log)
        : log_(std::move(log)),
          firmware_(options.firmware),
          simulator_(firmware_),
          faults_(simulator_, PlanFor(options)) {
        if (log_) firmware_.SetRequestLog(log_->Sink());
    }
    easypod::HidTransport& Transport() override { return faults_; }
    BurnerFirmware* Firmware() override { return &firmware_; }

private:
    std::unique_ptr<RequestLogFile> log_;
    BurnerFirmware firmware_;
    SimulatorTransport simulator_;
    easypod::FaultyTransport faults_;
};

}  // namespace

Result<std::unique_ptr<BurnerBackend>> OpenBurnerBackend(const easypod::BurnerBackendChoice& choice,
                                                         const SimulatorOptions& simulator) {
    switch (choice.kind) {
        case easypod::BurnerBackendKind::Usb:
            return std::unique_ptr<BurnerBackend>(std::make_unique<UsbBackend>());
        case easypod::BurnerBackendKind::SimulatorDaemon:
            return std::unique_ptr<BurnerBackend>(std::make_unique<DaemonBackend>(choice.socketPath));
        case easypod::BurnerBackendKind::Simulator:
            break;
    }
    std::unique_ptr<RequestLogFile> log;
    if (!simulator.logPath.empty()) {
        auto opened = RequestLogFile::Open(simulator.logPath);
        if (!opened) return opened.error();
        log = std::move(*opened);
    }
    return std::unique_ptr<BurnerBackend>(std::make_unique<InProcessBackend>(simulator, std::move(log)));
}

}  // namespace tovrin::burnersim
