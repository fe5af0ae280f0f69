#include "platform/easypod/EasyPod.h"

#include <gtest/gtest.h>

#include <numeric>

#include "tests/burner/ScriptedTransport.h"

namespace tovrin::easypod {
namespace {

using tovrin::testing::ScriptedTransport;

HidReport Filled(uint8_t first) {
    HidReport report;
    std::iota(report.begin(), report.end(), first);
    return report;
}

class EasyPodTest : public ::testing::Test {
protected:
    void SetUp() override {
        record.SetBurnerFields();
        ASSERT_EQ(ConnectPOD(&record, kBurnerDeviceIndex), kPodSuccess);
    }
    ScriptedTransport device;
    PodRecord record{device};
};

TEST_F(EasyPodTest, BlockTravelsAsZeroPaddedReports) {
    std::vector<uint8_t> block(70);
    std::iota(block.begin(), block.end(), uint8_t{1});
    uint32_t sent = 0;
    ASSERT_EQ(WriteData(&record, block.data(), 70, &sent), kPodSuccess);
    EXPECT_EQ(sent, 70u);
    ASSERT_EQ(device.written.size(), 2u);
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 64, device.written[0].begin()));
    EXPECT_TRUE(std::equal(block.begin() + 64, block.end(), device.written[1].begin()));
    EXPECT_TRUE(std::all_of(device.written[1].begin() + 6, device.written[1].end(),
                            [](uint8_t b) { return b == 0; }));
}

TEST_F(EasyPodTest, ReadKeepsOnlyTheBytesAskedFor) {
    device.replies = {Filled(0), Filled(100)};
    std::vector<uint8_t> buffer(80, 0xAA);
    uint32_t received = 0;
    ASSERT_EQ(ReadData(&record, buffer.data(), 70, &received), kPodSuccess);
    EXPECT_EQ(received, 70u);
    EXPECT_EQ(buffer[63], 63);
    EXPECT_EQ(buffer[64], 100);
    EXPECT_EQ(buffer[69], 105);
    EXPECT_EQ(buffer[70], 0xAA);  // beyond the count: untouched
    EXPECT_EQ(device.readTimeouts,
              (std::vector<std::chrono::milliseconds>(2, std::chrono::milliseconds(5000))));
}

TEST_F(EasyPodTest, ReadThatTimesOutSaysSoAndKeepsWhatArrived) {
    device.replies = {Filled(0), std::nullopt};
    std::vector<uint8_t> buffer(128, 0xAA);
    uint32_t received = 0;
    EXPECT_EQ(ReadData(&record, buffer.data(), 100, &received), kPodTimedOut);
    EXPECT_EQ(received, 64u);
    EXPECT_EQ(buffer[64], 0xAA);
}

TEST_F(EasyPodTest, CallsAfterDisconnectFail) {
    DisconnectPOD(&record);
    EXPECT_EQ(device.closes, 1);
    uint8_t byte = 0;
    EXPECT_EQ(WriteData(&record, &byte, 1, nullptr), kPodNotConnected);
    EXPECT_EQ(ReadData(&record, &byte, 1, nullptr), kPodNotConnected);
    DisconnectPOD(&record);  // a second disconnect closes nothing
    EXPECT_EQ(device.closes, 1);
}

TEST_F(EasyPodTest, FailedWriteIsReportedWithItsReason) {
    device.writesSucceed = false;
    uint8_t byte = 0;
    EXPECT_EQ(WriteData(&record, &byte, 1, nullptr), kPodFailed);
    EXPECT_EQ(record.LastError(), "scripted write failure");
}

TEST_F(EasyPodTest, WriteThrowsAwayRepliesThatWereWaiting) {
    device.replies = {Filled(0), Filled(1)};
    uint8_t byte = 0;
    ASSERT_EQ(WriteData(&record, &byte, 1, nullptr), kPodSuccess);
    EXPECT_TRUE(device.replies.empty());
    EXPECT_EQ(ReadData(&record, &byte, 1, nullptr), kPodTimedOut);
}

TEST(EasyPodConnect, OpenOutcomesBecomeResultCodes) {
    const struct {
        HidOpenStatus status;
        uint32_t result;
    } cases[] = {{HidOpenStatus::Opened, kPodSuccess},
                 {HidOpenStatus::NotFound, kPodNotFound},
                 {HidOpenStatus::AccessDenied, kPodAccessDenied},
                 {HidOpenStatus::Failed, kPodFailed}};
    for (const auto& c : cases) {
        ScriptedTransport device;
        device.openStatus = c.status;
        PodRecord record(device);
        record.SetBurnerFields();
        EXPECT_EQ(ConnectPOD(&record, 1), c.result);
    }
}

TEST(EasyPodConnect, RecordHoldsTheBurnersFields) {
    ScriptedTransport device;
    PodRecord record(device);
    record.SetBurnerFields();
    EXPECT_EQ(record.vendorId, 0x0C00u);
    EXPECT_EQ(record.productId, 0x0311u);
    EXPECT_EQ(record.readTimeoutMs, 5000u);
    EXPECT_EQ(record.writeTimeoutMs, 5000u);
    record.vendorId = 0x10000;  // no 16-bit vendor id
    EXPECT_EQ(ConnectPOD(&record, 1), kPodNotFound);
    EXPECT_EQ(device.opens, 0);
}

}  // namespace
}  // namespace tovrin::easypod
