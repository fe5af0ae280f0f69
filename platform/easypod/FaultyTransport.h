#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/easypod/HidTransport.h"

namespace tovrin::easypod {

// What goes wrong on the way to the device. Counts are of reports passed
// through this wrapper since it was made.
struct FaultPlan {
    bool unplugged = false;
    // After this many reports written the device vanishes: the next write
    // fails and it cannot be opened until plugged in again.
    std::optional<uint64_t> unplugAfterWrites;
    // After this many replies delivered, every reply comes too late.
    std::optional<uint64_t> lateAfterReads;
    // After this many replies delivered, replies are replaced by noise.
    std::optional<uint64_t> garbageAfterReads;
    uint32_t garbageSeed = 0x2545F491;
    // Time each report takes on the bus. Reports are laid on a steady clock,
    // one slot after the other, as USB frames are, so that short host work
    // between reports hides inside a slot instead of adding to it. A reply
    // whose slot ends after the reader's time-out is a time-out.
    std::chrono::microseconds latencyPerReport{0};
};

// Wraps any transport and injects the plan's faults.
class FaultyTransport final : public HidTransport {
public:
    FaultyTransport(HidTransport& inner, FaultPlan plan = {});

    FaultPlan& Plan() { return plan_; }
    void Unplug();
    void PlugIn();

    uint64_t ReportsWritten() const { return written_; }
    uint64_t RepliesDelivered() const { return delivered_; }

    HidOpenStatus Open(const HidDeviceMatch& match) override;
    bool WriteReport(const HidReport& report, std::chrono::milliseconds timeout) override;
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) override;
    void Close() override;
    std::string LastError() const override;
    // Stale replies go without taking bus time or counting as delivered.
    std::size_t DiscardWaitingReports() override;

private:
    // The end of the next free slot on the bus, which is then taken.
    std::chrono::steady_clock::time_point TakeSlot();
    void WaitOneSlot();
    uint32_t NextNoise();

    HidTransport& inner_;
    FaultPlan plan_;
    uint64_t written_ = 0;
    uint64_t delivered_ = 0;
    uint32_t noise_ = 0;
    std::chrono::steady_clock::time_point slotEnd_{};
    std::string ownError_;  // a failure this wrapper made up, else the inner one's
};

}  // namespace tovrin::easypod
