#pragma once

#include <array>
#include <cstddef>

#include "burnersim/BurnerFirmware.h"
#include "platform/easypod/HidTransport.h"

namespace tovrin::burnersim {

// The burner model in this process, reached as a HID device with the
// burner's vendor and product ids.
class SimulatorTransport final : public easypod::HidTransport {
public:
    explicit SimulatorTransport(BurnerFirmware& firmware) : firmware_(firmware) {}

    easypod::HidOpenStatus Open(const easypod::HidDeviceMatch& match) override;
    bool WriteReport(const easypod::HidReport& report, std::chrono::milliseconds timeout) override;
    // Nothing else can answer in this process, so an empty queue is a
    // time-out at once rather than after waiting for it.
    easypod::HidReadStatus ReadReport(easypod::HidReport& report, std::chrono::milliseconds timeout) override;
    // Closing ends the firmware's session, as unplugging the cable would.
    void Close() override;
    std::string LastError() const override { return lastError_; }

private:
    static constexpr std::size_t kQueueCapacity = 4;

    BurnerFirmware& firmware_;
    bool open_ = false;
    std::array<easypod::HidReport, kQueueCapacity> replies_{};
    std::size_t head_ = 0;
    std::size_t queued_ = 0;
    std::string lastError_;
};

}  // namespace tovrin::burnersim
