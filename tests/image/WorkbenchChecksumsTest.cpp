// The checksums the Workbench shows and stores, followed through every kind
// of change, against a computation over the whole image each time: the
// Workbench reads the code area only when it changed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/Checksums.h"
#include "image/ControlIds.h"
#include "image/ImageHeader.h"
#include "image/ProjectFile.h"
#include "platform/system/FileIo.h"
#include "tests/image/WorkbenchFixture.h"

namespace tovrin::image {
namespace {

using testing::SealProjectFile;

// Records at code bytes 0, 2 and 0x1000: the last one only fits the larger chips.
constexpr std::string_view kHex = ":0400000001020304F2\n:02000200AABB97\n:02100000AABB89\n:00000001FF\n";

// What is shown: the texts and WorkingHeader bytes 28..31 hold the checksums
// of the WorkingHeader in front of the code area of image.
void ExpectShown(const Workbench& wb, std::span<const uint8_t> image, const std::string& when) {
    const ImageHeader& h = wb.WorkingHeader();
    const uint16_t rom = ComputeRomChecksum(h, image);
    const uint16_t qvb = ComputeQvbChecksum(h, image);
    EXPECT_EQ(ReadLe16(h, header::kRomChecksum), rom) << when;
    EXPECT_EQ(ReadLe16(h, header::kQvbChecksum), qvb) << when;
    EXPECT_EQ(wb.RomChecksumText(), ChecksumText(rom)) << when;
    EXPECT_EQ(wb.QvbChecksumText(), ChecksumText(qvb)) << when;
}

// What is stored: the image's own header holds the checksums of the image.
void ExpectStored(std::span<const uint8_t> image, const std::string& when) {
    ImageHeader own{};
    std::copy_n(image.begin(), own.size(), own.begin());
    EXPECT_EQ(ReadLe16(image, header::kRomChecksum), ComputeRomChecksum(own, image)) << when;
    EXPECT_EQ(ReadLe16(image, header::kQvbChecksum), ComputeQvbChecksum(own, image)) << when;
}

class WorkbenchChecksums : public ::testing::Test {
protected:
    testing::WorkbenchFixture f{{
        {.name = "SMALL", .sizeWords = 16, .bitWidth = 14},
        {.name = "Q3L88", .sizeWords = 3000, .bitWidth = 14, .optionBytes = {0x12, 0x34, 0xFF}},
        {.name = "LARGE", .sizeWords = 40000, .bitWidth = 12},
    }};
    Workbench& wb = f.bench();

    void Choose(std::string_view name) { f.Choose(name); }
    void Select(const std::filesystem::path& path) { ASSERT_TRUE(wb.SelectSourceFile(path).success); }
};

TEST_F(WorkbenchChecksums, ShownAndStoredValuesFollowEveryChange) {
    struct Step {
        const char* what;
        std::function<void()> change;
        bool stored;  // the step ends with a BuildHeader
    };
    const Step steps[] = {
        {"initial chip", [&] { wb.SelectInitialChip(0); }, false},
        {"header built on the initial chip", [&] { wb.BuildHeader(); }, true},
        {"HEX load", [&] { Select(f.Write("DEMO.HEX", kHex)); }, true},
        {"flag that feeds only the QvbChecksum",
         [&] {
             ASSERT_TRUE(wb.SetFlag(control::kVerifyCheckbox, !wb.Controls().verify));
             wb.BuildHeader();
         },
         true},
        {"option byte taken back, not yet built",
         [&] {
             std::vector<uint8_t> bytes = wb.OptionByteBuffer();
             bytes[0] ^= 0x5A;
             ASSERT_TRUE(wb.TakeOptionBytes(bytes));
         },
         false},
        {"option byte built", [&] { wb.BuildHeader(); }, true},
        {"larger chip reloads the HEX source", [&] { Choose("LARGE"); }, true},
        {"family chip, smaller, reloads it", [&] { Choose("Q3L88"); }, true},
        {"rolling-code value",
         [&] {
             ASSERT_TRUE(wb.SetRollingCodeEnabled(true));
             ASSERT_TRUE(wb.SetHexField(control::kInitialValue, "12345678"));
             wb.BuildHeader();
         },
         true},
        {"project file of another code",
         [&] {
             std::vector<uint8_t> file = wb.ProgrammingImage();
             file[80 + 100] = 0x77;
             Select(f.Write("other.qvb", SealProjectFile(file)));
         },
         true},
        {"project source on a larger chip: the image grows by zeros", [&] { Choose("LARGE"); }, false},
        {"header built on it", [&] { wb.BuildHeader(); }, true},
        {"back to the smallest chip", [&] { Choose("SMALL"); }, false},
        {"data-buffer view", [&] { wb.PrepareDataBufferView(); }, true},
    };
    for (const Step& step : steps) {
        step.change();
        ExpectShown(wb, wb.ProgrammingImage(), step.what);
        if (step.stored) ExpectStored(wb.ProgrammingImage(), step.what);
    }
}

TEST_F(WorkbenchChecksums, HeaderChangesChangeTheShownValues) {
    wb.SelectInitialChip(1);
    Select(f.Write("DEMO.HEX", kHex));
    const std::string rom = wb.RomChecksumText();
    const std::string qvb = wb.QvbChecksumText();

    ASSERT_TRUE(wb.SetFlag(control::kBlankCheckCheckbox, !wb.Controls().blankCheck));
    wb.BuildHeader();
    EXPECT_EQ(wb.RomChecksumText(), rom);
    EXPECT_NE(wb.QvbChecksumText(), qvb);
    ExpectStored(wb.ProgrammingImage(), "flag");

    const std::string qvbAfterFlag = wb.QvbChecksumText();
    const uint16_t storedQvb = ReadLe16(wb.ProgrammingImage(), header::kQvbChecksum);
    std::vector<uint8_t> bytes = wb.OptionByteBuffer();
    bytes[0] ^= 0x01;
    ASSERT_TRUE(wb.TakeOptionBytes(bytes));
    EXPECT_NE(wb.RomChecksumText(), rom);
    EXPECT_NE(wb.QvbChecksumText(), qvbAfterFlag);
    ExpectShown(wb, wb.ProgrammingImage(), "option byte");
    // The image takes the option byte only at the next BuildHeader.
    EXPECT_EQ(ReadLe16(wb.ProgrammingImage(), header::kQvbChecksum), storedQvb);
}

TEST_F(WorkbenchChecksums, ProjectFileWithAWrongChecksumThenABuild) {
    wb.SelectInitialChip(1);
    Select(f.Write("DEMO.HEX", kHex));
    std::vector<uint8_t> file = SealProjectFile(wb.ProgrammingImage());
    file[80 + 4096] ^= 0xFF;
    EXPECT_FALSE(wb.SelectSourceFile(f.Write("bad.qvb", file)).success);
    // The dialog shows the file's header and the checksums of its content.
    ExpectShown(wb, file, "refused file");
    wb.BuildHeader();
    ExpectShown(wb, wb.ProgrammingImage(), "zeroed image");
    ExpectStored(wb.ProgrammingImage(), "zeroed image");
}

TEST_F(WorkbenchChecksums, SavedFileHoldsItsOwnChecksumAndIsNotOfferedAgain) {
    wb.SelectInitialChip(1);
    Select(f.Write("DEMO.HEX", kHex));
    ASSERT_TRUE(wb.SetFlag(control::kProgramCheckbox, !wb.Controls().program));
    wb.BuildHeader();
    ASSERT_EQ(wb.DecideSave([](Question, std::string_view) { return true; }), SaveDecision::Saved);
    const auto saved = ReadFileBytes(f.dir() / "DEMO.QVB", 1 << 20);
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, wb.ProgrammingImage());
    ExpectStored(*saved, "saved file");

    Select(f.dir() / "DEMO.QVB");
    EXPECT_EQ(wb.SavedImageChecksum(), ReadLe16(*saved, header::kQvbChecksum));
    wb.BuildHeader();
    bool asked = false;
    EXPECT_EQ(wb.DecideSave([&](Question, std::string_view) { return asked = true; }),
              SaveDecision::Continue);
    EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace tovrin::image
