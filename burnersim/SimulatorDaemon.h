#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>

#include "platform/easypod/EasyPod.h"
#include "platform/easypod/HidTransport.h"
#include "platform/system/Result.h"

namespace tovrin::burnersim {

struct DaemonOptions {
    std::filesystem::path socketPath;
    // How long the pump waits for the device's reply to each report.
    std::chrono::milliseconds replyTimeout{easypod::kPodTimeoutMs};
};

// A socket pump around any transport: each host connection opens the
// device, every message the host sends is one report written to it, and
// each reply the device gives goes back as one message. Faults and pacing
// are the transport's own (a FaultyTransport around the model). When the
// device cannot be opened again after a failure, it was unplugged: the
// daemon removes its socket, so hosts find no burner, and returns. It also
// returns when stop is set.
Status ServeBurner(const DaemonOptions& options, easypod::HidTransport& device,
                   const std::atomic<bool>& stop);

}  // namespace tovrin::burnersim
