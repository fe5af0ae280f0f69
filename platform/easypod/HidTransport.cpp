#include "platform/easypod/HidTransport.h"

namespace tovrin::easypod {

std::size_t HidTransport::DiscardWaitingReports() {
    HidReport stale;
    std::size_t discarded = 0;
    while (discarded < kMaxDiscardedReports &&
           ReadReport(stale, std::chrono::milliseconds(0)) == HidReadStatus::Received)
        ++discarded;
    return discarded;
}

}  // namespace tovrin::easypod
