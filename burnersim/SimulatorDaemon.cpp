#include "burnersim/SimulatorDaemon.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tovrin::burnersim {

namespace {

// How often a waiting daemon looks at the stop flag.
constexpr int kStopCheckMs = 100;

const easypod::HidDeviceMatch kBurner{easypod::kBurnerVendorId, easypod::kBurnerProductId,
                                      easypod::kBurnerDeviceIndex};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Waits for input; false when stop was set first.
bool WaitReadable(int fd, const std::atomic<bool>& stop) {
    while (!stop.load()) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, kStopCheckMs);
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return true;  // let the caller's read see the error
    }
    return false;
}

// After a failure: a device that opens again was only disturbed.
bool StillAttached(easypod::HidTransport& device) {
    device.Close();
    const bool attached = device.Open(kBurner) == easypod::HidOpenStatus::Opened;
    device.Close();
    return attached;
}

enum class Served { HostLeft, DeviceGone, Stopped };

// Pumps one host connection; the device is open for its length.
Served Pump(int host, easypod::HidTransport& device, const DaemonOptions& options,
            const std::atomic<bool>& stop) {
    easypod::HidReport report;
    easypod::HidReport reply;
    while (WaitReadable(host, stop)) {
        report.fill(0);
        const ssize_t got = ::recv(host, report.data(), report.size(), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return Served::HostLeft;
        if (!device.WriteReport(report, options.replyTimeout))
            return StillAttached(device) ? Served::HostLeft : Served::DeviceGone;
        switch (device.ReadReport(reply, options.replyTimeout)) {
            case easypod::HidReadStatus::Received:
                if (::send(host, reply.data(), reply.size(), MSG_NOSIGNAL) < 0) return Served::HostLeft;
                break;
            case easypod::HidReadStatus::TimedOut:
                break;  // no answer, or a late one: the host times out by itself
            case easypod::HidReadStatus::Failed:
                return StillAttached(device) ? Served::HostLeft : Served::DeviceGone;
        }
    }
    return Served::Stopped;
}

}  // namespace

Status ServeBurner(const DaemonOptions& options, easypod::HidTransport& device,
                   const std::atomic<bool>& stop) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = options.socketPath.string();
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return Error{"socket path is empty or too long: " + path};
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    // A socket left by a daemon that was killed would stop the bind.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) return Error{path + " exists and is not a socket"};
        ::unlink(path.c_str());
    }
    FileDescriptor listener(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
    if (listener.get() < 0) return Error{std::string("socket: ") + std::strerror(errno)};
    if (::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Error{"bind " + path + ": " + std::strerror(errno)};
    if (::listen(listener.get(), 4) != 0) {
        ::unlink(path.c_str());
        return Error{std::string("listen: ") + std::strerror(errno)};
    }

    Served served = Served::HostLeft;
    while (served == Served::HostLeft && WaitReadable(listener.get(), stop)) {
        FileDescriptor host(::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (host.get() < 0) continue;
        if (device.Open(kBurner) != easypod::HidOpenStatus::Opened) {
            served = Served::DeviceGone;
            break;
        }
        served = Pump(host.get(), device, options, stop);
        device.Close();
    }
    listener.Reset();
    ::unlink(path.c_str());
    return Status::Ok();
}

}  // namespace tovrin::burnersim
