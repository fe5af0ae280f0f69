#pragma once

#include <filesystem>

#include "platform/easypod/HidTransport.h"

namespace tovrin::easypod {

// The simulator daemon on a Unix sequenced-packet socket: opening the device
// is connecting, every message is one 64-byte report each way, and a daemon
// that is not running is a burner that is not plugged in.
class SocketTransport final : public HidTransport {
public:
    explicit SocketTransport(std::filesystem::path socketPath);
    ~SocketTransport() override;
    SocketTransport(const SocketTransport&) = delete;
    SocketTransport& operator=(const SocketTransport&) = delete;

    HidOpenStatus Open(const HidDeviceMatch& match) override;
    bool WriteReport(const HidReport& report, std::chrono::milliseconds timeout) override;
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) override;
    void Close() override;
    std::string LastError() const override { return lastError_; }

private:
    std::filesystem::path socketPath_;
    int fd_ = -1;
    std::string lastError_;
};

}  // namespace tovrin::easypod
