#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"

namespace tovrin::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

json ImageJson(const std::vector<std::string>& extra, int expectedExit = 0) {
    std::vector<std::string> arguments = {"image", "--source", (BuiltSamples() / "demo.hex").string(),
                                          "--json"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    ProcessResult run = RunCli(BuiltSamples(), arguments);
    EXPECT_EQ(run.exitCode, expectedExit) << run.standardError;
    return run.exitCode == 0 ? json::parse(run.standardOutput) : json();
}

std::string HeaderByte(const json& image, int offset) {
    return image["header"].get<std::string>().substr(static_cast<std::size_t>(offset) * 2, 2);
}

TEST(CliImage, BuildsTheHeaderOfTheRememberedChipFromAHexFile) {
    json image = ImageJson({});
    EXPECT_EQ(image["chip"], "Q3L88");
    EXPECT_EQ(image["imageByteCount"], 2128);
    EXPECT_EQ(image["sourceIsHex"], true);
    EXPECT_EQ(image["header"].get<std::string>().size(), 160u);
    EXPECT_EQ(image["header"].get<std::string>().substr(0, 14), "51334C38382020");  // "Q3L88  "
    EXPECT_EQ(HeaderByte(image, 7), "0F");                                          // Program_set
    EXPECT_EQ(image["report"], "\n文件打开成功!\n\n请选择芯片配置或直接下载");
}

TEST(CliImage, SettingsReachTheHeaderAsTheControlsWouldPutThem) {
    json image = ImageJson({"--verify", "0", "--test", "1", "--addresses", "2", "--address1", "12ab",
                            "--address2", "FFFF", "--initial", "3FFFFFFF", "--step", "00000001"});
    EXPECT_EQ(HeaderByte(image, 7), "2E");  // program, blank check, rolling code, test
    EXPECT_EQ(HeaderByte(image, 11), "02");
    EXPECT_EQ(image["header"].get<std::string>().substr(24, 32), "AB12FFFF00000000FFFFFF3F01000000");
}

TEST(CliImage, OptionBytesAreTakenInAsTheOptionDialogsHandThemBack) {
    const std::string block = "0102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20";
    json image = ImageJson({"--option-bytes", block});
    EXPECT_EQ(image["header"].get<std::string>().substr(96), block);
}

TEST(CliImage, RefusesWhatADisabledOrReadOnlyControlWouldNotAllow) {
    struct Case {
        std::vector<std::string> arguments;
        std::string why;
    };
    const Case cases[] = {
        {{"--chip", "VB27C12", "--rolling-code", "1", "--addresses", "3"}, "only the chip Q3L88"},
        {{"--chip", "Q3L88A", "--rolling-code", "1", "--addresses", "4"}, "only the chip Q3L88"},
        {{"--rolling-code", "0", "--addresses", "2"}, "rolling code is disabled"},
        {{"--rolling-code", "0", "--initial", "00000000"}, "rolling code is disabled"},
        {{"--addresses", "1", "--address2", "1234"}, "beyond the selected address count"},
        {{"--chip", "M8A10", "--test", "1"}, "test pattern"},
        {{"--address1", "123"}, "exactly 4 hexadecimal digits"},
        {{"--step", "0000000G"}, "exactly 8 hexadecimal digits"},
        {{"--option-bytes", "00"}, "64 hexadecimal digits"},
        {{"--addresses", "5"}, "--addresses"},
        {{"--chip", "NOSUCH"}, "no chip named"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"image", "--source", (BuiltSamples() / "demo.hex").string()};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ProcessResult run = RunCli(BuiltSamples(), arguments);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(c.arguments);
        EXPECT_THAT(run.standardError, HasSubstr(c.why)) << ::testing::PrintToString(c.arguments);
    }
}

TEST(CliImage, TheWrittenProjectFileLoadsBackAndDecodes) {
    TempDirectory dir;
    const auto qvb = dir / "DEMO.QVB";
    json built = ImageJson({"--addresses", "3", "--address3", "1234", "-o", qvb.string()});
    ASSERT_EQ(ReadAll(qvb).size(), 2128u);

    ProcessResult info = RunCli(BuiltSamples(), {"info", qvb.string(), "--json"});
    ASSERT_EQ(info.exitCode, 0) << info.standardError;
    json decoded = json::parse(info.standardOutput);
    EXPECT_EQ(decoded["chip"], "Q3L88");
    EXPECT_EQ(decoded["rollingCode"]["addressCount"], 3);
    EXPECT_EQ(decoded["rollingCode"]["addresses"][2], "1234");
    EXPECT_EQ(decoded["qvbChecksum"], built["qvbChecksum"]);
    EXPECT_EQ(decoded["checksumMatches"], true);

    ProcessResult reload = RunCli(BuiltSamples(), {"image", "--source", qvb.string(), "--json"});
    ASSERT_EQ(reload.exitCode, 0) << reload.standardError;
    json reloaded = json::parse(reload.standardOutput);
    EXPECT_EQ(reloaded["sourceIsHex"], false);
    EXPECT_EQ(reloaded["header"], built["header"]);
}

TEST(CliImage, ADamagedProjectFileFailsWithTheSelectFileReport) {
    TempDirectory dir;
    const auto qvb = dir / "DEMO.QVB";
    ImageJson({"-o", qvb.string()});
    std::vector<uint8_t> bytes = ReadAll(qvb);
    bytes[200] ^= 0x01;
    dir.Write("DEMO.QVB", bytes);

    ProcessResult info = RunCli(BuiltSamples(), {"info", qvb.string()});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_THAT(info.standardOutput, HasSubstr("MISMATCH"));

    ProcessResult load = RunCli(BuiltSamples(), {"image", "--source", qvb.string()});
    EXPECT_EQ(load.exitCode, 1);
    EXPECT_EQ(load.standardOutput, "\n文件未打开！\n\n QVB文件格式错误！\n");
}

TEST(CliImage, AMissingSourceOrAShortProjectFileFails) {
    TempDirectory dir;
    dir.Write("short.qvb", "Q3L88  \x0f");
    for (const std::string& source : {(dir / "absent.hex").string(), (dir / "short.qvb").string()}) {
        ProcessResult run = RunCli(BuiltSamples(), {"image", "--source", source});
        EXPECT_EQ(run.exitCode, 1) << source;
        EXPECT_THAT(run.standardOutput, HasSubstr("QVB文件格式错误"));
    }
    ProcessResult info = RunCli(BuiltSamples(), {"info", (dir / "short.qvb").string()});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_THAT(info.standardError, HasSubstr("shorter than the 80-byte image header"));
}

TEST(CliImage, HexRecordsWithWrongChecksumsAreReported) {
    TempDirectory dir;
    auto hex = dir.Write("bad.hex", ":0400000001020304F3\r\n:00000001FF\r\n");
    ProcessResult run = RunCli(BuiltSamples(), {"image", "--source", hex.string(), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_THAT(json::parse(run.standardOutput)["report"].get<std::string>(), HasSubstr("1"));
    EXPECT_NE(json::parse(run.standardOutput)["report"], ImageJson({})["report"]);
}

}  // namespace
}  // namespace tovrin::testing
