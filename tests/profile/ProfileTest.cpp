#include "platform/profile/Profile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDirectory.h"

namespace tovrin::profile {
namespace {

struct StringCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    std::string expected;  // "<default>" when the lookup should miss
};

constexpr const char* kMissing = "<default>";

TEST(Profile, AnswersLookupsAsTheWindowsReaderDoes) {
    const StringCase cases[] = {
        {"names ignore case", "[General]\nChipID=7\n", "gENERAL", "chipid", "7"},
        {"first key of a section wins", "[a]\nk=1\nK=2\n", "a", "k", "1"},
        {"a repeated section adds nothing", "[a]\nx=1\n[A]\nk=2\n", "a", "k", kMissing},
        {"a repeated section does not override", "[a]\nk=1\n[b]\n[a]\nk=2\n", "a", "k", "1"},
        {"keys are kept apart by section", "[a]\nk=1\n[b]\nk=2\n", "b", "k", "2"},
        {"name and value trimmed of blanks and tabs", "[ s \t]\n \t key \t= \t v a l \t\n", "s", "key",
         "v a l"},
        {"double quotes removed", "[s]\nk= \"a b\" \n", "s", "k", "a b"},
        {"single quotes removed", "[s]\nk='a b'\n", "s", "k", "a b"},
        {"only a matching pair is removed", "[s]\nk=\"abc'\n", "s", "k", "\"abc'"},
        {"a lone quote stays", "[s]\nk=\"\n", "s", "k", "\""},
        {"inner quotes stay", "[s]\nk=a\"b\"\n", "s", "k", "a\"b\""},
        {"an empty pair gives an empty value", "[s]\nk=''\n", "s", "k", ""},
        {"comment lines are skipped", "[s]\n  ;k=1\nk=2\n", "s", "k", "2"},
        {"a semicolon after the start is text", "[s]\nk=1;2\n", "s", "k", "1;2"},
        {"only the first '=' splits", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"lines without '=' are ignored", "[s]\nk\nk=1\n", "s", "k", "1"},
        {"empty value is present", "[s]\nk=\n", "s", "k", ""},
        {"missing section", "[s]\nk=1\n", "t", "k", kMissing},
        {"missing key", "[s]\nk=1\n", "s", "j", kMissing},
        {"a key matches whole names only", "[s]\nkey=1\n", "s", "ke", kMissing},
        {"CR LF line ends", "[s]\r\nk=1\r\nj=2\r\n", "s", "j", "2"},
        {"lone CR line ends", "[s]\rk=1\rj=2\r", "s", "j", "2"},
        {"last line without line end", "[s]\nk=1", "s", "k", "1"},
        {"text ends at the first zero byte", std::string("[s]\nk=1\n\0j=2\n", 13), "s", "j", kMissing},
        {"a zero byte cuts a value", std::string("[s]\nk=ab\0cd\n", 12), "s", "k", "ab"},
        {"header without ']' is no header", "[s]\n[t\nk=1\n", "s", "k", "1"},
        {"header name ends at the last ']'", "[a]b]\nk=1\n", "a]b", "k", "1"},
        {"keys before any header", "k=1\n[s]\n", "", "k", "1"},
        {"bytes are not decoded", "[s]\nk=\xD0\xA3\xD1\xE9\n", "s", "k", "\xD0\xA3\xD1\xE9"},
        {"empty text", "", "s", "k", kMissing},
    };
    for (const StringCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Profile profile = Profile::FromText(c.text);
        EXPECT_EQ(profile.GetString(c.section, c.key, kMissing), c.expected);
        EXPECT_EQ(profile.HasKey(c.section, c.key), c.expected != kMissing);
    }
}

TEST(Profile, CutsValuesToTheBufferLength) {
    const std::string longValue(300, 'x');
    const Profile profile = Profile::FromText("[s]\nk=" + longValue + "\nq=\"" + longValue + "\"\n");
    EXPECT_EQ(profile.GetString("s", "k"), std::string(kMaxValueLength, 'x'));
    EXPECT_EQ(profile.GetString("s", "q"), std::string(kMaxValueLength, 'x'));  // cut after unquoting
    EXPECT_EQ(profile.GetString("s", "k", "", 65535), longValue);
}

TEST(Profile, DefaultsComeBackUnchanged) {
    const Profile empty;
    EXPECT_EQ(empty.GetString("s", "k", "fallback "), "fallback ");
    EXPECT_EQ(empty.GetString("s", "k"), "");
    EXPECT_EQ(empty.GetInteger("s", "k", 42u), 42u);
}

TEST(Profile, IntegerKeysTakeTheDefaultOnlyWhenMissingOrEmpty) {
    const Profile profile = Profile::FromText("[s]\nhex=0x1F\nempty=\nword=zz\nquoted=\"12\"\n");
    EXPECT_EQ(profile.GetInteger("S", "HEX", 9), 0x1Fu);
    EXPECT_EQ(profile.GetInteger("s", "missing", 9), 9u);
    EXPECT_EQ(profile.GetInteger("s", "empty", 9), 9u);
    EXPECT_EQ(profile.GetInteger("s", "word", 9), 0u);  // present but without digits
    EXPECT_EQ(profile.GetInteger("s", "quoted", 9), 12u);
}

TEST(Profile, ReadsFilesAndTreatsAMissingOneAsEmpty) {
    testing::TempDirectory directory;
    const auto file = directory.Write("chip.dev", "[General]\r\nChipID=0x1234\r\n[ROM]\r\nSize=1024\r\n");
    const Profile profile = Profile::FromFile(file);
    EXPECT_EQ(profile.GetInteger("general", "chipid", 0), 0x1234u);
    EXPECT_EQ(profile.GetInteger("rom", "size", 0), 1024u);

    const Profile missing = Profile::FromFile(directory / "absent.dev");
    EXPECT_EQ(missing.GetInteger("rom", "size", 5), 5u);
    const Profile folder = Profile::FromFile(directory.path());
    EXPECT_FALSE(folder.HasKey("rom", "size"));
}

TEST(Profile, FindsEveryKeyAmongMany) {
    std::string text;
    for (int s = 0; s < 40; ++s) {
        text += "[Option" + std::to_string(s) + "_Item0]\n";
        for (int k = 0; k < 30; ++k)
            text += "Item" + std::to_string(k) + "_Val=" + std::to_string(s * 100 + k) + "\n";
    }
    const Profile profile = Profile::FromText(text);
    for (int s = 0; s < 40; ++s)
        for (int k = 0; k < 30; ++k)
            ASSERT_EQ(profile.GetInteger("OPTION" + std::to_string(s) + "_ITEM0",
                                         "item" + std::to_string(k) + "_val", 0xFFFF),
                      static_cast<uint32_t>(s * 100 + k));
}

struct IntegerCase {
    const char* text;
    uint32_t expected;
};

TEST(ParseProfileInteger, FollowsTheProfileIntegerRules) {
    const IntegerCase cases[] = {
        {" 12", 12},
        {"\t12", 12},
        {"-1", 0xFFFFFFFFu},
        {"+7", 7},
        {"0x1F", 0x1F},
        {"0X1f", 0x1F},
        {"-0x10", 0xFFFFFFF0u},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
        {"0x1g", 1},
        {"55zz", 55},
        {"zz", 0},
        {"", 0},
        {"-", 0},
        {"0x", 0},
        {"0", 0},
        {"012", 12},  // no octal
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0},  // wraps modulo 2^32
        {"4294967297", 1},
        {"-4294967297", 0xFFFFFFFFu},
        {"0x100000001", 1},
        {"1 2", 1},
        {"- 1", 0},
        {"+-1", 0},
    };
    for (const IntegerCase& c : cases)
        EXPECT_EQ(ParseProfileInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseDecimalInteger, ReadsDecimalOnly) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"  12", 12},
        {"-3", -3},
        {"+4", 4},
        {"0x1F", 0},
        {"9,1", 9},
        {"", 0},
        {"abc", 0},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},
        {"4294967296", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDecimalInteger(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tovrin::profile
