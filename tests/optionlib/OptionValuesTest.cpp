#include "optionlib/OptionValues.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "optionlib/ConfigBitsLayout.h"
#include "optionlib/StartingValues.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::optionlib {
namespace {

FieldRow Row(int32_t bitStart, int32_t bitEnd, std::vector<std::string> patterns, std::size_t word = 0) {
    FieldRow row;
    row.word = word;
    row.bitStart = bitStart;
    row.bitEnd = bitEnd;
    for (std::string& p : patterns) row.choices.push_back({"n", std::move(p)});
    return row;
}

TEST(FieldPattern, CutsTheWordToTheField) {
    struct Case {
        uint16_t word;
        int32_t bitStart, bitEnd;
        std::string expected;
    };
    const Case cases[] = {
        {0x8001, 15, 0, "1000000000000001"},
        {0x0006, 2, 1, "11"},
        {0x0004, 2, 2, "1"},
        {0x0004, 1, 2, ""},         // highest below lowest: nothing
        {0xFFFF, 20, 14, "11"},     // positions above 15 do not exist
        {0xFFFF, 3, -2, "111111"},  // the text cut, whatever the positions
        {0xFFFF, 30, 17, ""},
        {0xFFFF, INT32_MAX, INT32_MIN, "1111111111111111"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldPattern(c.word, c.bitStart, c.bitEnd), c.expected) << c.bitStart << ".." << c.bitEnd;
}

TEST(InitialChoice, PicksTheHighestMatchingValueElseTheFirst) {
    EXPECT_EQ(InitialChoice(Row(1, 0, {"00", "10", "10", "11"}), 0x0002), 2);
    EXPECT_EQ(InitialChoice(Row(1, 0, {"00", "01"}), 0x0003), 0);
    EXPECT_EQ(InitialChoice(Row(1, 0, {}), 0x0003), kNoChoice);
    // A reversed field matches only an empty pattern.
    EXPECT_EQ(InitialChoice(Row(0, 1, {"0", "", "1"}), 0x0000), 1);
}

TEST(ApplyChoice, WritesOnlyPatternsOfTheFieldsWidth) {
    struct Case {
        const char* what;
        FieldRow row;
        int choice;
        uint16_t before, after;
    };
    const Case cases[] = {
        {"sets and clears", Row(5, 2, {"1010"}), 0, 0xFFFF, 0xFFEB},
        {"other characters clear", Row(3, 0, {"1x1?"}), 0, 0x000F, 0x000A},
        {"wrong length keeps bits", Row(3, 0, {"101"}), 0, 0x0005, 0x0005},
        {"empty pattern keeps bits", Row(3, 0, {""}), 0, 0x0005, 0x0005},
        {"no choice keeps bits", Row(3, 0, {"1111"}), kNoChoice, 0x0005, 0x0005},
        {"choice out of range keeps bits", Row(3, 0, {"1111"}), 4, 0x0005, 0x0005},
        {"reversed field never changes", Row(0, 3, {""}), 0, 0x0005, 0x0005},
        {"bits above 15 ignored", Row(17, 14, {"0000"}), 0, 0xFFFF, 0x3FFF},
        {"bits below 0 ignored", Row(1, -2, {"1111"}), 0, 0x0000, 0x0003},
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyChoice(c.before, c.row, c.choice), c.after) << c.what;
}

TEST(ApplyComplements, ComplementsRangesInWordOrder) {
    struct Case {
        const char* what;
        std::vector<uint16_t> before;
        std::vector<ComplementRecord> records;
        std::vector<uint16_t> after;
    };
    const Case cases[] = {
        {"bits 10 of the source make 01", {0x0000, 0x0002}, {{true, 0, 1, 1}, {}}, {0x0001, 0x0002}},
        {"absent record does nothing", {0x1234, 0x0000}, {{false, 0, 15, 1}, {}}, {0x1234, 0x0000}},
        {"source outside the words ignored", {0x1234}, {{true, 0, 15, 1}}, {0x1234}},
        {"negative source ignored", {0x1234}, {{true, 0, 15, -1}}, {0x1234}},
        {"own word as source", {0x00F0}, {{true, 0, 7, 0}}, {0x000F}},
        {"positions above 15 ignored", {0x0000, 0x0000}, {{true, 14, 40, 1}, {}}, {0xC000, 0x0000}},
        {"empty range", {0x0000, 0x0000}, {{true, 5, 4, 1}, {}}, {0x0000, 0x0000}},
        // Word 1 complements word 0 first; word 2 then reads the new word 1.
        {"later words see earlier results",
         {0x0001, 0x0000, 0x0000},
         {{}, {true, 0, 0, 0}, {true, 0, 0, 1}},
         {0x0001, 0x0000, 0x0001}},
    };
    for (const Case& c : cases) {
        std::vector<uint16_t> values = c.before;
        ApplyComplements(values, c.records);
        EXPECT_EQ(values, c.after) << c.what;
    }
}

TEST(ComposeValues, AppliesRowsToTheirWordsThenComplements) {
    OptionDescription d;
    d.rows = {Row(1, 0, {"00", "11"}, 0), Row(3, 2, {"01", "10"}, 0), Row(0, 0, {"1"}, 1)};
    d.complements = {{}, {}, {true, 4, 5, 0}};
    const std::vector<uint16_t> start{0xF000, 0x0000, 0x0000};
    EXPECT_EQ(ComposeValues(d, start, std::vector<int>{1, 1, 0}),
              (std::vector<uint16_t>{0xF00B, 0x0001, 0x0030}));
    // Uncovered bits keep their starting values; missing choices keep fields.
    EXPECT_EQ(ComposeValues(d, start, std::vector<int>{}), (std::vector<uint16_t>{0xF000, 0x0000, 0x0030}));
}

TEST(ReadOptionDescription, BuildsRowsAndComplementsPerVariant) {
    testing::TempDirectory dir;
    const std::string items =
        "[{P}0_Item0]\nName=Osc\xFE\xFE"
        "Mode\nItemCount=2\nItem0_Name=RC\nItem0_Val=0\nItem1_Name=XT\nItem1_Val=1\n"
        "BitStart=3\nBitEnd=3\n"
        "[{P}0_Item1]\nItemType=2\nItem1_Val=1\nItem0_ReverseBitStart=0\nItem0_ReverseBitEnd=1\n"
        "[{P}0_Item2]\nItemType=2\nItem2_Val=0\nItem0_ReverseBitStart=4\nItem0_ReverseBitEnd=5\n"
        "[{P}1_Item0]\nItemCount=1\n";
    auto write = [&](const std::string& prefix) {
        std::string text = "[" + prefix +
                           "]\nOptionWords=2\nOptInitVal0=100\nOptInitVal1=7\nOptItems0=3\n"
                           "OptItems1=1\nOptAddr0=8199\nOptAddr1=8200\n" +
                           items;
        for (std::size_t at; (at = text.find("{P}")) != std::string::npos;) text.replace(at, 3, prefix);
        return dir.Write(prefix + ".ini", text);
    };

    CIniFile mard;
    mard.Open(write("MardOption"));
    const OptionDescription m =
        ReadOptionDescription(mard, Variant::Mard, ReadWordCount(mard, Variant::Mard));
    ASSERT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(m.rows[0].name, "Osc\rMode");
    EXPECT_EQ(m.rows[0].choices.size(), 2u);
    EXPECT_EQ(m.rows[0].choices[1].pattern, "1");
    EXPECT_EQ(m.rows[1].word, 1u);
    EXPECT_EQ(DisplayLabel(m.rows[1]), "未定义");
    ASSERT_EQ(m.complements.size(), 2u);
    // The later complement item of word 0 replaces the earlier one.
    EXPECT_TRUE(m.complements[0].present);
    EXPECT_EQ(m.complements[0].lowBit, 4);
    EXPECT_EQ(m.complements[0].highBit, 5);
    EXPECT_EQ(m.complements[0].sourceWord, 0);
    EXPECT_FALSE(m.complements[1].present);
    EXPECT_EQ(StartingValues(mard, Variant::Mard, {}, 0x1234), (std::vector<uint16_t>{0x1234, 7}));

    CIniFile ryl;
    ryl.Open(write("RylOption"));
    const OptionDescription r = ReadOptionDescription(ryl, Variant::Ryl, 2);
    EXPECT_EQ(r.rows.size(), 2u);
    EXPECT_FALSE(r.complements[0].present);  // Ryl skips complement items
    EXPECT_EQ(StartingValues(ryl, Variant::Ryl, {}, 0x1234), (std::vector<uint16_t>{100, 7}));
    EXPECT_EQ(ReadWordAddresses(ryl, Variant::Ryl, 2), (std::vector<uint16_t>{8199, 8200}));
    // The other variant's sections are not read.
    EXPECT_TRUE(ReadOptionDescription(ryl, Variant::Mard, 2).rows.empty());
}

TEST(ReadOptionDescription, StopsAddingRowsAtSixtyAndBoundsCounts) {
    testing::TempDirectory dir;
    CIniFile ini;
    ini.Open(dir.Write("d.ini",
                       "[MardOption]\nOptionWords=99999\nOptItems0=50\nOptItems1=50\n"
                       "[MardOption1_Item40]\nItemType=2\nItem40_Val=0\nItem0_ReverseBitEnd=3\n"
                       "[MardOption0_Item0]\nItemCount=2000000000\n"));
    EXPECT_EQ(ReadWordCount(ini, Variant::Mard), static_cast<std::size_t>(kMaxOptionWords));
    const OptionDescription d = ReadOptionDescription(ini, Variant::Mard, 2);
    EXPECT_EQ(d.rows.size(), static_cast<std::size_t>(kMaxRows));
    EXPECT_EQ(d.rows.back().word, 1u);
    EXPECT_EQ(d.rows[0].choices.size(), static_cast<std::size_t>(kMaxValuesPerItem));
    // A complement item after the sixtieth row still counts.
    EXPECT_TRUE(d.complements[1].present);

    CIniFile negative;
    negative.Open(dir.Write("n.ini", "[MardOption]\nOptionWords=-3\n"));
    EXPECT_EQ(ReadWordCount(negative, Variant::Mard), 0u);
}

TEST(RylBuffer, StartsFromTheCallersWordsUpToEight) {
    testing::TempDirectory dir;
    CIniFile ini;
    ini.Open(dir.Write("d.ini", "[RylOption]\nOptionWords=1\nOptInitVal0=5\n"));
    auto input = [](uint16_t count) {
        std::array<uint16_t, 18> words{};
        words[0] = count;
        for (std::size_t i = 0; i < 8; ++i) words[2 + 2 * i] = static_cast<uint16_t>(0x100 + i);
        std::array<uint8_t, kRylInputBytes> bytes{};
        std::memcpy(bytes.data(), words.data(), bytes.size());
        return ReadRylInput(bytes);
    };
    EXPECT_EQ(StartingValues(ini, Variant::Ryl, input(0), 0), (std::vector<uint16_t>{5}));
    EXPECT_EQ(StartingValues(ini, Variant::Ryl, input(2), 0), (std::vector<uint16_t>{0x100, 0x101}));
    EXPECT_EQ(StartingValues(ini, Variant::Ryl, input(500), 0).size(), 8u);
}

TEST(RylBuffer, WritesCountAndAddressValuePairs) {
    EXPECT_EQ(RylResultWords(0, {}, {}), (std::vector<uint16_t>{0, 0}));
    EXPECT_EQ(RylResultWords(3, {}, {}), (std::vector<uint16_t>{0, 3}));
    const std::vector<uint16_t> addresses{0x2007, 0x2008};
    const std::vector<uint16_t> values{0x3FFF, 0x0001};
    EXPECT_EQ(RylResultWords(2, addresses, values),
              (std::vector<uint16_t>{2, 0x2007, 0x3FFF, 0x2008, 0x0001}));
}

TEST(ConfigBitsLayout, SizesTheWindowFromTheRowCount) {
    struct Case {
        int rows;
        int referenceRow;
        int columns;
    };
    const Case cases[] = {{0, 0, 1},   {1, 0, 1},   {19, 18, 1}, {20, 19, 2}, {21, 19, 2},
                          {39, 19, 2}, {40, 19, 3}, {41, 19, 3}, {60, 19, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(ReferenceRow(c.rows), c.referenceRow) << c.rows;
        ConfigBitsLayoutInput input{c.rows, 18, 268, 400, 75, 23, 0, 0};
        const ConfigBitsLayout layout = ComputeConfigBitsLayout(input, Variant::Mard);
        EXPECT_EQ(layout.columns, c.columns) << c.rows;
        EXPECT_EQ(layout.windowWidth, c.columns * 275 + 15) << c.rows;
    }
}

TEST(ConfigBitsLayout, PlacesGroupBoxAndButtonsPerVariant) {
    const ConfigBitsLayoutInput input{21, 18, 268, 400, 75, 23, 6, 29};
    const ConfigBitsLayout mard = ComputeConfigBitsLayout(input, Variant::Mard);
    EXPECT_EQ(mard.windowHeight, 475);
    EXPECT_EQ(mard.clientWidth, 2 * 275 + 15 - 6);
    EXPECT_EQ(mard.clientHeight, 475 - 29);
    EXPECT_EQ(mard.groupBox, (PixelRect{10, 5, 540, 400}));
    const int gap = (559 - 150) / 3;
    EXPECT_EQ(mard.ok, (PixelRect{gap, 446 - 23 - 8, 75, 23}));
    EXPECT_EQ(mard.cancel, (PixelRect{2 * gap + 75, 446 - 23 - 8, 75, 23}));

    const ConfigBitsLayout ryl = ComputeConfigBitsLayout(input, Variant::Ryl);
    EXPECT_EQ(ryl.windowHeight, 470);
    EXPECT_EQ(ryl.groupBox.height, 405);
    EXPECT_EQ(ryl.ok.y, 441 - 23 - 5);
}

}  // namespace
}  // namespace tovrin::optionlib
