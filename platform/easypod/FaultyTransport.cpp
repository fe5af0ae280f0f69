#include "platform/easypod/FaultyTransport.h"

#include <thread>

namespace tovrin::easypod {

FaultyTransport::FaultyTransport(HidTransport& inner, FaultPlan plan)
    : inner_(inner), plan_(plan), noise_(plan.garbageSeed == 0 ? 1 : plan.garbageSeed) {}

void FaultyTransport::Unplug() {
    plan_.unplugged = true;
    inner_.Close();
}

void FaultyTransport::PlugIn() {
    plan_.unplugged = false;
    plan_.unplugAfterWrites.reset();
}

HidOpenStatus FaultyTransport::Open(const HidDeviceMatch& match) {
    if (plan_.unplugAfterWrites && written_ >= *plan_.unplugAfterWrites) plan_.unplugged = true;
    if (plan_.unplugged) return HidOpenStatus::NotFound;
    return inner_.Open(match);
}

bool FaultyTransport::WriteReport(const HidReport& report, std::chrono::milliseconds timeout) {
    if (plan_.unplugAfterWrites && written_ >= *plan_.unplugAfterWrites) Unplug();
    if (plan_.unplugged) return false;
    WaitOneSlot();
    if (!inner_.WriteReport(report, timeout)) return false;
    ++written_;
    return true;
}

HidReadStatus FaultyTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    if (plan_.unplugged) return HidReadStatus::Failed;
    const HidReadStatus status = inner_.ReadReport(report, timeout);
    if (status != HidReadStatus::Received) return status;
    // A late reply is consumed here and never seen: it arrives after the
    // reader gave up, and the connection is closed before it could matter.
    if (plan_.lateAfterReads && delivered_ >= *plan_.lateAfterReads) return HidReadStatus::TimedOut;
    WaitOneSlot();
    if (plan_.garbageAfterReads && delivered_ >= *plan_.garbageAfterReads) {
        for (auto& byte : report) byte = static_cast<uint8_t>(NextNoise());
    }
    ++delivered_;
    return HidReadStatus::Received;
}

void FaultyTransport::Close() {
    inner_.Close();
}

void FaultyTransport::WaitOneSlot() {
    if (plan_.latencyPerReport.count() <= 0) return;
    const auto now = std::chrono::steady_clock::now();
    // Back-to-back reports take the next slot; after a pause the bus starts afresh.
    slotEnd_ = (now - slotEnd_ < plan_.latencyPerReport ? slotEnd_ : now) + plan_.latencyPerReport;
    std::this_thread::sleep_until(slotEnd_);
}

uint32_t FaultyTransport::NextNoise() {
    // xorshift32: reproducible noise for a given seed.
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    return noise_;
}

}  // namespace tovrin::easypod
