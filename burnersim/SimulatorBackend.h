#pragma once

#include <memory>
#include <optional>

#include "burnersim/BurnerFirmware.h"
#include "burnersim/RequestLogFile.h"
#include "burnersim/SimulatorSwitches.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/BurnerBackends.h"
#include "platform/easypod/FaultyTransport.h"

namespace tovrin::burnersim {

// The burner model in this process behind the fault injector: what the
// "sim" backend opens and what the daemon serves on its socket.
class SimulatedBurner final : public easypod::BurnerConnection {
public:
    static Result<std::unique_ptr<SimulatedBurner>> Make(const SimulatorSettings& settings);

    easypod::HidTransport& Transport() override { return faults_; }
    BurnerFirmware& Firmware() { return firmware_; }
    easypod::FaultyTransport& Faults() { return faults_; }

private:
    SimulatedBurner(const SimulatorSettings& settings, std::unique_ptr<RequestLogFile> log);

    std::unique_ptr<RequestLogFile> log_;
    BurnerFirmware firmware_;
    SimulatorTransport simulator_;
    easypod::FaultyTransport faults_;
};

// The "sim" entry of the backend table:
//   sim          the model in this process, with the given settings
//   sim:SOCKET   tovrin-burnersim listening on SOCKET
easypod::BurnerBackendEntry SimulatorBackend(SimulatorSettings settings);

// The one backend table: the real burners (the "usb" entry, which only an
// executable can give, since only executables link hidapi) and the simulator.
easypod::BurnerBackendTable MakeBurnerBackendTable(std::optional<easypod::BurnerBackendEntry> usb,
                                                   SimulatorSettings simulator);

}  // namespace tovrin::burnersim
