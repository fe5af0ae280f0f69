#include "burnersim/SimulatorDaemon.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

namespace tovrin::burnersim {

namespace {

// How often a waiting daemon looks at the stop flag.
constexpr int kStopCheckMs = 100;

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

void Sleep(std::chrono::milliseconds latency) {
    if (latency.count() > 0) std::this_thread::sleep_for(latency);
}

}  // namespace

Status ServeBurner(const DaemonOptions& options, BurnerFirmware& firmware, const std::atomic<bool>& stop) {
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

    uint64_t requests = 0;
    bool unplugged = false;
    while (!unplugged && WaitReadable(listener.get(), stop)) {
        FileDescriptor host(::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (host.get() < 0) continue;
        easypod::HidReport report;
        while (WaitReadable(host.get(), stop)) {
            report.fill(0);
            const ssize_t got = ::recv(host.get(), report.data(), report.size(), 0);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;  // the host closed the device
            Sleep(options.latencyPerReport);
            const auto reply = firmware.Receive(report);
            if (reply) {
                Sleep(options.latencyPerReport);
                if (::send(host.get(), reply->data(), reply->size(), MSG_NOSIGNAL) < 0) break;
            }
            if (options.unplugAfterRequests && ++requests >= *options.unplugAfterRequests) {
                unplugged = true;
                break;
            }
        }
    }
    listener.Reset();
    ::unlink(path.c_str());
    return Status::Ok();
}

}  // namespace tovrin::burnersim
