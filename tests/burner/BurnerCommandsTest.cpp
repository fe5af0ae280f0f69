#include "burner/BurnerCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/DeviceCatalogue.h"
#include "image/ControlIds.h"
#include "image/Workbench.h"
#include "tests/burner/LinkFixture.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::burner::testing {
namespace {

catalogue::ChipDefinition DefinitionFor(const std::string& name, uint8_t programSet) {
    catalogue::ChipDefinition definition;
    std::vector<uint8_t> bytes(name.begin(), name.end());
    bytes.resize(7, ' ');
    bytes.push_back(programSet);
    definition.headerSections.push_back({0, bytes});
    return definition;
}

// A program directory with two chips, one of the Q3L88 family, a HEX source
// and test patterns for both, and the link on the in-process simulator.
class BurnerCommandsTest : public ::testing::Test {
protected:
    BurnerCommandsTest() {
        for (const char* name : {"Q3L88", "VB27C12"})
            catalogue_.Add({name, 2 * 1024 + 80, 14}, DefinitionFor(name, 0x07));
        dir_.Write("Pats/Q3L88.pat", std::vector<uint8_t>(592, 0x03));
        dir_.Write("Pats/Q3L88.pat2", std::vector<uint8_t>(1280, 0x44));
        dir_.Write("Pats/VB27C12.pat", std::vector<uint8_t>(592, 0x03));
        source_ = dir_.Write("work/DEMO.HEX", ":0400000001020304F2\n:00000001FF\n");
    }

    void Load(std::size_t chip) {
        ASSERT_TRUE(bench_.SelectInitialChip(chip));
        ASSERT_TRUE(bench_.SelectSourceFile(source_).success);
        link_.ProbeBurner();
        ASSERT_TRUE(link_.BurnerPresent());
        events_ = ObservingEvents{};
    }

    void SetOpenShortTestOff() {
        std::vector<uint8_t> options = bench_.OptionByteBuffer();
        options[kOpenShortOptionByte] |= kOpenShortOffBit;
        ASSERT_TRUE(bench_.TakeOptionBytes(options));
    }

    void SetProgramAndTest(bool program, bool test) {
        ASSERT_TRUE(bench_.SetFlag(control::kProgramCheckbox, program));
        ASSERT_TRUE(bench_.SetFlag(control::kTestCheckbox, test));
    }

    tovrin::testing::TempDirectory dir_;
    catalogue::DeviceCatalogue catalogue_;
    image::Workbench bench_{dir_.path(), catalogue_};
    std::filesystem::path source_;
    burnersim::BurnerFirmware firmware_;
    burnersim::SimulatorTransport device_{firmware_};
    ObservingEvents events_;
    BurnerLink link_{device_, events_, [this] { return LinkInputsFrom(bench_); }};
};

TEST_F(BurnerCommandsTest, QuestionsComeInTheirOrderThenTheDownloadRuns) {
    Load(0);
    SetOpenShortTestOff();
    SetProgramAndTest(true, true);
    events_.answers = {true, true, false};
    EXPECT_EQ(RunDownloadCommand(bench_, link_, events_), DownloadCommandResult::Ran);
    EXPECT_EQ(events_.questions,
              (std::vector<std::string>{std::string(kOpenShortWarning), std::string(kFtProgramQuestion),
                                        std::string(image::kOverwriteSourceQuestion)}));
    EXPECT_EQ(events_.questionKinds, (std::vector<image::Question>{image::Question::OpenShortWarning,
                                                                   image::Question::FtProgramConfirm,
                                                                   image::Question::OverwriteSource}));
    EXPECT_EQ(link_.LastOutcome(), ExchangeOutcome::Completed);
    EXPECT_EQ(firmware_.HeldImage(), bench_.ProgrammingImage());
    EXPECT_EQ(firmware_.HeldPatterns().size(), 576u + 1280u);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "work/DEMO.QVB"));  // No to saving
    // The settings were disabled before the download and given back after it.
    const int disabled = [&] {
        for (std::size_t i = 0; i < events_.calls.size(); ++i)
            if (events_.calls[i].starts_with("SetSettingsControls") &&
                events_.calls[i].find('+') == std::string::npos)
                return static_cast<int>(i);
        return -1;
    }();
    ASSERT_GE(disabled, 0);
    EXPECT_LT(disabled,
              static_cast<int>(std::find(events_.calls.begin(), events_.calls.end(), "StopTimer 1") -
                               events_.calls.begin()));
    EXPECT_TRUE(events_.IsEnabled(control::kVerifyCheckbox));
}

TEST_F(BurnerCommandsTest, DecliningAnyQuestionSendsNothing) {
    for (const int declined : {0, 1}) {
        SCOPED_TRACE(declined);
        Load(0);
        SetOpenShortTestOff();
        SetProgramAndTest(true, true);
        events_.answers = declined == 0 ? std::deque<bool>{false} : std::deque<bool>{true, false};
        const uint64_t before = firmware_.RequestsReceived();
        EXPECT_EQ(RunDownloadCommand(bench_, link_, events_), DownloadCommandResult::Declined);
        EXPECT_EQ(firmware_.RequestsReceived(), before);
        EXPECT_FALSE(link_.DownloadActive());
        for (const auto& call : events_.calls)
            EXPECT_FALSE(call.starts_with("SetSettingsControls") || call.starts_with("EnableButton")) << call;
    }
}

TEST_F(BurnerCommandsTest, OpenShortWarningOnlyForTheFamilyAndFtOnlyWithProgram) {
    const struct {
        std::size_t chip;
        bool program;
        bool test;
        std::size_t questionsBeforeSave;
    } cases[] = {{1, true, true, 1}, {1, false, true, 0}, {0, false, true, 1}, {0, true, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip * 10 + c.program);
        Load(c.chip);
        SetOpenShortTestOff();
        SetProgramAndTest(c.program, c.test);
        events_.defaultAnswer = false;  // No to everything
        events_.answers = std::deque<bool>(c.questionsBeforeSave, true);
        RunDownloadCommand(bench_, link_, events_);
        ASSERT_EQ(events_.questions.size(), c.questionsBeforeSave + 1);
        EXPECT_EQ(events_.questions.back(), image::kOverwriteSourceQuestion);
        EXPECT_EQ(events_.questions.front() == kOpenShortWarning, c.chip == 0);
    }
}

TEST_F(BurnerCommandsTest, UnwritableProjectFileEndsTheCommandSilently) {
    Load(1);
    ASSERT_TRUE(bench_.SetFlag(control::kProgramCheckbox, false));
    std::filesystem::create_directories(dir_ / "work/DEMO.QVB");  // the target cannot be replaced
    const uint64_t before = firmware_.RequestsReceived();
    EXPECT_EQ(RunDownloadCommand(bench_, link_, events_), DownloadCommandResult::SaveFailed);
    EXPECT_EQ(firmware_.RequestsReceived(), before);
    EXPECT_TRUE(events_.messages.empty());
}

TEST_F(BurnerCommandsTest, SavedProjectFileIsTheImageSent) {
    Load(1);
    ASSERT_TRUE(bench_.SetFlag(control::kProgramCheckbox, false));
    EXPECT_EQ(RunDownloadCommand(bench_, link_, events_), DownloadCommandResult::Ran);
    EXPECT_EQ(tovrin::testing::ReadAll(dir_ / "work/DEMO.QVB"), firmware_.HeldImage());
}

TEST_F(BurnerCommandsTest, ChipChecksumBuildsTheHeaderFirstAndWaitsOutADownload) {
    Load(1);
    ASSERT_TRUE(bench_.SetFlag(control::kProgramCheckbox, false));
    RunDownloadCommand(bench_, link_, events_);
    events_ = ObservingEvents{};
    link_.SetDownloadActive(true);
    EXPECT_FALSE(RunChipChecksumCommand(bench_, link_));
    EXPECT_TRUE(events_.calls.empty());
    link_.SetDownloadActive(false);
    EXPECT_TRUE(RunChipChecksumCommand(bench_, link_));
    ASSERT_EQ(events_.statusReports.size(), 1u);
    const std::string& report = events_.statusReports[0];
    EXPECT_NE(report.find("校验和(QVB): " + bench_.QvbChecksumText()), std::string::npos) << report;
    EXPECT_NE(report.find("校验和(ROM): " + bench_.RomChecksumText()), std::string::npos) << report;
}

}  // namespace
}  // namespace tovrin::burner::testing
