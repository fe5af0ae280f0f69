// Source loading through the Workbench: HEX and project files, patterns,
// chip selection by name and the select-file report.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "image/ImageHeader.h"
#include "tests/image/WorkbenchFixture.h"

namespace tovrin::image {
namespace {

using testing::ChipSpec;
using ::testing::ElementsAre;
using testing::SealProjectFile;

std::vector<ChipSpec> StandardChips() {
    return {
        {.name = "VB27A", .sizeWords = 16, .bitWidth = 12, .programSet = 0x07},
        {.name = "Q3L88",
         .sizeWords = 16,
         .bitWidth = 14,
         .programSet = 0x0F,
         .optionBytes = {0x12, 0x34, 0x56, 0x78}},
        {.name = "VB27C12", .sizeWords = 32, .bitWidth = 12, .programSet = 0x27},
        {.name = "P5", .sizeWords = 8, .bitWidth = 14, .programSet = 0x05, .memId = 0x0203},
        {.name = "Q3L88A", .sizeWords = 24, .bitWidth = 14, .programSet = 0x0F},
    };
}

class WorkbenchLoad : public ::testing::Test {
protected:
    testing::WorkbenchFixture f{StandardChips()};
    Workbench& wb = f.bench();

    SelectFileReport Select(std::string_view relative, std::string_view content) {
        return wb.SelectSourceFile(f.Write(relative, content));
    }
    SelectFileReport Select(std::string_view relative, const std::vector<uint8_t>& content) {
        return wb.SelectSourceFile(f.Write(relative, content));
    }
    std::vector<uint8_t> Code() const {
        return {wb.ProgrammingImage().begin() + 80, wb.ProgrammingImage().end()};
    }
    // The image as a project file of the current chip, with its header
    // changed by edit and the checksum made to match.
    template <class Edit>
    std::vector<uint8_t> ProjectFileFromCurrentImage(Edit edit) {
        std::vector<uint8_t> bytes = wb.ProgrammingImage();
        edit(bytes);
        return SealProjectFile(bytes);
    }
};

TEST_F(WorkbenchLoad, StartsAsTheMainDialog) {
    EXPECT_EQ(wb.ImageByteCount(), 2128u);
    EXPECT_EQ(wb.ProgrammingImage().size(), 2128u);
    EXPECT_EQ(wb.Controls().addresses[0].Text(), "3FFF");
    EXPECT_EQ(wb.Controls().addresses[3].Text(), "3FFF");
    EXPECT_EQ(wb.Controls().initialValue.Text(), "3FFFFFFF");
    EXPECT_EQ(wb.Controls().step.Text(), "00000001");
    EXPECT_EQ(wb.QvbChecksumText(), "XXXX");
    EXPECT_EQ(wb.RomChecksumText(), "XXXX");
    EXPECT_EQ(wb.ConfigurationDisplay(), "XXXX XXXX");
    EXPECT_EQ(wb.SourcePath(), "Please select qvb file / hex file ");
    EXPECT_FALSE(wb.SourceLoaded());
    EXPECT_FALSE(wb.TestCheckboxEnabled());
    EXPECT_TRUE(wb.ChipListEnabled());
}

TEST_F(WorkbenchLoad, HeaderBuiltBeforeAnyChipHasEveryFlagSet) {
    wb.BuildHeader();
    const ImageHeader& h = wb.WorkingHeader();
    EXPECT_EQ(h[7], 0x3F);
    EXPECT_THAT(std::vector<uint8_t>(h.begin() + 20, h.begin() + 28),
                ElementsAre(0xFF, 0xFF, 0xFF, 0x3F, 0x01, 0x00, 0x00, 0x00));
    EXPECT_EQ(h[11], 1);
    EXPECT_EQ(wb.OptionByteBuffer().size(), 32u);
}

TEST_F(WorkbenchLoad, InitialSelectionAppliesTheDefinition) {
    ASSERT_TRUE(wb.SelectInitialChip(1));
    EXPECT_EQ(wb.SelectedChipName(), "Q3L88");
    EXPECT_EQ(wb.ImageByteCount(), 112u);
    EXPECT_EQ(wb.ProgrammingImage().size(), 112u);
    EXPECT_EQ(std::string(wb.WorkingHeader().begin(), wb.WorkingHeader().begin() + 7), "Q3L88  ");
    EXPECT_EQ(wb.ConfigurationDisplay(), "7856,3412");
    EXPECT_EQ(wb.Controls().addresses[0].Text(), "0000");
    EXPECT_EQ(wb.Controls().initialValue.Text(), "00000000");
    EXPECT_NE(wb.QvbChecksumText(), "XXXX");
    EXPECT_FALSE(wb.SelectInitialChip(99));
}

TEST_F(WorkbenchLoad, EndOfFileOnlyHexGivesDefinitionHeaderAndErasedCode) {
    wb.SelectInitialChip(1);  // 14-bit
    const SelectFileReport report = Select("a.hex", ":00000001FF\r\n");
    ASSERT_TRUE(report.success);
    EXPECT_TRUE(wb.SourceIsHex());
    std::vector<uint8_t> erased;
    for (int w = 0; w < 16; ++w) erased.insert(erased.end(), {0xFF, 0x3F});
    EXPECT_EQ(Code(), erased);
    EXPECT_EQ(std::string(wb.ProgrammingImage().begin(), wb.ProgrammingImage().begin() + 7), "Q3L88  ");
    EXPECT_EQ(wb.ProgrammingImage().size(), 112u);
}

TEST_F(WorkbenchLoad, ErasedHighByteFollowsTheBitWidth) {
    const struct {
        int32_t bitWidth;
        uint8_t high;
    } cases[] = {{14, 0x3F}, {12, 0x0F}, {16, 0xFF}, {8, 0x00},
                 {0, 0x00},  {-3, 0x00}, {32, 0xFF}, {40, 0xFF}};
    for (const auto& c : cases) {
        testing::WorkbenchFixture g({{.name = "C", .sizeWords = 2, .bitWidth = c.bitWidth}});
        g.bench().SelectInitialChip(0);
        ASSERT_TRUE(g.bench().SelectSourceFile(g.Write("x.HEX", ":00000001FF")).success);
        EXPECT_THAT(std::vector<uint8_t>(g.bench().ProgrammingImage().begin() + 80,
                                         g.bench().ProgrammingImage().end()),
                    ElementsAre(0xFF, c.high, 0xFF, c.high))
            << c.bitWidth;
    }
}

TEST_F(WorkbenchLoad, HexLoadResetsSettingsToTheDefinition) {
    wb.SelectInitialChip(3);  // P5: Program_set 0x05, MemID 0x0203
    ASSERT_TRUE(wb.SetFlag(control::kProgramCheckbox, true));
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    ASSERT_TRUE(wb.SetHexField(control::kInitialValue, "12345678"));
    ASSERT_TRUE(Select("p.hex", ":0400000001020304F2\n:00000001FF\n").success);
    const HeaderControls& c = wb.Controls();
    EXPECT_TRUE(c.verify);
    EXPECT_TRUE(c.blankCheck);
    EXPECT_FALSE(c.program);
    EXPECT_FALSE(c.test);
    EXPECT_FALSE(c.rollingCodeEnabled);
    EXPECT_EQ(c.initialValue.Text(), "00000000");
    EXPECT_EQ(wb.ProgrammingImage()[7], 0x05);
    EXPECT_THAT(Code(), ::testing::Contains(0x01));
    EXPECT_EQ(wb.ProgrammingImage()[80], 0x01);
    EXPECT_EQ(wb.ProgrammingImage()[83], 0x04);
}

TEST_F(WorkbenchLoad, MemIdHighByteSelectsTheAddressCount) {
    wb.SelectInitialChip(3);  // MemID 0x0203
    EXPECT_EQ(wb.WorkingHeader()[10], 0x03);
    EXPECT_EQ(wb.WorkingHeader()[11], 0x02);
    EXPECT_EQ(wb.Controls().addressCountIndex, 1);
    wb.BuildHeader();
    EXPECT_EQ(wb.ProgrammingImage()[11], 2);
}

TEST_F(WorkbenchLoad, AddressCountByteSelectsTheRadio) {
    const struct {
        uint8_t stored;
        int index;
        uint8_t rebuilt;
    } cases[] = {{0, 0, 1}, {1, 0, 1}, {3, 2, 3}, {4, 3, 4}, {5, 0, 1}, {9, 3, 4}, {255, 0, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(AddressCountIndexFromByte(c.stored), c.index) << int(c.stored);
    }
    // Through a project file, on a chip that does not offer three addresses.
    wb.SelectInitialChip(0);
    for (const auto& c : cases) {
        const auto file = ProjectFileFromCurrentImage([&](std::vector<uint8_t>& b) { b[11] = c.stored; });
        ASSERT_TRUE(Select("r.qvb", file).success) << int(c.stored);
        EXPECT_EQ(wb.Controls().addressCountIndex, c.index);
        EXPECT_EQ(wb.ProgrammingImage()[11], c.rebuilt);
    }
}

TEST_F(WorkbenchLoad, ProjectFileOnAnyChipMayHoldThreeAddresses) {
    wb.SelectInitialChip(0);
    const auto file = ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) {
        b[7] |= 0x08;
        b[11] = 3;
    });
    ASSERT_TRUE(Select("three.qvb", file).success);
    const RollingCodeControlSet states = wb.RollingCodeControlStates();
    EXPECT_FALSE(states.Find(control::kThreeAddresses)->enabled);
    EXPECT_TRUE(states.Find(control::kAddress3)->enabled);
    EXPECT_FALSE(states.Find(control::kAddress3)->readOnly);
    EXPECT_TRUE(states.Find(control::kAddress4)->readOnly);
}

TEST_F(WorkbenchLoad, ProjectFileLengthAgainstTheChipsImage) {
    wb.SelectInitialChip(2);  // VB27C12, 144 bytes
    wb.BuildHeader();
    const std::vector<uint8_t> exact = SealProjectFile(wb.ProgrammingImage());
    ASSERT_EQ(exact.size(), 144u);

    wb.SelectInitialChip(0);
    ASSERT_TRUE(Select("exact.qvb", exact).success);
    EXPECT_EQ(wb.SelectedChipName(), "VB27C12");
    EXPECT_EQ(wb.ProgrammingImage(), exact);
    EXPECT_FALSE(wb.ChipListEnabled());

    std::vector<uint8_t> longer = exact;
    longer.insert(longer.end(), {1, 2, 3});
    ASSERT_TRUE(Select("longer.qvb", longer).success);
    EXPECT_EQ(wb.ProgrammingImage(), exact);

    f.statusTexts.clear();
    const std::vector<uint8_t> shorter(exact.begin(), exact.end() - 1);
    EXPECT_FALSE(Select("short.qvb", shorter).success);
    EXPECT_THAT(f.statusTexts, ElementsAre("Invalid source file to program "));
    EXPECT_EQ(wb.SelectedChipName(), "VB27C12");
}

TEST_F(WorkbenchLoad, ProjectFileNameSearchStartsAtTheSecondEntry) {
    // Name bytes "VB27" and three blanks: VB27A is entry 0, VB27C12 entry 2.
    wb.SelectInitialChip(2);
    const auto file =
        ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) { std::copy_n("vb27   ", 7, b.begin()); });
    ASSERT_TRUE(Select("vb.qvb", file).success);
    EXPECT_EQ(wb.SelectedChipName(), "VB27C12");
}

TEST_F(WorkbenchLoad, ProjectFileNamingNoChipIsRefused) {
    wb.SelectInitialChip(0);
    const std::vector<uint8_t> before = wb.ProgrammingImage();
    const auto file =
        ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) { std::copy_n("ZZZ    ", 7, b.begin()); });
    const SelectFileReport report = Select("zzz.qvb", file);
    EXPECT_FALSE(report.success);
    EXPECT_EQ(report.statusText, "\r\n文件未打开！\r\n\r\n QVB文件格式错误！");
    EXPECT_EQ(report.messageBoxText, "\r\n  文件未打开！\r\n\r\n QVB文件格式错误！");
    EXPECT_THAT(f.statusTexts, ElementsAre("Invalid source file to program "));
    EXPECT_EQ(wb.SelectedChipName(), "VB27A");
    EXPECT_EQ(wb.ProgrammingImage(), before);
    EXPECT_FALSE(wb.SourceIsHex());
}

TEST_F(WorkbenchLoad, BlankNameOrTinyFileIsRefused) {
    wb.SelectInitialChip(0);
    EXPECT_FALSE(Select("blank.qvb", std::vector<uint8_t>(200, ' ')).success);
    EXPECT_FALSE(Select("tiny.qvb", "VB").success);  // names VB27A, but far too short
    EXPECT_EQ(wb.ProgrammingImage().size(), wb.ImageByteCount());
}

TEST_F(WorkbenchLoad, ChecksumMismatchZeroesTheImage) {
    wb.SelectInitialChip(1);
    auto file = ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) { b[80] = 0x55; });
    file[30] ^= 0x01;
    const SelectFileReport report = Select("bad.qvb", file);
    EXPECT_FALSE(report.success);
    EXPECT_EQ(wb.ProgrammingImage(), std::vector<uint8_t>(112, 0));
    EXPECT_EQ(std::string(wb.WorkingHeader().begin(), wb.WorkingHeader().begin() + 5), "Q3L88");
    EXPECT_FALSE(wb.ChipListEnabled());
}

TEST_F(WorkbenchLoad, FamilyNameFindsTheChipAndItsPatterns) {
    f.Write("Pats/Q3L88.pat", std::vector<uint8_t>(592, 0x03));
    f.Write("Pats/Q3L88.pat2", std::vector<uint8_t>(1280, 0x22));
    wb.SelectInitialChip(1);
    const auto file =
        ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) { std::copy_n("Q3L88XX", 7, b.begin()); });
    wb.SelectInitialChip(0);
    ASSERT_TRUE(Select("q.qvb", file).success);
    EXPECT_EQ(wb.SelectedChipName(), "Q3L88");
    EXPECT_EQ(wb.TestPattern(), std::vector<uint8_t>(592, 0x03));
    EXPECT_EQ(wb.TestPattern2(), std::vector<uint8_t>(1280, 0x22));
    EXPECT_TRUE(wb.PatternAllowsTest());
    EXPECT_TRUE(wb.TestCheckboxEnabled());
}

TEST_F(WorkbenchLoad, ShortPatternFillsOnlyItsOwnLength) {
    wb.SelectInitialChip(0);
    f.Write("Pats/VB27A.pat", std::vector<uint8_t>(100, 0x11));
    ASSERT_TRUE(Select("a.hex", ":00000001FF").success);
    std::vector<uint8_t> expected(592, 0);
    std::fill_n(expected.begin(), 100, 0x11);
    EXPECT_EQ(wb.TestPattern(), expected);
    EXPECT_TRUE(wb.PatternAllowsTest());  // byte 7 = 0x11
    EXPECT_TRUE(wb.TestPattern2().empty());

    // After a full pattern the earlier bytes beyond the short file remain.
    f.Write("Pats/VB27A.pat", std::vector<uint8_t>(592, 0x44));
    ASSERT_TRUE(Select("a.hex", ":00000001FF").success);
    f.Write("Pats/VB27A.pat", std::vector<uint8_t>(100, 0x10));
    ASSERT_TRUE(Select("a.hex", ":00000001FF").success);
    std::fill_n(expected.begin(), 100, 0x10);
    std::fill(expected.begin() + 100, expected.end(), 0x44);
    EXPECT_EQ(wb.TestPattern(), expected);
    EXPECT_FALSE(wb.PatternAllowsTest());  // byte 7 = 0x10
}

TEST_F(WorkbenchLoad, ChipWithoutPatternDisablesTheTestCheckbox) {
    f.Write("Pats/VB27A.pat", std::vector<uint8_t>(592, 0x01));
    wb.SelectInitialChip(0);
    ASSERT_TRUE(Select("a.hex", ":00000001FF").success);
    EXPECT_TRUE(wb.TestCheckboxEnabled());
    f.Choose("VB27C12");  // reloads the HEX source; no pattern for this chip
    EXPECT_FALSE(wb.PatternAllowsTest());
    EXPECT_FALSE(wb.TestCheckboxEnabled());
    EXPECT_TRUE(wb.TestPattern().empty());
}

TEST_F(WorkbenchLoad, ChipChangeReloadsAHexSourceSilently) {
    wb.SelectInitialChip(0);
    ASSERT_TRUE(Select("a.hex", ":020000001122CB\n:00000001FF").success);
    f.statusTexts.clear();
    f.Choose("VB27C12");
    EXPECT_EQ(wb.ProgrammingImage().size(), 144u);
    EXPECT_EQ(std::string(wb.ProgrammingImage().begin(), wb.ProgrammingImage().begin() + 7), "VB27C12");
    EXPECT_EQ(wb.ProgrammingImage()[7], 0x27);
    EXPECT_EQ(wb.ProgrammingImage()[80], 0x11);
    EXPECT_TRUE(f.statusTexts.empty());
}

TEST_F(WorkbenchLoad, ChipChangeDoesNotReloadAProjectFile) {
    wb.SelectInitialChip(1);
    const auto file = ProjectFileFromCurrentImage([](std::vector<uint8_t>& b) { b[80] = 0x42; });
    ASSERT_TRUE(Select("p.qvb", file).success);
    f.Choose("VB27A");
    EXPECT_EQ(wb.SelectedChipName(), "VB27A");
    EXPECT_EQ(wb.ProgrammingImage().size(), 112u);
    EXPECT_EQ(std::string(wb.ProgrammingImage().begin(), wb.ProgrammingImage().begin() + 7), "VB27A  ");
    EXPECT_EQ(wb.ProgrammingImage()[80], 0x42);  // the code stays
}

TEST_F(WorkbenchLoad, SelectFileReports) {
    wb.SelectInitialChip(0);
    SelectFileReport hex = Select("a.Hex", ":0400000001020304F2\n");
    EXPECT_TRUE(hex.success);
    EXPECT_EQ(hex.statusText, "\r\n文件打开成功!\r\n\r\n请选择芯片配置或直接下载");
    EXPECT_EQ(hex.messageBoxText, "\r\n     文件打开成功!\r\n\r\n请确认芯片型号及选择芯片配置");
    EXPECT_TRUE(wb.SourceLoaded());

    const auto file = SealProjectFile(wb.ProgrammingImage());
    const SelectFileReport project = Select("a.qvb", file);
    EXPECT_TRUE(project.success);
    EXPECT_EQ(project.messageBoxText, std::nullopt);

    // A later failure keeps SourceLoaded.
    const SelectFileReport missing = wb.SelectSourceFile(f.dir() / "missing.hex");
    EXPECT_FALSE(missing.success);
    EXPECT_FALSE(wb.SourceIsHex());
    EXPECT_TRUE(wb.SourceLoaded());
}

TEST_F(WorkbenchLoad, BadRecordChecksumsAreWarnedAbout) {
    wb.SelectInitialChip(0);
    const SelectFileReport report =
        Select("bad.hex", ":0400000001020304F3\n:02000400AABB00\n:020006001122C5\n:00000001FF\n");
    ASSERT_TRUE(report.success);
    EXPECT_EQ(report.badChecksumRecords, 2u);
    EXPECT_EQ(report.statusText,
              "\r\n文件打开成功!\r\n\r\n请选择芯片配置或直接下载\r\n\r\n警告: 有 2 条记录校验和错误!");
    EXPECT_THAT(*report.messageBoxText, ::testing::EndsWith("\r\n\r\n警告: 有 2 条记录校验和错误!"));
    EXPECT_EQ(wb.ProgrammingImage()[80], 0x01);  // still loaded
    EXPECT_EQ(wb.ProgrammingImage()[84], 0xAA);
}

TEST_F(WorkbenchLoad, EachSilentHexOutcomeGetsItsWarningLine) {
    wb.SelectInitialChip(0);
    // An entry point (type 05) after the data, then 2 bytes past a code
    // area of the chip's size, then configuration words above 64 KiB.
    const std::size_t codeBytes = wb.ImageByteCount() - 80;
    char pastEnd[64];
    std::snprintf(pastEnd, sizeof pastEnd, ":04%04zX0001020304%02zX\n", codeBytes - 2,
                  (0x100 - ((4 + (codeBytes - 2) / 256 + (codeBytes - 2) % 256 + 10) & 0xFF)) & 0xFF);
    const SelectFileReport report =
        Select("warn.hex", std::string(":0400000001020304F2\n") + pastEnd +
                               ":020000040030CA\n:02000800AABB91\n:0400000500001234B1\n:00000001FF\n");
    ASSERT_TRUE(report.success);
    EXPECT_EQ(report.warnings, (std::vector<std::string>{
                                   "警告: 有 2 个字节超出芯片代码区，已丢弃!",
                                   "警告: 有 4 个字节来自地址记录(类型02-05)，已写入代码区!",
                                   "警告: 有 2 个字节属于扩展地址(64K以上)，已按低16位地址写入代码区!"}));
    for (const std::string& warning : report.warnings) {
        EXPECT_THAT(report.statusText, ::testing::HasSubstr("\r\n\r\n" + warning));
        EXPECT_THAT(*report.messageBoxText, ::testing::HasSubstr("\r\n\r\n" + warning));
    }
}

TEST_F(WorkbenchLoad, EmptyHexFileLoadsNothing) {
    wb.SelectInitialChip(0);
    const ImageHeader header = wb.WorkingHeader();
    const std::vector<uint8_t> image = wb.ProgrammingImage();
    const SelectFileReport report = Select("empty.hex", "");
    EXPECT_TRUE(report.success);
    EXPECT_THAT(f.statusTexts, ElementsAre("File length is zero."));
    EXPECT_TRUE(wb.SourceIsHex());
    EXPECT_EQ(wb.WorkingHeader(), header);
    EXPECT_EQ(wb.ProgrammingImage(), image);
}

TEST_F(WorkbenchLoad, UnreadableOrOversizedSourceIsRefused) {
    wb.SelectInitialChip(0);
    const auto big = f.dir() / "huge.hex";
    f.Write("huge.hex", ":00000001FF");
    std::filesystem::resize_file(big, kMaxSourceFileBytes + 1);  // sparse
    EXPECT_FALSE(wb.SelectSourceFile(big).success);
    EXPECT_FALSE(wb.SourceIsHex());
    EXPECT_TRUE(f.statusTexts.empty());

    std::filesystem::create_directories(f.dir() / "folder.hex");
    EXPECT_FALSE(wb.SelectSourceFile(f.dir() / "folder.hex").success);
    EXPECT_FALSE(wb.SourceIsHex());
}

TEST_F(WorkbenchLoad, SourcePathKeepsItsCase) {
    wb.SelectInitialChip(0);
    const auto path = f.Write("Mixed/Demo.hex", ":00000001FF");
    ASSERT_TRUE(wb.SelectSourceFile(path).success);
    EXPECT_EQ(wb.SourcePath(), path.string());
}

TEST_F(WorkbenchLoad, SectionBytesPastTheHeaderStayOutOfTheCode) {
    testing::WorkbenchFixture g(
        {{.name = "L", .sizeWords = 4, .sectionVal = std::vector<uint8_t>(20, 0xAB)}});
    g.bench().SelectInitialChip(0);
    ASSERT_TRUE(g.bench().SelectSourceFile(g.Write("l.hex", ":00000001FF")).success);
    const auto& image = g.bench().ProgrammingImage();
    EXPECT_EQ(image[79], 0xAB);
    EXPECT_THAT(std::vector<uint8_t>(image.begin() + 80, image.end()),
                ElementsAre(0xFF, 0x3F, 0xFF, 0x3F, 0xFF, 0x3F, 0xFF, 0x3F));
}

TEST_F(WorkbenchLoad, ChipWithoutDefinitionKeepsTheTemplateName) {
    catalogue::DeviceCatalogue catalogue;
    catalogue.Add({"NODEF", 84, 14}, {});
    tovrin::testing::TempDirectory dir;
    Workbench bench(dir.path(), catalogue);
    bench.SelectInitialChip(0);
    ASSERT_TRUE(bench.SelectSourceFile(dir.Write("n.hex", ":00000001FF")).success);
    EXPECT_EQ(std::string(bench.ProgrammingImage().begin(), bench.ProgrammingImage().begin() + 7), "Q3L88XX");
    // The template's flags byte 0xFF shows every flag set; the build clears bit 7.
    EXPECT_EQ(bench.ProgrammingImage()[7], 0x7F);
}

TEST_F(WorkbenchLoad, ImplausibleImageSizesAreBounded) {
    catalogue::DeviceCatalogue catalogue;
    catalogue.Add({"TINY", 10, 14}, {});
    catalogue.Add({"HUGE", 0xFFFFFF88u, 14}, {});
    tovrin::testing::TempDirectory dir;
    Workbench bench(dir.path(), catalogue);
    bench.SelectInitialChip(0);
    EXPECT_EQ(bench.ImageByteCount(), 80u);
    bench.BuildHeader();
    bench.SelectInitialChip(1);
    EXPECT_EQ(bench.ImageByteCount(), kMaxSourceFileBytes);
    EXPECT_EQ(bench.ProgrammingImage().size(), kMaxSourceFileBytes);
}

}  // namespace
}  // namespace tovrin::image
