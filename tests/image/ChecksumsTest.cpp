#include "image/Checksums.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tovrin::image {
namespace {

struct ImageFixture {
    ImageHeader header{};
    std::vector<uint8_t> image = std::vector<uint8_t>(80, 0);

    uint16_t Rom() const { return ComputeRomChecksum(header, image); }
    uint16_t Qvb() const { return ComputeQvbChecksum(header, image); }
};

TEST(Checksums, ZeroHeaderWithoutCode) {
    ImageFixture f;
    EXPECT_EQ(ChecksumText(f.Qvb()), "3DE5");
    EXPECT_EQ(ChecksumText(f.Rom()), "57EC");
}

TEST(Checksums, ZeroHeaderWithOneErasedCodeWord) {
    ImageFixture f;
    f.image.push_back(0xFF);
    f.image.push_back(0x3F);
    EXPECT_EQ(ChecksumText(f.Qvb()), "1A01");
    EXPECT_EQ(ChecksumText(f.Rom()), "6FC9");
}

TEST(Checksums, TextIsFourUpperCaseDigits) {
    EXPECT_EQ(ChecksumText(0x29B1), "29B1");
    EXPECT_EQ(ChecksumText(0x000A), "000A");
}

TEST(Checksums, ChecksumFieldsDoNotCount) {
    ImageFixture f;
    f.image.resize(96, 0x5A);
    const uint16_t rom = f.Rom();
    const uint16_t qvb = f.Qvb();
    for (std::size_t i = 28; i < 32; ++i) f.header[i] = 0xA5;
    EXPECT_EQ(f.Rom(), rom);
    EXPECT_EQ(f.Qvb(), qvb);
}

// Which single-byte changes each checksum sees.
TEST(Checksums, SensitivityToSingleBytes) {
    struct Case {
        const char* what;
        std::size_t headerByte;  // or SIZE_MAX for the first code byte
        uint8_t newValue;
        bool romChanges;
        bool qvbChanges;
    };
    const Case cases[] = {
        {"flags byte", 7, 0x3F, false, true},
        {"chip id", 8, 0x12, false, true},
        {"zero block", 40, 0x01, false, true},
        {"first option byte", 48, 0x12, true, true},
        {"option byte 50 top bit", 50, 0x80, true, true},
        {"option byte 50 low bits", 50, 0x3F, false, true},
        {"last option word byte", 63, 0x01, true, true},
        {"InitValue bytes", 64, 0x77, false, true},
        {"last header byte", 79, 0x01, false, true},
        {"code byte", SIZE_MAX, 0x12, true, true},
    };
    for (const Case& c : cases) {
        ImageFixture f;
        f.image.resize(90, 0xFF);
        const uint16_t rom = f.Rom();
        const uint16_t qvb = f.Qvb();
        if (c.headerByte == SIZE_MAX) {
            f.image[80] = c.newValue;
        } else {
            f.header[c.headerByte] = c.newValue;
        }
        EXPECT_EQ(f.Rom() != rom, c.romChanges) << c.what;
        EXPECT_EQ(f.Qvb() != qvb, c.qvbChanges) << c.what;
    }
}

TEST(Checksums, FamilyNameSelectsTheThreeFFFFillerWords) {
    // The filler depends only on the family test of header bytes 1, 3 and 4.
    ImageFixture family;
    std::memcpy(family.header.data(), "Q3L88  ", 7);
    ImageFixture sameFamily;
    std::memcpy(sameFamily.header.data(), "X3Y88ZZ", 7);
    ImageFixture other;
    std::memcpy(other.header.data(), "VB27C12", 7);
    ImageFixture zero;

    EXPECT_EQ(family.Rom(), sameFamily.Rom());
    EXPECT_EQ(other.Rom(), zero.Rom());
    EXPECT_NE(family.Rom(), zero.Rom());
    // Nothing else about the name reaches the RomChecksum.
    ImageFixture renamed;
    std::memcpy(renamed.header.data(), "ABCDEFG", 7);
    EXPECT_EQ(renamed.Rom(), zero.Rom());
}

}  // namespace
}  // namespace tovrin::image
