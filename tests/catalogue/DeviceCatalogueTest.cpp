#include "catalogue/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/AsciiText.h"
#include "catalogue/ChipDefinition.h"

namespace tovrin::catalogue {
namespace {

DeviceCatalogue CatalogueOf(const std::vector<std::string>& names) {
    DeviceCatalogue catalogue;
    for (const auto& name : names) catalogue.Add({name, kImageHeaderByteCount, 0}, ChipDefinition{});
    return catalogue;
}

TEST(DeviceCatalogueTest, FindByPrefixSearchesFromTheSecondEntryThenTheFirst) {
    const struct {
        const char* label;
        std::vector<std::string> names;
        std::string prefix;
        std::optional<std::size_t> found;
    } cases[] = {
        {"a longer later name wins over the exact first", {"AB", "ABC"}, "AB", 1},
        {"the first is searched last", {"AB", "XY"}, "AB", 0},
        {"letters without regard to case", {"q3l88", "M8A10"}, "Q3L", 0},
        {"the earliest match after the first", {"K1", "M8A10", "M8A11"}, "m8a", 1},
        {"no entry begins with it", {"AB", "ABC"}, "ABD", std::nullopt},
        {"a prefix longer than the names", {"AB"}, "ABC", std::nullopt},
        {"an empty text matches nothing", {"AB", "ABC"}, "", std::nullopt},
        {"an empty list", {}, "AB", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(CatalogueOf(c.names).FindByPrefix(c.prefix), c.found);
    }
}

TEST(DeviceCatalogueTest, NamesAreLookedUpExactlyAndALaterAddReplaces) {
    DeviceCatalogue catalogue;
    ChipDefinition first;
    first.visibleItemCount = 1;
    ChipDefinition second;
    second.visibleItemCount = 2;
    catalogue.Add({"abc", 2128, 14}, first);
    catalogue.Add({"abc", 80, 8}, second);

    ASSERT_NE(catalogue.Find("abc"), nullptr);
    EXPECT_EQ(catalogue.Find("abc")->visibleItemCount, 2);
    EXPECT_EQ(catalogue.Find("ABC"), nullptr);
    EXPECT_EQ(catalogue.DefinitionOrEmpty("ABC"), ChipDefinition{});
    EXPECT_EQ(catalogue.Size(), 2u);  // the list keeps both positions
}

TEST(ChipDefinitionTest, ItemKindIsTheWholeNameWithoutRegardToCase) {
    const struct {
        const char* name;
        OptionItemKind kind;
    } cases[] = {
        {"Fixed", OptionItemKind::Fixed},     {"fixed", OptionItemKind::Fixed},
        {"FIXED", OptionItemKind::Fixed},     {"Reverse", OptionItemKind::Reverse},
        {"reVERSE", OptionItemKind::Reverse}, {"Fixed ", OptionItemKind::Select},
        {"Fix", OptionItemKind::Select},      {"Reversed", OptionItemKind::Select},
        {"", OptionItemKind::Select},         {"WDT", OptionItemKind::Select},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionItem item;
        item.name = c.name;
        EXPECT_EQ(item.Kind(), c.kind);
    }
}

TEST(ChipDefinitionTest, ErasedHighByteOfEveryWidth) {
    const struct {
        int32_t width;
        uint8_t high;
    } cases[] = {
        {-5, 0x00}, {0, 0x00},  {1, 0x00},  {8, 0x00},  {9, 0x01},  {12, 0x0F},
        {14, 0x3F}, {15, 0x7F}, {16, 0xFF}, {31, 0xFF}, {32, 0xFF}, {1000, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(ErasedHighByte(c.width), c.high);
    }
}

TEST(AsciiTextTest, UpperCasingLeavesGbkTrailBytesAlone) {
    EXPECT_EQ(UpperCaseChipName("abc"), "ABC");
    EXPECT_EQ(UpperCaseChipName("q3l88a"), "Q3L88A");
    // 0xB0 0x61 is one GBK character whose trail byte happens to be 'a'.
    EXPECT_EQ(UpperCaseChipName("\xB0"
                                "a"
                                "b"),
              "\xB0"
              "a"
              "B");
    // A lone 0x80 is no lead byte, so the letter after it is upper-cased.
    EXPECT_EQ(UpperCaseChipName("\x80"
                                "a"),
              "\x80"
              "A");
}

}  // namespace
}  // namespace tovrin::catalogue
