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

}  // namespace

SocketTransport::SocketTransport(std::filesystem::path socketPath) : socketPath_(std::move(socketPath)) {}

SocketTransport::~SocketTransport() {
    Close();
}

HidOpenStatus SocketTransport::Open(const HidDeviceMatch& match) {
    Close();
    // The daemon is one burner and nothing else.
    if (match.vendorId != kBurnerVendorId || match.productId != kBurnerProductId || match.index != 1)
        return HidOpenStatus::NotFound;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketPath_.string();
    if (path.empty() || path.size() >= sizeof address.sun_path) return HidOpenStatus::Failed;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) return HidOpenStatus::Failed;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EACCES || error == EPERM) return HidOpenStatus::AccessDenied;
        if (error == ENOENT || error == ECONNREFUSED || error == ENOTDIR) return HidOpenStatus::NotFound;
        return HidOpenStatus::Failed;
    }
    fd_ = fd;
    return HidOpenStatus::Opened;
}

bool SocketTransport::WriteReport(const HidReport& report, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return false;
    bool timedOut = false;
    if (!WaitFor(fd_, POLLOUT, timeout, timedOut)) return false;
    ssize_t sent;
    do {
        sent = ::send(fd_, report.data(), report.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(report.size());
}

HidReadStatus SocketTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return HidReadStatus::Failed;
    bool timedOut = false;
    if (!WaitFor(fd_, POLLIN, timeout, timedOut))
        return timedOut ? HidReadStatus::TimedOut : HidReadStatus::Failed;
    report.fill(0);
    ssize_t got;
    do {
        got = ::recv(fd_, report.data(), report.size(), 0);
    } while (got < 0 && errno == EINTR);
    // Zero bytes is the daemon closing the connection: the burner is gone.
    return got > 0 ? HidReadStatus::Received : HidReadStatus::Failed;
}

void SocketTransport::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tovrin::easypod
