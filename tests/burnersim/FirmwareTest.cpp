#include "burnersim/BurnerFirmware.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "burner/Protocol.h"

namespace tovrin::burnersim {
namespace {

using burner::BurnerPacket;

BurnerPacket FixedRequest(uint8_t code) {
    BurnerPacket packet{};
    packet[0] = burner::kRequestStartByte;
    packet[2] = code;
    burner::BuildFixedRequest(packet, code);
    return packet;
}

BurnerPacket Packet(uint16_t address, const std::vector<uint8_t>& data, bool last) {
    BurnerPacket packet{};
    packet[0] = burner::kRequestStartByte;
    packet[2] = burner::CMD_DOWNLOAD;
    burner::BuildDownloadPacket(packet, address, data, last);
    return packet;
}

std::optional<uint8_t> Ack(BurnerFirmware& firmware, const BurnerPacket& packet) {
    const auto reply = firmware.Receive(packet);
    if (!reply) return std::nullopt;
    return (*reply)[burner::kAcknowledgementOffset];
}

// An 80-byte image whose header bytes count up, so every field is recognisable.
std::vector<uint8_t> CountingImage() {
    std::vector<uint8_t> image(80);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i);
    return image;
}

void SendImage(BurnerFirmware& firmware, const std::vector<uint8_t>& image) {
    const std::size_t packets = (image.size() + 31) / 32;
    for (std::size_t i = 0; i < packets; ++i) {
        const std::size_t length = std::min<std::size_t>(32, image.size() - 32 * i);
        std::vector<uint8_t> data(image.begin() + 32 * i, image.begin() + 32 * i + length);
        ASSERT_EQ(Ack(firmware, Packet(static_cast<uint16_t>(32 * i), data, i + 1 == packets)),
                  burner::kPacketAccepted);
    }
}

TEST(FirmwareTest, FixedRequestsGetTheirReplies) {
    FirmwareSettings settings;
    settings.firmwareVersion = "V2.5";
    settings.burnerId = 0xA1B2C3D4;
    BurnerFirmware firmware(settings);

    const auto version = firmware.Receive(FixedRequest(burner::CMD_FIRMWARE_VERSION));
    ASSERT_TRUE(version);
    EXPECT_EQ(std::string(version->begin() + 7, version->begin() + 12), std::string("V2.5\0", 5));

    const auto id = firmware.Receive(FixedRequest(burner::CMD_BURNER_ID));
    ASSERT_TRUE(id);
    EXPECT_EQ((*id)[3], 0xD4);
    EXPECT_EQ((*id)[6], 0xA1);

    const auto checksum = firmware.Receive(FixedRequest(burner::CMD_CHIP_CHECKSUM));
    ASSERT_TRUE(checksum);  // no image held yet: zeros
    EXPECT_TRUE(std::all_of(checksum->begin() + 7, checksum->end(), [](uint8_t b) { return b == 0; }));
}

TEST(FirmwareTest, FirmwareTextIsCutToTheReply) {
    FirmwareSettings settings;
    settings.firmwareVersion = std::string(50, 'X');
    BurnerFirmware firmware(settings);
    const auto reply = firmware.Receive(FixedRequest(burner::CMD_FIRMWARE_VERSION));
    ASSERT_TRUE(reply);
    BurnerPacket packet{};
    std::copy_n(reply->begin(), 42, packet.begin());  // what a 42-byte read keeps
    EXPECT_EQ(burner::DecodeFirmwareVersion(packet), std::string(35, 'X'));
}

TEST(FirmwareTest, ChipChecksumComesFromTheHeldHeader) {
    BurnerFirmware firmware;
    SendImage(firmware, CountingImage());
    const auto reply = firmware.Receive(FixedRequest(burner::CMD_CHIP_CHECKSUM));
    ASSERT_TRUE(reply);
    BurnerPacket packet{};
    std::copy(reply->begin(), reply->end(), packet.begin());
    const auto decoded = burner::DecodeChipChecksum(packet);
    EXPECT_EQ(decoded.configurationWords[0], 0x3130);   // header bytes 48, 49
    EXPECT_EQ(decoded.configurationWords[15], 0x4F4E);  // header bytes 78, 79
    EXPECT_EQ(decoded.romChecksum, 0x1D1C);             // header bytes 28, 29
    EXPECT_EQ(decoded.qvbChecksum, 0x1F1E);             // header bytes 30, 31
}

TEST(FirmwareTest, WrongChecksumSwitchMakesTheReplyDisagree) {
    FirmwareSettings settings;
    settings.wrongChecksum = true;
    BurnerFirmware firmware(settings);
    SendImage(firmware, CountingImage());
    const auto reply = firmware.Receive(FixedRequest(burner::CMD_CHIP_CHECKSUM));
    ASSERT_TRUE(reply);
    BurnerPacket packet{};
    std::copy(reply->begin(), reply->end(), packet.begin());
    const auto decoded = burner::DecodeChipChecksum(packet);
    EXPECT_EQ(decoded.configurationWords[0], 0x3130);  // the configuration area stays true
    EXPECT_EQ(decoded.romChecksum, 0x1D1C ^ 0xFFFF);
    EXPECT_EQ(decoded.qvbChecksum, 0x1F1E ^ 0xFFFF);
}

// 2048 packets fill the 16-bit address space, so the next expected address
// is 0 again: only the end of the session tells a new download from a
// continuation.
TEST(FirmwareTest, NewSessionStartsANewDownloadAfterAWholeAddressSpace) {
    BurnerFirmware firmware;
    const std::vector<uint8_t> data(32, 0x33);
    for (std::size_t i = 0; i < 2048; ++i)
        ASSERT_EQ(Ack(firmware, Packet(static_cast<uint16_t>(32 * i), data, i == 0)), burner::kPacketAccepted)
            << i;
    firmware.EndSession();
    EXPECT_EQ(Ack(firmware, Packet(0, std::vector<uint8_t>(32, 0x44), false)), burner::kPacketAccepted);
    EXPECT_EQ(Ack(firmware, Packet(32, std::vector<uint8_t>(32, 0x44), true)), burner::kPacketAccepted);
    EXPECT_EQ(firmware.HeldImage(), std::vector<uint8_t>(64, 0x44));
    EXPECT_TRUE(firmware.HeldPatterns().empty());
}

TEST(FirmwareTest, BadRequestsAreNotAnswered) {
    BurnerFirmware firmware;
    BurnerPacket badCheck = FixedRequest(burner::CMD_BURNER_ID);
    badCheck[9] ^= 0xFF;
    BurnerPacket badStart = FixedRequest(burner::CMD_BURNER_ID);
    badStart[0] = 0x02;
    BurnerPacket unknown = FixedRequest(burner::CMD_BURNER_ID);
    unknown[2] = 0x07;
    for (const auto& request : {badCheck, badStart, unknown}) EXPECT_FALSE(firmware.Receive(request));
}

TEST(FirmwareTest, PacketsAreTakenOnlyInSequenceAndIntact) {
    BurnerFirmware firmware;
    const std::vector<uint8_t> data(32, 0x11);
    EXPECT_EQ(Ack(firmware, Packet(0, data, false)), burner::kPacketAccepted);
    EXPECT_EQ(Ack(firmware, Packet(64, data, false)), kPacketRefused);  // skips packet 1
    BurnerPacket damaged = Packet(32, data, false);
    damaged[10] ^= 0x01;
    EXPECT_EQ(Ack(firmware, damaged), kPacketRefused);
    BurnerPacket badMark = Packet(32, data, false);
    badMark[39] = 2;
    burner::StoreCheckValue(badMark, 42);
    EXPECT_EQ(Ack(firmware, badMark), kPacketRefused);
    EXPECT_EQ(Ack(firmware, Packet(32, data, true)), burner::kPacketAccepted);
    EXPECT_EQ(firmware.HeldImage().size(), 64u);
    // Address 0 out of sequence starts a new download; the held image stays
    // until the new one is whole.
    EXPECT_EQ(Ack(firmware, Packet(0, std::vector<uint8_t>(5, 0x22), false)), burner::kPacketAccepted);
    EXPECT_EQ(firmware.HeldImage().size(), 64u);
    EXPECT_EQ(Ack(firmware, Packet(32, std::vector<uint8_t>(5, 0x22), true)), burner::kPacketAccepted);
    EXPECT_EQ(firmware.HeldImage(), std::vector<uint8_t>(10, 0x22));
}

TEST(FirmwareTest, RefusesEachPacketAsOftenAsSet) {
    FirmwareSettings settings;
    settings.refusalsPerPacket = 2;
    BurnerFirmware firmware(settings);
    const auto packet = Packet(0, std::vector<uint8_t>(32, 1), false);
    EXPECT_EQ(Ack(firmware, packet), kPacketRefused);
    EXPECT_EQ(Ack(firmware, packet), kPacketRefused);
    EXPECT_EQ(Ack(firmware, packet), burner::kPacketAccepted);
    EXPECT_EQ(Ack(firmware, Packet(32, std::vector<uint8_t>(32, 1), false)), kPacketRefused);
    EXPECT_EQ(firmware.PacketsRefused(), 3u);
}

TEST(FirmwareTest, LogsEachRequestBlockAsHex) {
    BurnerFirmware firmware;
    std::vector<std::string> lines;
    firmware.SetRequestLog([&](std::string_view line) { lines.emplace_back(line); });
    firmware.Receive(FixedRequest(burner::CMD_CHIP_CHECKSUM));
    firmware.Receive(Packet(0x20, {0xAB, 0xCD}, true));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "0100023000200000"
              "8577");
    EXPECT_EQ(lines[1].substr(0, 20),
              "010001200002"
              "00ABCD01");
    EXPECT_EQ(lines[1].size(), 2u * 12);
}

}  // namespace
}  // namespace tovrin::burnersim
