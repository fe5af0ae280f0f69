#include "burnersim/SimulatorTransport.h"

#include "platform/easypod/EasyPod.h"

namespace tovrin::burnersim {

easypod::HidOpenStatus SimulatorTransport::Open(const easypod::HidDeviceMatch& match) {
    Close();
    if (match.vendorId != easypod::kBurnerVendorId || match.productId != easypod::kBurnerProductId ||
        match.index != 1)
        return easypod::HidOpenStatus::NotFound;
    open_ = true;
    return easypod::HidOpenStatus::Opened;
}

bool SimulatorTransport::WriteReport(const easypod::HidReport& report,
                                     std::chrono::milliseconds /*timeout*/) {
    if (!open_) return false;
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
    if (!open_) return easypod::HidReadStatus::Failed;
    if (queued_ == 0) return easypod::HidReadStatus::TimedOut;
    report = replies_[head_];
    head_ = (head_ + 1) % kQueueCapacity;
    --queued_;
    return easypod::HidReadStatus::Received;
}

void SimulatorTransport::Close() {
    open_ = false;
    head_ = 0;
    queued_ = 0;
}

}  // namespace tovrin::burnersim
