#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"
#include "tests/support/BackgroundProcess.h"

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
    const std::string socket = (dir / "none.sock").string();
    ProcessResult absent = RunCli(BuiltSamples(), {"--burner", "sim:" + socket, "burner"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.standardError,
              "tovrin-cli: no burner answers (connect " + socket + ": No such file or directory)\n");
}

TEST(CliBurner, SelectorsAndSwitchesAreCheckedBeforeAnythingRuns) {
    const std::string forms = "(expected usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, sim, sim:SOCKET)";
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> environment;
        int exitCode;
        std::string error;
    } cases[] = {
        {{"--burner", "parallel-port", "burner"},
         {},
         2,
         "tovrin-cli: --burner: unknown burner backend \"parallel-port\" " + forms + "\n"},
        {{"burner"},
         {"TOVRIN_BURNER=lpt"},
         2,
         "tovrin-cli: --burner: unknown burner backend \"lpt\" " + forms + "\n"},
        {{"--burner", "sim,sim", "burner"},
         {},
         2,
         "tovrin-cli: --burner: burner (in-process) is chosen twice: by \"sim\" and by \"sim\"\n"},
        {{"--burner", "usb:*", "burner"},
         {},
         2,
         "tovrin-cli: --burner: usb:* matches no burner: no burner is attached\n"},
        {{"--burner", "usb:SN1", "burner"},
         {},
         2,
         "tovrin-cli: --burner: no burner has the serial \"SN1\"; no burner is attached\n"},
        {{"--burner", "sim:/tmp/a.sock,sim", "burner"},
         {},
         2,
         "tovrin-cli: --burner: this command talks to one burner, and 2 are chosen\n"},
        {{"--burner", "sim", "--sim-id", "XYZ", "burner"},
         {},
         2,
         "tovrin-cli: --sim-id wants 1 to 8 hexadecimal digits, not \"XYZ\"\n"},
        {{"burner"}, {"TOVRIN_BURNER=sim"}, 0, ""},
        {{"--burner", "sim", "burner"}, {"TOVRIN_BURNER=lpt"}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + (c.environment.empty() ? "" : c.environment.front()));
        ProcessResult run = RunCli(BuiltSamples(), c.arguments, c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.standardError, c.error);
    }
}

TEST(CliBurner, BurnerThatOpensButNeverAnswersFails) {
    ProcessResult run = RunCli(BuiltSamples(), {"--burner", "sim", "--sim-late-after", "0", "burner"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError,
              "tovrin-cli: firmware-version request: the burner did not answer in time (no reply within 5000 "
              "ms)\n");
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

namespace tovrin::testing {
namespace {

// The production-line path: the daemon keeps what one command downloaded,
// and a later command reads its checksums back.
TEST(CliDaemon, AChecksumReadBackMatchesTheImageDownloadedBefore) {
    TempDirectory dir;
    const auto socket = dir / "burner.sock";
    BackgroundProcess daemon(BinaryDirectory() / "tovrin-burnersim",
                             {"--socket", socket.string(), "--id", "00C0FFEE", "--firmware", "FW 9.9"});
    ASSERT_TRUE(WaitForSocket(socket));
    const std::string burner = "sim:" + socket.string();

    ProcessResult identity = RunCli(BuiltSamples(), {"--burner", burner, "burner", "--json"});
    ASSERT_EQ(identity.exitCode, 0) << identity.standardError;
    EXPECT_EQ(json::parse(identity.standardOutput)["burnerId"], "00C0FFEE");

    const std::vector<std::string> source = {"--source", (BuiltSamples() / "demo.hex").string()};
    auto download = std::vector<std::string>{"--burner", burner, "download", "--yes"};
    download.insert(download.end(), source.begin(), source.end());
    ProcessResult downloaded = RunCli(BuiltSamples(), download);
    ASSERT_EQ(downloaded.exitCode, 0) << downloaded.standardError;

    auto checksum = std::vector<std::string>{"--burner", burner, "checksum"};
    checksum.insert(checksum.end(), source.begin(), source.end());
    ProcessResult readBack = RunCli(BuiltSamples(), checksum);
    ASSERT_EQ(readBack.exitCode, 0) << readBack.standardError;
    // The burner's line and the image's line name the same two checksums.
    const std::string& out = readBack.standardOutput;
    const auto burnerLine = out.substr(out.find("校验和(QVB): "), 40);
    const auto imageLine = out.substr(out.find("image: ") + 7, 40);
    EXPECT_EQ(burnerLine, imageLine) << out;
    EXPECT_THAT(out, HasSubstr("Chip Configration Area:\nFFFB"));

    daemon.Stop();
    ProcessResult gone = RunCli(BuiltSamples(), {"--burner", burner, "burner"});
    EXPECT_EQ(gone.exitCode, 1);
}

TEST(CliDaemon, WrongChecksumSwitchMakesTheReadBackDisagree) {
    TempDirectory dir;
    const auto socket = dir / "burner.sock";
    BackgroundProcess daemon(BinaryDirectory() / "tovrin-burnersim",
                             {"--socket", socket.string(), "--wrong-checksum"});
    ASSERT_TRUE(WaitForSocket(socket));
    const std::string burner = "sim:" + socket.string();
    const std::string source = (BuiltSamples() / "demo.hex").string();
    ASSERT_EQ(RunCli(BuiltSamples(), {"--burner", burner, "download", "--yes", "--source", source}).exitCode,
              0);
    ProcessResult readBack = RunCli(BuiltSamples(), {"--burner", burner, "checksum", "--source", source});
    // With a source the read-back is compared: a disagreement fails, still printing both.
    ASSERT_EQ(readBack.exitCode, 1) << readBack.standardError;
    const std::string& out = readBack.standardOutput;
    const auto burnerLine = out.substr(out.find("校验和(QVB): "), 40);
    const auto imageLine = out.substr(out.find("image: ") + 7, 40);
    EXPECT_NE(burnerLine, imageLine) << out;
}

}  // namespace
}  // namespace tovrin::testing
