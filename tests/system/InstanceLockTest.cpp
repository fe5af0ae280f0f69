#include "platform/system/InstanceLock.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/TempDirectory.h"

namespace tovrin {
namespace {

using testing::TempDirectory;

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(InstanceLockTest, SecondLockOnTheSameFileIsRefusedUntilTheFirstGoes) {
    TempDirectory dir;
    std::optional<InstanceLock> first = InstanceLock::Acquire("Tovrin", dir.path());
    ASSERT_EQ(first->state(), InstanceLock::State::Held);
    EXPECT_EQ(first->path(), dir / "Tovrin");

    InstanceLock second = InstanceLock::Acquire("Tovrin", dir.path());
    EXPECT_TRUE(second.IsSecondInstance());

    first.reset();
    InstanceLock third = InstanceLock::Acquire("Tovrin", dir.path());
    EXPECT_EQ(third.state(), InstanceLock::State::Held);
}

TEST(InstanceLockTest, ALockHeldByAKilledProcessIsFree) {
    TempDirectory dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held = InstanceLock::Acquire("Tovrin", dir.path());
        const char state = held.state() == InstanceLock::State::Held ? 'H' : 'x';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'H');
    EXPECT_TRUE(InstanceLock::Acquire("Tovrin", dir.path()).IsSecondInstance());

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(InstanceLock::Acquire("Tovrin", dir.path()).state(), InstanceLock::State::Held);
}

TEST(InstanceLockTest, AnUnusableFolderCountsAsTheFirstInstance) {
    TempDirectory dir;
    InstanceLock lock = InstanceLock::Acquire("Tovrin", dir / "missing");
    EXPECT_EQ(lock.state(), InstanceLock::State::Unavailable);
    EXPECT_FALSE(lock.IsSecondInstance());
    EXPECT_NE(lock.problem().find("lock file"), std::string::npos);
}

TEST(InstanceLockTest, DefaultFolderIsTheRuntimeDirectoryElseAPrivateFolderUnderTmp) {
    TempDirectory dir;
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", dir.path().string());
        EXPECT_EQ(*DefaultLockDirectory(), dir.path());
    }
    for (const std::optional<std::string>& value :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>((dir / "none").string())}) {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", value);
        auto fallback = DefaultLockDirectory();
        ASSERT_TRUE(fallback.ok()) << fallback.error().message;
        EXPECT_EQ(*fallback, "/tmp/tovrin-" + std::to_string(::getuid()));
        struct stat info {};
        ASSERT_EQ(::stat(fallback->c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
}

}  // namespace
}  // namespace tovrin
