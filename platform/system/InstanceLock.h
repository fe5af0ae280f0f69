#pragma once

#include <filesystem>
#include <string_view>

#include "platform/system/Result.h"

namespace tovrin {

// Marks one running copy of a program: a lock file held with flock for the
// life of the object (and so of the process, which frees it even when it
// crashes).
class InstanceLock {
public:
    enum class State {
        Held,           // this process holds the lock: the first instance
        HeldElsewhere,  // another process holds it: a second instance
        Unavailable,    // the lock file could not be made; treated as the first instance
    };

    // Locks <directory>/<name>; an empty directory means DefaultLockDirectory().
    static InstanceLock Acquire(std::string_view name, std::filesystem::path directory = {});

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    State state() const { return state_; }
    bool IsSecondInstance() const { return state_ == State::HeldElsewhere; }
    const std::filesystem::path& path() const { return path_; }
    // Why the lock file could not be made (Unavailable only).
    const std::string& problem() const { return problem_; }

private:
    InstanceLock(State state, std::filesystem::path path, int fd, std::string problem);

    State state_;
    std::filesystem::path path_;
    int fd_ = -1;
    std::string problem_;
};

// $XDG_RUNTIME_DIR when it names a directory, else /tmp/tovrin-<uid>, made
// private to the user (a shared /tmp would let another user block us).
Result<std::filesystem::path> DefaultLockDirectory();

}  // namespace tovrin
