#include "image/ImageHeader.h"

namespace tovrin::image {

uint16_t ReadLe16(std::span<const uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return 0;
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t ReadLe32(std::span<const uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

void WriteLe16(std::span<uint8_t> bytes, std::size_t offset, uint16_t value) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return;
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void WriteLe32(std::span<uint8_t> bytes, std::size_t offset, uint32_t value) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return;
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

int AddressCountIndexFromByte(uint8_t value) {
    const int wrapped = value % 5;
    return wrapped > 0 ? wrapped - 1 : 0;
}

std::string HeaderChipName(std::span<const uint8_t> bytes) {
    std::string name;
    for (std::size_t i = header::kChipName; i < header::kChipNameLength && i < bytes.size(); ++i) {
        if (bytes[i] == ' ' || bytes[i] == 0) break;
        name.push_back(static_cast<char>(bytes[i]));
    }
    return name;
}

DecodedHeader DecodeHeader(const ImageHeader& bytes) {
    DecodedHeader decoded;
    decoded.chipName = HeaderChipName(bytes);
    decoded.flags = bytes[header::kFlags];
    decoded.verify = decoded.flags & flag::kVerify;
    decoded.program = decoded.flags & flag::kProgram;
    decoded.blankCheck = decoded.flags & flag::kBlankCheck;
    decoded.rollingCode = decoded.flags & flag::kRollingCode;
    decoded.carried = decoded.flags & flag::kCarried;
    decoded.test = decoded.flags & flag::kTest;
    decoded.bit6 = decoded.flags & flag::kKeptBit6;
    decoded.chipId = ReadLe16(bytes, header::kChipId);
    decoded.memIdLow = bytes[header::kMemIdLow];
    decoded.addressCountByte = bytes[header::kAddressCount];
    decoded.addressCountIndex = AddressCountIndexFromByte(decoded.addressCountByte);
    for (std::size_t i = 0; i < decoded.addresses.size(); ++i) {
        decoded.addresses[i] = ReadLe16(bytes, header::kAddresses[i]);
    }
    decoded.initialValue = ReadLe32(bytes, header::kInitialValue);
    decoded.step = ReadLe32(bytes, header::kStep);
    decoded.romChecksum = ReadLe16(bytes, header::kRomChecksum);
    decoded.qvbChecksum = ReadLe16(bytes, header::kQvbChecksum);
    for (std::size_t i = 0; i < decoded.optionBlock.size(); ++i) {
        decoded.optionBlock[i] = bytes[header::kOptionBlock + i];
    }
    return decoded;
}

}  // namespace tovrin::image
