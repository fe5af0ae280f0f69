#pragma once

#include <QStringList>
#include <memory>

#include "platform/dialog/FileFilter.h"
#include "platform/dialog/PromptService.h"

class QFileDialog;
class QWidget;

namespace tovrin::dialog {

// Real message boxes and file dialogs, modal over the parent window.
class QtPrompts : public PromptService {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParentWindow(QWidget* parent) { parent_ = parent; }

    void Notify(std::string_view text, PromptIcon icon = PromptIcon::None) override;
    bool Ask(int kind, std::string_view text, PromptIcon icon = PromptIcon::None) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

enum class FileDialogMode { Open, Save };

// Qt's name filters for parsed filters: the description, then the patterns
// in Qt's form ("All Files (*.*) (*)"), for a dialog that hides the latter.
QStringList NameFiltersFor(const std::vector<FileFilter>& filters);

// The file dialog QtPrompts runs: Qt's own (not the desktop's), so that its
// filters match names without regard to case on every desktop.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            FileDialogMode mode);

}  // namespace tovrin::dialog
