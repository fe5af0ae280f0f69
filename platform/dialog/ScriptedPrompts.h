#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog/PromptService.h"

namespace tovrin::dialog {

// A prompt as it was put to the user.
struct AskedPrompt {
    enum class Type { Notice, Question, OpenFile, SaveFile };
    Type type = Type::Notice;
    int kind = 0;  // questions only
    std::string caption{};
    std::string text{};  // notices and questions
    PromptIcon icon = PromptIcon::None;
    FileDialogRequest file{};  // file dialogs only
    bool answered = true;      // false when the script had no answer left
};

// Answers from a script and records every prompt in order. A question or a
// file dialog without a queued answer is recorded as unanswered and gets No
// or Cancel.
class ScriptedPrompts : public PromptService {
public:
    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    void QueueFile(std::optional<std::filesystem::path> file) { files_.push_back(std::move(file)); }

    void Notify(std::string_view text, PromptIcon icon = PromptIcon::None) override;
    bool Ask(int kind, std::string_view text, PromptIcon icon = PromptIcon::None) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override;

    const std::vector<AskedPrompt>& Asked() const { return asked_; }
    void ClearAsked() { asked_.clear(); }
    // Whether every queued answer was used and no prompt went unanswered.
    bool ScriptUsedUp() const;

private:
    std::optional<std::filesystem::path> NextFile(AskedPrompt::Type type, const FileDialogRequest& request);

    std::deque<bool> answers_;
    std::deque<std::optional<std::filesystem::path>> files_;
    std::vector<AskedPrompt> asked_;
};

}  // namespace tovrin::dialog
