#include "image/Checksums.h"

#include <algorithm>
#include <array>
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

std::span<const uint8_t> CodeArea(std::span<const uint8_t> image) {
    if (image.size() <= catalogue::kImageHeaderByteCount) return {};
    return image.subspan(catalogue::kImageHeaderByteCount);
}

}  // namespace

uint16_t ComputeRomChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    std::array<uint8_t, kConfigurationBlockBytes> block{};
    std::copy_n(workingHeader.begin() + header::kOptionBlock, kFillerOffset, block.begin());
    block[kMaskedOptionByte] &= kMaskedOptionBits;

    const std::string_view name(reinterpret_cast<const char*>(workingHeader.data()), header::kChipNameLength);
    const bool family = IsQ3L88Family(name);
    for (std::size_t i = 0; i < kFillerBytes; ++i) {
        // The family's chips read back these words as 0x3FFF, the others as erased bytes.
        block[kFillerOffset + i] = (family && i % 2 == 1) ? 0x3F : 0xFF;
    }
    return Crc16Update(Crc16(block), CodeArea(image));
}

uint16_t ComputeQvbChecksum(const ImageHeader& workingHeader, std::span<const uint8_t> image) {
    ImageHeader counted = workingHeader;
    std::fill_n(counted.begin() + header::kRomChecksum, 4, 0);
    return Crc16Update(Crc16(counted), CodeArea(image));
}

std::string ChecksumText(uint16_t checksum) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(checksum));
    return text;
}

}  // namespace tovrin::image
