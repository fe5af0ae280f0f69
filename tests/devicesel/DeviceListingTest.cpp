#include "devicesel/DeviceListing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/AsciiCase.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::devicesel {
namespace {

using Titles = std::vector<std::string>;

TEST(ListDeviceTitles, ListsDevFilesOfAnyCaseInChipListOrder) {
    testing::TempDirectory dir;
    for (const char* name :
         {"b.dev", "A.DEV", "c.Dev", "a.dev", "readme.txt", "x.dev.bak", ".dev", "QVB1Q3L88.dev"})
        dir.Write(std::string("Device/") + name, "");
    std::filesystem::create_directories(dir / "Device" / "folder.dev");
    EXPECT_EQ(ListDeviceTitles(dir.path()), (Titles{"", "A", "a", "b", "c", "QVB1Q3L88"}));
}

TEST(ListDeviceTitles, EmptyBaseMeansTheCurrentDirectory) {
    testing::TempDirectory dir;
    dir.Write("Device/one.dev", "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const Titles titles = ListDeviceTitles({});
    std::filesystem::current_path(previous);
    EXPECT_EQ(titles, Titles{"one"});
    EXPECT_TRUE(ListDeviceTitles(dir / "nowhere").empty());
}

TEST(PreselectedEntry, PicksTheLastEqualTitleExceptForVb27) {
    const Titles titles{"VB27", "QVB1Q3L88", "QVB1M8", "QVB1M8", "qvb1k16"};
    struct Case {
        const char* preselected;
        std::size_t expected;
    };
    const Case cases[] = {
        {"", 0}, {"VB27", 0}, {"QVB1Q3L88", 1}, {"QVB1M8", 3}, {"QVB1K16", 0} /* case matters */, {"none", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PreselectedEntry(titles, c.preselected), c.expected) << c.preselected;
    EXPECT_EQ(PreselectedEntry({}, "x"), 0u);
}

TEST(ResultFromTitle, DropsTheFourCharacterPrefix) {
    EXPECT_EQ(ResultFromTitle("QVB1Q3L88"), "Q3L88");
    EXPECT_EQ(ResultFromTitle("QVB1"), "");
    EXPECT_EQ(ResultFromTitle("QV"), "");
    EXPECT_EQ(ResultFromTitle("QVB1\xD6\xD0"), "\xD6\xD0");
}

TEST(CopyResult, WritesAtMost260BytesWithTheTerminator) {
    std::vector<char> out(300, '#');
    CopyResult("abc", out.data());
    EXPECT_STREQ(out.data(), "abc");
    EXPECT_EQ(out[4], '#');

    std::fill(out.begin(), out.end(), '#');
    CopyResult(std::string(400, 'x'), out.data());
    EXPECT_EQ(std::string(out.data()), std::string(kOutBufferBytes - 1, 'x'));
    EXPECT_EQ(out[kOutBufferBytes], '#');
}

TEST(AsciiCaseOrder, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(text::LessIgnoringAsciiCase("a", "B"));
    EXPECT_TRUE(text::LessIgnoringAsciiCase("A", "a"));  // ties broken by bytes
    EXPECT_FALSE(text::LessIgnoringAsciiCase("a", "A"));
    EXPECT_TRUE(text::LessIgnoringAsciiCase("ab", "abc"));
    EXPECT_TRUE(text::LessIgnoringAsciiCase("z", "\xD6\xD0"));  // GBK after ASCII
    EXPECT_TRUE(text::EndsWithIgnoringAsciiCase("x.DeV", ".dev"));
    EXPECT_FALSE(text::EndsWithIgnoringAsciiCase("dev", ".dev"));
}

}  // namespace
}  // namespace tovrin::devicesel
