#include "image/Crc16.h"

#include <cstddef>

namespace tovrin::image {
namespace {

constexpr std::size_t kSliceCount = 8;
using SliceTables = std::array<std::array<uint16_t, 256>, kSliceCount>;

// Table k gives the effect of a byte followed by k zero bytes, which lets the
// main loop fold eight bytes per step instead of one.
constexpr SliceTables MakeSliceTables() {
    SliceTables tables{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        uint16_t crc = static_cast<uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ kCrc16Polynomial)
                                 : static_cast<uint16_t>(crc << 1);
        }
        tables[0][byte] = crc;
    }
    for (std::size_t k = 1; k < kSliceCount; ++k) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const uint16_t previous = tables[k - 1][byte];
            tables[k][byte] = static_cast<uint16_t>((previous << 8) ^ tables[0][previous >> 8]);
        }
    }
    return tables;
}

constexpr SliceTables kTables = MakeSliceTables();

// A linear map of the 16-bit register, as the images of its 16 single bits.
using RegisterMap = std::array<uint16_t, 16>;

uint16_t Apply(const RegisterMap& map, uint16_t crc) {
    uint16_t result = 0;
    for (std::size_t bit = 0; bit < 16; ++bit) {
        if (crc & (1u << bit)) result ^= map[bit];
    }
    return result;
}

uint16_t AfterOneZeroByte(uint16_t crc) {
    return static_cast<uint16_t>((crc << 8) ^ kTables[0][crc >> 8]);
}

}  // namespace

const std::array<uint16_t, 256>& Crc16Table() {
    return kTables[0];
}

uint16_t Crc16Update(uint16_t crc, std::span<const uint8_t> data) {
    const uint8_t* p = data.data();
    std::size_t n = data.size();
    while (n >= kSliceCount) {
        crc = static_cast<uint16_t>(kTables[7][(crc >> 8) ^ p[0]] ^ kTables[6][(crc & 0xFF) ^ p[1]] ^
                                    kTables[5][p[2]] ^ kTables[4][p[3]] ^ kTables[3][p[4]] ^
                                    kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]]);
        p += kSliceCount;
        n -= kSliceCount;
    }
    for (; n > 0; --n, ++p) {
        crc = static_cast<uint16_t>((crc << 8) ^ kTables[0][((crc >> 8) ^ *p) & 0xFF]);
    }
    return crc;
}

uint16_t Crc16AfterZeros(uint16_t crc, std::size_t zeroBytes) {
    // map covers 2^k zero bytes at step k; it is applied where n has bit k set.
    RegisterMap map;
    for (std::size_t bit = 0; bit < 16; ++bit) map[bit] = AfterOneZeroByte(static_cast<uint16_t>(1u << bit));
    while (zeroBytes != 0) {
        if (zeroBytes & 1) crc = Apply(map, crc);
        zeroBytes >>= 1;
        if (zeroBytes == 0) break;
        RegisterMap squared;
        for (std::size_t bit = 0; bit < 16; ++bit) squared[bit] = Apply(map, map[bit]);
        map = squared;
    }
    return crc;
}

uint16_t Crc16(std::span<const uint8_t> data) {
    return Crc16Update(kCrc16Initial, data);
}

}  // namespace tovrin::image
