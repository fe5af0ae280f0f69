#include "ui/ResponsiveTransport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <utility>

namespace tovrin::ui {

ResponsiveTransport::ResponsiveTransport(easypod::HidTransport& inner, std::function<bool()> pumpWhile)
    : inner_(inner), pumpWhile_(std::move(pumpWhile)) {}

bool ResponsiveTransport::WriteReport(const easypod::HidReport& report, std::chrono::milliseconds timeout) {
    return inner_.WriteReport(report, timeout);
}

easypod::HidReadStatus ResponsiveTransport::ReadReport(easypod::HidReport& report,
                                                       std::chrono::milliseconds timeout) {
    const easypod::HidReadStatus status = inner_.ReadReport(report, timeout);
    Pump();
    return status;
}

void ResponsiveTransport::Pump() const {
    if (!pumpWhile_ || !pumpWhile_()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval) return;
    lastPump_ = now;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tovrin::ui
