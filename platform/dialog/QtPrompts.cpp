#include "platform/dialog/QtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/dialog/TextConversion.h"

namespace tovrin::dialog {
namespace {

QMessageBox::Icon IconFor(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString DefaultSuffixOf(std::string_view extension) {
    while (!extension.empty() && (extension.front() == '*' || extension.front() == '.'))
        extension.remove_prefix(1);
    return FromUtf8(extension);
}

std::optional<std::filesystem::path> RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return ToPath(files.first());
}

}  // namespace

void QtPrompts::Notify(std::string_view text, PromptIcon icon) {
    QMessageBox box(IconFor(icon), FromUtf8(ApplicationTitle()), WithLineFeeds(FromUtf8(text)),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPrompts::Ask(int, std::string_view text, PromptIcon icon) {
    QMessageBox box(IconFor(icon), FromUtf8(kQuestionCaption), WithLineFeeds(FromUtf8(text)),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> QtPrompts::ChooseFileToOpen(const FileDialogRequest& request) {
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent_, request, FileDialogMode::Open);
    return RunFileDialog(*dialog);
}

std::optional<std::filesystem::path> QtPrompts::ChooseFileToSave(const FileDialogRequest& request) {
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent_, request, FileDialogMode::Save);
    return RunFileDialog(*dialog);
}

QStringList NameFiltersFor(const std::vector<FileFilter>& filters) {
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            // Qt's "*" is what "*.*" means in these filters: every name.
            patterns << (pattern == "*.*" ? QStringLiteral("*") : FromUtf8(pattern));
        }
        // Qt reads the patterns from the last parenthesised group, which
        // HideNameFilterDetails keeps out of sight: the user sees the
        // description as given.
        nameFilters << FromUtf8(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return nameFilters;
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            FileDialogMode mode) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    if (mode == FileDialogMode::Open) {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    }
    if (!request.title.empty()) dialog->setWindowTitle(FromUtf8(request.title));
    const QStringList nameFilters = NameFiltersFor(request.Filters());
    if (!nameFilters.isEmpty()) dialog->setNameFilters(nameFilters);
    // DEMO.QVB and demo.qvb both belong under "*.qvb".
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    const QString suffix = DefaultSuffixOf(request.defaultExtension);
    if (!suffix.isEmpty()) dialog->setDefaultSuffix(suffix);
    if (!request.directory.empty()) dialog->setDirectory(FromPath(request.directory));
    const QString initial = FromUtf8(request.initialFileName);
    if (!initial.isEmpty() && !initial.contains(QLatin1Char('*')) && !initial.contains(QLatin1Char('?'))) {
        dialog->selectFile(initial);
    }
    return dialog;
}

}  // namespace tovrin::dialog
