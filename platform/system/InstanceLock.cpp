#include "platform/system/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace tovrin {

Result<std::filesystem::path> DefaultLockDirectory() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        std::error_code ec;
        if (std::filesystem::is_directory(runtime, ec)) return std::filesystem::path(runtime);
    }
    const uid_t uid = ::getuid();
    std::filesystem::path directory = "/tmp/tovrin-" + std::to_string(uid);
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST)
        return Error{"cannot create " + directory.string() + ": " + std::strerror(errno)};
    struct stat info {};
    if (::lstat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid)
        return Error{directory.string() + " is not a folder of this user"};
    return directory;
}

InstanceLock InstanceLock::Acquire(std::string_view name, std::filesystem::path directory) {
    if (directory.empty()) {
        auto fallback = DefaultLockDirectory();
        if (!fallback) return InstanceLock(State::Unavailable, {}, -1, fallback.error().message);
        directory = *fallback;
    }
    std::filesystem::path path = directory / std::string(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return InstanceLock(State::Unavailable, std::move(path), -1,
                            std::string("cannot open the lock file: ") + std::strerror(errno));
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) return InstanceLock(State::Held, std::move(path), fd, {});
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return InstanceLock(State::HeldElsewhere, std::move(path), -1, {});
    return InstanceLock(State::Unavailable, std::move(path), -1,
                        std::string("cannot lock: ") + std::strerror(error));
}

InstanceLock::InstanceLock(State state, std::filesystem::path path, int fd, std::string problem)
    : state_(state), path_(std::move(path)), fd_(fd), problem_(std::move(problem)) {}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : state_(other.state_),
      path_(std::move(other.path_)),
      fd_(std::exchange(other.fd_, -1)),
      problem_(std::move(other.problem_)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        state_ = other.state_;
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
        problem_ = std::move(other.problem_);
    }
    return *this;
}

// The file stays: removing it could let a third start lock a fresh inode
// while a second one still holds the old.
InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace tovrin
