#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "burnersim/BurnerFirmware.h"
#include "platform/system/Result.h"

namespace tovrin::burnersim {

struct DaemonOptions {
    std::filesystem::path socketPath;
    // After this many request blocks the burner is pulled out: the daemon
    // closes the connection, removes its socket and returns.
    std::optional<uint64_t> unplugAfterRequests;
    // Time each report takes, once on the way in and once on the way out.
    std::chrono::milliseconds latencyPerReport{0};
};

// Serves the firmware on a Unix sequenced-packet socket, one host
// connection at a time, each message one 64-byte report, until stop is set
// or the unplug count is reached. The socket file is removed on return.
Status ServeBurner(const DaemonOptions& options, BurnerFirmware& firmware, const std::atomic<bool>& stop);

}  // namespace tovrin::burnersim
