#include "platform/easypod/FaultyTransport.h"

#include <thread>

namespace tovrin::easypod {

namespace {

constexpr std::string_view kUnpluggedText = "the burner was unplugged";

}  // namespace

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
    ownError_.clear();
    if (plan_.unplugAfterWrites && written_ >= *plan_.unplugAfterWrites) plan_.unplugged = true;
    if (plan_.unplugged) {
        ownError_ = kUnpluggedText;
        return HidOpenStatus::NotFound;
    }
    return inner_.Open(match);
}

bool FaultyTransport::WriteReport(const HidReport& report, std::chrono::milliseconds timeout) {
    ownError_.clear();
    if (plan_.unplugAfterWrites && written_ >= *plan_.unplugAfterWrites) Unplug();
    if (plan_.unplugged) {
        ownError_ = kUnpluggedText;
        return false;
    }
    WaitOneSlot();
    if (!inner_.WriteReport(report, timeout)) return false;
    ++written_;
    return true;
}

HidReadStatus FaultyTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    ownError_.clear();
    if (plan_.unplugged) {
        ownError_ = kUnpluggedText;
        return HidReadStatus::Failed;
    }
    const auto start = std::chrono::steady_clock::now();
    const HidReadStatus status = inner_.ReadReport(report, timeout);
    if (status != HidReadStatus::Received) return status;
    // A late reply is consumed here and never seen: it arrives after the
    // reader gave up, and the connection is closed before it could matter.
    if (plan_.lateAfterReads && delivered_ >= *plan_.lateAfterReads) {
        ownError_ = "no reply within " + std::to_string(timeout.count()) + " ms";
        return HidReadStatus::TimedOut;
    }
    const auto arrival = TakeSlot();
    if (arrival - start > timeout) {
        std::this_thread::sleep_until(start + timeout);
        ownError_ = "no reply within " + std::to_string(timeout.count()) + " ms";
        return HidReadStatus::TimedOut;
    }
    std::this_thread::sleep_until(arrival);
    if (plan_.garbageAfterReads && delivered_ >= *plan_.garbageAfterReads) {
        for (auto& byte : report) byte = static_cast<uint8_t>(NextNoise());
    }
    ++delivered_;
    return HidReadStatus::Received;
}

void FaultyTransport::Close() {
    inner_.Close();
}

std::string FaultyTransport::LastError() const {
    return ownError_.empty() ? inner_.LastError() : ownError_;
}

std::size_t FaultyTransport::DiscardWaitingReports() {
    return plan_.unplugged ? 0 : inner_.DiscardWaitingReports();
}

std::chrono::steady_clock::time_point FaultyTransport::TakeSlot() {
    const auto now = std::chrono::steady_clock::now();
    if (plan_.latencyPerReport.count() <= 0) return now;
    // Back-to-back reports take the next slot; after a pause the bus starts afresh.
    slotEnd_ = (now - slotEnd_ < plan_.latencyPerReport ? slotEnd_ : now) + plan_.latencyPerReport;
    return slotEnd_;
}

void FaultyTransport::WaitOneSlot() {
    std::this_thread::sleep_until(TakeSlot());
}

uint32_t FaultyTransport::NextNoise() {
    // xorshift32: reproducible noise for a given seed.
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    return noise_;
}

}  // namespace tovrin::easypod
