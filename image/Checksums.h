#pragma once

#include <cstddef>
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

// The same two checksums for an image that is long and whose code area changes
// far less often than its header: the code area is read only when its owner
// said it changed, and its CRC is then combined with each checksum's short
// front part. The owner must report every change of the code area.
class ImageChecksums {
public:
    // An image of imageByteCount bytes, all zero.
    explicit ImageChecksums(std::size_t imageByteCount);

    // Bytes of the code area were written.
    void CodeAreaChanged() { known_ = checked_ = false; }
    // The image was resized; bytes added at its end are zero.
    void ImageResized(std::size_t oldByteCount, std::size_t newByteCount);

    uint16_t Rom(const ImageHeader& workingHeader, std::span<const uint8_t> image);
    uint16_t Qvb(const ImageHeader& workingHeader, std::span<const uint8_t> image);

private:
    uint16_t CodeAreaCrc(std::span<const uint8_t> image);

    bool known_ = true;
    uint16_t codeCrc_ = 0;  // CRC of the code area from a zero register
    std::size_t codeBytes_ = 0;
    bool checked_ = false;  // against a full reading, in debug builds
};

}  // namespace tovrin::image
