#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/OptionRows.h"
#include "platform/text/GbkText.h"

namespace tovrin::catalogue {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

OptionItem Item(std::string name, uint8_t bitStart, uint8_t bitEnd, std::vector<OptionValue> values = {}) {
    OptionItem item;
    item.name = std::move(name);
    item.bitStart = bitStart;
    item.bitEnd = bitEnd;
    item.values = std::move(values);
    return item;
}

OptionItem Reverse(uint8_t revAddr, uint8_t revBit, uint8_t bit) {
    OptionItem item = Item("Reverse", bit, bit, {{"x", 0}});
    item.revAddr = revAddr;
    item.revBit = revBit;
    return item;
}

std::vector<OptionValue> Values(std::initializer_list<uint16_t> numbers) {
    std::vector<OptionValue> values;
    for (uint16_t n : numbers) values.push_back({"v" + std::to_string(n), n});
    return values;
}

// Words placed at 48, 49, ... in order, as well-formed definitions have them.
ChipDefinition Definition(std::vector<std::vector<OptionItem>> words) {
    ChipDefinition definition;
    for (std::size_t w = 0; w < words.size(); ++w) {
        OptionWord word;
        word.headerOffset = static_cast<uint16_t>(kOptionBlockOffset + w);
        word.items = std::move(words[w]);
        word.declaredItemCount = static_cast<uint8_t>(word.items.size());
        for (const auto& item : word.items)
            if (item.Kind() == OptionItemKind::Select) ++definition.visibleItemCount;
        definition.optionWords.push_back(std::move(word));
    }
    definition.optionWordCount = static_cast<uint16_t>(definition.optionWords.size());
    return definition;
}

// Oscillator in bits 0-1, watchdog bit 2, a fixed 1 in bit 3; word 1 mirrors
// the watchdog inverted in its bit 1.
ChipDefinition TwoWordChip() {
    return Definition({
        {Item(text::Utf8ToGbk("振荡器"), 0, 1,
              {{text::Utf8ToGbk("外部晶振"), 0}, {text::Utf8ToGbk("内部RC"), 1}, {"ERC", 2}, {"LP", 3}}),
         Item("Watchdog", 2, 2, {{"Off", 0}, {"On", 1}}), Item("fixed", 3, 3, {{"r", 1}})},
        {Item("Protect", 0, 0, {{"On", 0}, {"Off", 1}}), Reverse(48, 2, 1)},
    });
}

std::vector<uint8_t> Apply(const ChipDefinition& definition, std::vector<int> selections,
                           std::vector<uint8_t> buffer = std::vector<uint8_t>(32, 0xAA)) {
    EXPECT_TRUE(ApplyOptionSelections(definition, selections, buffer));
    return buffer;
}

TEST(OptionRows, OneRowPerDisplayableItemWithTheDialogsGeometry) {
    const OptionDialogLayout layout = BuildOptionDialog(TwoWordChip(), text::Utf8ToGbk("Q3L88"), {});
    ASSERT_EQ(layout.rows.size(), 3u);
    EXPECT_EQ(layout.caption, "Q3L88");
    EXPECT_EQ(layout.rows[0].label, "振荡器");
    EXPECT_THAT(layout.rows[0].choices, ElementsAre("外部晶振", "内部RC", "ERC", "LP"));
    EXPECT_EQ(layout.rows[2].label, "Protect");
    EXPECT_EQ(layout.rows[2].wordIndex, 1u);
    EXPECT_EQ(layout.rows[2].itemIndex, 0u);

    const OptionRow& second = layout.rows[1];
    EXPECT_EQ(second.listId, 2002);
    EXPECT_EQ(second.labelId, 2102);
    EXPECT_EQ(second.labelRect, (PixelRect{15, 51, 170, 196}));
    EXPECT_EQ(second.listRect, (PixelRect{130, 47, 270, 174}));
    EXPECT_EQ(layout.height, 7 * 27);
    EXPECT_EQ(layout.frame, (PixelRect{8, 8, 284, 111}));
    EXPECT_EQ(layout.okButton, (PixelRect{50, 121, 130, 148}));
    EXPECT_EQ(layout.cancelButton, (PixelRect{170, 121, 250, 148}));
}

TEST(OptionRows, AChipWithoutDisplayableItemsStillComposesItsFixedAndReverseItems) {
    const ChipDefinition chip = Definition({{Item("FIXED", 4, 5, {{"x", 2}}), Reverse(48, 0, 0)}});
    const OptionDialogLayout layout = BuildOptionDialog(chip, "K", {});
    EXPECT_TRUE(layout.rows.empty());
    EXPECT_EQ(layout.height, 108);
    EXPECT_EQ(layout.frame, (PixelRect{8, 8, 284, 30}));
    EXPECT_EQ(layout.okButton.top, 40);
    EXPECT_EQ(Apply(chip, {})[0], 0x21);
}

TEST(OptionRows, DecodingSelectsTheLastValueEqualToTheFieldAndTheFirstWhenNoneIs) {
    struct Case {
        const char* what;
        OptionItem item;
        uint8_t byte;
        int selection;
    };
    const Case cases[] = {
        {"plain match", Item("a", 2, 3, Values({0, 1, 2, 3})), 0x08, 2},
        {"no value matches", Item("a", 0, 1, Values({7, 5})), 0x02, 0},
        {"two values share one", Item("a", 0, 1, Values({1, 3, 1, 2})), 0x01, 2},
        {"bits above 7 are cut from the mask", Item("a", 6, 9, Values({0, 3, 15})), 0xC0, 1},
        {"a field wholly above 7 reads 0", Item("a", 8, 11, Values({5, 0})), 0xFF, 1},
        {"a reversed range reads 0", Item("a", 3, 1, Values({6, 0})), 0xFF, 1},
        {"a start far beyond the word reads 0", Item("a", 200, 250, Values({1, 0})), 0xFF, 1},
        {"no values: no selection", Item("a", 0, 7), 0x12, -1},
    };
    for (const Case& c : cases) {
        const OptionDialogLayout layout = BuildOptionDialog(Definition({{c.item}}), "C", std::vector{c.byte});
        ASSERT_EQ(layout.rows.size(), 1u) << c.what;
        EXPECT_EQ(layout.rows[0].selection, c.selection) << c.what;
    }
}

TEST(OptionRows, ApplyingUntouchedRowsRecomposesAndClearsUncoveredBits) {
    const ChipDefinition chip = TwoWordChip();
    // Oscillator 2, watchdog on; every other bit set but covered by nothing.
    const std::vector<uint8_t> current = {0xF6, 0xFF};
    const OptionDialogLayout layout = BuildOptionDialog(chip, "C", current);
    EXPECT_THAT(Selections(layout), ElementsAre(2, 1, 1));

    const std::vector<uint8_t> buffer = Apply(chip, Selections(layout));
    EXPECT_EQ(buffer[0], 0x0E);  // ERC, watchdog, fixed bit 3
    EXPECT_EQ(buffer[1], 0x01);  // protect off; watchdog on, so no mirrored bit
    EXPECT_EQ(buffer[2], 0xAA) << "bytes beyond the option words stay";
    EXPECT_EQ(Apply(chip, {0, 0, 0})[1], 0x02) << "the watchdog off sets the mirrored bit";
}

TEST(OptionRows, CompositionKeepsSixteenBitsAndTheBufferOnlyTheLowEight) {
    const ChipDefinition chip = Definition({{Item("wide", 4, 11, Values({0, 0xAB}))}});
    EXPECT_THAT(ComposeOptionWords(chip, std::vector{1}), ElementsAre(0x0AB0));
    EXPECT_EQ(Apply(chip, {1})[0], 0xB0);
}

TEST(OptionRows, AReverseItemReadsItsWordAsComposedSoFar) {
    struct Case {
        const char* what;
        ChipDefinition chip;
        std::vector<uint16_t> composed;
    };
    const Case cases[] = {
        {"a later word still reads 0, so the bit is always set",
         Definition({{Reverse(49, 0, 5)}, {Item("Fixed", 0, 0, {{"x", 1}})}}),
         {0x20, 0x01}},
        {"its own word, with the bit placed by an earlier item",
         Definition({{Item("Fixed", 0, 0, {{"x", 1}}), Reverse(48, 0, 1)}}),
         {0x01}},
        {"below the first word: ignored", Definition({{Reverse(47, 0, 1)}}), {0x00}},
        {"at or beyond the word count: ignored", Definition({{Reverse(49, 0, 1)}}), {0x00}},
        {"a bit beyond 15 of the referenced word reads 0", Definition({{Reverse(48, 200, 2)}}), {0x04}},
        {"a target bit beyond 15 places nothing", Definition({{Reverse(48, 0, 16)}}), {0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeOptionWords(c.chip, {}), c.composed) << c.what;
}

TEST(OptionRows, MalformedItemsPlaceNothingWhereTheyWouldGuess) {
    struct Case {
        const char* what;
        ChipDefinition chip;
        std::vector<int> selections;
        std::vector<uint16_t> composed;
    };
    const Case cases[] = {
        {"a Fixed item without values contributes 0 and takes no row",
         Definition({{Item("Fixed", 0, 3), Item("a", 4, 5, Values({0, 3}))}}),
         {1},
         {0x30}},
        {"a displayable item without values leaves its field 0",
         Definition({{Item("a", 0, 7), Item("b", 0, 0, Values({0, 1}))}}),
         {-1, 1},
         {0x01}},
        {"a selection outside the values leaves the field 0",
         Definition({{Item("a", 0, 3, Values({9}))}}),
         {5},
         {0x00}},
        {"a reversed bit range places nothing", Definition({{Item("a", 3, 1, Values({0xFF}))}}), {0}, {0x00}},
        {"positions above 15 place nothing",
         Definition({{Item("a", 14, 40, Values({0xFFFF}))}}),
         {0},
         {0xC000}},
        {"missing selections read as none", Definition({{Item("a", 0, 1, Values({3}))}}), {}, {0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeOptionWords(c.chip, c.selections), c.composed) << c.what;
}

TEST(OptionRows, ApplyWithoutOptionWordsRefusesAndChangesNothing) {
    ChipDefinition none;
    std::vector<uint8_t> buffer(32, 0x5A);
    const Status status = ApplyOptionSelections(none, std::vector<int>{}, buffer);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().message, "Invalid Device files!");
    EXPECT_EQ(buffer, std::vector<uint8_t>(32, 0x5A));
}

TEST(OptionRows, ACountLargerThanTheWordsHeldNeverReachesPastThem) {
    ChipDefinition chip = Definition({{Item("a", 0, 0, Values({0, 1}))}});
    chip.optionWordCount = 9;
    std::vector<uint8_t> buffer;
    ASSERT_TRUE(ApplyOptionSelections(chip, std::vector{1}, buffer));
    EXPECT_THAT(buffer, ElementsAre(0x01));
}

TEST(OptionRows, MoreThanAHundredRowsKeepIdsApartFromEachOtherAndTheButtons) {
    std::vector<OptionItem> items;
    for (int i = 0; i < 250; ++i)
        items.push_back(
            Item("bit", static_cast<uint8_t>(i % 8), static_cast<uint8_t>(i % 8), Values({0, 1})));
    const OptionDialogLayout layout = BuildOptionDialog(Definition({items}), "C", std::vector<uint8_t>{0xFF});
    ASSERT_EQ(layout.rows.size(), 250u);
    std::set<int> ids = {option_dialog::kOkId, option_dialog::kCancelId};
    for (const OptionRow& row : layout.rows) {
        EXPECT_TRUE(ids.insert(row.listId).second) << row.listId;
        EXPECT_TRUE(ids.insert(row.labelId).second) << row.labelId;
    }
    EXPECT_EQ(layout.rows[99].listId, 2100);
    EXPECT_EQ(layout.rows[99].labelId, 2200);
    EXPECT_EQ(layout.rows[249].listRect.top, 20 + 27 * 249);
    EXPECT_EQ(layout.height, 254 * 27);
}

TEST(OptionRows, ADialogTallerThanTheScreenScrollsItsRows) {
    OptionDialogLayout layout;
    layout.height = 189;
    OptionDialogPlacement fits = PlaceOptionDialog(layout, 1920, 1080, 1040);
    EXPECT_EQ(fits.x, 810);
    EXPECT_EQ(fits.y, 445);
    EXPECT_EQ(fits.height, 189);
    EXPECT_FALSE(fits.rowsScroll);

    layout.height = 3000;
    OptionDialogPlacement tall = PlaceOptionDialog(layout, 1920, 1080, 1040);
    EXPECT_TRUE(tall.rowsScroll);
    EXPECT_EQ(tall.height, 1040);
    EXPECT_EQ(tall.y, 20);
}

TEST(OptionChoice, NamesRowsAndValuesByTheirDisplayTexts) {
    const ChipDefinition chip = Definition({
        {Item("Mode", 0, 1, {{"A", 0}, {"B", 1}, {"B", 1}, {"C", 2}, {"C", 3}})},
        {Item("Bit", 0, 0, Values({0, 1})), Item("Bit", 1, 1, Values({0, 1})), Item("x=y", 2, 2, {{"=", 1}})},
    });
    const OptionDialogLayout layout = BuildOptionDialog(chip, "C", {});
    struct Case {
        std::string assignment;
        std::size_t row;
        int selection;
    };
    const Case found[] = {
        {"Mode=A", 0, 0}, {"Mode=B", 0, 2}, {"Bit#1=v1", 1, 1}, {"Bit#2=v0", 2, 0}, {"x=y==", 3, 0},
    };
    for (const Case& c : found) {
        auto choice = FindOptionAssignment(layout, c.assignment);
        ASSERT_TRUE(choice) << c.assignment << ": " << choice.error().message;
        EXPECT_EQ(choice->row, c.row) << c.assignment;
        EXPECT_EQ(choice->selection, c.selection) << c.assignment;
    }
    struct Refusal {
        std::string assignment;
        std::string says;
    };
    const Refusal refused[] = {
        {"Bit=v1",
         "names 2 rows; qualify it as NAME#K. The items are: \"Mode\", \"Bit#1\", \"Bit#2\", \"x=y\""},
        {"Bit#3=v1", "no configuration item \"Bit#3\""},
        {"Speed=A", "the items are: \"Mode\", \"Bit#1\""},
        {"Mode=D", "no value \"D\" for \"Mode\"; the choices are: \"A\", \"B\", \"B\", \"C\", \"C\""},
        {"Mode=C", "names entries with different numbers"},
        {"Mode", "needs ITEM=VALUE"},
    };
    for (const Refusal& r : refused) {
        auto choice = FindOptionAssignment(layout, r.assignment);
        ASSERT_FALSE(choice) << r.assignment;
        EXPECT_THAT(choice.error().message, HasSubstr(r.says)) << r.assignment;
    }
    EXPECT_THAT(FindOptionAssignment(BuildOptionDialog(ChipDefinition{}, "C", {}), "a=b").error().message,
                HasSubstr("no configuration items"));
}

}  // namespace
}  // namespace tovrin::catalogue
