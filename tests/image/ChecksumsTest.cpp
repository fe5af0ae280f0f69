#include "image/Checksums.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
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

// The kept code-area CRC against a full computation, through every change
// its owner reports.
TEST(ImageChecksums, AgreeWithAFullComputation) {
    ImageFixture f;
    f.image.assign(2128, 0);
    ImageChecksums kept(f.image.size());
    auto resize = [&](std::size_t size) {
        const std::size_t before = f.image.size();
        f.image.resize(size, 0);
        kept.ImageResized(before, size);
    };
    auto write = [&](std::size_t at, uint8_t value) {
        f.image[at] = value;
        kept.CodeAreaChanged();
    };
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"all zero", [] {}},
        {"option byte", [&] { f.header[48] = 0x12; }},
        {"masked option bits", [&] { f.header[50] = 0x3F; }},
        {"family name", [&] { std::memcpy(f.header.data(), "Q3L88XX", 7); }},
        {"checksum fields", [&] { std::fill_n(f.header.begin() + 28, 4, 0xA5); }},
        {"grown by zeros", [&] { resize(5000); }},
        {"code written", [&] { write(100, 0x5A); }},
        {"grown by zeros after code", [&] { resize(70001); }},
        {"code written at the end", [&] { write(70000, 0x3F); }},
        {"shrunk", [&] { resize(1001); }},
        {"shrunk to the header", [&] { resize(80); }},
        {"grown from no code", [&] { resize(82); }},
        {"code written again", [&] { write(81, 0x3F); }},
        {"header byte outside the option block", [&] { f.header[7] = 0x3F; }},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(kept.Rom(f.header, f.image), f.Rom()) << step.what;
        EXPECT_EQ(kept.Qvb(f.header, f.image), f.Qvb()) << step.what;
    }
}

TEST(ImageChecksums, GrowthByZerosIsCountedWithoutAComputationBetween) {
    ImageFixture f;
    ImageChecksums kept(f.image.size());
    for (std::size_t size : {std::size_t{90}, std::size_t{300}, std::size_t{4000}}) {
        kept.ImageResized(f.image.size(), size);
        f.image.resize(size, 0);
    }
    EXPECT_EQ(kept.Qvb(f.header, f.image), f.Qvb());
    EXPECT_EQ(kept.Rom(f.header, f.image), f.Rom());
}

}  // namespace
}  // namespace tovrin::image
