#include "platform/dialog/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace tovrin::dialog {
namespace {

enum Question { kOverwriteSource = 1, kSkipPinTest = 2 };

TEST(ScriptedPrompts, AnswersInOrderAndRecordsWhatWasAsked) {
    ScriptedPrompts prompts;
    prompts.QueueAnswer(true);
    prompts.QueueAnswer(false);
    prompts.QueueFile(std::filesystem::path("/tmp/DEMO.HEX"));
    prompts.QueueFile(std::nullopt);

    EXPECT_TRUE(prompts.Ask(kSkipPinTest, "是否继续下载? ", PromptIcon::Warning));
    prompts.Notify("\r\n文件打开成功!");
    EXPECT_FALSE(prompts.Ask(kOverwriteSource, "文件改变，是否覆盖源文件? "));
    const FileDialogRequest request{
        .filter = "QVB Files (*.qvb)|*.qvb||", .defaultExtension = "*.qvb", .initialFileName = "*.qvb"};
    EXPECT_EQ(prompts.ChooseFileToOpen(request), std::filesystem::path("/tmp/DEMO.HEX"));
    EXPECT_EQ(prompts.ChooseFileToSave(request), std::nullopt);
    EXPECT_TRUE(prompts.ScriptUsedUp());

    const auto& asked = prompts.Asked();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].type, AskedPrompt::Type::Question);
    EXPECT_EQ(asked[0].kind, kSkipPinTest);
    EXPECT_EQ(asked[0].caption, "Velmora");
    EXPECT_EQ(asked[0].icon, PromptIcon::Warning);
    EXPECT_EQ(asked[1].type, AskedPrompt::Type::Notice);
    EXPECT_EQ(asked[1].caption, "Tovrin");
    EXPECT_EQ(asked[1].text, "\r\n文件打开成功!");
    EXPECT_EQ(asked[2].kind, kOverwriteSource);
    EXPECT_EQ(asked[3].type, AskedPrompt::Type::OpenFile);
    EXPECT_EQ(asked[3].file.filter, request.filter);
    EXPECT_EQ(asked[4].type, AskedPrompt::Type::SaveFile);
}

TEST(ScriptedPrompts, AnUnscriptedPromptIsRefusedAndShows) {
    ScriptedPrompts prompts;
    prompts.SetApplicationTitle("Other");
    prompts.Notify("notice");
    EXPECT_TRUE(prompts.ScriptUsedUp());  // notices need no answer
    EXPECT_EQ(prompts.Asked().back().caption, "Other");

    EXPECT_FALSE(prompts.Ask(kOverwriteSource, "?"));
    EXPECT_FALSE(prompts.ChooseFileToOpen({}).has_value());
    EXPECT_FALSE(prompts.Asked().back().answered);
    EXPECT_FALSE(prompts.ScriptUsedUp());

    ScriptedPrompts unused;
    unused.QueueAnswer(true);
    EXPECT_FALSE(unused.ScriptUsedUp());
}

}  // namespace
}  // namespace tovrin::dialog
