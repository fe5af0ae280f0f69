#include "image/HexField.h"

#include <gtest/gtest.h>

namespace tovrin::image {
namespace {

TEST(HexField, SetValueShowsTheDigitCount) {
    struct Case {
        int digits;
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {4, 0x12345, "2345"},        {8, 0x12345, "00012345"}, {4, 0x3FFF, "3FFF"},
        {8, 0xFFFFFFFF, "FFFFFFFF"}, {4, 0, "0000"},
    };
    for (const Case& c : cases) {
        HexField field(c.digits);
        field.SetValue(c.value);
        EXPECT_EQ(field.Text(), c.text);
        EXPECT_EQ(field.Value(), c.value);
    }
}

TEST(HexField, SetTextKeepsTheValueUntilItIsRead) {
    HexField field(4);
    field.SetValue(0x1234);
    field.SetText("0000");
    EXPECT_EQ(field.Value(), 0x1234u);
    EXPECT_EQ(field.GetValue(), 0u);
}

TEST(HexField, GetValueReadsTheFirstDigitCountCharacters) {
    struct Case {
        int digits;
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {4, "3FFF", 0x3FFF},
        {8, "3FFFFFFF", 0x3FFFFFFF},
        {8, "00000001", 1},
        {4, "12345", 0x1234},  // a longer text: the rest is not read
        {4, "3F", 0x3F00},     // missing digits read as 0
        {4, "", 0},            //
        {4, "abcd", 0xABCD},   // lower case pasted in
        {4, "1 2Z", 0x1020},   // no digit: 0
        {8, "FFFFFFFFFF", 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        HexField field(c.digits, c.text);
        EXPECT_EQ(field.GetValue(), c.value) << c.text;
        EXPECT_EQ(field.Value(), c.value) << c.text;
    }
}

TEST(HexField, OnlyFourOrEightDigits) {
    EXPECT_EQ(HexField(8).DigitCount(), 8);
    EXPECT_EQ(HexField(5).DigitCount(), 4);
}

TEST(HexField, WellFormedTexts) {
    EXPECT_TRUE(HexField::IsWellFormed("3FfF", 4));
    EXPECT_FALSE(HexField::IsWellFormed("3FF", 4));
    EXPECT_FALSE(HexField::IsWellFormed("3FFFF", 4));
    EXPECT_FALSE(HexField::IsWellFormed("3FFG", 4));
    EXPECT_TRUE(HexField::IsWellFormed("00000001", 8));
}

}  // namespace
}  // namespace tovrin::image
