#include "platform/system/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <string>

#include "tests/support/TempDirectory.h"

namespace tovrin {
namespace {

using testing::ReadAll;
using testing::TempDirectory;

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> Listing(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory))
        names.push_back(entry.path().lexically_relative(directory).string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// Runs a read of a FIFO that nobody writes to; a read that waits for a
// writer would hang the test, so after a while one is supplied to free it.
template <class Read>
auto ReadWithoutWriter(const std::filesystem::path& fifo, Read read) {
    auto pending = std::async(std::launch::async, read);
    if (pending.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading " << fifo << " waited for a writer";
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) ::close(writer);
    }
    return pending.get();
}

TEST(WriteFileAtomically, CreatesAndReplacesWholeFiles) {
    TempDirectory directory;
    const auto target = directory / "LastSelChip.TXT";

    ASSERT_TRUE(WriteFileAtomically(target, std::string_view("a much longer first content\r\n")));
    EXPECT_EQ(ReadAll(target), Bytes("a much longer first content\r\n"));

    ASSERT_TRUE(WriteFileAtomically(target, Bytes("Q3L88")));
    EXPECT_EQ(ReadAll(target), Bytes("Q3L88"));  // nothing of the longer old file is left

    ASSERT_TRUE(WriteFileAtomically(target, std::string_view()));
    EXPECT_TRUE(ReadAll(target).empty());
    EXPECT_THAT(Listing(directory.path()), ::testing::ElementsAre("LastSelChip.TXT"));
}

TEST(WriteFileAtomically, KeepsTheModeOfTheFileItReplaces) {
    TempDirectory directory;
    const auto target = directory.Write("demo.qvb", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(target, std::string_view("new")));
    EXPECT_EQ(ModeOf(target), 0640u);

    const mode_t previous = ::umask(022);
    const auto fresh = directory / "fresh.qvb";
    const bool written = WriteFileAtomically(fresh, std::string_view("x")).ok();
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(fresh), 0644u);  // as a newly created file, not the temporary file's 0600
}

TEST(WriteFileAtomically, WritesFilesWhoseNamesAreAsLongAsAllowed) {
    TempDirectory directory;
    const auto target = directory / std::string(255, 'n');
    ASSERT_TRUE(WriteFileAtomically(target, std::string_view("long name")));
    EXPECT_EQ(ReadAll(target), Bytes("long name"));
    EXPECT_EQ(Listing(directory.path()).size(), 1u);
}

TEST(WriteFileAtomically, FailsWithoutTouchingWhatIsThereOrLeavingTemporaries) {
    // Tests run as root, so permissions cannot make a write fail; paths can.
    struct Case {
        const char* what;
        std::function<std::filesystem::path(const TempDirectory&)> target;
    };
    const Case cases[] = {
        {"target is a directory",
         [](const TempDirectory& d) {
             d.Write("Device/inside.dev", "kept");
             return d / "Device";
         }},
        {"parent directory missing", [](const TempDirectory& d) { return d / "missing" / "file.txt"; }},
        {"parent is a file",
         [](const TempDirectory& d) {
             d.Write("plain", "kept");
             return d / "plain" / "file.txt";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDirectory directory;
        const auto target = c.target(directory);
        const auto before = Listing(directory.path());

        const Status status = WriteFileAtomically(target, std::string_view("new content"));
        EXPECT_FALSE(status.ok());
        EXPECT_THAT(status.error().message, ::testing::HasSubstr(target.string()));
        EXPECT_EQ(Listing(directory.path()), before);
        for (const auto& name : before) {
            if (std::filesystem::is_regular_file(directory / name)) {
                EXPECT_EQ(ReadAll(directory / name), Bytes("kept"));
            }
        }
    }
}

TEST(ReadFileBytes, ReadsWholeFilesAndRefusesWhatIsNoFile) {
    TempDirectory directory;
    const auto file = directory.Write("demo.hex", std::string("\x00\x01:10\r\n", 7));
    EXPECT_EQ(ReadFileBytes(file), Bytes(std::string("\x00\x01:10\r\n", 7)));
    EXPECT_EQ(ReadFileBytes(directory / "absent"), std::nullopt);
    EXPECT_EQ(ReadFileBytes(directory.path()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(directory.Write("empty", "")), std::vector<uint8_t>{});
}

TEST(ReadFileBytes, RefusesAFileLongerThanTheLimit) {
    TempDirectory directory;
    const auto file = directory.Write("cipher.dev", std::string(32, 'A'));
    EXPECT_EQ(ReadFileBytes(file, 33)->size(), 32u);
    EXPECT_EQ(ReadFileBytes(file, 32)->size(), 32u);
    EXPECT_EQ(ReadFileBytes(file, 31), std::nullopt);
    EXPECT_EQ(ReadFileBytes(file, 0), std::nullopt);
    EXPECT_EQ(ReadFileBytes(directory.Write("empty", ""), 0), std::vector<uint8_t>{});
}

TEST(ReadFilePrefix, ReadsAtMostTheGivenCount) {
    TempDirectory directory;
    const auto file = directory.Write("plain.dev", "[General]\nChipID=1\n");
    EXPECT_EQ(ReadFilePrefix(file, 9), Bytes("[General]"));
    EXPECT_EQ(ReadFilePrefix(file, 100), Bytes("[General]\nChipID=1\n"));
    EXPECT_EQ(ReadFilePrefix(file, 0), std::vector<uint8_t>{});
    EXPECT_EQ(ReadFilePrefix(directory / "absent", 9), std::nullopt);
}

TEST(ReadFirstLine, StripsTheLineEnd) {
    struct Case {
        std::string content;
        std::string line;
    };
    const Case cases[] = {
        {"Q3L88\nsecond", "Q3L88"},
        {"Q3L88\r\nsecond\r\n", "Q3L88"},
        {"Q3L88", "Q3L88"},
        {"Q3L88\r", "Q3L88"},
        {"\nQ3L88", ""},
        {"", ""},
        {"\xD0\xA3\xD1\xE9\n", "\xD0\xA3\xD1\xE9"},
        {std::string(70000, 'x') + "\ny", std::string(70000, 'x')},
    };
    TempDirectory directory;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.content.substr(0, 20)));
        EXPECT_EQ(ReadFirstLine(directory.Write("LastSelChip.TXT", c.content)), c.line);
    }
    EXPECT_EQ(ReadFirstLine(directory / "absent"), "");
    EXPECT_EQ(ReadFirstLine(directory.path()), "");
}

TEST(FileReads, DoNotWaitOnAFifo) {
    TempDirectory directory;
    const auto fifo = directory / "Device.dev";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadWithoutWriter(fifo, [&] { return ReadFileBytes(fifo); }), std::nullopt);
    EXPECT_EQ(ReadWithoutWriter(fifo, [&] { return ReadFilePrefix(fifo, 9); }), std::nullopt);
    EXPECT_EQ(ReadWithoutWriter(fifo, [&] { return ReadFirstLine(fifo); }), "");
}

}  // namespace
}  // namespace tovrin
