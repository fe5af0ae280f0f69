#include "burner/Protocol.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "image/Crc16.h"

namespace tovrin::burner {
namespace {

BurnerPacket FreshPacket(uint8_t code) {
    BurnerPacket packet{};
    packet[0] = kRequestStartByte;
    packet[2] = code;
    return packet;
}

TEST(ProtocolTest, FixedRequestsAreTheProtocolsBytes) {
    const struct {
        uint8_t code;
        std::vector<uint8_t> bytes;
        std::size_t replyLength;
    } cases[] = {
        {CMD_FIRMWARE_VERSION, {0x01, 0x00, 0x00, 0x30, 0x00, 0x20, 0x00, 0x00, 0xC5, 0xFC}, 42},
        {CMD_CHIP_CHECKSUM, {0x01, 0x00, 0x02, 0x30, 0x00, 0x20, 0x00, 0x00, 0x85, 0x77}, 46},
        {CMD_BURNER_ID, {0x01, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0xEC, 0x35}, 10},
    };
    for (const auto& c : cases) {
        BurnerPacket packet = FreshPacket(c.code);
        ASSERT_EQ(BuildFixedRequest(packet, c.code), 10u);
        EXPECT_EQ(std::vector<uint8_t>(packet.begin(), packet.begin() + 10), c.bytes) << int(c.code);
        EXPECT_TRUE(std::all_of(packet.begin() + 10, packet.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(FixedRequestFor(c.code)->replyLength, c.replyLength);
    }
    BurnerPacket packet = FreshPacket(CMD_DOWNLOAD);
    EXPECT_EQ(BuildFixedRequest(packet, CMD_DOWNLOAD), 0u);
}

TEST(ProtocolTest, DownloadPacketLayout) {
    const struct {
        std::size_t dataLength;
        bool last;
    } cases[] = {{32, false}, {32, true}, {16, true}, {1, false}};
    for (const auto& c : cases) {
        BurnerPacket packet = FreshPacket(CMD_DOWNLOAD);
        packet[0] = 0x77;  // bytes 0..2 are the previous reply's and stay
        packet[1] = 0x66;
        std::vector<uint8_t> data(c.dataLength);
        std::iota(data.begin(), data.end(), uint8_t{0x40});
        const std::size_t n = BuildDownloadPacket(packet, 0x1234, data, c.last);
        ASSERT_EQ(n, c.dataLength + 10);
        EXPECT_EQ(packet[0], 0x77);
        EXPECT_EQ(packet[1], 0x66);
        EXPECT_EQ(packet[2], CMD_DOWNLOAD);
        EXPECT_EQ(packet[3], 0x34);
        EXPECT_EQ(packet[4], 0x12);
        EXPECT_EQ(packet[5], c.dataLength);
        EXPECT_EQ(packet[6], 0);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), packet.begin() + 7));
        EXPECT_EQ(packet[7 + c.dataLength], c.last ? 1 : 0);
        const uint16_t check = image::Crc16(std::span<const uint8_t>(packet.data(), n - 2));
        EXPECT_EQ(packet[n - 2], check & 0xFF);
        EXPECT_EQ(packet[n - 1], check >> 8);
        EXPECT_TRUE(HasValidCheckValue(std::span<const uint8_t>(packet.data(), n)));
    }
}

TEST(ProtocolTest, CheckValueCatchesAnyChangedByte) {
    BurnerPacket packet = FreshPacket(CMD_BURNER_ID);
    BuildFixedRequest(packet, CMD_BURNER_ID);
    for (std::size_t i = 0; i < 10; ++i) {
        BurnerPacket changed = packet;
        changed[i] ^= 0x01;
        EXPECT_FALSE(HasValidCheckValue(std::span<const uint8_t>(changed.data(), 10))) << i;
    }
    EXPECT_FALSE(HasValidCheckValue(std::span<const uint8_t>(packet.data(), 1)));
}

TEST(ProtocolTest, FirmwareTextEndsAtFirstZeroOrAtTheBuffersEnd) {
    BurnerPacket packet{};
    std::fill(packet.begin() + 7, packet.begin() + 42, 'A');  // 35 characters
    EXPECT_EQ(DecodeFirmwareVersion(packet), std::string(35, 'A'));
    packet.fill('B');  // a reply without any zero byte
    EXPECT_EQ(DecodeFirmwareVersion(packet), std::string(57, 'B'));
}

TEST(ProtocolTest, BurnerIdAndItsTexts) {
    BurnerPacket packet{};
    packet[3] = 0x78;
    packet[4] = 0x56;
    packet[5] = 0x34;
    packet[6] = 0x12;
    const uint32_t id = DecodeBurnerId(packet);
    EXPECT_EQ(id, 0x12345678u);
    EXPECT_EQ(FormatBurnerIdReport(id), "\r\n  The Connected Burner ID :12345678(3430008)");
    EXPECT_EQ(FormatBurnerIdReport(0x01000005), "\r\n  The Connected Burner ID :01000005(000005)");
    EXPECT_EQ(FormatConnectedWithId(0xAB), "已连接(000000AB)");
}

TEST(ProtocolTest, ChipChecksumReport) {
    BurnerPacket packet{};
    for (std::size_t k = 0; k < 16; ++k) {
        packet[7 + 2 * k] = static_cast<uint8_t>(k);         // low
        packet[8 + 2 * k] = static_cast<uint8_t>(0x30 + k);  // high
    }
    packet[39] = 0xCD;  // ROM, low first
    packet[40] = 0xAB;
    packet[41] = 0x34;  // QVB
    packet[42] = 0x12;
    const ChipChecksumReply reply = DecodeChipChecksum(packet);
    EXPECT_EQ(reply.configurationWords[1], 0x3101);
    EXPECT_EQ(reply.romChecksum, 0xABCD);
    EXPECT_EQ(reply.qvbChecksum, 0x1234);
    EXPECT_EQ(FormatChipChecksumReport(reply),
              "\r\nChip Configration Area:\r\n"
              "3000 3101 3202 3303 3404 3505 3606 3707 \r\n"
              "3808 3909 3A0A 3B0B 3C0C 3D0D 3E0E 3F0F "
              "\r\n\r\n校验和(QVB): 1234  校验和(ROM): ABCD");
}

TEST(ProtocolTest, Acknowledgement) {
    BurnerPacket packet{};
    packet[7] = 0xE0;
    EXPECT_TRUE(IsPacketAccepted(packet));
    packet[7] = 0xE1;
    EXPECT_FALSE(IsPacketAccepted(packet));
}

}  // namespace
}  // namespace tovrin::burner

#include "burner/ChipChecksumCheck.h"

namespace tovrin::burner {
namespace {

TEST(ChipChecksumCheck, NamesEachFieldThatDisagreesWithBothValues) {
    std::vector<uint8_t> header(80, 0);
    header[28] = 0x34;  // ROM 1234
    header[29] = 0x12;
    header[30] = 0xCD;  // QVB ABCD
    header[31] = 0xAB;
    header[48 + 2 * 15] = 0xFF;  // word 15 = 3FFF
    header[49 + 2 * 15] = 0x3F;
    ChipChecksumReply same;
    same.romChecksum = 0x1234;
    same.qvbChecksum = 0xABCD;
    same.configurationWords[15] = 0x3FFF;
    EXPECT_TRUE(CompareChipChecksum(same, header).empty());

    ChipChecksumReply other = same;
    other.qvbChecksum = 0xABCE;
    other.configurationWords[15] = 0x3FFE;
    const auto differences = CompareChipChecksum(other, header);
    EXPECT_EQ(DescribeDifferences(differences),
              "QVB checksum: burner ABCE, image ABCD; configuration word 15: burner 3FFE, image 3FFF");

    EXPECT_EQ(DescribeDifferences(CompareChipChecksum(same, std::span(header).first(79))),
              "the image has no whole header to compare with");
}

}  // namespace
}  // namespace tovrin::burner
