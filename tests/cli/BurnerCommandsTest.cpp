#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"

namespace tovrin::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

std::vector<std::string> DownloadArguments(const std::filesystem::path& source,
                                           std::vector<std::string> extra) {
    std::vector<std::string> arguments = {"--burner", "sim", "download", "--source", source.string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

TEST(CliBurner, IdentifiesTheSimulatedBurner) {
    ProcessResult run = RunCli(BuiltSamples(), {"--burner", "sim", "--sim-firmware", "FW 3.1", "--sim-id",
                                                "00ABCDEF", "burner", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    json result = json::parse(run.standardOutput);
    EXPECT_EQ(result["firmwareVersion"], "FW 3.1");
    EXPECT_EQ(result["burnerId"], "00ABCDEF");
    EXPECT_EQ(result["report"], "\n  The Connected Burner ID :00ABCDEF(11259375)");
}

TEST(CliBurner, NoBurnerOrABadBackendFails) {
    TempDirectory dir;
    ProcessResult absent =
        RunCli(BuiltSamples(), {"--burner", "sim:" + (dir / "none.sock").string(), "burner"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_THAT(absent.standardError, HasSubstr("no burner answers"));
    ProcessResult bad = RunCli(BuiltSamples(), {"--burner", "parallel-port", "burner"});
    EXPECT_EQ(bad.exitCode, 2);
}

TEST(CliDownload, SendsTheImageAndBothPatternsAndSavesWhenAsked) {
    TempDirectory dir;
    std::filesystem::copy_file(BuiltSamples() / "demo.hex", dir / "demo.hex");
    const auto log = dir / "requests.log";
    auto arguments = DownloadArguments(dir / "demo.hex", {"--yes", "--save"});
    arguments.insert(arguments.begin(), {"--sim-log", log.string()});
    ProcessResult run = RunCli(BuiltSamples(), arguments);
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_THAT(run.standardOutput, HasSubstr("Progress :  66 / 67"));
    EXPECT_THAT(run.standardOutput, HasSubstr("下载成功!"));
    EXPECT_EQ(ReadAll(dir / "demo.QVB").size(), 2128u);

    // Two identification requests, then 67 image and 18 + 40 pattern packets.
    const std::vector<uint8_t> logBytes = ReadAll(log);
    const std::string lines(logBytes.begin(), logBytes.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2 + 67 + 18 + 40);
    EXPECT_THAT(lines, ::testing::StartsWith("01000030002000"));
}

TEST(CliDownload, EndsAsOnNoWithoutYesAndFailsWhenTheBurnerGoesAway) {
    ProcessResult declined =
        RunCli(BuiltSamples(), DownloadArguments(BuiltSamples() / "demo.hex", {"--test", "1"}));
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_THAT(declined.standardError, HasSubstr("FT+PROGRAM"));
    EXPECT_THAT(declined.standardOutput, ::testing::Not(HasSubstr("Progress")));

    auto arguments = DownloadArguments(BuiltSamples() / "demo.hex", {"--yes"});
    arguments.insert(arguments.begin(), {"--sim-unplug-after", "10"});
    ProcessResult unplugged = RunCli(BuiltSamples(), arguments);
    EXPECT_EQ(unplugged.exitCode, 1);
    EXPECT_THAT(unplugged.standardError, HasSubstr("下载过程中USB断开"));
    EXPECT_THAT(unplugged.standardOutput, ::testing::Not(HasSubstr("下载成功")));
}

}  // namespace
}  // namespace tovrin::testing
