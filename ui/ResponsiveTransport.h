#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/easypod/HidTransport.h"

namespace tovrin::ui {

// Keeps the window drawn during a download, which runs to its end inside one
// handler: after each report it lets the event loop handle what is pending,
// except user input, so nothing the user does interleaves with the transfer.
class ResponsiveTransport final : public easypod::HidTransport {
public:
    // pumpWhile says when to pump (while a download is under way).
    ResponsiveTransport(easypod::HidTransport& inner, std::function<bool()> pumpWhile);

    easypod::HidOpenStatus Open(const easypod::HidDeviceMatch& match) override { return inner_.Open(match); }
    bool WriteReport(const easypod::HidReport& report, std::chrono::milliseconds timeout) override;
    easypod::HidReadStatus ReadReport(easypod::HidReport& report, std::chrono::milliseconds timeout) override;
    void Close() override { inner_.Close(); }
    std::string LastError() const override { return inner_.LastError(); }
    std::size_t DiscardWaitingReports() override { return inner_.DiscardWaitingReports(); }

private:
    void Pump() const;

    // About one frame: often enough to keep the window drawn, rarely enough
    // to cost the transfer nothing.
    static constexpr std::chrono::milliseconds kPumpInterval{15};

    easypod::HidTransport& inner_;
    std::function<bool()> pumpWhile_;
    mutable std::chrono::steady_clock::time_point lastPump_{};
};

}  // namespace tovrin::ui
