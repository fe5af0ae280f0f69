#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/ImageHeader.h"

namespace tovrin::image {

// CRC of the bytes as the chip holds them after programming: a 32-byte
// configuration block built from the header's option block, then the code
// area (image bytes from 80 on).
uint16_t ComputeRomChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image);

// CRC of the whole image with the working header in front and its checksum
// fields (bytes 28..31) counted as zero.
uint16_t ComputeQvbChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image);

// Four upper-case hexadecimal digits ("29B1").
std::string ChecksumText(uint16_t checksum);

}  // namespace tovrin::image
