#pragma once

#include <string_view>

#include "platform/easypod/HidTransport.h"

struct hid_device_;

namespace tovrin::easypod {

// The udev rule that packaging installs so the logged-in user may open the
// burner's hidraw node; named when an open is refused for lack of permission.
inline constexpr std::string_view kBurnerUdevRuleFile = "60-tovrin.rules";
inline constexpr std::string_view kUdevRulesDirectory = "/lib/udev/rules.d";

// A real burner through hidapi's hidraw backend.
class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    HidOpenStatus Open(const HidDeviceMatch& match) override;
    bool WriteReport(const HidReport& report, std::chrono::milliseconds timeout) override;
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) override;
    void Close() override;

private:
    hid_device_* device_ = nullptr;
};

}  // namespace tovrin::easypod
