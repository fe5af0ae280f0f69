#include "platform/dialog/HexEditModel.h"

#include <gtest/gtest.h>

namespace tovrin::dialog {
namespace {

using Selection = HexEditModel::Selection;

HexEditModel ModelShowing(int digits, const char* text) {
    HexEditModel model(digits);
    EXPECT_TRUE(model.SetText(text));
    return model;
}

TEST(HexEditModel, TypingOverwritesFromThePositionAndWraps) {
    HexEditModel model = ModelShowing(4, "3FFF");
    EXPECT_EQ(model.Type('1'), (Selection{1, 1}));
    EXPECT_EQ(model.Type('2'), (Selection{2, 1}));
    EXPECT_EQ(model.Text(), "12FF");
    EXPECT_EQ(model.Position(), 2);
    EXPECT_EQ(model.Type('3'), (Selection{3, 1}));
    EXPECT_EQ(model.Type('4'), (Selection{0, 1}));  // the first digit is selected again
    EXPECT_EQ(model.Text(), "1234");
    EXPECT_EQ(model.Position(), 0);

    HexEditModel wide = ModelShowing(8, "3FFFFFFF");
    for (char c : std::string("0123456789")) wide.Type(c);
    EXPECT_EQ(wide.Text(), "89234567");
    EXPECT_EQ(wide.Position(), 2);
}

TEST(HexEditModel, OnlyHexadecimalKeysType) {
    HexEditModel model = ModelShowing(4, "0000");
    struct Case {
        char key;
        bool types;
    };
    const Case cases[] = {{'a', true},  {'F', true},  {'9', true},   {'G', false},  {'g', false},
                          {'.', false}, {' ', false}, {'\b', false}, {'\0', false}, {'\xB0', false}};
    for (const Case& c : cases) {
        const std::string before = model.Text();
        const int position = model.Position();
        const auto selection = model.Type(c.key);
        EXPECT_EQ(selection.has_value(), c.types) << int(c.key);
        if (!c.types) {
            EXPECT_EQ(model.Text(), before);
            EXPECT_EQ(model.Position(), position);
        }
        EXPECT_EQ(model.Text().size(), 4u);
    }
    EXPECT_EQ(model.Text(), "AF90");  // typed upper-case, position wrapped once
}

TEST(HexEditModel, AClickSelectsTheFirstDigitButKeepsThePosition) {
    HexEditModel model = ModelShowing(4, "3FFF");
    model.Type('1');
    model.Type('2');
    EXPECT_EQ(HexEditModel::ClickSelection(), (Selection{0, 1}));
    model.Type('7');  // the click did not move the position: the third digit changes
    EXPECT_EQ(model.Text(), "127F");
}

TEST(HexEditModel, SetValueShowsTheDigitCount) {
    struct Case {
        int digits;
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {{4, 0x12345, "2345"},
                          {8, 0x12345, "00012345"},
                          {8, 0xFFFFFFFF, "FFFFFFFF"},
                          {3, 0xABCD, "ABCD"}};  // any other count is 4
    for (const Case& c : cases) {
        HexEditModel model(c.digits);
        model.SetValue(c.value);
        EXPECT_EQ(model.Text(), c.text);
        EXPECT_EQ(model.Value(), c.value);
    }
}

TEST(HexEditModel, SetTextRefusesAnotherLengthAndKeepsTheText) {
    HexEditModel model = ModelShowing(4, "3FFF");
    model.SetValue(0x1234);
    for (const char* bad : {"", "123", "12345", "12G4", " 123", "１２３４"}) {
        EXPECT_FALSE(model.SetText(bad)) << bad;
        EXPECT_EQ(model.Text(), "1234");
    }
    EXPECT_TRUE(model.SetText("abcd"));
    EXPECT_EQ(model.Text(), "ABCD");
    EXPECT_EQ(model.Value(), 0x1234u);  // until the text is read
    EXPECT_EQ(model.GetValue(), 0xABCDu);
    EXPECT_EQ(model.Value(), 0xABCDu);
}

TEST(HexEditModel, ChangingTheDigitCountKeepsTheValueAndRestartsTyping) {
    HexEditModel model(4);
    model.SetValue(0x3FFF);
    model.Type('1');
    model.SetDigitCount(8);
    EXPECT_EQ(model.Text(), "00003FFF");
    EXPECT_EQ(model.Position(), 0);
    EXPECT_TRUE(model.Accepts("3FFFFFFF"));
    EXPECT_FALSE(model.Accepts("3FFF"));
}

}  // namespace
}  // namespace tovrin::dialog
