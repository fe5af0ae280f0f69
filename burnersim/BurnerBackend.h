#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "burnersim/BurnerFirmware.h"
#include "platform/easypod/BurnerBackendChoice.h"
#include "platform/easypod/HidTransport.h"
#include "platform/system/Result.h"

namespace tovrin::burnersim {

// Settings of the in-process simulator (the "sim" backend).
struct SimulatorOptions {
    FirmwareSettings firmware;
    std::filesystem::path logPath;  // empty: no request log
    std::optional<uint64_t> unplugAfterPackets;
    std::chrono::milliseconds latencyPerReport{0};
};

// The transport the program talks to and whatever it is built of.
class BurnerBackend {
public:
    virtual ~BurnerBackend() = default;
    virtual easypod::HidTransport& Transport() = 0;
    // The model behind the in-process simulator; nullptr for the others.
    virtual BurnerFirmware* Firmware() { return nullptr; }
};

// Builds the chosen backend once, at start: a real burner, the in-process
// simulator (with its options) or the simulator daemon's socket.
Result<std::unique_ptr<BurnerBackend>> OpenBurnerBackend(const easypod::BurnerBackendChoice& choice,
                                                         const SimulatorOptions& simulator = {});

}  // namespace tovrin::burnersim
