#include "production/SerialLedger.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>

#include "tests/support/TempDirectory.h"

namespace tovrin::production {
namespace {

using nlohmann::json;
using tovrin::testing::ReadAll;
using tovrin::testing::TempDirectory;

json LedgerJson(const std::filesystem::path& path) {
    const auto bytes = ReadAll(path);
    return json::parse(std::string(bytes.begin(), bytes.end()));
}

const std::vector<SerialBlockRequest> kTwoBurners = {{"sim:/a", 0x11}, {"sim:/b", std::nullopt}};

TEST(SerialLedger, HandsOutConsecutiveBlocksAndRecordsThem) {
    TempDirectory dir;
    const auto path = dir / "ledger.json";
    auto first = DrawSerialBlocks(path, kTwoBurners, 100, 2, 1000);
    ASSERT_TRUE(first) << first.error().message;
    ASSERT_EQ(first->size(), 2u);
    EXPECT_EQ((*first)[0].start, 1000u);
    EXPECT_EQ((*first)[1].start, 1200u);

    // The second draw continues from the ledger, not from the start value given.
    auto second = DrawSerialBlocks(path, {{"sim:/a", 0x11}}, 10, 1, 5);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[0].start, 1400u);

    const json ledger = LedgerJson(path);
    EXPECT_EQ(ledger["next"], 1410);
    ASSERT_EQ(ledger["blocks"].size(), 3u);
    EXPECT_EQ(ledger["blocks"][0]["burner"], "sim:/a");
    EXPECT_EQ(ledger["blocks"][0]["burnerId"], "00000011");
    EXPECT_TRUE(ledger["blocks"][1]["burnerId"].is_null());
    EXPECT_EQ(ledger["blocks"][1]["start"], 1200);
    EXPECT_EQ(ledger["blocks"][1]["count"], 100);
    EXPECT_EQ(ledger["blocks"][1]["step"], 2);
    EXPECT_TRUE(ledger["blocks"][2].contains("time"));
}

TEST(SerialLedger, RefusesWithoutChangingTheLedger) {
    TempDirectory dir;
    struct Case {
        const char* what;
        std::string content;  // empty: a fresh ledger
        uint32_t count;
        uint32_t step;
        uint32_t firstStart;
        const char* reason;
    };
    const Case cases[] = {
        {"past the 32-bit end", "", 2, 1, 0xFFFFFFFFu, "32-bit end"},
        {"the last block in the ledger passes the end", R"({"next": 4294967290, "blocks": []})", 4, 2, 0,
         "32-bit end"},
        {"an exhausted ledger", R"({"next": 4294967296, "blocks": []})", 1, 1, 0, "32-bit end"},
        {"step 0", "", 1, 0, 0, "step of 0"},
        {"not JSON", "{next: 5", 1, 1, 0, "not a ledger"},
        {"next negative", R"({"next": -1})", 1, 1, 0, "\"next\""},
        {"next too large", R"({"next": 4294967297})", 1, 1, 0, "\"next\""},
        {"blocks not a list", R"({"next": 1, "blocks": 3})", 1, 1, 0, "\"blocks\""},
    };
    for (const Case& c : cases) {
        const auto path = dir / "ledger.json";
        std::filesystem::remove(path);
        if (!c.content.empty()) dir.Write("ledger.json", c.content);
        auto drawn = DrawSerialBlocks(path, kTwoBurners, c.count, c.step, c.firstStart);
        ASSERT_FALSE(drawn) << c.what;
        EXPECT_THAT(drawn.error().message, ::testing::HasSubstr(c.reason)) << c.what;
        const auto after = ReadAll(path);
        EXPECT_EQ(std::string(after.begin(), after.end()), c.content) << c.what;
    }
    // Exactly up to the end is fine: 0xFFFFFFFE and 0xFFFFFFFF.
    std::filesystem::remove(dir / "ledger.json");
    auto last = DrawSerialBlocks(dir / "ledger.json", {{"sim", {}}}, 2, 1, 0xFFFFFFFEu);
    ASSERT_TRUE(last);
    EXPECT_EQ((*last)[0].start, 0xFFFFFFFEu);
}

// Two processes draw at once; their blocks never overlap and none is lost.
TEST(SerialLedger, ParallelDrawsNeverOverlap) {
    TempDirectory dir;
    const auto path = dir / "ledger.json";
    constexpr int kDrawsEach = 40;
    constexpr uint32_t kCount = 10;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            int failures = 0;
            for (int i = 0; i < kDrawsEach; ++i)
                failures += DrawSerialBlocks(path, {{c == 0 ? "a" : "b", {}}}, kCount, 3, 7) ? 0 : 1;
            ::_exit(failures == 0 ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const json ledger = LedgerJson(path);
    std::vector<uint64_t> starts;
    for (const auto& block : ledger["blocks"]) starts.push_back(block["start"]);
    ASSERT_EQ(starts.size(), 2u * kDrawsEach);
    std::sort(starts.begin(), starts.end());
    for (std::size_t i = 0; i < starts.size(); ++i) EXPECT_EQ(starts[i], 7 + i * kCount * 3);
    EXPECT_EQ(ledger["next"], 7 + starts.size() * kCount * 3);
}

}  // namespace
}  // namespace tovrin::production
