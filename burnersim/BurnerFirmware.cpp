#include "burnersim/BurnerFirmware.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "burner/Protocol.h"
#include "platform/text/HexText.h"

namespace tovrin::burnersim {

namespace {

using burner::kBlockBytes;
using easypod::HidReport;

constexpr std::size_t kAddressSpace = 0x10000;
// Request bytes echoed at the start of every reply.
constexpr std::size_t kEchoedBytes = 7;
// Option block and checksum fields of the held image's header.
constexpr std::size_t kHeaderOptionBlock = 48;
constexpr std::size_t kHeaderRomChecksum = 28;
constexpr std::size_t kHeaderQvbChecksum = 30;
constexpr std::size_t kHeaderBytes = 80;

uint16_t Le16(const HidReport& report, std::size_t offset) {
    return static_cast<uint16_t>(report[offset] | (report[offset + 1] << 8));
}

// The request's length, when its command and length field make sense.
std::optional<std::size_t> RequestLength(const HidReport& request) {
    const uint8_t code = request[burner::kCommandOffset];
    if (code == burner::CMD_DOWNLOAD) {
        const std::size_t length = Le16(request, burner::kLengthOffset);
        if (length == 0 || length > burner::kMaxPacketData) return std::nullopt;
        return length + burner::kPacketOverhead;
    }
    if (burner::FixedRequestFor(code)) return burner::kFixedRequestLength;
    return std::nullopt;
}

}  // namespace

std::string HexLine(const uint8_t* bytes, std::size_t count) {
    return text::UpperHexDigits(std::span<const uint8_t>(bytes, count));
}

BurnerFirmware::BurnerFirmware(FirmwareSettings settings) : settings_(std::move(settings)) {}

std::optional<HidReport> BurnerFirmware::Receive(const HidReport& request) {
    ++requests_;
    const auto length = RequestLength(request);
    if (log_) log_(HexLine(request.data(), length.value_or(request.size())));
    if (request[burner::kStartOffset] != burner::kRequestStartByte || !length) return std::nullopt;

    const std::span<const uint8_t> block(request.data(), *length);
    const uint8_t code = request[burner::kCommandOffset];
    if (code != burner::CMD_DOWNLOAD) {
        if (!burner::HasValidCheckValue(block)) return std::nullopt;
        return AnswerFixed(request, code);
    }

    HidReport reply{};
    std::memcpy(reply.data(), request.data(), kEchoedBytes);
    const bool taken =
        burner::HasValidCheckValue(block) && TakePacket(request, *length - burner::kPacketOverhead);
    reply[burner::kAcknowledgementOffset] = taken ? burner::kPacketAccepted : kPacketRefused;
    ++(taken ? accepted_ : refused_);
    return reply;
}

HidReport BurnerFirmware::AnswerFixed(const HidReport& request, uint8_t code) const {
    HidReport reply{};
    std::memcpy(reply.data(), request.data(), kEchoedBytes);
    switch (code) {
        case burner::CMD_FIRMWARE_VERSION: {
            // The text fills at most the reply's bytes from 7 on.
            const std::size_t room = burner::kFirmwareVersionReplyLength - burner::kFirmwareTextOffset;
            const std::size_t length = std::min(settings_.firmwareVersion.size(), room);
            std::memcpy(reply.data() + burner::kFirmwareTextOffset, settings_.firmwareVersion.data(), length);
            break;
        }
        case burner::CMD_BURNER_ID:
            for (std::size_t i = 0; i < 4; ++i)
                reply[burner::kBurnerIdOffset + i] = static_cast<uint8_t>(settings_.burnerId >> (8 * i));
            break;
        case burner::CMD_CHIP_CHECKSUM:
            // Answered from the image held; zeros before one was received.
            if (heldImage_.size() >= kHeaderBytes) {
                std::memcpy(reply.data() + burner::kConfigurationWordsOffset,
                            heldImage_.data() + kHeaderOptionBlock, 2 * burner::kConfigurationWordCount);
                std::memcpy(reply.data() + burner::kRomChecksumOffset, heldImage_.data() + kHeaderRomChecksum,
                            2);
                std::memcpy(reply.data() + burner::kQvbChecksumOffset, heldImage_.data() + kHeaderQvbChecksum,
                            2);
                if (settings_.wrongChecksum) {
                    for (std::size_t i = 0; i < 4; ++i) reply[burner::kRomChecksumOffset + i] ^= 0xFF;
                }
            } else {
                std::memset(reply.data() + burner::kConfigurationWordsOffset, 0,
                            burner::kChipChecksumReplyLength - burner::kConfigurationWordsOffset);
            }
            break;
        default:
            break;
    }
    return reply;
}

void BurnerFirmware::EndSession() {
    // Without this, a download of a multiple of 2048 packets leaves the next
    // expected address at 0 again, and the next download's first packet
    // would be taken for a continuation of the last one's patterns.
    nextPacket_ = 0;
    receiving_.clear();
    receivingPatterns_ = false;
    refusalsOfThisPacket_ = 0;
}

bool BurnerFirmware::TakePacket(const HidReport& request, std::size_t dataLength) {
    const uint8_t endMark = request[burner::kDataOffset + dataLength];
    if (endMark != 0 && endMark != burner::kLastImagePacketMark) return false;
    if (refusalsOfThisPacket_ < settings_.refusalsPerPacket) {
        ++refusalsOfThisPacket_;
        return false;
    }
    const uint16_t address = Le16(request, burner::kAddressOffset);
    const bool inSequence = address == (nextPacket_ * kBlockBytes) % kAddressSpace;
    if (!inSequence) {
        // Address 0 out of sequence starts a new download.
        if (address != 0) return false;
        nextPacket_ = 0;
        receiving_.clear();
        receivingPatterns_ = false;
    }
    const auto* data = request.data() + burner::kDataOffset;
    if (!receivingPatterns_) {
        receiving_.insert(receiving_.end(), data, data + dataLength);
        if (endMark == burner::kLastImagePacketMark) {
            heldImage_.swap(receiving_);
            receiving_.clear();
            heldPatterns_.clear();
            receivingPatterns_ = true;
        }
    } else {
        if (endMark == burner::kLastImagePacketMark) return false;
        heldPatterns_.insert(heldPatterns_.end(), data, data + dataLength);
    }
    ++nextPacket_;
    refusalsOfThisPacket_ = 0;
    return true;
}

}  // namespace tovrin::burnersim
