#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog/FileFilter.h"

namespace tovrin::dialog {

inline constexpr std::string_view kDefaultApplicationTitle = "Tovrin";
// The caption of every Yes/No question.
inline constexpr std::string_view kQuestionCaption = "Velmora";

enum class PromptIcon { None, Information, Warning, Question };

// What an open or save file dialog shows. filter takes the
// "QVB Files (*.qvb)|*.qvb|All Files (*.*)|*.*||" form, filters the same as
// a list; the first entry is selected. defaultExtension may be given as "qvb" or "*.qvb"; an initial
// file name that is a pattern ("*.qvb") only selects nothing.
struct FileDialogRequest {
    std::string filter{};
    std::string defaultExtension{};
    std::string initialFileName{};
    std::filesystem::path directory{};  // empty: the current directory
    std::string title{};                // empty: the toolkit's own "Open" / "Save As"
    std::vector<FileFilter> filters{};  // when not empty, used instead of filter

    // The filters to offer, in order.
    std::vector<FileFilter> Filters() const { return filters.empty() ? ParseFileFilters(filter) : filters; }
};

// Message boxes and file dialogs, so that dialogs can be driven by a script
// in tests. Texts are UTF-8; "\r\n" line ends are shown as line breaks.
class PromptService {
public:
    virtual ~PromptService() = default;

    // An OK notice captioned with the application title.
    virtual void Notify(std::string_view text, PromptIcon icon = PromptIcon::None) = 0;
    // A Yes/No question captioned kQuestionCaption. kind is the caller's own
    // code for which question this is; true only for Yes.
    virtual bool Ask(int kind, std::string_view text, PromptIcon icon = PromptIcon::None) = 0;
    // The chosen file, or nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // Asks before replacing an existing file.
    virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) = 0;

    void SetApplicationTitle(std::string title) { applicationTitle_ = std::move(title); }
    const std::string& ApplicationTitle() const { return applicationTitle_; }

private:
    std::string applicationTitle_{kDefaultApplicationTitle};
};

}  // namespace tovrin::dialog
