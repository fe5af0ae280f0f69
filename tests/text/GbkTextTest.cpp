#include "platform/text/GbkText.h"

#include <gtest/gtest.h>

#include <string>

namespace tovrin::text {
namespace {

struct Word {
    const char* utf8;
    const char* gbk;
};

// Texts the program shows, with their bytes in the code page it stores them in.
const Word kWords[] = {
    {"校验", "\xD0\xA3\xD1\xE9"},
    {"下载成功!", "\xCF\xC2\xD4\xD8\xB3\xC9\xB9\xA6!"},
    {"未定义", "\xCE\xB4\xB6\xA8\xD2\xE5"},
    {"宋体", "\xCB\xCE\xCC\xE5"},
    {"配置字 Q3L88", "\xC5\xE4\xD6\xC3\xD7\xD6 Q3L88"},
};

TEST(GbkText, ConvertsChineseWordsBothWays) {
    for (const Word& word : kWords) {
        SCOPED_TRACE(word.utf8);
        EXPECT_EQ(GbkToUtf8(word.gbk), word.utf8);
        EXPECT_EQ(Utf8ToGbk(word.utf8), word.gbk);
    }
}

TEST(GbkText, LeavesValidUtf8AsItIs) {
    for (const std::string text : {"", "plain ASCII\r\n", "校验", "\xC3\xA9t\xC3\xA9"}) {
        EXPECT_EQ(GbkToUtf8(text), text);
    }
}

// The price of passing UTF-8 through: a GBK text that happens to be
// well-formed UTF-8 is taken for UTF-8.
TEST(GbkText, TakesGbkThatIsAlsoValidUtf8ForUtf8) {
    EXPECT_EQ(GbkToUtf8("\xD0\xBE\xC6\xAC"), "\xD0\xBE\xC6\xAC");  // "芯片", also "оƬ" in UTF-8
}

TEST(GbkText, ReplacesUndecodableBytesAndGoesOn) {
    struct Case {
        const char* what;
        std::string gbk;
        std::string utf8;
    };
    const Case cases[] = {
        {"a byte no character starts with", "\xD0\xA3\xFF\xD1\xE9", "校\xEF\xBF\xBD验"},
        {"a lead byte cut off by the end", "\xD0\xA3\xD1", "校\xEF\xBF\xBD"},
        {"a lead byte before ASCII", "\xD0\xA3\x81 ok", "校\xEF\xBF\xBD ok"},
        {"several in a row", "\x80\x80\xD1\xE9", "\xEF\xBF\xBD\xEF\xBF\xBD验"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
}

TEST(GbkText, MarksWhatGbkCannotHold) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string gbk;
    };
    const Case cases[] = {
        {"a character outside GBK", "校\xF0\x9F\x98\x80验", "\xD0\xA3?\xD1\xE9"},
        {"a stray continuation byte", "a\x80z", "a?z"},
        {"a sequence cut off by the end", "a\xE6\xA0", "a?"},
        {"an encoded surrogate", "a\xED\xA0\x80z", "a???z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
    }
}

TEST(GbkText, ConvertsTextsLongerThanOneBuffer) {
    std::string utf8;
    std::string gbk;
    for (int i = 0; i < 3000; ++i) {
        utf8 += kWords[0].utf8;
        gbk += kWords[0].gbk;
    }
    EXPECT_EQ(GbkToUtf8(gbk + "\xFF"), utf8 + "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(IsValidUtf8, RejectsMalformedSequences) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"abc", true},
        {"\xE6\xA0\xA1", true},
        {"\xF4\x8F\xBF\xBF", true},   // U+10FFFF
        {"\xC0\xAF", false},          // overlong '/'
        {"\xE0\x80\xAF", false},      // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xE6\xA0", false},          // cut off
        {"\x80", false},
        {"\xD0\xA3\xD1\xE9", false},  // GBK "校验"
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace tovrin::text
