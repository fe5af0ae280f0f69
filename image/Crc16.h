#pragma once

#include <array>
#include <cstddef>
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

// Crc16Update(crc, n zero bytes), in steps logarithmic in n. The CRC is linear
// in its register and its data, so a CRC over a front part and a long tail can
// be put together from a CRC of the tail alone, read once:
// Crc16Update(crc, tail) == Crc16AfterZeros(crc, tail.size()) ^ Crc16Update(0, tail).
uint16_t Crc16AfterZeros(uint16_t crc, std::size_t zeroBytes);

}  // namespace tovrin::image
