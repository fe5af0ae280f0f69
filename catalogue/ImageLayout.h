#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Where things sit in a programming image and how it travels to the burner.
namespace tovrin::catalogue {

// The image starts with a header of this many bytes; code word w follows at
// bytes 80 + 2w (low) and 81 + 2w (high).
inline constexpr uint32_t kImageHeaderByteCount = 80;

// Longest chip name (after upper-casing) that fits the image header.
inline constexpr std::size_t kMaxChipNameLength = 7;

// The option block: header bytes 48..79; option words sit in its first 16.
inline constexpr uint16_t kOptionBlockOffset = 48;
inline constexpr std::size_t kOptionBlockLength = kImageHeaderByteCount - kOptionBlockOffset;
inline constexpr uint16_t kOptionWordPositions = 16;

// Largest image a definition may ask for and the Workbench will hold: 64 MiB
// of code words and the header. Larger sizes are absurd and would exhaust memory.
inline constexpr uint32_t kMaxImageByteCount = 64u * 1024 * 1024 + kImageHeaderByteCount;

// The image and the patterns travel to the burner in blocks of this size.
inline constexpr std::size_t kTransferBlockBytes = 32;
// A packet carries a 16-bit address, so the address counts within this space.
inline constexpr std::size_t kPacketAddressSpace = 0x10000;

// The low byte of an erased code word (the high byte follows the bit width).
inline constexpr uint8_t kErasedLowByte = 0xFF;

// Byte offsets of the header fields; multi-byte fields are little-endian.
namespace header {
inline constexpr std::size_t kChipName = 0;
inline constexpr std::size_t kChipNameLength = kMaxChipNameLength;
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
inline constexpr std::size_t kOptionBlock = kOptionBlockOffset;
inline constexpr std::size_t kOptionBlockLength = catalogue::kOptionBlockLength;
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

}  // namespace tovrin::catalogue
