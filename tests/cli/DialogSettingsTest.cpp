#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "catalogue/CatalogueLoader.h"
#include "catalogue/OptionRows.h"
#include "image/PinTest.h"
#include "image/Workbench.h"
#include "platform/text/HexText.h"
#include "tests/cli/CliRunner.h"

namespace tovrin::testing {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

ProcessResult Image(const std::vector<std::string>& extra) {
    std::vector<std::string> arguments = {"image", "--source", (BuiltSamples() / "demo.hex").string(),
                                          "--json"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunCli(BuiltSamples(), arguments);
}

std::string CliHeader(const std::vector<std::string>& extra) {
    ProcessResult run = Image(extra);
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    return run.exitCode == 0 ? json::parse(run.standardOutput)["header"].get<std::string>() : "";
}

// The dialogs' side: the same program directory and source, each dialog
// opened on a freshly built header and its OK taken in, through the rules.
class DialogSide {
public:
    DialogSide()
        : load_(catalogue::LoadCatalogue(BuiltSamples())), workbench_(BuiltSamples(), load_.catalogue) {
        workbench_.SelectInitialChip(*load_.initialSelection);
        EXPECT_TRUE(workbench_.SelectSourceFile(BuiltSamples() / "demo.hex").success);
    }

    void ChooseConfig(const std::vector<std::pair<std::size_t, int>>& rowSelections) {
        workbench_.BuildHeader();
        const auto definition = load_.catalogue.DefinitionOrEmpty(workbench_.SelectedChipName());
        auto layout = catalogue::BuildOptionDialog(definition, workbench_.SelectedChipName(),
                                                   workbench_.OptionByteBuffer());
        std::vector<int> selections = catalogue::Selections(layout);
        for (auto [row, selection] : rowSelections) selections[row] = selection;
        std::vector<uint8_t> bytes = workbench_.OptionByteBuffer();
        ASSERT_TRUE(catalogue::ApplyOptionSelections(definition, selections, bytes));
        ASSERT_TRUE(workbench_.TakeOptionBytes(bytes));
    }

    void ChoosePins(bool enabled, std::size_t pinCount, std::vector<int> pins = {}, bool pinList = false) {
        workbench_.BuildHeader();
        std::vector<uint8_t> bytes = workbench_.OptionByteBuffer();
        auto state = image::DecodePinTest(bytes);
        ASSERT_TRUE(state);
        image::SetPinTestEnabled(*state, enabled);
        image::LayOutPinTest(*state);
        if (enabled) {
            image::ChoosePinCount(*state, pinCount);
            image::LayOutPinTest(*state);
        }
        if (pinList) {
            ASSERT_TRUE(image::TickExactlyPins(*state, pins));
        }
        ASSERT_TRUE(image::ComposePinTest(*state, bytes));
        ASSERT_TRUE(workbench_.TakeOptionBytes(bytes));
    }

    std::string Header() {
        workbench_.BuildHeader();
        return text::UpperHexDigits(workbench_.WorkingHeader());
    }

private:
    catalogue::CatalogueLoad load_;
    image::Workbench workbench_;
};

std::string OptionBlock(const std::string& header) {
    return header.substr(96);
}

TEST(CliDialogSettings, ConfigGivesTheHeaderTheDialogsOkGives) {
    // Rows of Q3L88: 振荡器模式, 看门狗, 上电延时, 代码保护, 低压复位, 指令周期.
    DialogSide dialogs;
    dialogs.ChooseConfig({{1, 1}, {0, 1}, {5, 0}});
    const std::string cli = CliHeader(
        {"--config", "看门狗=使能", "--config", "振荡器模式=内部RC", "--config", "指令周期=2个时钟"});
    EXPECT_EQ(cli, dialogs.Header());
    // Oscillator 1, watchdog on, the fixed bit, no power-up delay: 3D; the
    // mirrored watchdog bit stays clear in word 1; the cycle field is 0.
    EXPECT_EQ(OptionBlock(cli).substr(0, 6), "3D0D00");
}

TEST(CliDialogSettings, OsTestGivesTheHeaderTheDialogsOkGives) {
    struct Case {
        std::string argument;
        bool enabled;
        std::size_t pinCount;
        std::vector<int> pins;
        bool pinList;
        std::string bytes64To69;
    };
    const Case cases[] = {
        {"8", true, 0, {}, false, "FFFFFFFF0025"},
        {"off", false, 0, {}, false, "FF3FFF3FFF3F"},
        {"other:1,40", true, image::kOtherPinCount, {1, 40}, true, "FCFFFFFFFF2F"},
        {"16:13,28", true, 3, {13, 28}, true, "FFFFFFFCFF28"},
    };
    for (const Case& c : cases) {
        DialogSide dialogs;
        dialogs.ChoosePins(c.enabled, c.pinCount, c.pins, c.pinList);
        const std::string cli = CliHeader({"--os-test", c.argument});
        EXPECT_EQ(cli, dialogs.Header()) << c.argument;
        EXPECT_EQ(cli.substr(128, 12), c.bytes64To69) << c.argument;
    }
}

TEST(CliDialogSettings, OptionBytesComeFirstThenTheConfigThenThePinTest) {
    const std::string block = "00000000" + std::string(24, 'F') + "FFFFFFFFFF7F" + std::string(20, '0');
    const std::string header =
        CliHeader({"--os-test", "8", "--config", "看门狗=使能", "--option-bytes", block});
    // The config decodes word 0 from the given bytes (all fields 0) and
    // re-composes it; the pin test keeps bits 7 and 6 of the given byte 21.
    EXPECT_EQ(OptionBlock(header).substr(0, 6), "0C0000");
    EXPECT_EQ(header.substr(128, 12), "FFFFFFFF0065");
}

TEST(CliDialogSettings, UnknownOrAmbiguousChoicesAreUsageErrorsListingTheChoices) {
    struct Case {
        std::vector<std::string> arguments;
        std::string says;
    };
    const Case cases[] = {
        {{"--config", "Watchdog=On"}, "\"振荡器模式\", \"看门狗\", \"上电延时\""},
        {{"--config", "看门狗=maybe"}, "the choices are: \"禁止\", \"使能\""},
        {{"--config", "看门狗"}, "needs ITEM=VALUE"},
        {{"--chip", "VB27C12", "--config", "a=b"}, "--config"},
        {{"--os-test", "12"}, "the choices are: off, 8, 10, 14, 16, 18, 20, 24, 28, 32, 40, other"},
        {{"--os-test", "8:1"}, "bottom 4 socket rows"},
        {{"--os-test", "40:1,x"}, "\"x\" is not a pin number"},
    };
    for (const Case& c : cases) {
        ProcessResult run = Image(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.back();
        EXPECT_THAT(run.standardError, HasSubstr(c.says)) << c.arguments.back();
        EXPECT_TRUE(run.standardOutput.empty()) << c.arguments.back();
    }
}

TEST(CliOptions, ShowsEachRowWithItsCurrentValueAndChoices) {
    ProcessResult run = RunCli(BuiltSamples(), {"options", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    const json result = json::parse(run.standardOutput);
    EXPECT_EQ(result["chip"], "Q3L88");
    EXPECT_EQ(result["optionWordCount"], 3);
    EXPECT_EQ(result["optionBytes"], "FBFFC0");
    ASSERT_EQ(result["rows"].size(), 6u);
    EXPECT_EQ(result["rows"][0]["item"], "振荡器模式");
    EXPECT_EQ(result["rows"][0]["value"], "低频晶振");
    EXPECT_EQ(result["rows"][1]["value"], "禁止");
    EXPECT_EQ(result["rows"][0]["choices"].size(), 4u);
    EXPECT_EQ(result["rows"][0]["choices"][1]["name"], "内部RC");

    ProcessResult text = RunCli(BuiltSamples(), {"options", "--chip", "M8A10"});
    ASSERT_EQ(text.exitCode, 0) << text.standardError;
    EXPECT_THAT(text.standardOutput, HasSubstr("M8A10: 1 option word(s), current bytes F3\n"));
    EXPECT_THAT(text.standardOutput, HasSubstr("工作电压 = 5伏\n    choices: 5伏 | 3.3伏 | 宽电压\n"));
}

TEST(CliOptions, AChipWithoutOptionWordsHasNoRows) {
    TempDirectory directory;
    directory.Write("Device/E1.dev", "[General]\r\n[ROM]\r\nSize=8\r\n");
    ProcessResult run = RunCli(directory.path(), {"options"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_THAT(run.standardOutput,
                HasSubstr("E1: 0 option word(s), current bytes (none)\nno configuration items"));
}

TEST(CliDeviceCheck, GivesSectionAndKeyOfEachFindingAndFailsOnErrors) {
    TempDirectory directory;
    const auto bad = directory.Write(
        "BAD.dev",
        "[General]\r\n[ROM]\r\nSize=1\r\n[Option]\r\nOptWords=2\r\nOptStart=0\r\nOptAddr0=0\r\nOptItems0="
        "2\r\n"
        "OptAddr1=17\r\n"
        "[Option0_Item0]\r\nName=Reverse\r\nRevAddr=60\r\nBitStart=1\r\n"
        "[Option0_Item1]\r\nName=Mode\r\nItemType=1\r\nBitStart=0\r\nBitEnd=1\r\nItemCount=1,1\r\n"
        "Item0_Name=a,b\r\nItem0_Val=x\r\n");
    const auto good =
        directory.Write("GOOD.dev",
                        "[General]\r\n[Option]\r\nOptWords=1\r\nOptAddr0=0\r\nOptItems0=1\r\n"
                        "[Option0_Item0]\r\nName=Fixed\r\nItemCount=1\r\nItem0_Name=x\r\nItem0_Val=1\r\n");

    ProcessResult run = RunCli(directory.path(), {"device", "check", bad.string(), good.string()});
    EXPECT_EQ(run.exitCode, 1) << run.standardError;
    EXPECT_THAT(run.standardOutput, HasSubstr("BAD.dev: warning: [Option] OptAddr1: position 17"));
    EXPECT_THAT(run.standardOutput,
                HasSubstr("BAD.dev: error: [Option0_Item0] RevAddr: refers to word place 60"));
    EXPECT_THAT(run.standardOutput, HasSubstr("BAD.dev: warning: [Option0_Item1] Name: ItemType asks"));
    EXPECT_THAT(run.standardOutput, HasSubstr("[Option0_Item1] Item0_Val: a value without a decimal number"));
    EXPECT_THAT(run.standardOutput, HasSubstr("GOOD.dev: no findings"));

    ProcessResult warningsOnly = RunCli(directory.path(), {"device", "check", "--json", good.string()});
    EXPECT_EQ(warningsOnly.exitCode, 0);
    EXPECT_TRUE(json::parse(warningsOnly.standardOutput)["files"][0]["findings"].empty());

    ProcessResult asJson = RunCli(directory.path(), {"device", "check", "--json", bad.string()});
    EXPECT_EQ(asJson.exitCode, 1);
    const json finding = json::parse(asJson.standardOutput)["files"][0]["findings"][0];
    EXPECT_EQ(finding["severity"], "warning");
    EXPECT_EQ(finding["section"], "Option");
    EXPECT_EQ(finding["key"], "OptAddr1");
}

TEST(CliDeviceCheck, TheDemoDefinitionsHaveNoErrors) {
    std::vector<std::string> arguments = {"device", "check"};
    for (const auto& entry : std::filesystem::directory_iterator(BuiltSamples() / "Device"))
        arguments.push_back(entry.path().string());
    ProcessResult run = RunCli(BuiltSamples(), arguments);
    EXPECT_EQ(run.exitCode, 0) << run.standardOutput;
}

}  // namespace
}  // namespace tovrin::testing
