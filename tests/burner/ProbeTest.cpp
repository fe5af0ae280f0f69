#include <gtest/gtest.h>

#include "image/ControlIds.h"
#include "tests/burner/LinkFixture.h"
#include "tests/burner/ScriptedTransport.h"

namespace tovrin::burner::testing {
namespace {

class ProbeTest : public LinkFixture {};

TEST_F(ProbeTest, NoBurnerAtStartShowsNothing) {
    device.Unplug();
    link.ProbeBurner();
    EXPECT_EQ(events.calls, std::vector<std::string>{"ClearFirmwareVersions"});
    EXPECT_FALSE(link.BurnerPresent());
    EXPECT_EQ(link.LastConnectResult(), easypod::kPodNotFound);
}

TEST_F(ProbeTest, AttachIdentifiesTheBurnerOnce) {
    for (const bool loaded : {false, true}) {
        SCOPED_TRACE(loaded);
        sourceLoaded = loaded;
        device.Unplug();
        link.ProbeBurner();
        device.PlugIn();
        events = ObservingEvents{};
        requestLog.clear();

        link.ProbeBurner();
        EXPECT_TRUE(link.BurnerPresent());
        EXPECT_EQ(events.firmwareVersions,
                  std::vector<std::string>{std::string(burnersim::kDefaultFirmwareVersion)});
        EXPECT_EQ(events.selectedFirmwareVersion, 0);
        EXPECT_EQ(events.statusReports,
                  std::vector<std::string>{"\r\n  The Connected Burner ID :20131002(1249282)"});
        EXPECT_EQ(events.connectionText, "已连接(20131002)");
        EXPECT_EQ(link.BurnerId(), 0x20131002u);
        EXPECT_TRUE(events.IsEnabled(control::kChipChecksumButton));
        EXPECT_EQ(events.IsEnabled(control::kDownloadButton, !loaded), loaded);
        ASSERT_EQ(requestLog.size(), 2u);
        EXPECT_EQ(requestLog[0], "0100003000200000C5FC");
        EXPECT_EQ(requestLog[1], "0100050000000000EC35");

        // While it stays, each probe only refreshes: no further requests.
        link.ProbeBurner();
        EXPECT_EQ(requestLog.size(), 2u);
        EXPECT_EQ(events.connectionText, "已连接");
        EXPECT_EQ(events.firmwareVersions.size(), 1u);
        EXPECT_EQ(events.IsEnabled(control::kDownloadButton, !loaded), loaded);
    }
}

TEST_F(ProbeTest, RemovalIsReportedOnceAndResetsTheControls) {
    rules = {.patternAllowsTest = true, .rollingCodeEnabled = true, .exactQ3L88 = true};
    link.ProbeBurner();
    link.SetDownloadActive(true);
    device.Unplug();
    link.ProbeBurner();
    EXPECT_FALSE(link.BurnerPresent());
    EXPECT_FALSE(link.DownloadActive());
    EXPECT_TRUE(events.firmwareVersions.empty());
    EXPECT_EQ(events.connectionText, "未连接");
    EXPECT_EQ(events.statusReports.back(), kNoBurnerConnected);
    EXPECT_FALSE(events.IsEnabled(control::kDownloadButton, true));
    EXPECT_FALSE(events.IsEnabled(control::kChipChecksumButton, true));
    for (const int id : {control::kVerifyCheckbox, control::kBlankCheckCheckbox, control::kProgramCheckbox,
                         control::kTestCheckbox, control::kRollingCodeEnable, control::kOneAddress,
                         control::kTwoAddresses, control::kThreeAddresses, control::kFourAddresses})
        EXPECT_TRUE(events.IsEnabled(id)) << id;

    const std::size_t reports = events.statusReports.size();
    link.ProbeBurner();
    EXPECT_EQ(events.statusReports.size(), reports);

    device.PlugIn();
    link.ProbeBurner();
    EXPECT_EQ(events.firmwareVersions.size(), 1u);
}

TEST_F(ProbeTest, OnlyTimerOneProbes) {
    link.OnTimer(2);
    EXPECT_TRUE(events.calls.empty());
    link.OnTimer(control::kProbeTimerId);
    EXPECT_TRUE(link.BurnerPresent());
}

TEST_F(ProbeTest, RequestWithoutReplyShowsNothing) {
    link.ProbeBurner();
    device.Plan().lateAfterReads = 0;
    for (const uint8_t code : {CMD_FIRMWARE_VERSION, CMD_BURNER_ID, CMD_CHIP_CHECKSUM}) {
        SCOPED_TRACE(int(code));
        events = ObservingEvents{};
        link.ExecuteBurnerCommand(code);
        EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NoReply);
        EXPECT_EQ(events.calls, (std::vector<std::string>{"StopTimer 1", "StartTimer 1 1000"}));
    }
}

TEST_F(ProbeTest, ChipChecksumWithoutBurnerShowsNothing) {
    device.Unplug();
    link.ExecuteBurnerCommand(CMD_CHIP_CHECKSUM);
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NotConnected);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"StopTimer 1", "StartTimer 1 1000"}));
}

TEST_F(ProbeTest, ChipChecksumComesFromTheImageTheBurnerHolds) {
    image = Bytes(2128, 3);
    Download();
    events = ObservingEvents{};
    link.ExecuteBurnerCommand(CMD_CHIP_CHECKSUM);
    ASSERT_EQ(events.statusReports.size(), 1u);
    ChipChecksumReply expected;
    for (std::size_t k = 0; k < 16; ++k)
        expected.configurationWords[k] = static_cast<uint16_t>(image[48 + 2 * k] | image[49 + 2 * k] << 8);
    expected.romChecksum = static_cast<uint16_t>(image[28] | image[29] << 8);
    expected.qvbChecksum = static_cast<uint16_t>(image[30] | image[31] << 8);
    EXPECT_EQ(events.statusReports[0], FormatChipChecksumReport(expected));
    EXPECT_EQ(requestLog.back(),
              "010002300020000085"
              "77");
}

// A request that did not go out is not read for: a stale reply waiting in
// the device would otherwise be shown as its answer.
TEST(FixedRequestWriteTest, FailedWriteShowsNothingAndReadsNothing) {
    tovrin::testing::ScriptedTransport device;
    easypod::HidReport stale{};
    stale[kFirmwareTextOffset] = 'S';
    device.replies = {stale, stale};
    device.writesSucceed = false;
    RecordingEvents events;
    BurnerLink link(device, events, {});
    link.ProbeBurner();
    EXPECT_TRUE(link.BurnerPresent());
    EXPECT_EQ(link.OutcomeOf(CMD_FIRMWARE_VERSION), ExchangeOutcome::WriteFailed);
    EXPECT_EQ(link.OutcomeOf(CMD_BURNER_ID), ExchangeOutcome::WriteFailed);
    EXPECT_EQ(link.LastError(), "scripted write failure");
    EXPECT_TRUE(events.firmwareVersions.empty());
    EXPECT_TRUE(events.statusReports.empty());
    EXPECT_EQ(events.connectionText, "已连接");
    for (const auto timeout : device.readTimeouts) EXPECT_EQ(timeout.count(), 0);  // only the discards
}

TEST(ProbePermissionTest, AttachedButNotOpenableIsDetectable) {
    tovrin::testing::ScriptedTransport device;
    device.openStatus = easypod::HidOpenStatus::AccessDenied;
    RecordingEvents events;
    BurnerLink link(device, events, {});
    link.ProbeBurner();
    EXPECT_FALSE(link.BurnerPresent());
    EXPECT_EQ(link.LastConnectResult(), easypod::kPodAccessDenied);
}

}  // namespace
}  // namespace tovrin::burner::testing
