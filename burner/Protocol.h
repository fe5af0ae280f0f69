#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tovrin::burner {

// Every request, reply and download packet lives in this one buffer.
inline constexpr std::size_t kBurnerPacketSize = 64;
using BurnerPacket = std::array<uint8_t, kBurnerPacketSize>;

// Command codes (request byte 2).
inline constexpr uint8_t CMD_FIRMWARE_VERSION = 0;
inline constexpr uint8_t CMD_DOWNLOAD = 1;
inline constexpr uint8_t CMD_CHIP_CHECKSUM = 2;
inline constexpr uint8_t CMD_BURNER_ID = 5;

// Request layout: start byte, reserved, code, address (LE), length (LE),
// data, check value (Crc16 of everything before it, low byte first).
inline constexpr uint8_t kRequestStartByte = 0x01;
inline constexpr std::size_t kStartOffset = 0;
inline constexpr std::size_t kCommandOffset = 2;
inline constexpr std::size_t kAddressOffset = 3;
inline constexpr std::size_t kLengthOffset = 5;
inline constexpr std::size_t kDataOffset = 7;
// A fixed request is 10 bytes; a packet is its data and 10 more: seven in
// front, the end mark behind and the two of the check value.
inline constexpr std::size_t kFixedRequestLength = 10;
inline constexpr std::size_t kPacketOverhead = 10;
inline constexpr std::size_t kMaxPacketData = 32;
// Packets are addressed by 32-byte blocks; the address field is 16 bits.
inline constexpr std::size_t kBlockBytes = 32;

// End mark, byte 7 + L of a download packet.
inline constexpr uint8_t kLastImagePacketMark = 1;

// Reply lengths read for each command.
inline constexpr std::size_t kFirmwareVersionReplyLength = 42;
inline constexpr std::size_t kChipChecksumReplyLength = 46;
inline constexpr std::size_t kBurnerIdReplyLength = 10;
inline constexpr std::size_t kDownloadReplyLength = 10;

// Reply fields.
inline constexpr std::size_t kFirmwareTextOffset = 7;
inline constexpr std::size_t kBurnerIdOffset = 3;
inline constexpr std::size_t kConfigurationWordsOffset = 7;
inline constexpr std::size_t kConfigurationWordCount = 16;
inline constexpr std::size_t kRomChecksumOffset = 39;
inline constexpr std::size_t kQvbChecksumOffset = 41;
inline constexpr std::size_t kAcknowledgementOffset = 7;
inline constexpr uint8_t kPacketAccepted = 0xE0;

struct FixedRequest {
    uint16_t address = 0;
    uint16_t length = 0;
    std::size_t replyLength = 0;
};

// The address, length and reply length of codes 0, 2 and 5; nullopt otherwise.
std::optional<FixedRequest> FixedRequestFor(uint8_t code);

// Fills bytes 3..9 of a fixed request (bytes 0..2 as the frame left them)
// and returns its length; 0 for a code that has no fixed request.
std::size_t BuildFixedRequest(BurnerPacket& packet, uint8_t code);

// Fills bytes 3 onward of a download packet with at most kMaxPacketData
// bytes of data (bytes 0..2 are kept: they carry what the last reply left
// there) and returns its length, data.size() + 10.
std::size_t BuildDownloadPacket(BurnerPacket& packet, uint16_t address, std::span<const uint8_t> data,
                                bool lastImagePacket);

// Stores Crc16 of bytes 0..length-3 in the last two bytes of the request.
void StoreCheckValue(BurnerPacket& packet, std::size_t requestLength);

// True when the block's last two bytes are the Crc16 of the others.
bool HasValidCheckValue(std::span<const uint8_t> block);

// Reply decoding. Each reads only inside the packet.
std::string DecodeFirmwareVersion(const BurnerPacket& packet);  // the burner's own 8-bit text
uint32_t DecodeBurnerId(const BurnerPacket& packet);
bool IsPacketAccepted(const BurnerPacket& packet);

struct ChipChecksumReply {
    std::array<uint16_t, kConfigurationWordCount> configurationWords{};
    uint16_t romChecksum = 0;
    uint16_t qvbChecksum = 0;
};
ChipChecksumReply DecodeChipChecksum(const BurnerPacket& packet);

// Texts shown for the replies.
std::string FormatBurnerIdReport(uint32_t burnerId);
std::string FormatConnectedWithId(uint32_t burnerId);
std::string FormatChipChecksumReport(const ChipChecksumReply& reply);

}  // namespace tovrin::burner
