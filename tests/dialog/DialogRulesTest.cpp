#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialog/ComboListRules.h"
#include "platform/dialog/DialogUnits.h"
#include "platform/dialog/FileFilter.h"

namespace tovrin::dialog {
namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {7, 7, 4, 12},  {1, 6, 4, 2},
        {3, 5, 4, 4},   {10, 16, 8, 20},
        {-1, 6, 4, -2}, {1, -6, 4, -2},
        {5, 3, -2, -8}, {0, 9, 4, 0},
        {9, 9, 0, 0},   {46341, 46341, 2, 1073744141},  // no overflow in the product
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(DialogUnits, TheLetterAverageRoundsAsTheClassicRule) {
    struct Case {
        int advance, expectedX;
    };
    // 52 letters: 6.25 px each rounds down, 6.5 up.
    const Case cases[] = {{312, 6}, {325, 6}, {338, 7}, {363, 7}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(BaseUnits::FromLetterAdvance(c.advance, 16).x, c.expectedX) << c.advance;
}

TEST(DialogUnits, PositionAndSizeConvertEachOnItsOwn) {
    const BaseUnits units{7, 17};
    EXPECT_EQ(ToPixels(units, 7, 10, 141, 12), (PixelRect{12, 21, 247, 26}));
    EXPECT_EQ(ToPixels(units, 338, 235, 0, 0), (PixelRect{592, 499, 0, 0}));
}

TEST(ComboListRules, PrefixSearchStartsAfterTheStartIndexAndWraps) {
    const std::vector<std::string> entries = {"AB", "ABC", "Q3L88", "q3l99", "芯片Ab", "Z"};
    struct Case {
        int startAfter;
        const char* prefix;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {-1, "ab", 0},     // the whole list from the first entry
        {0, "AB", 1},      // AB at 0 is passed over: ABC wins
        {1, "ab", 0},      // wraps round to the first
        {0, "q3", 2},      // letters without regard to case
        {2, "Q3", 3},      //
        {3, "Q3L8", 2},    // wraps past the end
        {0, "芯片aB", 4},  // only the ASCII letters fold
        {0, "", 1},        // an empty prefix matches the next entry
        {5, "", 0},        //
        {99, "Z", 5},      // a start outside the list searches all
        {0, "ABCD", std::nullopt},
        {0, "X", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindEntryWithPrefix(entries, c.startAfter, c.prefix), c.expected)
            << c.startAfter << " " << c.prefix;
    }
    EXPECT_EQ(FindEntryWithPrefix({}, 0, "A"), std::nullopt);
}

TEST(ComboListRules, SortedEntriesGoAfterTheirEquals) {
    const std::vector<std::string> entries = {"a", "C", "c", "e"};
    EXPECT_EQ(SortedInsertPosition(entries, "B"), 1);
    EXPECT_EQ(SortedInsertPosition(entries, "c"), 3);
    EXPECT_EQ(SortedInsertPosition(entries, "0"), 0);
    EXPECT_EQ(SortedInsertPosition(entries, "z"), 4);
    EXPECT_EQ(SortedInsertPosition({}, "z"), 0);
}

TEST(FileFilters, TheBarFormParsesIntoDescriptionsAndPatterns) {
    EXPECT_EQ(ParseFileFilters("QVB Files (*.qvb)|*.qvb|Hex Files (*.hex)|*.hex|All Files (*.*)|*.*||"),
              (std::vector<FileFilter>{{"QVB Files (*.qvb)", {"*.qvb"}},
                                       {"Hex Files (*.hex)", {"*.hex"}},
                                       {"All Files (*.*)", {"*.*"}}}));
    EXPECT_EQ(ParseFileFilters("Programs|*.hex; *.qvb|"),
              (std::vector<FileFilter>{{"Programs", {"*.hex", "*.qvb"}}}));
    EXPECT_TRUE(ParseFileFilters("").empty());
    EXPECT_TRUE(ParseFileFilters("A description alone").empty());
    EXPECT_TRUE(ParseFileFilters("|*.qvb||").empty());
}

TEST(FileFilters, PatternsMatchWithoutRegardToCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.qvb", "demo.qvb", true},
        {"*.qvb", "DEMO.QVB", true},
        {"*.QVB", "Demo.qvb", true},
        {"*.qvb", "demo.hex", false},
        {"*.qvb", "demo.qvbx", false},
        {"*.hex", "a.hex.bak", false},
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"a?c.*", "ABC.txt", true},
        {"a?c.*", "ac.txt", false},
        {"*", "", true},
        {"*.hex", ".hex", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
    const FileFilter programs{"Programs", {"*.hex", "*.qvb"}};
    EXPECT_TRUE(MatchesFilter(programs, "X.HEX"));
    EXPECT_TRUE(MatchesFilter(programs, "x.Qvb"));
    EXPECT_FALSE(MatchesFilter(programs, "x.txt"));
}

}  // namespace
}  // namespace tovrin::dialog
