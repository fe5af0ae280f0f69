#include "production/AuditLog.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "production/SourceDigest.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::production {
namespace {

using nlohmann::json;
using tovrin::testing::ReadAll;
using tovrin::testing::TempDirectory;

AuditRecord SampleRecord() {
    AuditRecord r;
    r.time = "2026-12-11T16:37:05Z";
    r.host = "line-3";
    r.user = "op";
    r.version = "1.2.3";
    r.operation = "download";
    r.chip = "Q3L88";
    r.source = "/work/fw.hex";
    r.sourceSha256 = std::string(64, 'a');
    r.imageBytes = 2128;
    r.qvbChecksum = 0x0BFD;
    r.romChecksum = 0x2FB9;
    r.flags = 0x0F;
    r.rollingCode = RollingCodeRecord{0x12C, 1, {0x3FFF, 0x0010}};
    r.burner = "sim:/tmp/a.sock";
    r.burnerId = 0x00C0FFEE;
    r.firmware = "FW\x01";
    r.ok = true;
    r.message = "downloaded and verified";
    r.packets = 125;
    r.resends = 2;
    r.ms = 812;
    r.verified = true;
    r.serialBlock = SerialBlockRecord{0x12C, 100, 1};
    return r;
}

std::vector<json> Lines(const std::filesystem::path& path) {
    const auto bytes = ReadAll(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<json> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    return lines;
}

TEST(AuditLog, OneLineWithTheKeysScriptsRelyOn) {
    const std::string line = AuditLine(SampleRecord());
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    const nlohmann::ordered_json r = nlohmann::ordered_json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : r.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "time",        "host",         "user",       "version",     "operation",   "chip",
                        "source",      "sourceSha256", "imageBytes", "qvbChecksum", "romChecksum", "flags",
                        "rollingCode", "burner",       "burnerId",   "firmware",    "outcome",     "message",
                        "packets",     "resends",      "ms",         "verified",    "serialBlock"}));
    EXPECT_EQ(r["qvbChecksum"], "0BFD");
    EXPECT_EQ(r["flags"], "0F");
    EXPECT_EQ(json(r["rollingCode"]),
              json::parse(R"({"start":"0000012C","step":"00000001","addresses":["3FFF","0010"]})"));
    EXPECT_EQ(r["burnerId"], "00C0FFEE");
    EXPECT_EQ(r["firmware"], "FW\x01");
    EXPECT_EQ(r["outcome"], "ok");
    EXPECT_EQ(json(r["serialBlock"]), json::parse(R"({"start":"0000012C","count":100,"step":"00000001"})"));
}

TEST(AuditLog, AbsentFactsAreNullAndVerifiedOnlyWhenAsked) {
    AuditRecord r = SampleRecord();
    r.source.reset();
    r.sourceSha256.reset();
    r.rollingCode.reset();
    r.burnerId.reset();
    r.firmware = std::string("\xFF\xFE");  // not UTF-8: the line must stay JSON
    r.ok = false;
    r.verified.reset();
    r.serialBlock.reset();
    const json j = json::parse(AuditLine(r));
    EXPECT_TRUE(j["source"].is_null());
    EXPECT_TRUE(j["sourceSha256"].is_null());
    EXPECT_TRUE(j["rollingCode"].is_null());
    EXPECT_TRUE(j["burnerId"].is_null());
    EXPECT_EQ(j["outcome"], "failed");
    EXPECT_FALSE(j.contains("verified"));
    EXPECT_FALSE(j.contains("serialBlock"));
}

TEST(AuditLog, FailsAtOpenOrWriteWithTheReason) {
    TempDirectory dir;
    auto missing = AuditLog::Open(dir / "no-such-dir" / "log.jsonl");
    ASSERT_FALSE(missing);
    EXPECT_THAT(missing.error().message, ::testing::HasSubstr("No such file or directory"));

    auto full = AuditLog::Open("/dev/full");
    ASSERT_TRUE(full);
    Status appended = full->Append(SampleRecord());
    ASSERT_FALSE(appended);
    EXPECT_THAT(appended.error().message, ::testing::HasSubstr("No space left on device"));
}

// Two processes append long records at once: every line is whole JSON.
TEST(AuditLog, ProcessesSharingALogNeverTearALine) {
    TempDirectory dir;
    const auto path = dir / "log.jsonl";
    constexpr int kRecordsEach = 300;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            auto log = AuditLog::Open(path);
            AuditRecord r = SampleRecord();
            r.message = std::string(6000, c == 0 ? 'x' : 'y');  // longer than a pipe buffer
            int failures = log ? 0 : 1;
            for (int i = 0; log && i < kRecordsEach; ++i) failures += log->Append(r) ? 0 : 1;
            ::_exit(failures == 0 ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto lines = Lines(path);  // throws on a torn line
    ASSERT_EQ(lines.size(), 2u * kRecordsEach);
    for (const json& line : lines) {
        const std::string message = line["message"];
        EXPECT_TRUE(message == std::string(6000, 'x') || message == std::string(6000, 'y'));
    }
}

TEST(SourceDigest, IsOpenSslsSha256) {
    const std::string abc = "abc";
    EXPECT_EQ(Sha256Hex({reinterpret_cast<const uint8_t*>(abc.data()), abc.size()}),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    TempDirectory dir;
    EXPECT_FALSE(FileSha256(dir / "missing", 100));
    EXPECT_FALSE(FileSha256(dir.Write("big", std::string(101, 'x')), 100));
}

}  // namespace
}  // namespace tovrin::production
