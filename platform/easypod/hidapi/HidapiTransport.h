#pragma once

#include <string>

#include "platform/easypod/HidTransport.h"

struct hid_device_;

namespace tovrin::easypod {

// Which of the matching devices to open.
struct HidapiDeviceChoice {
    enum class By { Index, Path, Serial };
    By by = By::Index;  // the match's index-th device, as ConnectPOD asks
    std::string value;  // the hidraw path or the USB serial number (UTF-8)
};

// A real burner through hidapi's hidraw backend.
class HidapiTransport final : public HidTransport {
public:
    explicit HidapiTransport(HidapiDeviceChoice choice = {});
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    HidOpenStatus Open(const HidDeviceMatch& match) override;
    bool WriteReport(const HidReport& report, std::chrono::milliseconds timeout) override;
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) override;
    void Close() override;
    std::string LastError() const override { return lastError_; }

private:
    // hid_error's text for the open device (or hidapi's own when none is open).
    void KeepHidapiError(std::string_view what);

    HidapiDeviceChoice choice_;
    hid_device_* device_ = nullptr;
    std::string lastError_;
};

// hidapi's wide strings (serial numbers, error texts) as UTF-8.
std::string WideToUtf8(const wchar_t* text);

}  // namespace tovrin::easypod
