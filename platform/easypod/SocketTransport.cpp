#include "platform/easypod/SocketTransport.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "platform/easypod/EasyPod.h"

namespace tovrin::easypod {

namespace {

int PollMilliseconds(std::chrono::milliseconds timeout) {
    if (timeout.count() < 0) return 0;
    return timeout.count() > INT_MAX ? INT_MAX : static_cast<int>(timeout.count());
}

// Waits for the event; false on time-out or a broken socket.
bool WaitFor(int fd, short event, std::chrono::milliseconds timeout, bool& timedOut) {
    pollfd entry{fd, event, 0};
    timedOut = false;
    for (;;) {
        const int ready = ::poll(&entry, 1, PollMilliseconds(timeout));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) timedOut = true;
        return ready > 0 && (entry.revents & event) != 0;
    }
}

std::string SystemError(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

}  // namespace

SocketTransport::SocketTransport(std::filesystem::path socketPath) : socketPath_(std::move(socketPath)) {}

SocketTransport::~SocketTransport() {
    Close();
}

HidOpenStatus SocketTransport::Open(const HidDeviceMatch& match) {
    Close();
    lastError_.clear();
    // The daemon is one burner and nothing else.
    if (match.vendorId != kBurnerVendorId || match.productId != kBurnerProductId || match.index != 1) {
        lastError_ = "the simulator daemon is one burner only";
        return HidOpenStatus::NotFound;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketPath_.string();
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        lastError_ = "socket path is empty or too long: " + path;
        return HidOpenStatus::Failed;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        lastError_ = SystemError("socket", errno);
        return HidOpenStatus::Failed;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        lastError_ = SystemError("connect " + path, error);
        if (error == EACCES || error == EPERM) return HidOpenStatus::AccessDenied;
        if (error == ENOENT || error == ECONNREFUSED || error == ENOTDIR) return HidOpenStatus::NotFound;
        return HidOpenStatus::Failed;
    }
    fd_ = fd;
    return HidOpenStatus::Opened;
}

bool SocketTransport::WriteReport(const HidReport& report, std::chrono::milliseconds timeout) {
    if (fd_ < 0) {
        lastError_ = "the simulator daemon is not connected";
        return false;
    }
    bool timedOut = false;
    if (!WaitFor(fd_, POLLOUT, timeout, timedOut)) {
        lastError_ =
            timedOut ? "the simulator daemon took no report within " + std::to_string(timeout.count()) + " ms"
                     : "the simulator daemon went away";
        return false;
    }
    ssize_t sent;
    do {
        sent = ::send(fd_, report.data(), report.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        lastError_ = errno == EPIPE || errno == ECONNRESET ? "the simulator daemon went away"
                                                           : SystemError("send", errno);
        return false;
    }
    if (sent != static_cast<ssize_t>(report.size())) {
        lastError_ =
            "short write: " + std::to_string(sent) + " of " + std::to_string(report.size()) + " bytes";
        return false;
    }
    return true;
}

HidReadStatus SocketTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    if (fd_ < 0) {
        lastError_ = "the simulator daemon is not connected";
        return HidReadStatus::Failed;
    }
    bool timedOut = false;
    if (!WaitFor(fd_, POLLIN, timeout, timedOut)) {
        if (timedOut) {
            lastError_ = "no reply within " + std::to_string(timeout.count()) + " ms";
            return HidReadStatus::TimedOut;
        }
        lastError_ = "the simulator daemon went away";
        return HidReadStatus::Failed;
    }
    report.fill(0);
    ssize_t got;
    do {
        got = ::recv(fd_, report.data(), report.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got > 0) return HidReadStatus::Received;
    // Zero bytes is the daemon closing the connection: the burner is gone.
    lastError_ = got == 0 ? "the simulator daemon went away" : SystemError("recv", errno);
    return HidReadStatus::Failed;
}

void SocketTransport::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tovrin::easypod
