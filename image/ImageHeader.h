#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "catalogue/ChipDefinition.h"

namespace tovrin::image {

// The first bytes of every programming image and of every project file.
using ImageHeader = std::array<uint8_t, catalogue::kImageHeaderByteCount>;

// Byte offsets of the header fields; multi-byte fields are little-endian.
namespace header {
inline constexpr std::size_t kChipName = 0;
inline constexpr std::size_t kChipNameLength = catalogue::kMaxChipNameLength;
inline constexpr std::size_t kFlags = 7;
inline constexpr std::size_t kChipId = 8;
inline constexpr std::size_t kMemIdLow = 10;
inline constexpr std::size_t kAddressCount = 11;  // the definition puts MemID's high byte here
inline constexpr std::array<std::size_t, 4> kAddresses = {12, 14, 16, 18};
inline constexpr std::size_t kInitialValue = 20;
inline constexpr std::size_t kStep = 24;
inline constexpr std::size_t kRomChecksum = 28;
inline constexpr std::size_t kQvbChecksum = 30;
inline constexpr std::size_t kZeroBlock = 32;
inline constexpr std::size_t kZeroBlockLength = 16;
inline constexpr std::size_t kOptionBlock = catalogue::kOptionBlockOffset;
inline constexpr std::size_t kOptionBlockLength = catalogue::kImageHeaderByteCount - kOptionBlock;
}  // namespace header

// Bits of the programming-flags byte (header byte 7).
namespace flag {
inline constexpr uint8_t kVerify = 0x01;
inline constexpr uint8_t kProgram = 0x02;
inline constexpr uint8_t kBlankCheck = 0x04;
inline constexpr uint8_t kRollingCode = 0x08;
inline constexpr uint8_t kCarried = 0x10;
inline constexpr uint8_t kTest = 0x20;
inline constexpr uint8_t kKeptBit6 = 0x40;  // BuildHeader keeps whatever the header holds
}  // namespace flag

uint16_t ReadLe16(std::span<const uint8_t> bytes, std::size_t offset);
uint32_t ReadLe32(std::span<const uint8_t> bytes, std::size_t offset);
void WriteLe16(std::span<uint8_t> bytes, std::size_t offset, uint16_t value);
void WriteLe32(std::span<uint8_t> bytes, std::size_t offset, uint32_t value);

// The header's fields by name, for showing a header to a person.
struct DecodedHeader {
    std::string chipName;  // bytes 0..6 up to the first blank or zero byte
    uint8_t flags = 0;
    bool verify = false;
    bool program = false;
    bool blankCheck = false;
    bool rollingCode = false;
    bool carried = false;
    bool test = false;
    bool bit6 = false;
    uint16_t chipId = 0;
    uint8_t memIdLow = 0;
    uint8_t addressCountByte = 0;
    int addressCountIndex = 0;  // as ShowHeader selects it from the byte
    std::array<uint16_t, 4> addresses{};
    uint32_t initialValue = 0;
    uint32_t step = 0;
    uint16_t romChecksum = 0;
    uint16_t qvbChecksum = 0;
    std::array<uint8_t, header::kOptionBlockLength> optionBlock{};
};

DecodedHeader DecodeHeader(const ImageHeader& bytes);

// Radio index for a stored address-count byte: (v mod 5) - 1, or 0 when v
// mod 5 is 0; so 0 and 1 both mean one address and larger values wrap.
int AddressCountIndexFromByte(uint8_t value);

// The chip name in bytes 0..6: the text before the first blank or zero byte.
std::string HeaderChipName(std::span<const uint8_t> bytes);

}  // namespace tovrin::image
