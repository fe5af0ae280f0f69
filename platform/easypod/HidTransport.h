#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tovrin::easypod {

// The burner speaks in 64-byte HID reports with report id 0.
inline constexpr std::size_t kHidReportSize = 64;
using HidReport = std::array<uint8_t, kHidReportSize>;

// Which device to open: the index counts matching devices from 1.
struct HidDeviceMatch {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint32_t index = 1;
};

enum class HidOpenStatus {
    Opened,
    NotFound,
    AccessDenied,  // the device is there but its node may not be opened by this user
    Failed,
};

enum class HidReadStatus {
    Received,
    TimedOut,
    Failed,  // the device went away or the link broke
};

// One HID device slot: open a device, exchange reports, close it. A real
// burner, the in-process simulator, the simulator daemon and the fault
// injector all sit behind this.
class HidTransport {
public:
    virtual ~HidTransport() = default;

    // Opening while open closes the earlier device first.
    virtual HidOpenStatus Open(const HidDeviceMatch& match) = 0;
    virtual bool WriteReport(const HidReport& report, std::chrono::milliseconds timeout) = 0;
    // A report shorter than 64 bytes arrives zero-filled. A reply later
    // than the time-out is TimedOut, whatever delays it.
    virtual HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) = 0;
    virtual void Close() = 0;

    // Why the latest open, write or read failed, in words; empty when it did not.
    virtual std::string LastError() const = 0;

    // Throws away the reports that already wait to be read (at most
    // kMaxDiscardedReports) and returns how many there were, so that the next
    // read takes the reply to the next request and not a stale one.
    virtual std::size_t DiscardWaitingReports();
};

inline constexpr std::size_t kMaxDiscardedReports = 64;

}  // namespace tovrin::easypod
