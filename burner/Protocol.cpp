#include "burner/Protocol.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "image/Crc16.h"

namespace tovrin::burner {

namespace {

uint16_t Le16(const BurnerPacket& packet, std::size_t offset) {
    return static_cast<uint16_t>(packet[offset] | (packet[offset + 1] << 8));
}

void PutLe16(BurnerPacket& packet, std::size_t offset, uint16_t value) {
    packet[offset] = static_cast<uint8_t>(value & 0xFF);
    packet[offset + 1] = static_cast<uint8_t>(value >> 8);
}

template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, args...);
    return std::string(text, length < 0 ? 0 : std::min<std::size_t>(length, sizeof text - 1));
}

}  // namespace

std::optional<FixedRequest> FixedRequestFor(uint8_t code) {
    switch (code) {
        case CMD_FIRMWARE_VERSION:
            return FixedRequest{0x0030, 0x0020, kFirmwareVersionReplyLength};
        case CMD_CHIP_CHECKSUM:
            return FixedRequest{0x0030, 0x0020, kChipChecksumReplyLength};
        case CMD_BURNER_ID:
            return FixedRequest{0x0000, 0x0000, kBurnerIdReplyLength};
        default:
            return std::nullopt;
    }
}

std::size_t BuildFixedRequest(BurnerPacket& packet, uint8_t code) {
    const auto request = FixedRequestFor(code);
    if (!request) return 0;
    PutLe16(packet, kAddressOffset, request->address);
    PutLe16(packet, kLengthOffset, request->length);
    packet[kDataOffset] = 0;
    StoreCheckValue(packet, kFixedRequestLength);
    return kFixedRequestLength;
}

std::size_t BuildDownloadPacket(BurnerPacket& packet, uint16_t address, std::span<const uint8_t> data,
                                bool lastImagePacket) {
    const std::size_t length = std::min(data.size(), kMaxPacketData);
    PutLe16(packet, kAddressOffset, address);
    PutLe16(packet, kLengthOffset, static_cast<uint16_t>(length));
    if (length > 0) std::memcpy(packet.data() + kDataOffset, data.data(), length);
    packet[kDataOffset + length] = lastImagePacket ? kLastImagePacketMark : 0;
    const std::size_t requestLength = length + kPacketOverhead;
    StoreCheckValue(packet, requestLength);
    return requestLength;
}

void StoreCheckValue(BurnerPacket& packet, std::size_t requestLength) {
    if (requestLength < 2 || requestLength > packet.size()) return;
    const uint16_t check = image::Crc16(std::span<const uint8_t>(packet.data(), requestLength - 2));
    PutLe16(packet, requestLength - 2, check);
}

bool HasValidCheckValue(std::span<const uint8_t> block) {
    if (block.size() < 2) return false;
    const std::size_t body = block.size() - 2;
    const uint16_t stored = static_cast<uint16_t>(block[body] | (block[body + 1] << 8));
    return image::Crc16(block.first(body)) == stored;
}

std::string DecodeFirmwareVersion(const BurnerPacket& packet) {
    const auto* begin = packet.data() + kFirmwareTextOffset;
    const auto* end = packet.data() + packet.size();
    return std::string(begin, std::find(begin, end, uint8_t{0}));
}

uint32_t DecodeBurnerId(const BurnerPacket& packet) {
    return static_cast<uint32_t>(packet[kBurnerIdOffset]) |
           static_cast<uint32_t>(packet[kBurnerIdOffset + 1]) << 8 |
           static_cast<uint32_t>(packet[kBurnerIdOffset + 2]) << 16 |
           static_cast<uint32_t>(packet[kBurnerIdOffset + 3]) << 24;
}

bool IsPacketAccepted(const BurnerPacket& packet) {
    return packet[kAcknowledgementOffset] == kPacketAccepted;
}

ChipChecksumReply DecodeChipChecksum(const BurnerPacket& packet) {
    ChipChecksumReply reply;
    for (std::size_t k = 0; k < kConfigurationWordCount; ++k)
        reply.configurationWords[k] = Le16(packet, kConfigurationWordsOffset + 2 * k);
    reply.romChecksum = Le16(packet, kRomChecksumOffset);
    reply.qvbChecksum = Le16(packet, kQvbChecksumOffset);
    return reply;
}

std::string FormatBurnerIdReport(uint32_t burnerId) {
    constexpr uint32_t kLow24Bits = 0xFFFFFF;
    return Format("\r\n  The Connected Burner ID :%08X(%06d)", static_cast<unsigned>(burnerId),
                  static_cast<int>(burnerId & kLow24Bits));
}

std::string FormatConnectedWithId(uint32_t burnerId) {
    return Format("已连接(%08X)", static_cast<unsigned>(burnerId));
}

std::string FormatChipChecksumReport(const ChipChecksumReply& reply) {
    std::string text = "\r\nChip Configration Area:\r\n";
    for (std::size_t k = 0; k < kConfigurationWordCount; ++k) {
        if (k == kConfigurationWordCount / 2) text += "\r\n";
        text += Format("%02X%02X ", reply.configurationWords[k] >> 8, reply.configurationWords[k] & 0xFF);
    }
    text += Format("\r\n\r\n校验和(QVB): %02X%02X  校验和(ROM): %02X%02X", reply.qvbChecksum >> 8,
                   reply.qvbChecksum & 0xFF, reply.romChecksum >> 8, reply.romChecksum & 0xFF);
    return text;
}

}  // namespace tovrin::burner
