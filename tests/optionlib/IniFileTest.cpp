#include "optionlib/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TempDirectory.h"

namespace tovrin::optionlib {
namespace {

TEST(DecodeLineBreakPairs, TurnsBytePairsIntoLineBreaks) {
    struct Case {
        std::string raw;
        std::string decoded;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a\xFE\xFE"
         "b",
         "a\rb"},
        {"a\xFF\xFF"
         "b",
         "a\nb"},
        {"\xFE\xFE\xFF\xFF", "\r\n"},
        {"\xFE\xFE\xFE", "\r\xFE"},  // pairs are taken from the left
        {"\xFE\xFF", "\xFE\xFF"},    // a mixed pair is no break
        {"\xFE", "\xFE"},
        {"\xD6\xD0\xFE\xFE\xCE\xC4", "\xD6\xD0\r\xCE\xC4"},  // GBK around a break
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeLineBreakPairs(c.raw), c.decoded) << c.raw;
}

TEST(CIniFile, ReadsDecodedStringsAndDecimalIntegers) {
    testing::TempDirectory dir;
    const auto path = dir.Write("d.ini",
                                "[S]\nName=a\xFE\xFE"
                                "b\nNum= -12x\nHex=0x10\nEmpty=\nBig=4294967297\n");
    CIniFile ini;
    ini.Open(path);
    EXPECT_EQ(ini.GetString("s", "name", "d"), "a\rb");
    EXPECT_EQ(ini.GetString("S", "missing", "d"), "d");
    EXPECT_EQ(ini.GetString("S", "Empty", "d"), "");
    EXPECT_EQ(ini.GetInt("S", "Num", 7), -12);
    EXPECT_EQ(ini.GetInt("S", "Hex", 7), 0);  // decimal only: stops at the x
    EXPECT_EQ(ini.GetInt("S", "Empty", 7), 7);
    EXPECT_EQ(ini.GetInt("S", "Missing", 7), 7);
    EXPECT_EQ(ini.GetInt("S", "Big", 7), 1);  // wraps, never undefined
}

TEST(CIniFile, CreatesAMissingFileEmptyAndNeverReplacesOne) {
    testing::TempDirectory dir;
    CIniFile ini;
    ini.Open(dir / "new.ini");
    EXPECT_TRUE(std::filesystem::exists(dir / "new.ini"));
    EXPECT_EQ(std::filesystem::file_size(dir / "new.ini"), 0u);
    EXPECT_EQ(ini.GetInt("A", "B", 3), 3);

    // A folder where the file should be stays a folder.
    std::filesystem::create_directory(dir / "folder.ini");
    ini.Open(dir / "folder.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));

    // A missing parent folder is not created.
    ini.Open(dir / "no" / "such.ini");
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

}  // namespace
}  // namespace tovrin::optionlib
