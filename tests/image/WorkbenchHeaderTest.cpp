// Header controls, option bytes and the save decision of the Workbench.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <functional>
#include <utility>

#include "image/Checksums.h"
#include "image/ProjectFile.h"
#include "tests/image/WorkbenchFixture.h"

namespace tovrin::image {
namespace {

using ::testing::ElementsAre;
using testing::SealProjectFile;

class WorkbenchHeader : public ::testing::Test {
protected:
    testing::WorkbenchFixture f{{
        {.name = "Q3L88", .sizeWords = 16, .bitWidth = 14, .programSet = 0x0F},
        {.name = "VB27A", .sizeWords = 16, .bitWidth = 12, .programSet = 0x0F},
    }};
    Workbench& wb = f.bench();

    std::vector<uint8_t> HeaderBytes(std::size_t from, std::size_t to) const {
        return {wb.ProgrammingImage().begin() + static_cast<std::ptrdiff_t>(from),
                wb.ProgrammingImage().begin() + static_cast<std::ptrdiff_t>(to)};
    }
    void LoadHex(std::string_view name = "DEMO.HEX") {
        ASSERT_TRUE(wb.SelectSourceFile(f.Write(name, ":0400000001020304F2\n:00000001FF\n")).success);
    }
    void LoadProject(std::string_view name = "demo.qvb") {
        wb.BuildHeader();
        ASSERT_TRUE(wb.SelectSourceFile(f.Write(name, SealProjectFile(wb.ProgrammingImage()))).success);
    }
};

TEST_F(WorkbenchHeader, BuildHeaderWritesTheControls) {
    wb.SelectInitialChip(0);
    // The carried flag has no control: only a loaded header clears it.
    wb.BuildHeader();
    std::vector<uint8_t> bytes = wb.ProgrammingImage();
    bytes[7] = 0x20;  // test only
    ASSERT_TRUE(wb.SelectSourceFile(f.Write("carried.qvb", SealProjectFile(bytes))).success);
    ASSERT_FALSE(wb.Controls().carriedFlag);

    ASSERT_TRUE(wb.SetFlag(control::kVerifyCheckbox, true));
    ASSERT_TRUE(wb.SetFlag(control::kProgramCheckbox, false));
    ASSERT_TRUE(wb.SetFlag(control::kBlankCheckCheckbox, true));
    // Disabled without a test pattern, but asking for the value it shows changes nothing.
    ASSERT_TRUE(wb.SetFlag(control::kTestCheckbox, true));
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    ASSERT_TRUE(wb.SetAddressCount(4));
    const std::pair<int, const char*> fields[] = {
        {control::kAddress1, "1234"}, {control::kAddress2, "abcd"},         {control::kAddress3, "0001"},
        {control::kAddress4, "FFFF"}, {control::kInitialValue, "3FFFFFFF"}, {control::kStep, "00000001"}};
    for (const auto& [id, text] : fields) ASSERT_TRUE(wb.SetHexField(id, text)) << id;
    EXPECT_EQ(wb.Controls().addresses[1].Text(), "ABCD");
    wb.BuildHeader();
    EXPECT_EQ(wb.ProgrammingImage()[7], 0x2D);
    EXPECT_EQ(wb.ProgrammingImage()[11], 4);
    EXPECT_THAT(HeaderBytes(12, 28), ElementsAre(0x34, 0x12, 0xCD, 0xAB, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                                                 0xFF, 0x3F, 0x01, 0x00, 0x00, 0x00));
    EXPECT_EQ(HeaderBytes(32, 48), std::vector<uint8_t>(16, 0));
    const ImageHeader& h = wb.WorkingHeader();
    EXPECT_EQ(ReadLe16(h, 28), ComputeRomChecksum(h, wb.ProgrammingImage()));
    EXPECT_EQ(ReadLe16(h, 30), ComputeQvbChecksum(h, wb.ProgrammingImage()));
    EXPECT_EQ(wb.QvbChecksumText(), ChecksumText(ReadLe16(h, 30)));
    EXPECT_EQ(wb.RomChecksumText(), ChecksumText(ReadLe16(h, 28)));
    EXPECT_EQ(HeaderBytes(0, 80), std::vector<uint8_t>(h.begin(), h.end()));
    EXPECT_EQ(wb.OptionByteBuffer(), HeaderBytes(48, 80));
}

TEST_F(WorkbenchHeader, ChangesTheControlsWouldNotAllowAreRefusedWithTheReason) {
    struct Case {
        const char* what;
        std::size_t chip;
        bool rollingCode;
        std::function<Status(Workbench&)> change;
        const char* error;
    };
    const Case cases[] = {
        {"test without a pattern", 0, true,
         [](Workbench& b) { return b.SetFlag(control::kTestCheckbox, true); },
         "the \"测试\" check box (1028) is disabled: the chip's test pattern does not allow the function "
         "test"},
        {"no flag", 0, true, [](Workbench& b) { return b.SetFlag(control::kChipList, true); },
         "control 1029 is no programming-flag check box"},
        {"three addresses elsewhere", 1, true, [](Workbench& b) { return b.SetAddressCount(3); },
         "the \"3地址\" radio button (1015) is disabled: only the chip Q3L88 offers three or four addresses"},
        {"radio without rolling code", 0, false, [](Workbench& b) { return b.SetAddressCount(2); },
         "the \"2地址\" radio button (1016) is disabled: the rolling code is disabled (\"滚码使能\" 1034 is "
         "off)"},
        {"five addresses", 0, true, [](Workbench& b) { return b.SetAddressCount(5); },
         "the rolling code has 1 to 4 addresses, not 5"},
        {"address beyond the count", 0, true,
         [](Workbench& b) { return b.SetHexField(control::kAddress2, "1234"); },
         "edit 1035 is read-only: this address is beyond the selected address count"},
        {"edit without rolling code", 0, false,
         [](Workbench& b) { return b.SetHexField(control::kStep, "00000002"); },
         "edit 1039 is read-only: the rolling code is disabled (\"滚码使能\" 1034 is off)"},
        {"short text", 0, true, [](Workbench& b) { return b.SetHexField(control::kAddress1, "123"); },
         "edit 1041 needs exactly 4 hexadecimal digits, not \"123\""},
        {"no digit", 0, true, [](Workbench& b) { return b.SetHexField(control::kInitialValue, "0000000G"); },
         "edit 1040 needs exactly 8 hexadecimal digits, not \"0000000G\""},
        {"no edit", 0, true, [](Workbench& b) { return b.SetHexField(control::kStepLabel, "0000"); },
         "control 1115 is no hexadecimal edit"},
        {"long option block", 0, true,
         [](Workbench& b) { return b.TakeOptionBytes(std::vector<uint8_t>(33, 0)); },
         "the option block holds 32 bytes, not 33"},
    };
    for (const Case& c : cases) {
        testing::WorkbenchFixture g({{.name = "Q3L88"}, {.name = "VB27A"}});
        Workbench& b = g.bench();
        b.SelectInitialChip(c.chip);
        ASSERT_TRUE(b.SetRollingCodeEnabled(c.rollingCode));
        const HeaderControls before = b.Controls();
        const std::vector<uint8_t> image = b.ProgrammingImage();
        const Status status = c.change(b);
        ASSERT_FALSE(status) << c.what;
        EXPECT_EQ(status.error().message, c.error) << c.what;
        EXPECT_EQ(b.Controls().test, before.test) << c.what;
        EXPECT_EQ(b.Controls().addressCountIndex, before.addressCountIndex) << c.what;
        EXPECT_EQ(b.Controls().addresses[1].Text(), before.addresses[1].Text()) << c.what;
        EXPECT_EQ(b.Controls().step.Text(), before.step.Text()) << c.what;
        EXPECT_EQ(b.ProgrammingImage(), image) << c.what;
    }
}

TEST_F(WorkbenchHeader, HeaderControlStatesCoverEveryHeaderControl) {
    wb.SelectInitialChip(0);
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    ASSERT_TRUE(wb.SetAddressCount(2));
    std::vector<ControlState> expected = {
        {control::kVerifyCheckbox, true},  {control::kBlankCheckCheckbox, true},
        {control::kProgramCheckbox, true}, {control::kTestCheckbox, false},
        {control::kChipList, true},        {control::kRollingCodeEnable, true},
    };
    const RollingCodeControlSet rollingCode = wb.RollingCodeControlStates();
    expected.insert(expected.end(), rollingCode.controls.begin(), rollingCode.controls.end());
    EXPECT_EQ(wb.HeaderControlStates(), expected);

    LoadProject();  // a project file fixes the chip
    bool chipListSeen = false;
    for (const ControlState& state : wb.HeaderControlStates()) {
        if (state.id != control::kChipList) continue;
        chipListSeen = true;
        EXPECT_FALSE(state.enabled);
    }
    EXPECT_TRUE(chipListSeen);
}

TEST_F(WorkbenchHeader, CarriedBitsSurviveARoundTrip) {
    wb.SelectInitialChip(0);
    wb.BuildHeader();
    std::vector<uint8_t> bytes = wb.ProgrammingImage();
    bytes[7] = 0x50 | 0x01;  // carried flag and bit 6, verify only
    bytes[40] = 0x99;        // the zero block is cleared again
    ASSERT_TRUE(wb.SelectSourceFile(f.Write("c.qvb", SealProjectFile(bytes))).success);
    EXPECT_TRUE(wb.Controls().carriedFlag);
    EXPECT_EQ(wb.ProgrammingImage()[7], 0x51);
    EXPECT_EQ(wb.ProgrammingImage()[40], 0);
}

TEST_F(WorkbenchHeader, DisablingRollingCodeKeepsTheTexts) {
    wb.SelectInitialChip(0);
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    ASSERT_TRUE(wb.SetAddressCount(2));
    ASSERT_TRUE(wb.SetHexField(control::kAddress1, "1111"));
    ASSERT_TRUE(wb.SetHexField(control::kAddress2, "2222"));
    ASSERT_TRUE(wb.SetHexField(control::kInitialValue, "00000100"));

    ASSERT_TRUE(wb.SetRollingCodeEnabled(false));
    for (const ControlState& s : wb.RollingCodeControlStates().controls) EXPECT_FALSE(s.enabled) << s.id;
    EXPECT_EQ(wb.Controls().addresses[1].Text(), "2222");
    wb.BuildHeader();
    EXPECT_EQ(wb.ProgrammingImage()[7] & 0x08, 0);
    EXPECT_THAT(HeaderBytes(12, 24), ElementsAre(0x11, 0x11, 0x22, 0x22, 0, 0, 0, 0, 0x00, 0x01, 0x00, 0x00));
}

TEST_F(WorkbenchHeader, FewerAddressesClearTheRestAtOnce) {
    wb.SelectInitialChip(0);  // exactly Q3L88: three addresses offered
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    ASSERT_TRUE(wb.SetAddressCount(3));
    EXPECT_TRUE(wb.RollingCodeControlStates().Find(control::kThreeAddresses)->enabled);
    ASSERT_TRUE(wb.SetHexField(control::kAddress2, "5678"));
    ASSERT_TRUE(wb.SetHexField(control::kAddress3, "1234"));
    ASSERT_TRUE(wb.SetAddressCount(1));
    EXPECT_EQ(wb.Controls().addresses[1].Text(), "0000");
    EXPECT_EQ(wb.Controls().addresses[2].Text(), "0000");
    ASSERT_TRUE(wb.SetAddressCount(3));  // raising it again brings nothing back
    EXPECT_EQ(wb.Controls().addresses[2].Text(), "0000");
    ASSERT_TRUE(wb.SetAddressCount(1));
    wb.BuildHeader();
    EXPECT_EQ(HeaderBytes(14, 20), std::vector<uint8_t>(6, 0));
}

TEST_F(WorkbenchHeader, OnlyTheExactNameOffersFourAddresses) {
    wb.SelectInitialChip(1);
    ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
    const RollingCodeControlSet states = wb.RollingCodeControlStates();
    EXPECT_TRUE(states.Find(control::kTwoAddresses)->enabled);
    EXPECT_FALSE(states.Find(control::kThreeAddresses)->enabled);
    EXPECT_FALSE(states.Find(control::kFourAddresses)->enabled);
}

TEST_F(WorkbenchHeader, ReceivedOptionBytesReachTheImageAtTheNextBuild) {
    wb.SelectInitialChip(0);
    wb.BuildHeader();
    const std::vector<uint8_t> oldOptions = HeaderBytes(48, 80);
    const std::string oldRom = wb.RomChecksumText();
    std::vector<uint8_t> options = wb.OptionByteBuffer();
    options[0] = 0x5A;
    options[3] = 0xC3;
    ASSERT_TRUE(wb.TakeOptionBytes(options));
    EXPECT_EQ(wb.OptionByteBuffer(), options);
    EXPECT_EQ(HeaderBytes(48, 80), oldOptions);
    EXPECT_EQ(wb.WorkingHeader()[48], 0x5A);
    EXPECT_NE(wb.RomChecksumText(), oldRom);
    EXPECT_EQ(wb.ConfigurationDisplay().substr(0, 2), "C3");
    wb.BuildHeader();
    EXPECT_EQ(wb.ProgrammingImage()[48], 0x5A);
}

TEST_F(WorkbenchHeader, ShortOptionBufferChangesOnlyItsBytes) {
    wb.SelectInitialChip(0);
    wb.BuildHeader();
    const ImageHeader before = wb.WorkingHeader();
    ASSERT_TRUE(wb.TakeOptionBytes(std::vector<uint8_t>{0x01, 0x02}));
    EXPECT_EQ(wb.WorkingHeader()[48], 0x01);
    EXPECT_EQ(wb.WorkingHeader()[49], 0x02);
    EXPECT_EQ(wb.WorkingHeader()[50], before[50]);
}

TEST_F(WorkbenchHeader, SaveDecision) {
    struct Case {
        const char* what;
        bool hexSource;
        bool changeAfterLoad;
        bool answer;
        bool expectAsked;
        SaveDecision expected;
    };
    const Case cases[] = {
        {"unchanged project file", false, false, true, false, SaveDecision::Continue},
        {"changed project file, Yes", false, true, true, true, SaveDecision::Saved},
        {"changed project file, No", false, true, false, true, SaveDecision::Continue},
        {"HEX source, Yes", true, false, true, true, SaveDecision::Saved},
        {"HEX source, No", true, false, false, true, SaveDecision::Continue},
    };
    for (const Case& c : cases) {
        testing::WorkbenchFixture g({{.name = "Q3L88", .sizeWords = 16}});
        Workbench& b = g.bench();
        b.SelectInitialChip(0);
        if (c.hexSource) {
            ASSERT_TRUE(b.SelectSourceFile(g.Write("DEMO.HEX", ":00000001FF")).success);
        } else {
            b.BuildHeader();
            ASSERT_TRUE(
                b.SelectSourceFile(g.Write("DEMO.QVB", SealProjectFile(b.ProgrammingImage()))).success);
        }
        const auto projectBefore = tovrin::testing::ReadAll(g.dir() / "DEMO.QVB");
        if (c.changeAfterLoad) {
            ASSERT_TRUE(b.SetFlag(control::kVerifyCheckbox, !b.Controls().verify));
        }
        b.BuildHeader();
        std::vector<std::string> questions;
        const SaveDecision decision = b.DecideSave([&](Question kind, std::string_view q) {
            EXPECT_EQ(kind, Question::OverwriteSource);
            questions.emplace_back(q);
            return c.answer;
        });
        EXPECT_EQ(decision, c.expected) << c.what;
        EXPECT_EQ(questions.size(), c.expectAsked ? 1u : 0u) << c.what;
        if (c.expectAsked) {
            EXPECT_EQ(questions[0], "文件改变，是否覆盖源文件? ");
        }
        const auto projectAfter = tovrin::testing::ReadAll(g.dir() / "DEMO.QVB");
        if (decision == SaveDecision::Saved) {
            EXPECT_EQ(projectAfter, b.ProgrammingImage()) << c.what;
            EXPECT_EQ(b.SavedImageChecksum(), ReadLe16(b.WorkingHeader(), 30));
        } else {
            EXPECT_EQ(projectAfter, projectBefore) << c.what;
        }
    }
}

TEST_F(WorkbenchHeader, SavedHexSourceStaysTheSourceAndAsksAgain) {
    wb.SelectInitialChip(0);
    LoadHex("DEMO.HEX");
    wb.BuildHeader();
    EXPECT_EQ(wb.DecideSave([](Question, std::string_view) { return true; }), SaveDecision::Saved);
    EXPECT_TRUE(std::filesystem::exists(f.dir() / "DEMO.QVB"));
    EXPECT_EQ(wb.SourcePath(), (f.dir() / "DEMO.HEX").string());
    EXPECT_TRUE(wb.SourceIsHex());
    int asked = 0;
    wb.DecideSave([&](Question, std::string_view) { return ++asked, false; });
    EXPECT_EQ(asked, 1);
}

TEST_F(WorkbenchHeader, SavedProjectFileReloadsToTheSameImage) {
    wb.SelectInitialChip(0);
    LoadHex("DEMO.HEX");
    ASSERT_TRUE(wb.SetFlag(control::kTestCheckbox, false));
    ASSERT_TRUE(wb.SetHexField(control::kInitialValue, "00ABCDEF"));
    wb.BuildHeader();
    const std::vector<uint8_t> sent = wb.ProgrammingImage();
    ASSERT_EQ(wb.DecideSave([](Question, std::string_view) { return true; }), SaveDecision::Saved);
    EXPECT_EQ(tovrin::testing::ReadAll(f.dir() / "DEMO.QVB"), sent);
    ASSERT_TRUE(wb.SelectSourceFile(f.dir() / "DEMO.QVB").success);
    EXPECT_EQ(wb.ProgrammingImage(), sent);
    EXPECT_EQ(wb.DecideSave([](Question, std::string_view) { return ADD_FAILURE(), true; }),
              SaveDecision::Continue);
}

TEST_F(WorkbenchHeader, FailedSaveLeavesTheOldFileAndAborts) {
    wb.SelectInitialChip(0);
    LoadHex("DEMO.HEX");
    const auto old = f.Write("DEMO.QVB", "old project");
    wb.BuildHeader();
    const uint16_t savedBefore = wb.SavedImageChecksum();

    // A file-size limit below the image makes the write itself fail.
    struct rlimit original {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = original;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveDecision decision = wb.DecideSave([](Question, std::string_view) { return true; });
    setrlimit(RLIMIT_FSIZE, &original);
    signal(SIGXFSZ, previous);

    EXPECT_EQ(decision, SaveDecision::Abort);
    EXPECT_EQ(tovrin::testing::ReadAll(old),
              std::vector<uint8_t>({'o', 'l', 'd', ' ', 'p', 'r', 'o', 'j', 'e', 'c', 't'}));
    EXPECT_EQ(wb.SavedImageChecksum(), savedBefore);
}

TEST_F(WorkbenchHeader, SaveIntoAMissingFolderAborts) {
    wb.SelectInitialChip(0);
    LoadHex("sub/DEMO.HEX");
    std::filesystem::remove_all(f.dir() / "sub");
    wb.BuildHeader();
    EXPECT_EQ(wb.DecideSave([](Question, std::string_view) { return true; }), SaveDecision::Abort);
}

TEST_F(WorkbenchHeader, NothingToSaveWithoutASource) {
    wb.SelectInitialChip(0);
    wb.BuildHeader();
    EXPECT_EQ(wb.DecideSave([](Question, std::string_view) { return ADD_FAILURE(), true; }),
              SaveDecision::Continue);
}

TEST_F(WorkbenchHeader, DataBufferViewTakesTheCurrentChecksumAsSaved) {
    wb.SelectInitialChip(0);
    LoadProject();
    ASSERT_TRUE(wb.SetHexField(control::kStep, "00000002"));
    wb.PrepareDataBufferView();
    EXPECT_EQ(wb.OptionByteBuffer(), HeaderBytes(48, 80));
    EXPECT_EQ(wb.Controls().step.Text(), "00000002");
    wb.BuildHeader();
    EXPECT_EQ(wb.DecideSave([](Question, std::string_view) { return ADD_FAILURE(), true; }),
              SaveDecision::Continue);

    const auto copy = f.dir() / "copy.qvb";
    ASSERT_TRUE(wb.SaveImageAs(copy));
    EXPECT_EQ(tovrin::testing::ReadAll(copy), wb.ProgrammingImage());
}

TEST(ProjectFile, TargetPaths) {
    const struct {
        const char* source;
        const char* target;
    } cases[] = {
        {"C:\\WORK\\DEMO.HEX", "C:\\WORK\\DEMO.QVB"},
        {"/w/demo.hex", "/w/demo.QVB"},
        {"/w/Demo.HeX", "/w/Demo.QVB"},
        {"/w/demo.qvb", "/w/demo.qvb"},
        {"/w/demo", "/w/demo"},
        {"HEX", "HEX"},
        {".hex", ".QVB"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProjectFileTarget(c.source).string(), c.target) << c.source;
}

TEST(LastSelectedChip, WrittenWithoutLineEnd) {
    tovrin::testing::TempDirectory dir;
    dir.Write("LastSelChip.TXT", "OLDNAME\r\n");
    ASSERT_TRUE(WriteLastSelectedChip(dir.path(), "Q3L88"));
    EXPECT_EQ(tovrin::testing::ReadAll(dir / "LastSelChip.TXT"),
              std::vector<uint8_t>({'Q', '3', 'L', '8', '8'}));
    EXPECT_FALSE(WriteLastSelectedChip(dir / "missing", "Q3L88"));
}

TEST(DecodeHeader, NamesTheFields) {
    ImageHeader h{};
    std::copy_n("Q3L88  ", 7, h.begin());
    h[7] = 0x6B;
    h[8] = 0x34;
    h[9] = 0x12;
    h[11] = 9;
    h[20] = 0xFF;
    h[23] = 0x3F;
    h[48] = 0xAA;
    const DecodedHeader d = DecodeHeader(h);
    EXPECT_EQ(d.chipName, "Q3L88");
    EXPECT_TRUE(d.verify);
    EXPECT_TRUE(d.program);
    EXPECT_FALSE(d.blankCheck);
    EXPECT_TRUE(d.rollingCode);
    EXPECT_FALSE(d.carried);
    EXPECT_TRUE(d.test);
    EXPECT_TRUE(d.bit6);
    EXPECT_EQ(d.chipId, 0x1234);
    EXPECT_EQ(d.addressCountIndex, 3);
    EXPECT_EQ(d.initialValue, 0x3F0000FFu);
    EXPECT_EQ(d.optionBlock[0], 0xAA);
}

}  // namespace
}  // namespace tovrin::image
