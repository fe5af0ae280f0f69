#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "burner/BurnerCommands.h"
#include "image/Workbench.h"
#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/TextConversion.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/CAboutDlg.h"
#include "ui/CProgress.h"

using tovrin::dialog::AskedPrompt;
using tovrin::image::Question;
using tovrin::testing::Devices;
using tovrin::testing::MainWindowHarness;
using tovrin::ui::CVerantDlg;

namespace {

QString Text(const CVerantDlg& window, int id) {
    return tovrin::dialog::WithLineFeeds(window.ControlText(id));
}

int IndexOfChip(CVerantDlg& window, const QString& name) {
    return window.Combo(1029)->findText(name);
}

// Picks a chip as the user does, with the keyboard on the closed list.
void ChooseChip(CVerantDlg& window, const QString& name) {
    QComboBox* list = window.Combo(1029);
    const int target = IndexOfChip(window, name);
    QVERIFY(target >= 0);
    while (list->currentIndex() != target)
        QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

void SelectFile(MainWindowHarness& harness, std::optional<std::filesystem::path> file) {
    harness.prompts.QueueFile(std::move(file));
    QTest::mouseClick(harness.window->Button(1002), Qt::LeftButton);
}

std::vector<Question> QuestionsAsked(const MainWindowHarness& harness) {
    std::vector<Question> kinds;
    for (const AskedPrompt& prompt : harness.prompts.Asked())
        if (prompt.type == AskedPrompt::Type::Question) kinds.push_back(static_cast<Question>(prompt.kind));
    return kinds;
}

std::vector<std::string> NoticesShown(const MainWindowHarness& harness) {
    std::vector<std::string> notices;
    for (const AskedPrompt& prompt : harness.prompts.Asked())
        if (prompt.type == AskedPrompt::Type::Notice) notices.push_back(prompt.text);
    return notices;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithoutDefinitionFiles() {
        MainWindowHarness harness(Devices::None, false);
        harness.dir.Write("Version.TXT",
                          std::string("Tovrin \xD1\xDD\xCA\xBE\r\nline two\r\nline three\r\n"));
        CVerantDlg& window = harness.Start();
        QCOMPARE(window.windowTitle(), QStringLiteral("Tovrin 演示"));
        QCOMPARE(window.ComboCount(1029), 0);
        QCOMPARE(window.ComboSelection(1029), -1);
        QCOMPARE(window.Workbench().ProgrammingImage().size(), std::size_t{2128});
        QVERIFY(!window.IsControlEnabled(1));
        QVERIFY(!window.IsControlEnabled(3));
        QCOMPARE(window.ComboCount(1009), 0);
        QCOMPARE(Text(window, 1005), QString());
        QVERIFY(harness.prompts.Asked().empty());
        QVERIFY(window.ProbeTimer().isActive());
        QCOMPARE(window.ProbeTimer().interval(), 1000);
    }

    void startsOnTheRememberedChipAndIdentifiesTheBurner() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        QCOMPARE(window.Combo(1029)->currentText(), QStringLiteral("Q3L88"));
        QCOMPARE(window.ComboCount(1009), 1);
        QVERIFY(Text(window, 1005).contains(QStringLiteral("The Connected Burner ID :")));
        QVERIFY(window.IsControlEnabled(3));
        QVERIFY(!window.IsControlEnabled(1));  // no source yet
        QCOMPARE(Text(window, 1000), QStringLiteral("Please select qvb file / hex file "));
        QCOMPARE(window.Progress()->windowTitle(), QStringLiteral("Progress"));
        QVERIFY(!window.Progress()->isVisible());
    }

    void chipChangeRecordsTheChipAndReloadsAHexSourceSilently() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        QCOMPARE(NoticesShown(harness).size(), std::size_t{1});
        QVERIFY(window.IsControlEnabled(1));
        harness.prompts.ClearAsked();

        ChooseChip(window, QStringLiteral("K16S20"));
        QCOMPARE(harness.ReadProgramFile("LastSelChip.TXT"), std::string("K16S20"));
        QVERIFY(harness.prompts.Asked().empty());
        const auto* definition = window.Workbench().Catalogue().Find("K16S20");
        QVERIFY(definition);
        QCOMPARE(window.Workbench().SelectedChipName(), std::string("K16S20"));
        QCOMPARE(window.Workbench().ProgrammingImage().size(),
                 std::size_t{window.Workbench().ImageByteCount()});
        QVERIFY(window.Workbench().SourceIsHex());
        // Only Q3L88 offers three and four addresses.
        QVERIFY(!window.IsControlEnabled(1015));
        QVERIFY(!window.IsControlEnabled(1012));
    }

    void aBadFileAfterAGoodOneKeepsTheDownloadButton() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        QVERIFY(window.IsControlEnabled(1));
        harness.prompts.ClearAsked();

        const auto bad = harness.dir.Write("BROKEN.QVB", std::string("not a project file"));
        SelectFile(harness, bad);
        QVERIFY(Text(window, 1005).endsWith(QStringLiteral("\n文件未打开！\n\n QVB文件格式错误！\n")));
        QCOMPARE(NoticesShown(harness),
                 std::vector<std::string>{"\r\n  文件未打开！\r\n\r\n QVB文件格式错误！"});
        QVERIFY(window.IsControlEnabled(1));
        QVERIFY(window.Workbench().SourceLoaded());
    }

    void aCancelledFileDialogChangesNothing() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        const QString report = Text(window, 1005);
        SelectFile(harness, std::nullopt);
        QCOMPARE(Text(window, 1005), report);
        QCOMPARE(harness.prompts.Asked().size(), std::size_t{1});  // the file dialog only
        QVERIFY(!window.IsControlEnabled(1));
        QCOMPARE(Text(window, 1000), QStringLiteral("Please select qvb file / hex file "));
    }

    void theCloseBoxRecordsTheChipButEscapeDoesNot() {
        for (const bool closeBox : {true, false}) {
            MainWindowHarness harness;
            CVerantDlg& window = harness.Start();
            window.show();
            harness.dir.Write("LastSelChip.TXT", std::string("before"));
            if (closeBox)
                window.close();
            else
                QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(!window.isVisible());
            QCOMPARE(harness.ReadProgramFile("LastSelChip.TXT"), std::string(closeBox ? "Q3L88" : "before"));
        }
    }

    void theBurnerComesAndGoes() {
        MainWindowHarness harness(Devices::Samples, false);
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        QVERIFY(!window.IsControlEnabled(1));
        QVERIFY(!window.IsControlEnabled(3));
        QCOMPARE(window.ComboCount(1009), 0);

        harness.transport.plugged = true;
        window.Link().OnTimer(1);
        QCOMPARE(window.ComboCount(1009), 1);
        QVERIFY(window.IsControlEnabled(1));
        QVERIFY(window.IsControlEnabled(3));
        window.Link().OnTimer(1);
        QCOMPARE(window.ComboCount(1009), 1);

        harness.transport.plugged = false;
        window.Link().OnTimer(1);
        QCOMPARE(window.ComboCount(1009), 0);
        QVERIFY(!window.IsControlEnabled(1));
        QVERIFY(!window.IsControlEnabled(3));
        QVERIFY(Text(window, 1005).endsWith(QStringLiteral("No Burner Connected!\n")));
        QVERIFY(window.IsControlEnabled(1024));
        QVERIFY(window.IsControlEnabled(1034));
    }

    void aWholeDownloadThroughTheWindow() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        window.show();
        SelectFile(harness, harness.Sample("demo.hex"));
        harness.prompts.ClearAsked();
        if (window.IsControlEnabled(1028) && !window.IsChecked(1028))
            QTest::mouseClick(window.Button(1028), Qt::LeftButton);
        const bool testAndProgram = window.IsChecked(1028) && window.IsChecked(1026);

        QSignalSpy captions(window.Progress(), &QWidget::windowTitleChanged);
        harness.prompts.QueueAnswer(true);   // open/short warning, where asked
        harness.prompts.QueueAnswer(true);   // FT+PROGRAM
        harness.prompts.QueueAnswer(false);  // do not overwrite demo.hex's project file
        if (!testAndProgram) harness.prompts.QueueAnswer(false);
        QTest::mouseClick(window.Button(1), Qt::LeftButton);

        const std::vector<Question> asked = QuestionsAsked(harness);
        QVERIFY(!asked.empty());
        QCOMPARE(asked.back(), Question::OverwriteSource);
        if (testAndProgram) QCOMPARE(asked[asked.size() - 2], Question::FtProgramConfirm);
        if (asked.size() == 3) QCOMPARE(asked.front(), Question::OpenShortWarning);

        const int imagePackets =
            static_cast<int>((window.Workbench().ImageByteCount() + tovrin::image::kTransferBlockBytes - 1) /
                             tovrin::image::kTransferBlockBytes);
        QCOMPARE(captions.size(), imagePackets);
        for (int i = 0; i < imagePackets; ++i)
            QCOMPARE(captions[i].at(0).toString(), QString::asprintf("Progress :  %d / %d", i, imagePackets));
        QVERIFY(!window.Progress()->isVisible());
        QVERIFY(Text(window, 1005).endsWith(QStringLiteral("\n下载成功!\n")));
        QCOMPARE(harness.firmware.HeldImage(), window.Workbench().ProgrammingImage());
        QVERIFY(window.IsControlEnabled(1));
        QVERIFY(window.IsControlEnabled(1034));
        QVERIFY(!window.Link().DownloadActive());
        QVERIFY(window.ProbeTimer().isActive());
    }

    void declinedConfirmationSendsNothing() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        if (!window.IsChecked(1028) && window.IsControlEnabled(1028))
            QTest::mouseClick(window.Button(1028), Qt::LeftButton);
        if (!window.IsChecked(1028)) QSKIP("the demo chip's pattern does not allow the test");
        harness.prompts.ClearAsked();
        for (int i = 0; i < 3; ++i) harness.prompts.QueueAnswer(false);
        const auto requests = harness.firmware.RequestsReceived();
        QTest::keyClick(&window, Qt::Key_Return);  // Enter is button 1's command
        QCOMPARE(QuestionsAsked(harness).size(), std::size_t{1});
        QCOMPARE(harness.firmware.RequestsReceived(), requests);
        QVERIFY(window.IsControlEnabled(1));
        QVERIFY(window.IsControlEnabled(1024));
    }

    void enterIsIgnoredWhileTheDownloadButtonIsDisabled() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        window.show();
        QVERIFY(!window.IsControlEnabled(1));
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QVERIFY(harness.prompts.Asked().empty());
    }

    void rollingCodeEnableAndAddressCount() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        QCOMPARE(window.Workbench().SelectedChipName(), std::string("Q3L88"));
        QVERIFY(window.IsChecked(1034));

        QTest::mouseClick(window.Button(1015), Qt::LeftButton);  // three addresses
        QVERIFY(window.IsChecked(1015));
        QVERIFY(!window.IsChecked(1031));
        QVERIFY(window.IsControlEnabled(1036));
        QVERIFY(!window.IsControlEnabled(1037));
        tovrin::dialog::CHexEdit* third = window.HexEdit(1036);
        QTest::mouseClick(third, Qt::LeftButton);
        QTest::keyClicks(third, QStringLiteral("1234"));
        QCOMPARE(third->text(), QStringLiteral("1234"));

        QTest::mouseClick(window.Button(1031), Qt::LeftButton);  // one address
        for (int edit : {1035, 1036, 1037}) {
            QCOMPARE(window.ControlText(edit), QStringLiteral("0000"));
            QVERIFY2(!window.IsControlEnabled(edit), qPrintable(QString::number(edit)));
        }
        QVERIFY(window.IsControlEnabled(1041));

        QTest::mouseClick(window.Button(1034), Qt::LeftButton);  // rolling code off
        for (int id : {1041, 1035, 1036, 1037, 1040, 1039, 1031, 1016, 1015, 1012})
            QVERIFY2(!window.IsControlEnabled(id), qPrintable(QString::number(id)));
        const QString initial = window.ControlText(1040);
        QCOMPARE(initial.size(), 8);
        QTest::mouseClick(window.Button(1034), Qt::LeftButton);  // on again
        QVERIFY(window.IsControlEnabled(1041));
        QVERIFY(window.IsControlEnabled(1015));
        QCOMPARE(window.ControlText(1040), initial);
    }

    void hexEditsKeepTheirDigitCount() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        SelectFile(harness, harness.Sample("demo.hex"));
        tovrin::dialog::CHexEdit* first = window.HexEdit(1041);
        QVERIFY(first->isEnabled());
        QTest::mouseClick(first, Qt::LeftButton);
        QTest::keyClicks(first, QStringLiteral("ab"));
        QTest::keyClick(first, Qt::Key_Backspace);
        QTest::keyClick(first, Qt::Key_Delete);
        QTest::keyClicks(first, QStringLiteral("xyz"));
        QCOMPARE(first->text().size(), 4);
        QVERIFY(first->text().startsWith(QStringLiteral("AB")));
        QCOMPARE(window.HexEdit(1040)->text().size(), 8);
        QCOMPARE(window.HexEdit(1039)->text().size(), 8);
    }

    void theContextMenuOpensTheAboutBox() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        const QList<QAction*> actions = window.SystemMenu()->actions();
        QCOMPARE(actions.size(), 2);
        QVERIFY(actions[0]->isSeparator());
        QCOMPARE(actions[1]->text(), QStringLiteral("&About Verant..."));

        QString aboutText;
        QTimer::singleShot(0, [&aboutText] {
            auto* about = qobject_cast<tovrin::ui::CAboutDlg*>(QApplication::activeModalWidget());
            if (!about) return;
            aboutText = about->windowTitle();
            QTest::keyClick(about, Qt::Key_Escape);
        });
        actions[1]->trigger();
        QCOMPARE(aboutText, QStringLiteral("关于..."));
    }

    void optionBytesComeBackThroughTheSynchronousCall() {
        MainWindowHarness harness;
        CVerantDlg& window = harness.Start();
        window.Workbench().BuildHeader();
        std::vector<uint8_t> buffer = window.Workbench().OptionByteBuffer();
        QCOMPARE(buffer.size(), std::size_t{32});
        buffer[0] ^= 0xFF;
        QCOMPARE(window.ReceiveOptionBytes(buffer), 0);
        QCOMPARE(window.Workbench().WorkingHeader()[48], buffer[0]);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
