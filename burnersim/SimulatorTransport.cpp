#include "burnersim/SimulatorTransport.h"

#include "platform/easypod/EasyPod.h"

namespace tovrin::burnersim {

easypod::HidOpenStatus SimulatorTransport::Open(const easypod::HidDeviceMatch& match) {
    Close();
    lastError_.clear();
    if (match.vendorId != easypod::kBurnerVendorId || match.productId != easypod::kBurnerProductId ||
        match.index != 1) {
        lastError_ = "the simulated burner is not this device";
        return easypod::HidOpenStatus::NotFound;
    }
    open_ = true;
    return easypod::HidOpenStatus::Opened;
}

bool SimulatorTransport::WriteReport(const easypod::HidReport& report,
                                     std::chrono::milliseconds /*timeout*/) {
    if (!open_) {
        lastError_ = "the simulated burner is not open";
        return false;
    }
    const auto reply = firmware_.Receive(report);
    if (!reply) return true;
    if (queued_ == kQueueCapacity) {  // a host that never reads loses the oldest replies
        head_ = (head_ + 1) % kQueueCapacity;
        --queued_;
    }
    replies_[(head_ + queued_) % kQueueCapacity] = *reply;
    ++queued_;
    return true;
}

easypod::HidReadStatus SimulatorTransport::ReadReport(easypod::HidReport& report,
                                                      std::chrono::milliseconds /*timeout*/) {
    if (!open_) {
        lastError_ = "the simulated burner is not open";
        return easypod::HidReadStatus::Failed;
    }
    if (queued_ == 0) {
        lastError_ = "the simulated burner has no reply waiting";
        return easypod::HidReadStatus::TimedOut;
    }
    report = replies_[head_];
    head_ = (head_ + 1) % kQueueCapacity;
    --queued_;
    return easypod::HidReadStatus::Received;
}

void SimulatorTransport::Close() {
    if (open_) firmware_.EndSession();
    open_ = false;
    head_ = 0;
    queued_ = 0;
}

}  // namespace tovrin::burnersim
