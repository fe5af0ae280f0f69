#include "image/Checksums.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdio>

#include "image/ChipNames.h"
#include "image/Crc16.h"

namespace tovrin::image {
namespace {

constexpr std::size_t kConfigurationBlockBytes = 32;
// Only the two top bits of the third option byte are programmed into the chip.
constexpr std::size_t kMaskedOptionByte = 2;
constexpr uint8_t kMaskedOptionBits = 0xC0;
constexpr std::size_t kFillerOffset = 16;
constexpr std::size_t kFillerBytes = 8;

std::size_t CodeAreaBytes(std::size_t imageByteCount) {
    return imageByteCount > catalogue::kImageHeaderByteCount
               ? imageByteCount - catalogue::kImageHeaderByteCount
               : 0;
}

std::span<const uint8_t> CodeArea(std::span<const uint8_t> image) {
    return image.last(CodeAreaBytes(image.size()));
}

// CRC of the configuration block that stands for the header in the RomChecksum.
uint16_t RomFrontCrc(const ImageHeader& workingHeader) {
    std::array<uint8_t, kConfigurationBlockBytes> block{};
    std::copy_n(workingHeader.begin() + header::kOptionBlock, kFillerOffset, block.begin());
    block[kMaskedOptionByte] &= kMaskedOptionBits;

    const std::string_view name(reinterpret_cast<const char*>(workingHeader.data()), header::kChipNameLength);
    const bool family = IsQ3L88Family(name);
    for (std::size_t i = 0; i < kFillerBytes; ++i) {
        // The family's chips read back these words as 0x3FFF, the others as erased bytes.
        block[kFillerOffset + i] = (family && i % 2 == 1) ? 0x3F : 0xFF;
    }
    return Crc16(block);
}

uint16_t QvbFrontCrc(const ImageHeader& workingHeader) {
    ImageHeader counted = workingHeader;
    std::fill_n(counted.begin() + header::kRomChecksum, 4, 0);
    return Crc16(counted);
}

}  // namespace

uint16_t ComputeRomChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    return Crc16Update(RomFrontCrc(workingHeader), CodeArea(image));
}

uint16_t ComputeQvbChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    return Crc16Update(QvbFrontCrc(workingHeader), CodeArea(image));
}

std::string ChecksumText(uint16_t checksum) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(checksum));
    return text;
}

// A zero register stays zero over zero bytes.
ImageChecksums::ImageChecksums(std::size_t imageByteCount) : codeBytes_(CodeAreaBytes(imageByteCount)) {}

void ImageChecksums::ImageResized(std::size_t oldByteCount, std::size_t newByteCount) {
    const std::size_t oldCode = CodeAreaBytes(oldByteCount);
    const std::size_t newCode = CodeAreaBytes(newByteCount);
    checked_ = false;
    if (!known_ || newCode == oldCode) return;
    if (newCode < oldCode || codeBytes_ != oldCode) {
        known_ = false;
        return;
    }
    codeCrc_ = Crc16AfterZeros(codeCrc_, newCode - oldCode);
    codeBytes_ = newCode;
}

uint16_t ImageChecksums::CodeAreaCrc(std::span<const uint8_t> image) {
    const std::span<const uint8_t> code = CodeArea(image);
    if (!known_ || codeBytes_ != code.size()) {
        codeCrc_ = Crc16Update(0, code);
        codeBytes_ = code.size();
        known_ = true;
    }
#ifndef NDEBUG
    // A change nobody reported would show the checksums of an older image.
    if (!checked_) assert(codeCrc_ == Crc16Update(0, code));
    checked_ = true;
#endif
    return codeCrc_;
}

uint16_t ImageChecksums::Rom(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    const uint16_t code = CodeAreaCrc(image);
    return Crc16AfterZeros(RomFrontCrc(workingHeader), codeBytes_) ^ code;
}

uint16_t ImageChecksums::Qvb(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    const uint16_t code = CodeAreaCrc(image);
    return Crc16AfterZeros(QvbFrontCrc(workingHeader), codeBytes_) ^ code;
}

}  // namespace tovrin::image
