#include "platform/easypod/FaultyTransport.h"

#include <gtest/gtest.h>

#include "burner/Protocol.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/EasyPod.h"

namespace tovrin::easypod {
namespace {

const HidDeviceMatch kBurner{kBurnerVendorId, kBurnerProductId, 1};

HidReport IdRequest() {
    burner::BurnerPacket packet{};
    packet[0] = burner::kRequestStartByte;
    packet[2] = burner::CMD_BURNER_ID;
    burner::BuildFixedRequest(packet, burner::CMD_BURNER_ID);
    return packet;
}

class FaultyTransportTest : public ::testing::Test {
protected:
    burnersim::BurnerFirmware firmware;
    burnersim::SimulatorTransport simulator{firmware};
    FaultyTransport device{simulator};
    HidReport reply{};
    const std::chrono::milliseconds timeout{5000};
};

TEST_F(FaultyTransportTest, SimulatorAnswersOnlyTheBurnersIdentity) {
    EXPECT_EQ(device.Open({0x1234, kBurnerProductId, 1}), HidOpenStatus::NotFound);
    EXPECT_EQ(device.Open({kBurnerVendorId, kBurnerProductId, 2}), HidOpenStatus::NotFound);
    ASSERT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
    EXPECT_EQ(device.ReadReport(reply, timeout), HidReadStatus::TimedOut);  // nothing asked yet
    ASSERT_TRUE(device.WriteReport(IdRequest(), timeout));
    EXPECT_EQ(device.ReadReport(reply, timeout), HidReadStatus::Received);
    device.Close();
    EXPECT_FALSE(device.WriteReport(IdRequest(), timeout));
}

TEST_F(FaultyTransportTest, UnplugAfterWritesTakesTheDeviceAway) {
    device.Plan().unplugAfterWrites = 2;
    ASSERT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
    EXPECT_TRUE(device.WriteReport(IdRequest(), timeout));
    EXPECT_TRUE(device.WriteReport(IdRequest(), timeout));
    EXPECT_FALSE(device.WriteReport(IdRequest(), timeout));
    EXPECT_EQ(device.ReadReport(reply, timeout), HidReadStatus::Failed);
    EXPECT_EQ(device.Open(kBurner), HidOpenStatus::NotFound);
    device.PlugIn();
    EXPECT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
}

TEST_F(FaultyTransportTest, LateAndGarbageRepliesStartAfterTheirCount) {
    device.Plan().garbageAfterReads = 1;
    device.Plan().lateAfterReads = 2;
    ASSERT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
    HidReport first{};
    HidReport second{};
    device.WriteReport(IdRequest(), timeout);
    ASSERT_EQ(device.ReadReport(first, timeout), HidReadStatus::Received);
    device.WriteReport(IdRequest(), timeout);
    ASSERT_EQ(device.ReadReport(second, timeout), HidReadStatus::Received);
    EXPECT_EQ(first[burner::kBurnerIdOffset], 0x02);  // the true reply
    EXPECT_NE(first, second);
    device.WriteReport(IdRequest(), timeout);
    EXPECT_EQ(device.ReadReport(reply, timeout), HidReadStatus::TimedOut);
}

TEST_F(FaultyTransportTest, UnpluggedDeviceCannotBeOpened) {
    device.Unplug();
    EXPECT_EQ(device.Open(kBurner), HidOpenStatus::NotFound);
    EXPECT_EQ(device.LastError(), "the burner was unplugged");
}

// However the delay comes about, a reply after the reader's time-out is a
// time-out, and the stale reply never reaches a later read.
TEST_F(FaultyTransportTest, ReplyLaterThanTheReadTimeOutIsATimeOut) {
    const struct {
        std::chrono::milliseconds latency;
        std::chrono::milliseconds timeout;
        HidReadStatus status;
    } cases[] = {
        {std::chrono::milliseconds(60), std::chrono::milliseconds(15), HidReadStatus::TimedOut},
        {std::chrono::milliseconds(2), std::chrono::milliseconds(1000), HidReadStatus::Received},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.latency.count());
        device.Plan().latencyPerReport = c.latency;
        ASSERT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
        ASSERT_TRUE(device.WriteReport(IdRequest(), timeout));
        EXPECT_EQ(device.ReadReport(reply, c.timeout), c.status);
        EXPECT_EQ(device.ReadReport(reply, std::chrono::milliseconds(0)), HidReadStatus::TimedOut);
        device.Close();
    }
}

TEST_F(FaultyTransportTest, DiscardingTakesNoBusTimeAndCountsNoDelivery) {
    ASSERT_EQ(device.Open(kBurner), HidOpenStatus::Opened);
    ASSERT_TRUE(device.WriteReport(IdRequest(), timeout));
    ASSERT_TRUE(device.WriteReport(IdRequest(), timeout));
    EXPECT_EQ(device.DiscardWaitingReports(), 2u);
    EXPECT_EQ(device.RepliesDelivered(), 0u);
    EXPECT_EQ(device.ReadReport(reply, timeout), HidReadStatus::TimedOut);
}

}  // namespace
}  // namespace tovrin::easypod
