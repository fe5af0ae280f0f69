#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/cli/CliRunner.h"
#include "tests/support/BackgroundProcess.h"

namespace tovrin::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

std::vector<json> LogLines(const std::filesystem::path& path) {
    const auto bytes = ReadAll(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<json> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    return lines;
}

// A simulator daemon on a socket in dir, with extra switches.
struct Daemon {
    Daemon(const TempDirectory& dir, const std::string& name, std::vector<std::string> switches)
        : socket(dir / (name + ".sock")), process(BinaryDirectory() / "tovrin-burnersim", [&] {
              switches.insert(switches.begin(), {"--socket", socket.string()});
              return switches;
          }()) {}
    std::string Selector() const { return "sim:" + socket.string(); }
    std::filesystem::path socket;
    BackgroundProcess process;
};

TEST(ProductionLine, AGangKeepsGoingPastARefusingBurnerAndLogsEveryBurner) {
    TempDirectory dir;
    Daemon a(dir, "a", {"--id", "0000000A"});
    Daemon refusing(dir, "b", {"--id", "0000000B", "--refuse", "1000"});
    Daemon c(dir, "c", {"--id", "0000000C"});
    for (const Daemon* d : {&a, &refusing, &c}) ASSERT_TRUE(WaitForSocket(d->socket));
    const auto log = dir / "line.jsonl";
    ProcessResult run =
        RunCli(BuiltSamples(), {"--burner", a.Selector() + "," + refusing.Selector() + "," + c.Selector(),
                                "download", "--source", (BuiltSamples() / "demo.hex").string(), "--yes",
                                "--verify-download", "--log", log.string()});
    EXPECT_EQ(run.exitCode, 1) << run.standardError;
    // Plain prefixed lines off a terminal, then the summary.
    EXPECT_THAT(run.standardOutput, HasSubstr("[" + a.Selector() + "] Progress :  66 / 67"));
    EXPECT_THAT(run.standardOutput, HasSubstr("outcome"));
    EXPECT_THAT(run.standardError,
                HasSubstr("[" + refusing.Selector() + "] the burner kept refusing a packet"));

    const auto lines = LogLines(log);
    ASSERT_EQ(lines.size(), 3u);
    std::map<std::string, json> byBurner;
    for (const json& line : lines) byBurner[line["burner"]] = line;
    EXPECT_EQ(byBurner[a.Selector()]["outcome"], "ok");
    EXPECT_EQ(byBurner[a.Selector()]["verified"], true);
    EXPECT_EQ(byBurner[a.Selector()]["packets"], 125);
    EXPECT_EQ(byBurner[a.Selector()]["burnerId"], "0000000A");
    EXPECT_EQ(byBurner[c.Selector()]["outcome"], "ok");
    EXPECT_EQ(byBurner[refusing.Selector()]["outcome"], "failed");
    EXPECT_EQ(byBurner[refusing.Selector()]["verified"], false);
    EXPECT_EQ(byBurner[a.Selector()]["sourceSha256"].get<std::string>().size(), 64u);
    EXPECT_EQ(byBurner[a.Selector()]["operation"], "download");
}

TEST(ProductionLine, AVerifiedDownloadFailsWhenTheBurnerAnswersOtherChecksums) {
    TempDirectory dir;
    Daemon wrong(dir, "w", {"--wrong-checksum"});
    ASSERT_TRUE(WaitForSocket(wrong.socket));
    const std::string source = (BuiltSamples() / "demo.hex").string();
    ProcessResult run = RunCli(BuiltSamples(), {"--burner", wrong.Selector(), "download", "--source", source,
                                                "--yes", "--verify-download"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.standardError,
                HasSubstr("the burner's checksums disagree with the image: QVB checksum: burner"));
    EXPECT_THAT(run.standardOutput, HasSubstr("下载成功!"));  // sent, but not confirmed

    // The same comparison on its own; without a source it only prints.
    ProcessResult compared =
        RunCli(BuiltSamples(), {"--burner", wrong.Selector(), "checksum", "--source", source});
    EXPECT_EQ(compared.exitCode, 1);
    EXPECT_THAT(compared.standardError, HasSubstr("the burner holds another image: QVB checksum: burner"));
    ProcessResult printed = RunCli(BuiltSamples(), {"--burner", wrong.Selector(), "checksum"});
    EXPECT_EQ(printed.exitCode, 0) << printed.standardError;
}

TEST(ProductionLine, SelectorErrorsNameTheProblem) {
    TempDirectory dir;
    const std::string source = (BuiltSamples() / "demo.hex").string();
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* error;
    };
    const Case cases[] = {
        {{"--burner", "sim:/x.sock,sim:/x.sock", "download", "--source", source}, 2, "--burner"},
        {{"--burner", "usb:NO-SUCH-SERIAL", "download", "--source", source}, 2, "no burner is attached"},
        {{"--burner", "sim,", "checksum"}, 2, "--burner"},
        {{"--burner", "sim:" + (dir / "none.sock").string() + ",sim:" + (dir / "gone.sock").string(),
          "checksum"},
         1,
         "no burner answers"},
    };
    for (const Case& c : cases) {
        ProcessResult run = RunCli(BuiltSamples(), c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[1] << run.standardError;
        EXPECT_THAT(run.standardError, HasSubstr(c.error)) << c.arguments[1];
    }
}

TEST(ProductionLine, BurnersWithNoneAttachedIsAnEmptyList) {
    ProcessResult run = RunCli(BuiltSamples(), {"burners", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(json::parse(run.standardOutput), json::parse(R"({"burners":[]})"));
}

TEST(ProductionLine, NothingIsSentWhenTheLogOrTheLedgerRefuses) {
    TempDirectory dir;
    const auto requests = dir / "requests.log";
    const std::string source = (BuiltSamples() / "demo.hex").string();
    struct Case {
        std::vector<std::string> extra;
        const char* error;
    };
    const Case cases[] = {
        {{"--log", (dir / "missing" / "log.jsonl").string()}, "cannot open the log"},
        {{"--rolling-code", "0", "--serial-ledger", (dir / "ledger.json").string(), "--serial-block", "10"},
         "rolling code is disabled"},
        {{"--serial-ledger", (dir / "ledger.json").string(), "--serial-block", "10"}, "step of 0"},
        {{"--rolling-code", "1", "--initial", "FFFFFFFF", "--step", "00000001", "--serial-ledger",
          (dir / "ledger.json").string(), "--serial-block", "2"},
         "32-bit end"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"--burner", "sim",      "--sim-log", requests.string(),
                                              "download", "--source", source,      "--yes"};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        std::filesystem::remove(requests);
        ProcessResult run = RunCli(BuiltSamples(), arguments);
        EXPECT_NE(run.exitCode, 0) << c.error;
        EXPECT_THAT(run.standardError, HasSubstr(c.error));
        // At most the two identification requests, never a packet.
        const auto logged = std::filesystem::exists(requests) ? ReadAll(requests) : std::vector<uint8_t>{};
        EXPECT_LE(std::count(logged.begin(), logged.end(), '\n'), 2) << c.error;
    }
}

// objcopy's HEX with an entry point, and a file built for a larger chip.
TEST(ProductionLine, StrictRefusesToolchainFilesThatLoadWithWarnings) {
    TempDirectory dir;
    const auto code = dir.Write("code.bin", std::string(4096, '\x11'));
    const auto withEntry = dir / "entry.hex";
    ProcessResult made = RunProcess("/usr/bin/objcopy", {"-I", "binary", "-O", "ihex", "--set-start",
                                                         "0x12345678", code.string(), withEntry.string()});
    if (made.exitCode != 0) GTEST_SKIP() << "objcopy is not installed";

    ProcessResult image = RunCli(BuiltSamples(), {"image", "--source", withEntry.string()});
    EXPECT_EQ(image.exitCode, 0) << image.standardError;
    EXPECT_THAT(image.standardOutput, HasSubstr("警告: 有 2048 个字节超出芯片代码区，已丢弃!"));
    EXPECT_THAT(image.standardOutput, HasSubstr("警告: 有 4 个字节来自地址记录(类型02-05)，已写入代码区!"));

    const auto requests = dir / "requests.log";
    ProcessResult strict =
        RunCli(BuiltSamples(), {"--burner", "sim", "--sim-log", requests.string(), "download", "--source",
                                withEntry.string(), "--yes", "--strict"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_THAT(strict.standardError, HasSubstr("--strict"));
    EXPECT_FALSE(std::filesystem::exists(requests) && !ReadAll(requests).empty());

    // A plain objcopy file that fits loads silently, even under --strict.
    const auto small = dir.Write("small.bin", std::string(64, '\x22'));
    const auto plain = dir / "plain.hex";
    ASSERT_EQ(RunProcess("/usr/bin/objcopy", {"-I", "binary", "-O", "ihex", small.string(), plain.string()})
                  .exitCode,
              0);
    ProcessResult quiet = RunCli(BuiltSamples(), {"image", "--strict", "--source", plain.string()});
    EXPECT_EQ(quiet.exitCode, 0) << quiet.standardError;
    EXPECT_THAT(quiet.standardOutput, ::testing::Not(HasSubstr("警告")));
}

}  // namespace
}  // namespace tovrin::testing
