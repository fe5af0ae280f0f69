#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/text/GbkText.h"
#include "tests/cli/CliRunner.h"

namespace tovrin::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

constexpr char kPlainDefinition[] =
    "[General]\r\nProgram_set=0x05\r\nChipID=0x1234\r\nMemID=0x0203\r\n"
    "[ROM]\r\nSize=16\r\nBitWidth=12\r\n"
    "[Option]\r\nOptWords=1\r\nOptStart=0\r\nOptAddr0=0\r\nOptInitVal0=0x0F3C\r\nOptItems0=1\r\n"
    "[Option0_Item0]\r\nName=Fixed\r\nBitStart=0\r\nBitEnd=3\r\nItemCount=1\r\nItem0_Name=x\r\nItem0_Val="
    "12\r\n"
    "[InitValue]\r\nSection_Val=0x12,0x3F 0xA\r\n";

TEST(CliChips, ListsTheDemoChipsInNameOrderWithTheRememberedSelection) {
    ProcessResult run = RunCli(BuiltSamples(), {"chips", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    json result = json::parse(run.standardOutput);
    std::vector<std::string> names;
    for (const auto& chip : result["chips"]) names.push_back(chip["name"]);
    EXPECT_THAT(names, ::testing::ElementsAre("K16S20", "M8A10", "Q3L88", "Q3L88A", "VB27C12"));
    EXPECT_EQ(result["selected"], 2);  // LastSelChip.TXT holds Q3L88
    const json& q3l88 = result["chips"][2];
    EXPECT_EQ(q3l88["imageByteCount"], 2128);
    EXPECT_EQ(q3l88["bitWidth"], 14);
    EXPECT_EQ(q3l88["optionWordCount"], 3);
    EXPECT_EQ(q3l88["visibleItemCount"], 6);

    ProcessResult table = RunCli(BuiltSamples(), {"chips"});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_THAT(table.standardOutput, HasSubstr("* 2  Q3L88"));
    EXPECT_THAT(table.standardOutput, HasSubstr("selected: 2 (Q3L88)"));
}

TEST(CliChips, AnEmptyFolderListsNothingAndSelectsNothing) {
    TempDirectory dir;
    ProcessResult run = RunCli(dir.path(), {"chips", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(json::parse(run.standardOutput), json::parse(R"({"chips":[],"selected":null})"));
}

TEST(CliChips, SaysOnStandardErrorWhichFilesItSkipped) {
    TempDirectory dir;
    dir.Write("Device/SHORT.dev", kPlainDefinition);
    dir.Write("Device/TOOLONGNAME.dev", kPlainDefinition);
    ProcessResult run = RunCli(dir.path(), {"chips", "--json"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(json::parse(run.standardOutput)["chips"].size(), 1u);
    EXPECT_THAT(run.standardError, HasSubstr("TOOLONGNAME.dev"));
}

TEST(CliChip, PrintsTheWholeDefinition) {
    TempDirectory dir;
    dir.Write("Device/abc.Dev", kPlainDefinition);
    ProcessResult run = RunCli(dir.path(), {"chip", "abc", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    json expected = json::parse(R"({
      "name": "abc", "imageByteCount": 112, "bitWidth": 12, "visibleItemCount": 0, "optionWordCount": 1,
      "sections": [
        {"offset": 0, "bytes": "41424320202020053412030200000000"},
        {"offset": 16, "bytes": "00000000000000000000000000000000"},
        {"offset": 32, "bytes": "00000000000000000000000000000000"},
        {"offset": 48, "bytes": "3C0FFF0FFF0FFF0FFF0FFF0FFF0FFF0F"},
        {"offset": 64, "bytes": "123F"}],
      "optionWords": [{"headerOffset": 48, "initialValue": 3900, "declaredItemCount": 1, "items": [
        {"name": "Fixed", "itemType": 0, "kind": "fixed", "bitStart": 0, "bitEnd": 3, "revAddr": 0, "revBit": 0,
         "values": [{"name": "x", "value": 12}]}]}]})");
    EXPECT_EQ(json::parse(run.standardOutput), expected);
}

TEST(CliChip, ShowsChineseNamesAsUtf8) {
    ProcessResult run = RunCli(BuiltSamples(), {"chip", "Q3L88", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    json chip = json::parse(run.standardOutput);
    const json& firstItem = chip["optionWords"][0]["items"][0];
    EXPECT_EQ(firstItem["name"], "振荡器模式");
    EXPECT_EQ(firstItem["values"][1]["name"], "内部RC");
    EXPECT_EQ(chip["optionWords"][1]["items"][1]["kind"], "reverse");
    EXPECT_EQ(chip["optionWords"][1]["items"][1]["revAddr"], 48);
}

TEST(CliChip, UnknownChipsAndBadArgumentsAreUsageErrors) {
    struct Case {
        std::vector<std::string> arguments;
    };
    const Case cases[] = {{{"chip", "q3l88"}}, {{"chip", "NOPE"}}, {{"chip"}}, {{"frobnicate"}}, {{}}};
    for (const Case& c : cases) {
        ProcessResult run = RunCli(BuiltSamples(), c.arguments);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(c.arguments);
        EXPECT_FALSE(run.standardError.empty());
    }
}

TEST(CliDevice, EncipherThenDecipherGivesThePlaintextBack) {
    TempDirectory dir;
    const std::string plain = std::string(kPlainDefinition) + "; odd length tail";
    auto source = dir.Write("plain.txt", plain);
    ProcessResult encipher =
        RunCli(dir.path(), {"device", "encipher", source.string(), "-o", (dir / "X.dev").string()});
    ASSERT_EQ(encipher.exitCode, 0) << encipher.standardError;
    std::vector<uint8_t> cipherText = ReadAll(dir / "X.dev");
    EXPECT_EQ(cipherText.size() % 16, 0u);
    for (uint8_t c : cipherText) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));

    ProcessResult decipher = RunCli(dir.path(), {"device", "decipher", (dir / "X.dev").string()});
    ASSERT_EQ(decipher.exitCode, 0) << decipher.standardError;
    EXPECT_EQ(decipher.standardOutput, plain);

    // The enciphered file defines the same chip as the plain one.
    dir.Write("Device/PLAIN.dev", kPlainDefinition);
    std::filesystem::rename(dir / "X.dev", dir / "Device" / "CIPHER.dev");
    json a = json::parse(RunCli(dir.path(), {"chip", "PLAIN", "--json"}).standardOutput);
    json b = json::parse(RunCli(dir.path(), {"chip", "CIPHER", "--json"}).standardOutput);
    a["sections"][0] = b["sections"][0] = nullptr;  // names differ
    a["name"] = b["name"] = nullptr;
    EXPECT_EQ(a, b);
}

TEST(CliDevice, TheDemoCipherFileDecodesToItsGbkSource) {
    ProcessResult run =
        RunCli(BuiltSamples(), {"device", "decipher", (BuiltSamples() / "Device/Q3L88.dev").string()});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_THAT(run.standardOutput, ::testing::StartsWith("[General]\r\n"));
    EXPECT_THAT(text::GbkToUtf8(run.standardOutput), HasSubstr("Name=振荡器模式,Oscillator"));
}

TEST(CliDevice, AMissingFileFails) {
    TempDirectory dir;
    ProcessResult run = RunCli(dir.path(), {"device", "decipher", (dir / "none.dev").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.standardError, HasSubstr("none.dev"));
}

}  // namespace
}  // namespace tovrin::testing
