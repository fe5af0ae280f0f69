#include "catalogue/CatalogueLoader.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/EncipheredText.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::catalogue {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A program directory with a Device folder, built file by file.
class ProgramDirectory {
public:
    void Definition(std::string_view fileName, std::string_view content) const {
        dir_.Write("Device/" + std::string(fileName), content);
    }
    void EncipheredDefinition(std::string_view fileName, std::string_view plaintext) const {
        const auto enciphered = EncipherDefinitionText(plaintext);
        ASSERT_TRUE(enciphered.ok());
        Definition(fileName, *enciphered);
    }
    void LastSelection(std::string_view content) const { dir_.Write("LastSelChip.TXT", content); }
    std::filesystem::path Device() const { return dir_ / "Device"; }
    CatalogueLoad Load() const { return LoadCatalogue(dir_.path()); }

private:
    testing::TempDirectory dir_;
};

std::vector<std::string> Names(const CatalogueLoad& load) {
    std::vector<std::string> names;
    for (const auto& entry : load.catalogue.Entries()) names.push_back(entry.name);
    return names;
}

std::vector<std::string> SkippedFiles(const CatalogueLoad& load) {
    std::vector<std::string> files;
    for (const auto& skipped : load.skipped) files.push_back(skipped.fileName);
    return files;
}

const std::vector<uint8_t>& Identity(const CatalogueLoad& load, std::string_view name) {
    const ChipDefinition* definition = load.catalogue.Find(name);
    static const std::vector<uint8_t> none;
    if (definition == nullptr || definition->headerSections.empty()) {
        ADD_FAILURE() << "no definition for " << name;
        return none;
    }
    return definition->headerSections[0].bytes;
}

constexpr std::string_view kDefinitionText =
    "[General]\r\nChipID=0x1234\r\n[ROM]\r\nSize=1024\r\nBitWidth=14\r\n"
    "[Option]\r\nOptWords=1\r\nOptItems0=1\r\n[Option0_Item0]\r\nName=WDT\r\nItemCount=2\r\n"
    "Item0_Name=Off\r\nItem0_Val=0\r\nItem1_Name=On\r\nItem1_Val=1\r\n[InitValue]\r\nSection_Val=0x12,"
    "0x3F\r\n";

TEST(CatalogueLoaderTest, NoDeviceFolderGivesAnEmptyCatalogueAndNoSelection) {
    ProgramDirectory program;
    program.LastSelection("ABC\r\n");
    const CatalogueLoad load = program.Load();
    EXPECT_TRUE(load.catalogue.Empty());
    EXPECT_THAT(load.skipped, IsEmpty());
    EXPECT_EQ(load.initialSelection, std::nullopt);
}

TEST(CatalogueLoaderTest, ListsOnlyDevFilesWithoutRegardToTheExtensionsCase) {
    ProgramDirectory program;
    std::filesystem::create_directories(program.Device() / "X.dev");
    program.Definition("abc.Dev", "");
    program.Definition("Q3L88.DEV", "");
    program.Definition("readme.txt", "");
    program.Definition("notes.dev.bak", "");
    program.Definition("dev", "");

    const CatalogueLoad load = program.Load();
    EXPECT_THAT(Names(load), ElementsAre("abc", "Q3L88"));
    EXPECT_NE(load.catalogue.Find("abc"), nullptr);
    EXPECT_EQ(load.catalogue.Find("ABC"), nullptr);
    EXPECT_THAT(Identity(load, "abc"),
                ElementsAre('A', 'B', 'C', ' ', ' ', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

TEST(CatalogueLoaderTest, TheListIsSortedWithoutRegardToCaseThenByBytes) {
    ProgramDirectory program;
    for (const char* file : {"b2.dev", "a1.dev", "B1.dev", "A0.dev", "ab.dev", "AB.dev", "_x.dev", "9z.dev"})
        program.Definition(file, "");
    // Compared in lower case, as strcasecmp does: '_' (0x5F) comes before every letter.
    EXPECT_THAT(Names(program.Load()), ElementsAre("9z", "_x", "A0", "a1", "AB", "ab", "B1", "b2"));
}

TEST(CatalogueLoaderTest, NamesThatDoNotFitTheHeaderAreSkippedWithAReason) {
    ProgramDirectory program;
    program.Definition("Q3L88AB.dev", "");
    program.Definition("Q3L88ABC.dev", "");
    const CatalogueLoad load = program.Load();

    EXPECT_THAT(Names(load), ElementsAre("Q3L88AB"));
    EXPECT_THAT(Identity(load, "Q3L88AB"),
                ElementsAre('Q', '3', 'L', '8', '8', 'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0));
    ASSERT_THAT(SkippedFiles(load), ElementsAre("Q3L88ABC.dev"));
    EXPECT_THAT(load.skipped[0].reason, HasSubstr("longer than 7"));
}

TEST(CatalogueLoaderTest, DefinitionsBeyondTheBoundsAreSkippedWithAReason) {
    ProgramDirectory program;
    program.Definition("HUGE.dev", "[General]\n[ROM]\nSize=2147483648\n");
    program.Definition("OK.dev", "[General]\n[ROM]\nSize=8\n");
    const CatalogueLoad load = program.Load();
    EXPECT_THAT(Names(load), ElementsAre("OK"));
    ASSERT_THAT(SkippedFiles(load), ElementsAre("HUGE.dev"));
    EXPECT_THAT(load.skipped[0].reason, HasSubstr("image"));
    EXPECT_EQ(load.initialSelection, 0u);
}

TEST(CatalogueLoaderTest, OneChipNameForTwoFilesKeepsTheFirst) {
    ProgramDirectory program;
    program.Definition("ab.DEV", "[General]\n[ROM]\nSize=1\n");
    program.Definition("ab.dev", "[General]\n[ROM]\nSize=2\n");
    const CatalogueLoad load = program.Load();
    ASSERT_THAT(Names(load), ElementsAre("ab"));
    EXPECT_EQ(load.catalogue.Entries()[0].imageByteCount, 82u);  // ab.DEV sorts first by bytes
    EXPECT_THAT(SkippedFiles(load), ElementsAre("ab.dev"));
}

TEST(CatalogueLoaderTest, PlainAndEncipheredFilesGiveTheSameDefinition) {
    ProgramDirectory program;
    program.Definition("PLAIN.dev", kDefinitionText);
    program.EncipheredDefinition("CIPHER.dev", kDefinitionText);
    const CatalogueLoad load = program.Load();

    ASSERT_THAT(Names(load), ElementsAre("CIPHER", "PLAIN"));
    for (const auto& entry : load.catalogue.Entries()) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.imageByteCount, 2128u);
        EXPECT_EQ(entry.bitWidth, 14);
    }
    ChipDefinition plain = load.catalogue.DefinitionOrEmpty("PLAIN");
    ChipDefinition cipher = load.catalogue.DefinitionOrEmpty("CIPHER");
    EXPECT_EQ(plain.visibleItemCount, 1);
    ASSERT_EQ(plain.optionWords.size(), 1u);
    EXPECT_EQ(plain.optionWords[0].items[0].values.size(), 2u);
    EXPECT_THAT(plain.headerSections[4].bytes, ElementsAre(0x12, 0x3F));
    // Past the names (bytes 0 to 6) the definitions are the same.
    const std::vector<uint8_t> plainIdentity(plain.headerSections[0].bytes.begin() + 7,
                                             plain.headerSections[0].bytes.end());
    EXPECT_THAT(plainIdentity, ElementsAre(0, 0x34, 0x12, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(
        std::equal(plainIdentity.begin(), plainIdentity.end(), cipher.headerSections[0].bytes.begin() + 7));
    plain.headerSections[0] = cipher.headerSections[0];
    EXPECT_EQ(plain, cipher);
}

TEST(CatalogueLoaderTest, APlainFileIsReadWholeWhateverItsSize) {
    ProgramDirectory program;
    const std::string padding(3 * kMaxEncipheredCharacters, ';');
    program.Definition("BIG.dev", "[General]\n" + padding + "\n[ROM]\nSize=1024\n");
    const CatalogueLoad load = program.Load();
    ASSERT_EQ(load.catalogue.Size(), 1u);
    EXPECT_EQ(load.catalogue.Entries()[0].imageByteCount, 2128u);
}

TEST(CatalogueLoaderTest, AFileThatCannotBeReadGetsEveryDefault) {
    ProgramDirectory program;
    std::filesystem::create_directories(program.Device());
    std::filesystem::create_symlink(program.Device() / "nowhere", program.Device() / "GONE.dev");
    ASSERT_EQ(::mkfifo((program.Device() / "PIPE.dev").c_str(), 0600), 0);  // must not block the load

    const CatalogueLoad load = program.Load();
    ASSERT_THAT(Names(load), ElementsAre("GONE", "PIPE"));
    for (const auto& entry : load.catalogue.Entries()) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.imageByteCount, 80u);
        const ChipDefinition* definition = load.catalogue.Find(entry.name);
        ASSERT_NE(definition, nullptr);
        EXPECT_TRUE(definition->optionWords.empty());
        ASSERT_EQ(definition->headerSections.size(), 5u);
        EXPECT_THAT(definition->headerSections[3].bytes,
                    ElementsAreArray(std::vector<uint8_t>{0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF,
                                                          0, 0xFF, 0, 0xFF, 0}));
    }
}

TEST(CatalogueLoaderTest, InitialSelectionFollowsLastSelChip) {
    const struct {
        const char* label;
        std::vector<const char*> files;
        const char* lastSelection;  // nullptr: no file
        std::size_t selected;
    } cases[] = {
        {"the search starts at the second entry", {"AB.dev", "ABC.dev"}, "AB", 1},
        {"an exact first entry is found last", {"AB.dev", "XY.dev"}, "AB\r\n", 0},
        {"letters without regard to case", {"K16S20.dev", "Q3L88.dev"}, "q3l88\nignored", 1},
        {"no match selects the first", {"AB.dev", "XY.dev"}, "ZZ", 0},
        {"an empty file selects the first", {"AB.dev", "XY.dev"}, "", 0},
        {"no file selects the first", {"AB.dev", "XY.dev"}, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ProgramDirectory program;
        for (const char* file : c.files) program.Definition(file, "");
        if (c.lastSelection != nullptr) program.LastSelection(c.lastSelection);
        EXPECT_EQ(program.Load().initialSelection, c.selected);
    }
}

}  // namespace
}  // namespace tovrin::catalogue
