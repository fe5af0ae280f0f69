#include "catalogue/ChipDefinitionReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/DefinitionKeyText.h"

namespace tovrin::catalogue {

void PrintTo(const OptionValue& value, std::ostream* out) {
    *out << '{' << value.name << ", " << value.value << '}';
}

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

BuiltDefinition Build(std::string_view ini, std::string_view name = "T1") {
    auto built = BuildChipDefinition(profile::Profile::FromText(ini), name);
    EXPECT_TRUE(built.ok()) << (built.ok() ? "" : built.error().message);
    return built.ok() ? std::move(*built) : BuiltDefinition{};
}

const std::vector<uint8_t>& SectionBytes(const BuiltDefinition& built, uint16_t offset) {
    for (const auto& section : built.definition.headerSections)
        if (section.offset == offset) return section.bytes;
    static const std::vector<uint8_t> none;
    ADD_FAILURE() << "no section at " << offset;
    return none;
}

std::vector<uint8_t> Pairs(uint8_t high) {
    std::vector<uint8_t> block;
    for (int i = 0; i < 8; ++i) block.insert(block.end(), {0xFF, high});
    return block;
}

TEST(ChipDefinitionReaderTest, AnEmptyFileGivesTheDefaults) {
    const BuiltDefinition built = Build("", "abc");
    EXPECT_EQ(built.entry.name, "abc");
    EXPECT_EQ(built.entry.imageByteCount, 80u);
    EXPECT_EQ(built.entry.bitWidth, 0);

    const ChipDefinition& d = built.definition;
    EXPECT_EQ(d.visibleItemCount, 0);
    EXPECT_EQ(d.optionWordCount, 0);
    EXPECT_TRUE(d.optionWords.empty());
    ASSERT_EQ(d.headerSections.size(), kHeaderSectionCount);
    const uint16_t offsets[] = {0, 16, 32, 48, 64};
    for (std::size_t i = 0; i < kHeaderSectionCount; ++i) EXPECT_EQ(d.headerSections[i].offset, offsets[i]);
    EXPECT_THAT(SectionBytes(built, 0),
                ElementsAre('A', 'B', 'C', ' ', ' ', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(SectionBytes(built, 16), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(SectionBytes(built, 32), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(SectionBytes(built, 48), Pairs(0x00));
    EXPECT_TRUE(SectionBytes(built, 64).empty());
}

TEST(ChipDefinitionReaderTest, ImageByteCountFromSize) {
    const struct {
        const char* size;
        uint32_t imageByteCount;
    } cases[] = {
        {"1024", 2128},
        {"0x400", 2128},
        {"0", 80},
        {"33554432", kMaxImageByteCount},  // 64 MiB of code: the largest supported
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(Build(std::string("[ROM]\nSize=") + c.size).entry.imageByteCount, c.imageByteCount);
    }
}

TEST(ChipDefinitionReaderTest, AnImageBeyondTheBoundIsRefusedRatherThanWrapped) {
    // 2 x 0x80000000 + 80 would wrap to 80 in 32 bits; -1 reads as 0xFFFFFFFF.
    for (const char* size : {"33554433", "2147483648", "-1", "4294967295"}) {
        SCOPED_TRACE(size);
        const auto built =
            BuildChipDefinition(profile::Profile::FromText(std::string("[ROM]\nSize=") + size), "T");
        ASSERT_FALSE(built.ok());
        EXPECT_THAT(built.error().message, HasSubstr("image"));
    }
}

TEST(ChipDefinitionReaderTest, OptionBlockPairsFollowTheBitWidth) {
    const struct {
        const char* width;
        int32_t bitWidth;
        uint8_t high;
    } cases[] = {
        {"14", 14, 0x3F}, {"12", 12, 0x0F}, {"8", 8, 0x00},
        {"16", 16, 0xFF}, {"-3", -3, 0x00}, {"40", 40, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const BuiltDefinition built = Build(std::string("[ROM]\nBitWidth=") + c.width);
        EXPECT_EQ(built.entry.bitWidth, c.bitWidth);
        EXPECT_EQ(SectionBytes(built, 48), Pairs(c.high));
    }
}

TEST(ChipDefinitionReaderTest, IdentitySectionKeepsTheLowBytesLittleEndian) {
    const BuiltDefinition built =
        Build("[General]\nProgram_set=0x1A5\nChipID=0x51234\nMemID=0xBEEF\n", "q3l88ab");
    EXPECT_THAT(SectionBytes(built, 0),
                ElementsAre('Q', '3', 'L', '8', '8', 'A', 'B', 0xA5, 0x34, 0x12, 0xEF, 0xBE, 0, 0, 0, 0));
    EXPECT_EQ(built.entry.name, "q3l88ab");  // the list keeps the name as found
}

TEST(ChipDefinitionReaderTest, WordsOutsideTheBlockAreDroppedWithTheirItems) {
    const BuiltDefinition built = Build(R"([ROM]
BitWidth=14
[Option]
OptWords=3
OptStart=0x2007
OptAddr0=0x2007
OptInitVal0=0x1234
OptItems0=1
OptAddr1=0x2008
OptInitVal1=0x00AB
OptItems1=1
OptAddr2=0x201B
OptInitVal2=0x77
OptItems2=1
[Option0_Item0]
Name=WDT
[Option1_Item0]
Name=OSC
[Option2_Item0]
Name=Never read
)");
    const ChipDefinition& d = built.definition;
    EXPECT_EQ(d.optionWordCount, 2);
    ASSERT_EQ(d.optionWords.size(), 2u);
    EXPECT_EQ(d.visibleItemCount, 2);  // the third word's item does not count
    EXPECT_EQ(d.optionWords[0].headerOffset, 48);
    EXPECT_EQ(d.optionWords[0].initialValue, 0x1234);
    EXPECT_EQ(d.optionWords[0].items[0].name, "WDT");
    EXPECT_EQ(d.optionWords[1].headerOffset, 49);
    EXPECT_EQ(d.optionWords[1].items[0].name, "OSC");

    std::vector<uint8_t> block = Pairs(0x3F);
    block[0] = 0x34;  // only the low byte of 0x1234 reaches the block
    block[1] = 0xAB;
    EXPECT_EQ(SectionBytes(built, 48), block);
}

TEST(ChipDefinitionReaderTest, ItemSectionsAreNamedByTheDeclaredIndex) {
    // Word 0 lies below OptStart, so its position wraps to 0xFFFF and it is
    // dropped; word 1 still reads Option1_*.
    const BuiltDefinition built = Build(R"([Option]
OptWords=2
OptStart=16
OptAddr0=15
OptItems0=1
OptAddr1=31
OptItems1=1
[Option0_Item0]
Name=Wrong
[Option1_Item0]
Name=Right
)");
    ASSERT_EQ(built.definition.optionWords.size(), 1u);
    EXPECT_EQ(built.definition.optionWords[0].headerOffset, 63);
    EXPECT_EQ(built.definition.optionWords[0].items[0].name, "Right");
}

TEST(ChipDefinitionReaderTest, ALaterWordAtTheSamePositionOverwritesTheBlockByte) {
    const BuiltDefinition built =
        Build("[Option]\nOptWords=2\nOptAddr0=3\nOptInitVal0=0x11\nOptAddr1=3\nOptInitVal1=0x22\n");
    EXPECT_EQ(built.definition.optionWords.size(), 2u);
    EXPECT_EQ(SectionBytes(built, 48)[3], 0x22);
}

TEST(ChipDefinitionReaderTest, ItemsChooseTheirVariantsAndKinds) {
    const BuiltDefinition built = Build(R"([Option]
OptWords=1
OptItems0=4
[Option0_Item0]
ItemType=1
Name=Watchdog,WDT
BitStart=2
BitEnd=3
RevAddr=9
ItemCount=3,2
Item0_Name=Off,Disabled
Item0_Val=0,  -1
Item1_Name=On,Enabled
Item1_Val=1,70000
Item2_Name=Never,Read
[Option0_Item1]
Name=fixed
ItemCount=1
Item0_Val=12abc
[Option0_Item2]
Name=REVERSE
RevAddr=49
RevBit=5
BitStart=7
BitEnd=7
[Option0_Item3]
ItemType=2
Name=OnlyOne
ItemCount=2
Item0_Name=A
Item0_Val=0x10
Item1_Name=B,
Item1_Val=,7
)");
    const ChipDefinition& d = built.definition;
    ASSERT_EQ(d.optionWords.size(), 1u);
    const auto& items = d.optionWords[0].items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(d.optionWords[0].declaredItemCount, 4);
    EXPECT_EQ(d.visibleItemCount, 2);  // "fixed" and "REVERSE" have no control

    EXPECT_EQ(items[0].name, "WDT");
    EXPECT_EQ(items[0].itemType, 1);
    EXPECT_EQ(items[0].bitStart, 2);
    EXPECT_EQ(items[0].bitEnd, 3);
    EXPECT_EQ(items[0].revAddr, 0);  // read only for a Reverse item
    EXPECT_EQ(items[0].values, (std::vector<OptionValue>{{"Disabled", 0xFFFF}, {"Enabled", 70000 & 0xFFFF}}));

    EXPECT_EQ(items[1].Kind(), OptionItemKind::Fixed);
    EXPECT_EQ(items[1].values, (std::vector<OptionValue>{{"", 12}}));

    EXPECT_EQ(items[2].Kind(), OptionItemKind::Reverse);
    EXPECT_EQ(items[2].revAddr, 49);
    EXPECT_EQ(items[2].revBit, 5);
    EXPECT_EQ(items[2].bitStart, 7);

    // A text with one part gives that part whatever the type; decimal
    // reading stops at the 'x' of 0x10; "B," has the one part "B", while
    // ",7" has two and the type chooses the second.
    EXPECT_EQ(items[3].name, "OnlyOne");
    EXPECT_EQ(items[3].values, (std::vector<OptionValue>{{"A", 0}, {"B", 7}}));
}

TEST(ChipDefinitionReaderTest, InitialBytesComeFromSectionValAndStopAtTheHeaderEnd) {
    EXPECT_THAT(SectionBytes(Build("[InitValue]\nSection_Val=0x12,0x3F 0xA\n"), 64), ElementsAre(0x12, 0x3F));

    std::string many = "[InitValue]\nSection_Val=";
    for (int i = 0; i < 20; ++i) many += "0x" + std::to_string(10 + i) + ",";
    std::vector<uint8_t> first16;
    for (int i = 0; i < 16; ++i)
        first16.push_back(static_cast<uint8_t>(((10 + i) / 10) * 16 + (10 + i) % 10));
    EXPECT_THAT(SectionBytes(Build(many), 64), ElementsAreArray(first16));
}

TEST(ChipDefinitionReaderTest, HostileCountsAreBounded) {
    // A count of a billion values reads no more than the bound.
    const BuiltDefinition huge =
        Build("[Option]\nOptWords=1\nOptItems0=1\n[Option0_Item0]\nItemCount=1000000000\n");
    ASSERT_EQ(huge.definition.optionWords.size(), 1u);
    EXPECT_EQ(huge.definition.optionWords[0].items[0].values.size(),
              static_cast<std::size_t>(kMaxValuesPerItem));

    // Items over all words past the bound refuse the definition.
    std::string items = "[Option]\nOptWords=300\n";
    for (int d = 0; d < 300; ++d) items += "OptItems" + std::to_string(d) + "=255\n";
    const auto tooManyItems = BuildChipDefinition(profile::Profile::FromText(items), "T");
    ASSERT_FALSE(tooManyItems.ok());
    EXPECT_THAT(tooManyItems.error().message, HasSubstr("items"));

    std::string values = "[Option]\nOptWords=1\nOptItems0=20\n";
    for (int i = 0; i < 20; ++i) values += "[Option0_Item" + std::to_string(i) + "]\nItemCount=4096\n";
    const auto tooManyValues = BuildChipDefinition(profile::Profile::FromText(values), "T");
    ASSERT_FALSE(tooManyValues.ok());
    EXPECT_THAT(tooManyValues.error().message, HasSubstr("values"));
}

TEST(DefinitionKeyTextTest, ChooseVariant) {
    const struct {
        const char* text;
        uint8_t itemType;
        const char* chosen;
    } cases[] = {
        {"", 0, ""},     {"", 1, ""},     {"A", 0, "A"},     {"A", 1, "A"},         {"A,B", 0, "A"},
        {"A,B", 1, "B"}, {"A,B", 7, "B"}, {"A,B,C", 1, "B"}, {"A,", 1, "A"},        {"A,,", 1, ""},
        {",B", 0, ""},   {",B", 1, "B"},  {"A,,B", 1, ""},   {" A , B ", 1, " B "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + std::to_string(c.itemType));
        EXPECT_EQ(ChooseVariant(c.text, c.itemType), c.chosen);
    }
}

TEST(DefinitionKeyTextTest, SectionValBytes) {
    const struct {
        const char* text;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"", {}},
        {"0x12,0x3F 0xA", {0x12, 0x3F}},
        {"0X1f,0xab", {0x1F, 0xAB}},
        {"0x1234", {0x12}},  // further digits of the token are skipped
        {"12 34", {}},
        {"0x", {}},
        {"0x1", {}},
        {"x0x0x12", {0x21}},  // the first "0x" takes "0x": 'X' counts 0x58 - 0x37
        {"0xG1", {0x01}},     // 'G' counts 0x10, whose high half falls off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SectionValBytes(c.text), c.bytes);
    }
}

}  // namespace
}  // namespace tovrin::catalogue
