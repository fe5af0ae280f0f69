// End to end: the burner link against tovrin-burnersim on a Unix socket.
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "burner/BurnerLink.h"
#include "burner/RecordingEvents.h"
#include "platform/easypod/EasyPod.h"
#include "platform/easypod/SocketTransport.h"
#include "tests/support/BackgroundProcess.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::burnersim {
namespace {

using namespace std::chrono_literals;

// tovrin-burnersim running in the background, stopped with the object.
class Daemon : public tovrin::testing::BackgroundProcess {
public:
    explicit Daemon(const std::vector<std::string>& arguments)
        : BackgroundProcess(tovrin::testing::BinaryDirectory() / "tovrin-burnersim", arguments) {}
};

// Waits until the daemon takes connections.
bool WaitUntilListening(easypod::HidTransport& transport) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (transport.Open({0x0C00, 0x0311, 1}) == easypod::HidOpenStatus::Opened) {
            transport.Close();
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class DaemonTest : public ::testing::Test {
protected:
    tovrin::testing::TempDirectory dir;
    std::filesystem::path socket = dir / "burner.sock";
    std::filesystem::path log = dir / "requests.log";
    easypod::SocketTransport transport{socket};
    burner::RecordingEvents events;
    std::vector<uint8_t> image = std::vector<uint8_t>(2128, 0x5A);
    std::vector<uint8_t> pattern = std::vector<uint8_t>(592, 0x01);
    burner::BurnerLink link{transport, events, [this] {
                                return burner::LinkInputs{image, pattern, {}, true, {}};
                            }};
};

TEST_F(DaemonTest, IdentifiesDownloadsAndGoesAwayWhenStopped) {
    Daemon daemon(
        {"--socket", socket.string(), "--firmware", "DAEMON 7", "--id", "0x00C0FFEE", "--log", log.string()});
    ASSERT_TRUE(daemon.running());
    ASSERT_TRUE(WaitUntilListening(transport));

    link.ProbeBurner();
    ASSERT_TRUE(link.BurnerPresent());
    EXPECT_EQ(events.firmwareVersions, std::vector<std::string>{"DAEMON 7"});
    EXPECT_EQ(events.connectionText, "已连接(00C0FFEE)");

    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(burner::CMD_DOWNLOAD);
    EXPECT_EQ(link.LastOutcome(), burner::ExchangeOutcome::Completed);
    EXPECT_EQ(events.statusReports.back(), burner::kDownloadSucceeded);

    EXPECT_EQ(daemon.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));
    link.ProbeBurner();
    EXPECT_FALSE(link.BurnerPresent());
    EXPECT_EQ(events.statusReports.back(), burner::kNoBurnerConnected);

    const auto lines = Lines(log);
    ASSERT_EQ(lines.size(), 2u + 67u + 18u);
    EXPECT_EQ(lines[0], "0100003000200000C5FC");
    EXPECT_EQ(lines[1], "0100050000000000EC35");
    EXPECT_EQ(lines[2].substr(0, 14), "01000100002000");  // packet 0: address 0, 32 bytes
}

TEST_F(DaemonTest, UnplugInMidDownloadEndsIt) {
    Daemon daemon({"--socket", socket.string(), "--unplug-after", "12", "--refuse", "1"});
    ASSERT_TRUE(WaitUntilListening(transport));
    link.ProbeBurner();
    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(burner::CMD_DOWNLOAD);
    // The daemon takes the 13th report and goes: the reply never comes.
    EXPECT_EQ(link.LastOutcome(), burner::ExchangeOutcome::Lost);
    EXPECT_EQ(link.LastError(), "the simulator daemon went away");
    EXPECT_EQ(events.messages, std::vector<std::string>{std::string(burner::kUsbLostDuringDownload)});
    EXPECT_EQ(daemon.Wait(), 0);  // the daemon leaves by itself once unplugged
}

// A daemon that answers late and one that goes away while the host waits
// end the exchange with their own outcomes and reasons.
TEST_F(DaemonTest, LateReplyAndVanishedDaemonAreToldApart) {
    Daemon daemon({"--socket", socket.string(), "--late-after", "2"});
    ASSERT_TRUE(WaitUntilListening(transport));
    link.ProbeBurner();  // the two identification replies still come in time
    ASSERT_EQ(link.OutcomeOf(burner::CMD_BURNER_ID), burner::ExchangeOutcome::Completed);

    link.ExecuteBurnerCommand(burner::CMD_CHIP_CHECKSUM);
    EXPECT_EQ(link.LastOutcome(), burner::ExchangeOutcome::NoReply);
    EXPECT_EQ(link.LastError(), "no reply within 5000 ms");

    std::thread unplug([&daemon] {
        std::this_thread::sleep_for(300ms);
        daemon.Stop();
    });
    link.ExecuteBurnerCommand(burner::CMD_CHIP_CHECKSUM);
    unplug.join();
    EXPECT_EQ(link.LastOutcome(), burner::ExchangeOutcome::Lost);
    EXPECT_EQ(link.LastError(), "the simulator daemon went away");
    EXPECT_EQ(events.statusReports.size(), 1u);  // the identity only
}

TEST(DaemonArgumentsTest, BadIdIsAUsageError) {
    tovrin::testing::TempDirectory dir;
    Daemon daemon({"--socket", (dir / "s").string(), "--id", "XYZ"});
    EXPECT_EQ(daemon.Wait(), 2);
    Daemon negative({"--socket", (dir / "s").string(), "--refuse", "-1"});
    EXPECT_EQ(negative.Wait(), 2);
}

}  // namespace
}  // namespace tovrin::burnersim
