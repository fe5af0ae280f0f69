#include "platform/text/HexDigits.h"

#include <gtest/gtest.h>

#include <optional>

namespace tovrin::text {
namespace {

TEST(HexDigits, ReadersByCharacter) {
    struct Case {
        char c;
        std::optional<uint8_t> strict;
        int lenient;
        uint8_t nibble;
    };
    const Case cases[] = {
        {'0', 0, 0, 0},
        {'9', 9, 9, 9},
        {'A', 10, 10, 10},
        {'F', 15, 15, 15},
        {'a', 10, 10, 10},
        {'f', 15, 15, 15},
        {'G', std::nullopt, 16, 0},
        {'g', std::nullopt, 16, 0},
        {'z', std::nullopt, 35, 3},
        // The two lenient readers part between "9" and "A".
        {':', std::nullopt, 3, 10},
        {'@', std::nullopt, 9, 0},
        {' ', std::nullopt, -16, 0},
        {'!', std::nullopt, -15, 1},
        {'\x01', std::nullopt, -47, 1},
        {'\x7F', std::nullopt, 72, 8},
        {'\x80', std::nullopt, 73, 9},
        {'\xFF', std::nullopt, 200, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrictHexDigit(c.c), c.strict) << int(static_cast<unsigned char>(c.c));
        EXPECT_EQ(IsHexDigit(c.c), c.strict.has_value()) << int(static_cast<unsigned char>(c.c));
        EXPECT_EQ(LenientHexDigit(c.c), c.lenient) << int(static_cast<unsigned char>(c.c));
        EXPECT_EQ(LenientHexNibble(c.c), c.nibble) << int(static_cast<unsigned char>(c.c));
    }
}

TEST(HexDigits, LenientReadersAgreeWithTheStrictOneOnEveryDigit) {
    int digits = 0;
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        const auto strict = StrictHexDigit(c);
        if (!strict) continue;
        ++digits;
        EXPECT_EQ(LenientHexDigit(c), *strict) << code;
        EXPECT_EQ(LenientHexNibble(c), *strict) << code;
    }
    EXPECT_EQ(digits, 22);
}

}  // namespace
}  // namespace tovrin::text
