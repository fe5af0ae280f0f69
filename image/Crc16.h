#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tovrin::image {

// CRC-16/CCITT-FALSE: polynomial 0x1021, MSB first, no reflection, no final XOR.
inline constexpr uint16_t kCrc16Polynomial = 0x1021;
inline constexpr uint16_t kCrc16Initial = 0xFFFF;

// The standard 256-entry table of the polynomial (T[1] = 0x1021, T[255] = 0x1EF0).
const std::array<uint16_t, 256>& Crc16Table();

// CRC of the bytes; kCrc16Initial for an empty range.
uint16_t Crc16(std::span<const uint8_t> data);

// Continues a CRC over further bytes, so that a checksum over pieces needs no
// joined copy: Crc16Update(Crc16(a), b) == Crc16(a followed by b).
uint16_t Crc16Update(uint16_t crc, std::span<const uint8_t> data);

}  // namespace tovrin::image
