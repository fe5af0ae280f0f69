#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "catalogue/DefinitionCheck.h"
#include "platform/text/GbkText.h"

namespace tovrin::catalogue {
namespace {

using ::testing::HasSubstr;

// One option word at position 0 with the given item sections appended.
std::string OneWord(int items, const std::string& itemSections) {
    return "[General]\n[Option]\nOptWords=1\nOptAddr0=0\nOptItems0=" + std::to_string(items) + "\n" +
           itemSections;
}

const DefinitionFinding* FindingAt(const std::vector<DefinitionFinding>& findings, const std::string& section,
                                   const std::string& key) {
    for (const auto& f : findings)
        if (f.section == section && f.key == key) return &f;
    return nullptr;
}

TEST(DefinitionCheck, NamesSectionAndKeyOfWhatTheLoaderOrTheDialogsMend) {
    struct Case {
        const char* what;
        std::string text;
        std::string section;
        std::string key;
        FindingSeverity severity;
        std::string says;
    };
    const std::string item = "[Option0_Item0]\n";
    const std::string twoValues = "ItemCount=2\nItem0_Name=a\nItem0_Val=0\nItem1_Name=b\nItem1_Val=1\n";
    const Case cases[] = {
        {"image beyond the bound", "[ROM]\nSize=0x7FFFFFFF\n", "ROM", "Size", FindingSeverity::Error,
         "beyond the bound"},
        {"word dropped", "[Option]\nOptWords=1\nOptStart=2\nOptAddr0=1\n", "Option", "OptAddr0",
         FindingSeverity::Warning, "position 65535"},
        {"two words on one position", "[Option]\nOptWords=2\nOptAddr0=3\nOptAddr1=3\n", "Option", "OptAddr1",
         FindingSeverity::Warning, "shares position 3 with OptAddr0"},
        {"word out of order", "[Option]\nOptWords=1\nOptAddr0=2\n", "Option", "OptAddr0",
         FindingSeverity::Warning, "reads and writes it as header byte 48"},
        {"missing Name variant", OneWord(1, item + "ItemType=1\nName=Mode\nBitEnd=0\n" + twoValues),
         "Option0_Item0", "Name", FindingSeverity::Warning, "second variant"},
        {"missing ItemCount variant", OneWord(1, item + "ItemType=1\nName=a,b\n" + twoValues),
         "Option0_Item0", "ItemCount", FindingSeverity::Warning, "second variant"},
        {"value without a name", OneWord(1, item + "Name=a\nItemCount=1\nItem0_Val=1\n"), "Option0_Item0",
         "Item0_Name", FindingSeverity::Warning, "without a name"},
        {"value without a number", OneWord(1, item + "Name=a\nItemCount=1\nItem0_Name=x\nItem0_Val=on\n"),
         "Option0_Item0", "Item0_Val", FindingSeverity::Warning, "without a decimal number"},
        {"reversed bits", OneWord(1, item + "Name=a\nBitStart=3\nBitEnd=1\n" + twoValues), "Option0_Item0",
         "BitStart", FindingSeverity::Error, "covers no bit"},
        {"bits above 15", OneWord(1, item + "Name=a\nBitStart=6\nBitEnd=20\n" + twoValues), "Option0_Item0",
         "BitEnd", FindingSeverity::Warning, "16 and up"},
        {"field beyond 15", OneWord(1, item + "Name=a\nBitStart=16\nBitEnd=20\n" + twoValues),
         "Option0_Item0", "BitStart", FindingSeverity::Error, "beyond bit 15"},
        {"reverse out of range", OneWord(1, item + "Name=reverse\nRevAddr=47\n"), "Option0_Item0", "RevAddr",
         FindingSeverity::Error, "outside the words 48 to 48"},
        {"reverse to a later word",
         "[Option]\nOptWords=2\nOptAddr0=0\nOptItems0=1\nOptAddr1=1\n[Option0_Item0]\nName=Reverse\nRevAddr="
         "49\n",
         "Option0_Item0", "RevAddr", FindingSeverity::Warning, "always set"},
        {"fixed without values", OneWord(1, item + "Name=Fixed\n"), "Option0_Item0", "ItemCount",
         FindingSeverity::Warning, "written as 0"},
        {"displayable without values", OneWord(1, item + "Name=a\n"), "Option0_Item0", "ItemCount",
         FindingSeverity::Warning, "field stays 0"},
        {"name too long",
         OneWord(1, item + "Name=" + text::Utf8ToGbk("一二三四五六七八九") + "\n" + twoValues),
         "Option0_Item0", "Name", FindingSeverity::Warning, "half-width columns"},
    };
    for (const Case& c : cases) {
        const auto findings = CheckDefinition(profile::Profile::FromText(c.text), "C");
        const DefinitionFinding* found = FindingAt(findings, c.section, c.key);
        ASSERT_NE(found, nullptr) << c.what;
        EXPECT_EQ(found->severity, c.severity) << c.what;
        EXPECT_THAT(found->message, HasSubstr(c.says)) << c.what;
        EXPECT_EQ(HasErrors(findings), c.severity == FindingSeverity::Error) << c.what;
    }
}

TEST(DefinitionCheck, ACleanDefinitionHasNoFindings) {
    const std::string text =
        OneWord(2, "[Option0_Item0]\nName=" + text::Utf8ToGbk("看门狗") +
                       "\nBitStart=2\nBitEnd=3\nItemCount=1\nItem0_Name=x\nItem0_Val=3\n"
                       "[Option0_Item1]\nName=Reverse\nRevAddr=48\nRevBit=2\nBitStart=0\n");
    EXPECT_TRUE(CheckDefinition(profile::Profile::FromText(text), "Q3L88").empty());
}

TEST(DefinitionCheck, MoreThanAHundredDisplayableItemsAndLongChipNamesAreReported) {
    std::string text = "[Option]\nOptWords=2\nOptAddr0=0\nOptItems0=255\nOptAddr1=1\nOptItems1=255\n";
    const auto findings = CheckDefinition(profile::Profile::FromText(text), "LONGNAME");
    const DefinitionFinding* rows = FindingAt(findings, "Option", "OptItems0");
    ASSERT_NE(rows, nullptr);
    EXPECT_THAT(rows->message, HasSubstr("more than 100 displayable items"));
    const DefinitionFinding* name = FindingAt(findings, "", "");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->severity, FindingSeverity::Error);
}

TEST(DefinitionCheck, DisplayColumnsCountDoubleByteCharactersTwice) {
    EXPECT_EQ(DisplayColumns("abc"), 3u);
    EXPECT_EQ(DisplayColumns(text::Utf8ToGbk("看门狗x")), 7u);
    EXPECT_EQ(DisplayColumns("\x81"), 1u);
}

}  // namespace
}  // namespace tovrin::catalogue
