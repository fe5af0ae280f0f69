#include "platform/dialog/ScriptedPrompts.h"

namespace tovrin::dialog {

void ScriptedPrompts::Notify(std::string_view text, PromptIcon icon) {
    asked_.push_back({AskedPrompt::Type::Notice, 0, ApplicationTitle(), std::string(text), icon, {}, true});
}

bool ScriptedPrompts::Ask(int kind, std::string_view text, PromptIcon icon) {
    AskedPrompt prompt{AskedPrompt::Type::Question,
                       kind,
                       std::string(kQuestionCaption),
                       std::string(text),
                       icon,
                       {},
                       !answers_.empty()};
    asked_.push_back(std::move(prompt));
    if (answers_.empty()) return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseFileToOpen(const FileDialogRequest& request) {
    return NextFile(AskedPrompt::Type::OpenFile, request);
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseFileToSave(const FileDialogRequest& request) {
    return NextFile(AskedPrompt::Type::SaveFile, request);
}

std::optional<std::filesystem::path> ScriptedPrompts::NextFile(AskedPrompt::Type type,
                                                               const FileDialogRequest& request) {
    asked_.push_back({type, 0, request.title, {}, PromptIcon::None, request, !files_.empty()});
    if (files_.empty()) return std::nullopt;
    std::optional<std::filesystem::path> file = std::move(files_.front());
    files_.pop_front();
    return file;
}

bool ScriptedPrompts::ScriptUsedUp() const {
    if (!answers_.empty() || !files_.empty()) return false;
    for (const AskedPrompt& prompt : asked_) {
        if (!prompt.answered) return false;
    }
    return true;
}

}  // namespace tovrin::dialog
