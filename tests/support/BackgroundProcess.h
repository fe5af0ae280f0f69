#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tovrin::testing {

// A program running in the background (a simulator daemon, say), stopped
// with SIGTERM when the object goes.
class BackgroundProcess {
public:
    BackgroundProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    bool running() const { return pid_ > 0; }
    // SIGTERM, then the exit status (-1 when it did not exit normally).
    int Stop();
    // The exit status once it ends by itself.
    int Wait();

private:
    pid_t pid_ = -1;
};

// Waits up to a few seconds for a Unix socket to appear at path.
bool WaitForSocket(const std::filesystem::path& path);

}  // namespace tovrin::testing
