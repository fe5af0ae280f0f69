#include "platform/dialog/QtPrompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <set>

#include "tests/support/TempDirectory.h"

using namespace tovrin::dialog;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

// Waits for the message box the prompt shows, notes it and presses a button.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        poll->stop();
        poll->deleteLater();
        seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
        box->button(answer)->click();
    });
    poll->start(10);
}

// The names the file dialog lists under its current filter.
std::set<QString> ListedNames(QFileDialog& dialog) {
    std::set<QString> names;
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (view == nullptr || view->model() == nullptr) return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        const QModelIndex index = view->model()->index(row, 0, root);
        if (index.flags() & Qt::ItemIsEnabled) names.insert(index.data().toString());
    }
    return names;
}

}  // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT
private slots:
    void questionsAreRealYesNoBoxesCaptionedVelmora();
    void noticesAreOkBoxesCaptionedWithTheApplicationTitle();
    void fileFiltersShowAsGivenAndIgnoreCase();
    void saveDialogsAddTheDefaultExtension();
};

void QtPromptsTest::questionsAreRealYesNoBoxesCaptionedVelmora() {
    QtPrompts prompts;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Yes);
    QVERIFY(prompts.Ask(1, "文件改变，是否覆盖源文件? ", PromptIcon::Warning));
    QCOMPARE(seen.caption, QStringLiteral("Velmora"));
    QCOMPARE(seen.text, QStringLiteral("文件改变，是否覆盖源文件? "));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttonCount, 2);

    AnswerNextBox(seen, QMessageBox::No);
    QVERIFY(!prompts.Ask(2, "?"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
}

void QtPromptsTest::noticesAreOkBoxesCaptionedWithTheApplicationTitle() {
    QtPrompts prompts;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompts.Notify("\r\n  文件未打开！\r\n\r\n QVB文件格式错误！");
    QCOMPARE(seen.caption, QStringLiteral("Tovrin"));
    QCOMPARE(seen.text, QStringLiteral("\n  文件未打开！\n\n QVB文件格式错误！"));
    QCOMPARE(seen.buttonCount, 1);

    prompts.SetApplicationTitle("tovrin-dev");
    AnswerNextBox(seen, QMessageBox::Ok);
    prompts.Notify("x", PromptIcon::Warning);
    QCOMPARE(seen.caption, QStringLiteral("tovrin-dev"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
}

void QtPromptsTest::fileFiltersShowAsGivenAndIgnoreCase() {
    tovrin::testing::TempDirectory folder;
    for (const char* name : {"DEMO.QVB", "demo.qvb", "Mixed.Qvb", "other.HEX", "README"})
        folder.Write(name, "x");
    const FileDialogRequest request{
        .filter = "QVB Files (*.qvb)|*.qvb|Hex Files (*.hex)|*.hex|All Files (*.*)|*.*||",
        .defaultExtension = "*.qvb",
        .initialFileName = "*.qvb",
        .directory = folder.path()};
    const auto dialog = MakeFileDialog(nullptr, request, FileDialogMode::Open);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types != nullptr);
    QCOMPARE(types->count(), 3);
    QCOMPARE(types->itemText(0), QStringLiteral("QVB Files (*.qvb)"));
    QCOMPARE(types->itemText(2), QStringLiteral("All Files (*.*)"));

    using Names = std::set<QString>;
    QTRY_COMPARE(ListedNames(*dialog), (Names{"DEMO.QVB", "demo.qvb", "Mixed.Qvb"}));
    dialog->selectNameFilter(dialog->nameFilters().at(1));
    QTRY_COMPARE(ListedNames(*dialog), (Names{"other.HEX"}));
    dialog->selectNameFilter(dialog->nameFilters().at(2));
    QTRY_COMPARE(ListedNames(*dialog), (Names{"DEMO.QVB", "demo.qvb", "Mixed.Qvb", "other.HEX", "README"}));
}

void QtPromptsTest::saveDialogsAddTheDefaultExtension() {
    const FileDialogRequest request{.filter = "QVB Files (*.qvb)|*.qvb|All Files (*.*)|*.*||",
                                    .defaultExtension = "*.qvb",
                                    .initialFileName = "*.qvb"};
    const auto dialog = MakeFileDialog(nullptr, request, FileDialogMode::Save);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("qvb"));
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));

    FileDialogRequest listed;
    listed.filters = {{"Project files", {"*.qvb", "*.hex"}}};
    const auto fromList = MakeFileDialog(nullptr, listed, FileDialogMode::Open);
    QCOMPARE(fromList->nameFilters(), QStringList{QStringLiteral("Project files (*.qvb *.hex)")});
}

QTEST_MAIN(QtPromptsTest)
#include "QtPromptsTest.moc"
