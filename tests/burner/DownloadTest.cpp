#include <gtest/gtest.h>

#include "image/ControlIds.h"
#include "image/Crc16.h"
#include "tests/burner/LinkFixture.h"
#include "tests/burner/ScriptedTransport.h"

namespace tovrin::burner::testing {
namespace {

class DownloadTest : public LinkFixture {};

struct PacketPlan {
    std::size_t imageBytes;
    std::size_t patternBytes;
    std::size_t pattern2Bytes;
    std::size_t lastImageLength;
    std::size_t packets;
};

TEST_F(DownloadTest, PacketsCarryImageThenPatternsWithRunningAddresses) {
    const PacketPlan plans[] = {
        {2128, 592, 1280, 16, 67 + 18 + 40},  // the demo chip: 592 bytes give 18 packets, 1280 give 40
        {96, 0, 0, 32, 3},                    // a multiple of 32: last image packet full, end mark at 39
        {112, 0, 1280, 16, 4 + 40},           // 32k + 16: a 26-byte last image packet
        {32, 100, 0, 32, 1 + 3},
        {80, 0, 0, 16, 3},
    };
    for (const auto& plan : plans) {
        SCOPED_TRACE(plan.imageBytes);
        requestLog.clear();
        image = Bytes(plan.imageBytes, 1);
        pattern = Bytes(plan.patternBytes, 2);
        pattern2 = Bytes(plan.pattern2Bytes, 3);
        Download();
        ASSERT_EQ(link.LastOutcome(), ExchangeOutcome::Completed);
        EXPECT_EQ(events.statusReports.back(), kDownloadSucceeded);

        const auto packets = Requests(CMD_DOWNLOAD);
        ASSERT_EQ(packets.size(), plan.packets);
        const std::size_t imagePackets = (plan.imageBytes + 31) / 32;
        std::vector<uint8_t> sent;
        for (std::size_t i = 0; i < packets.size(); ++i) {
            const auto& p = packets[i];
            const bool lastImage = i + 1 == imagePackets;
            const std::size_t length = lastImage ? plan.lastImageLength : 32;
            ASSERT_EQ(p.size(), length + 10) << i;
            EXPECT_EQ(p[0], 0x01);
            EXPECT_EQ(p[1], 0x00);
            EXPECT_EQ(p[2], CMD_DOWNLOAD);
            EXPECT_EQ(p[3] | p[4] << 8, static_cast<int>((i * 32) & 0xFFFF)) << i;
            EXPECT_EQ(p[5] | p[6] << 8, static_cast<int>(length));
            EXPECT_EQ(p[7 + length], lastImage ? 1 : 0) << i;
            const uint16_t check = image::Crc16(std::span<const uint8_t>(p.data(), length + 8));
            EXPECT_EQ(p[length + 8] | p[length + 9] << 8, check);
            if (i >= imagePackets) sent.insert(sent.end(), p.begin() + 7, p.begin() + 7 + length);
        }
        EXPECT_EQ(firmware.HeldImage(), image);
        std::vector<uint8_t> expected(pattern.begin(), pattern.begin() + pattern.size() / 32 * 32);
        expected.insert(expected.end(), pattern2.begin(), pattern2.begin() + pattern2.size() / 32 * 32);
        EXPECT_EQ(sent, expected);
        EXPECT_EQ(firmware.HeldPatterns(), expected);
    }
}

TEST_F(DownloadTest, AddressWrapsPastTheSixteenBitField) {
    image = Bytes(2049 * 32, 5);
    Download();
    ASSERT_EQ(link.LastOutcome(), ExchangeOutcome::Completed);
    const auto packets = Requests(CMD_DOWNLOAD);
    ASSERT_EQ(packets.size(), 2049u);
    EXPECT_EQ(packets[2047][3] | packets[2047][4] << 8, 0xFFE0);
    EXPECT_EQ(packets[2048][3] | packets[2048][4] << 8, 0x0000);
    EXPECT_EQ(firmware.HeldImage(), image);
}

TEST_F(DownloadTest, ProgressCountsImagePacketsAndHidesBeforeTheLastIsSent) {
    const struct {
        std::size_t imageBytes;
        std::vector<std::string> progress;
    } cases[] = {
        {80,
         {"ShowProgress", "SetProgressTotal 3", "SetProgressPosition 0", "SetProgressPosition 1",
          "SetProgressPosition 2", "HideProgress"}},
        {20, {"ShowProgress", "SetProgressTotal 1", "SetProgressPosition 0", "HideProgress"}},
    };
    for (const auto& c : cases) {
        events.ClearCalls();
        image = Bytes(c.imageBytes, 9);
        pattern = Bytes(64, 1);
        uint64_t acceptedAtHide = 99;
        events.onHideProgress = [&] { acceptedAtHide = firmware.PacketsAccepted(); };
        const uint64_t before = firmware.PacketsAccepted();
        Download();
        std::vector<std::string> progress;
        for (const auto& call : events.calls)
            if (call.find("Progress") != std::string::npos) progress.push_back(call);
        EXPECT_EQ(progress, c.progress);
        EXPECT_EQ(acceptedAtHide - before, (c.imageBytes + 31) / 32 - 1);
        EXPECT_FALSE(events.progressVisible);
    }
}

TEST_F(DownloadTest, SuccessReenablesButtonAndSettingsByTheirRules) {
    rules = {.patternAllowsTest = false, .rollingCodeEnabled = true, .exactQ3L88 = false};
    Download();
    EXPECT_FALSE(link.DownloadActive());
    EXPECT_TRUE(events.IsEnabled(control::kDownloadButton));
    EXPECT_TRUE(events.IsEnabled(control::kVerifyCheckbox));
    EXPECT_FALSE(events.IsEnabled(control::kTestCheckbox, true));
    EXPECT_TRUE(events.IsEnabled(control::kTwoAddresses));
    EXPECT_FALSE(events.IsEnabled(control::kFourAddresses, true));
    EXPECT_EQ(events.calls.front(), "StopTimer 1");
    EXPECT_EQ(events.calls.back(), "StartTimer 1 1000");
}

TEST_F(DownloadTest, RefusedPacketsAreResentBoundedly) {
    const struct {
        uint32_t refusals;
        bool succeeds;
    } cases[] = {
        {0, true}, {3, true}, {uint32_t(kMaxPacketResends), true}, {uint32_t(kMaxPacketResends) + 1, false}};
    image = Bytes(64, 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusals);
        requestLog.clear();
        events = ObservingEvents{};
        firmware.Settings().refusalsPerPacket = c.refusals;
        Download();
        const auto packets = Requests(CMD_DOWNLOAD);
        if (c.succeeds) {
            EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::Completed);
            EXPECT_EQ(packets.size(), 2 * (c.refusals + 1));
            EXPECT_EQ(firmware.HeldImage(), image);
            EXPECT_TRUE(events.messages.empty());
        } else {
            EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::Refused);
            EXPECT_EQ(packets.size(), std::size_t(kMaxPacketResends) + 1);  // packet 0, sent and resent
            EXPECT_EQ(events.messages, std::vector<std::string>{std::string(kBurnerKeptRefusing)});
            EXPECT_LT(CallIndex("HideProgress"), CallIndex("ShowMessage"));
            EXPECT_TRUE(events.IsEnabled(control::kDownloadButton));
            EXPECT_FALSE(Called("SetSettingsControls"));
            EXPECT_FALSE(link.DownloadActive());
        }
    }
}

TEST_F(DownloadTest, FailuresInMidDownloadEndItWithTheirMessage) {
    const struct {
        const char* name;
        std::function<void(easypod::FaultPlan&)> fault;
        ExchangeOutcome outcome;
        std::string_view message;
    } cases[] = {
        {"write fails", [](easypod::FaultPlan& p) { p.unplugAfterWrites = 5; }, ExchangeOutcome::WriteFailed,
         kUsbLostDuringDownload},
        {"reply late", [](easypod::FaultPlan& p) { p.lateAfterReads = 5; }, ExchangeOutcome::NoReply,
         kBurnerDidNotAnswer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        device.Plan() = {};
        c.fault(device.Plan());
        events = ObservingEvents{};
        Download();
        EXPECT_EQ(link.LastOutcome(), c.outcome);
        EXPECT_EQ(events.messages, std::vector<std::string>{std::string(c.message)});
        EXPECT_LT(CallIndex("HideProgress"), CallIndex("ShowMessage"));
        EXPECT_FALSE(events.progressVisible);
        EXPECT_TRUE(events.IsEnabled(control::kDownloadButton));
        EXPECT_FALSE(Called("SetSettingsControls"));  // they wait for the probe
        EXPECT_TRUE(events.statusReports.empty());
        EXPECT_FALSE(link.DownloadActive());
        EXPECT_EQ(events.calls.back(), "StartTimer 1 1000");
    }
}

TEST_F(DownloadTest, ProbeAfterALostBurnerGivesTheSettingsBack) {
    link.ProbeBurner();
    ASSERT_TRUE(link.BurnerPresent());
    device.Plan().unplugAfterWrites = device.ReportsWritten() + 3;
    rules.patternAllowsTest = true;
    Download();
    ASSERT_EQ(link.LastOutcome(), ExchangeOutcome::WriteFailed);
    events.ClearCalls();
    link.ProbeBurner();
    EXPECT_EQ(events.statusReports.back(), kNoBurnerConnected);
    EXPECT_TRUE(events.IsEnabled(control::kTestCheckbox));
    EXPECT_TRUE(events.IsEnabled(control::kRollingCodeEnable));
    EXPECT_FALSE(events.IsEnabled(control::kDownloadButton, true));
}

// The timed-out read leaves the request in the buffer; its byte 7 (the first
// data byte) is 0xE0 here, which must not pass for an acknowledgement.
TEST_F(DownloadTest, MissingReplyIsNeverTakenForAnAcknowledgement) {
    image = Bytes(32, 0);
    image[0] = kPacketAccepted;
    device.Plan().lateAfterReads = 0;
    Download();
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NoReply);
    EXPECT_TRUE(events.statusReports.empty());
    EXPECT_EQ(events.messages.size(), 1u);
}

// The noise lands in bytes 0-2 of the resent packet, whose bad start byte
// the burner does not answer.
TEST_F(DownloadTest, GarbageRepliesEndTheDownloadInsteadOfHoldingIt) {
    image = Bytes(2128, 0);
    device.Plan().garbageAfterReads = 0;
    Download();
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NoReply);
    EXPECT_EQ(device.ReportsWritten(), 2u);
    EXPECT_EQ(events.messages, std::vector<std::string>{std::string(kBurnerDidNotAnswer)});
}

// Each download must start afresh even when the last one ended where the
// 16-bit address wraps (2048 packets, a 64 KiB image).
TEST_F(DownloadTest, DownloadAfterOneOfAWholeAddressSpaceStartsAfresh) {
    for (const uint8_t seed : {3, 4, 5}) {
        SCOPED_TRACE(seed);
        image = Bytes(2048 * 32, seed);
        Download();
        ASSERT_EQ(link.LastOutcome(), ExchangeOutcome::Completed);
        EXPECT_EQ(firmware.HeldImage(), image);
    }
}

// A burner that acknowledges packet 0 twice and refuses packet 1: the second
// acknowledgement waits in the queue while packet 1 goes out, and must not
// pass for packet 1's answer.
TEST(OutOfStepTest, StaleAcknowledgementIsNotTakenForTheNextPacket) {
    tovrin::testing::ScriptedTransport device;
    int packetsSeen = 0;
    device.answer = [&](const easypod::HidReport& request) {
        easypod::HidReport reply = request;
        const bool first = packetsSeen++ == 0;
        reply[kAcknowledgementOffset] = first ? kPacketAccepted : burnersim::kPacketRefused;
        return first ? std::vector<easypod::HidReport>{reply, reply} : std::vector<easypod::HidReport>{reply};
    };
    RecordingEvents events;
    const std::vector<uint8_t> image = Bytes(64, 0);
    BurnerLink link(device, events, [&] { return LinkInputs{image, {}, {}, true, {}}; });
    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(CMD_DOWNLOAD);
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::Refused);
    EXPECT_TRUE(events.statusReports.empty());
    EXPECT_EQ(events.messages, std::vector<std::string>{std::string(kBurnerKeptRefusing)});
    EXPECT_EQ(device.written.size(), 1u + kMaxPacketResends + 1);
}

TEST_F(DownloadTest, BurnerNotAnsweringLeavesTheDownloadMarkedActive) {
    device.Unplug();
    Download();
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NotConnected);
    EXPECT_TRUE(link.DownloadActive());
    EXPECT_TRUE(requestLog.empty());
    EXPECT_EQ(events.calls, (std::vector<std::string>{"StopTimer 1", "StartTimer 1 1000"}));
}

TEST_F(DownloadTest, NothingIsSentUnlessTheDownloadIsActive) {
    link.ExecuteBurnerCommand(CMD_DOWNLOAD);
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NothingSent);
    image.clear();
    Download();
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::NothingSent);
    EXPECT_TRUE(requestLog.empty());
    EXPECT_FALSE(link.DownloadActive());
}

TEST(DownloadCarryTest, BytesZeroToTwoComeFromThePreviousReply) {
    tovrin::testing::ScriptedTransport device;
    easypod::HidReport ack{};
    ack[0] = 0x5A;
    ack[1] = 0xA5;
    ack[2] = CMD_DOWNLOAD;
    ack[7] = kPacketAccepted;
    device.answer = [&ack](const easypod::HidReport&) { return std::vector<easypod::HidReport>{ack}; };
    RecordingEvents events;
    const std::vector<uint8_t> image = Bytes(64, 0);
    BurnerLink link(device, events, [&] { return LinkInputs{image, {}, {}, true, {}}; });
    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(CMD_DOWNLOAD);
    ASSERT_EQ(device.written.size(), 2u);
    EXPECT_EQ(device.written[0][0], 0x01);
    EXPECT_EQ(device.written[0][1], 0x00);
    EXPECT_EQ(device.written[1][0], 0x5A);
    EXPECT_EQ(device.written[1][1], 0xA5);
    EXPECT_EQ(device.written[1][2], CMD_DOWNLOAD);
    // The check value covers the carried bytes.
    EXPECT_TRUE(HasValidCheckValue(std::span<const uint8_t>(device.written[1].data(), 42)));
    EXPECT_EQ(link.LastOutcome(), ExchangeOutcome::Completed);
}

}  // namespace
}  // namespace tovrin::burner::testing
