#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/ControlState.h"
#include "platform/dialog/Dialog.h"
#include "tests/dialog/SampleTemplates.h"

using namespace tovrin::dialog;
using namespace tovrin::dialog::testing;

namespace {

// Counts the OK and cancel commands instead of ending, as dialogs do that
// give these commands a meaning of their own (download, save as).
class CommandCountingDialog : public Dialog {
public:
    using Dialog::Dialog;
    int okCommands = 0;
    int cancelCommands = 0;
    void accept() override { ++okCommands; }
    void reject() override { ++cancelCommands; }
};

}  // namespace

class DialogControlsTest : public QObject {
    Q_OBJECT
private slots:
    void comboEntriesByPosition();
    void comboPrefixSearchOnWidgetTexts();
    void radioButtonsExcludeEachOtherWithinTheirGroup();
    void controlStatesApplyInOneCall();
    void windowsLineEndsShowAsLineBreaks();
    void enterIsTheOkCommandUnlessOkIsDisabled();
    void escapeCloseBoxAndCancelButtonAreTheCancelCommand();
    void modalRunEndsWithTheResultOfDone();
    void aPageLeavesItsKeysToTheDialogHoldingIt();
    void controlsAddedAtPixelsAreFoundById();
    void progressAndUnknownIds();
};

void DialogControlsTest::comboEntriesByPosition() {
    Dialog dialog(kSampleTemplate);
    QCOMPARE(dialog.ComboInsert(1009, 0, "V2"), 0);
    QCOMPARE(dialog.ComboInsert(1009, 0, "V1"), 0);
    QCOMPARE(dialog.ComboInsert(1009, -1, "V3"), 2);
    QCOMPARE(dialog.ComboAdd(1009, "V0"), 3);  // not sorted: at the end
    QCOMPARE(dialog.ComboCount(1009), 4);
    QCOMPARE(dialog.ComboEntryText(1009, 1), QStringLiteral("V2"));
    QVERIFY(dialog.ComboDelete(1009, 0));
    QVERIFY(!dialog.ComboDelete(1009, 7));
    QCOMPARE(dialog.ComboEntryText(1009, 0), QStringLiteral("V2"));

    dialog.SetComboSelection(1009, 1);
    QCOMPARE(dialog.ComboSelection(1009), 1);
    QCOMPARE(dialog.ControlText(1009), QStringLiteral("V3"));
    dialog.SetComboSelection(1009, -1);
    QCOMPARE(dialog.ComboSelection(1009), -1);
    dialog.SetComboEntryData(1009, 2, 0x3FFF);
    QCOMPARE(dialog.ComboEntryData(1009, 2), qint64{0x3FFF});
    dialog.ComboReset(1009);
    QCOMPARE(dialog.ComboCount(1009), 0);
    QCOMPARE(dialog.ControlText(1009), QString());

    // 1029 carries the sort style: added entries go in order, inserted ones where asked.
    dialog.ComboAdd(1029, "Q3L88");
    dialog.ComboAdd(1029, "a100");
    QCOMPARE(dialog.ComboAdd(1029, "B7"), 1);
    QCOMPARE(dialog.ComboInsert(1029, 0, "ZZ"), 0);
    QCOMPARE(dialog.ComboEntryText(1029, 3), QStringLiteral("Q3L88"));
}

void DialogControlsTest::comboPrefixSearchOnWidgetTexts() {
    Dialog dialog(kSampleTemplate);
    for (const char* name : {"AB", "ABC", "芯片q3", "Q3L88"}) dialog.ComboInsert(1029, -1, name);
    QCOMPARE(dialog.ComboFindPrefix(1029, 0, "ab"), 1);
    QCOMPARE(dialog.ComboFindPrefix(1029, 1, "AB"), 0);
    QCOMPARE(dialog.ComboFindPrefix(1029, -1, QStringLiteral("芯片Q")), 2);
    QCOMPARE(dialog.ComboFindPrefix(1029, 0, "X"), -1);
}

void DialogControlsTest::radioButtonsExcludeEachOtherWithinTheirGroup() {
    Dialog dialog(kSampleTemplate);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.RadioGroupIndex(1031), -1);

    dialog.SetRadioGroupIndex(1031, 0);
    dialog.SetChecked(1103, true);
    QTest::mouseClick(dialog.Button(1016), Qt::LeftButton);
    QVERIFY(dialog.IsChecked(1016));
    QVERIFY(!dialog.IsChecked(1031));
    QVERIFY(dialog.IsChecked(1103));  // another group
    // Indexed in template order: 1031, 1016, 1015, 1012.
    QCOMPARE(dialog.RadioGroupIndex(1012), 1);

    QTest::mouseClick(dialog.Button(1016), Qt::LeftButton);
    QVERIFY(dialog.IsChecked(1016));  // a click never unchecks

    dialog.SetRadioGroupIndex(1015, 3);
    QVERIFY(dialog.IsChecked(1012));
    QCOMPARE(dialog.RadioGroupIndex(1031), 3);
    dialog.SetChecked(1012, false);
    QCOMPARE(dialog.RadioGroupIndex(1031), -1);
    dialog.SetRadioGroupIndex(1104, 1);
    QVERIFY(!dialog.IsChecked(1103));
    dialog.SetRadioGroupIndex(1104, -1);
    QCOMPARE(dialog.RadioGroupIndex(1103), -1);
}

void DialogControlsTest::controlStatesApplyInOneCall() {
    Dialog dialog(kSampleTemplate);
    dialog.SetControlText(1035, "1234");
    const ControlState states[] = {
        {1041, true, false, std::nullopt, std::nullopt},
        {1035, false, true, std::string("0000"), std::nullopt},
        {1034, false, false, std::nullopt, true},
        {1016, true, false, std::nullopt, true},
        {1000, true, false, std::string("C:/A.HEX"), std::nullopt},
    };
    dialog.ApplyControlStates(states);
    QVERIFY(dialog.IsControlEnabled(1041));
    QVERIFY(!dialog.IsControlReadOnly(1041));
    QVERIFY(!dialog.IsControlEnabled(1035));
    QVERIFY(dialog.IsControlReadOnly(1035));
    QCOMPARE(dialog.ControlText(1035), QStringLiteral("0000"));
    QVERIFY(!dialog.IsControlEnabled(1034));
    QVERIFY(dialog.IsChecked(1034));
    QCOMPARE(dialog.RadioGroupIndex(1031), 1);
    QVERIFY(!dialog.IsControlReadOnly(1000));
    QCOMPARE(dialog.ControlText(1000), QStringLiteral("C:/A.HEX"));
}

void DialogControlsTest::windowsLineEndsShowAsLineBreaks() {
    Dialog dialog(kSampleTemplate);
    dialog.SetControlText(1005, QStringLiteral("\r\n2026-12-11 16:00:00 \r\n\r\n下载成功!\r\n"));
    QCOMPARE(dialog.ControlText(1005), QStringLiteral("\n2026-12-11 16:00:00 \n\n下载成功!\n"));
    dialog.SetControlText(1050, QStringLiteral("a\r\nb"));
    QCOMPARE(dialog.ControlText(1050), QStringLiteral("a\nb"));
}

void DialogControlsTest::enterIsTheOkCommandUnlessOkIsDisabled() {
    CommandCountingDialog dialog(kSampleTemplate);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Control(1000)->setFocus();
    QTest::keyClick(dialog.Control(1000), Qt::Key_Return);
    QCOMPARE(dialog.okCommands, 0);  // button 1 is disabled

    dialog.EnableControl(1, true);
    QTest::keyClick(dialog.Control(1000), Qt::Key_Return);
    QTest::keyClick(dialog.Control(1000), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(dialog.okCommands, 2);
    QTest::mouseClick(dialog.Button(1), Qt::LeftButton);
    QCOMPARE(dialog.okCommands, 3);
    QVERIFY(dialog.isVisible());
    // A focused push button takes Enter itself.
    QSignalSpy selectFile(dialog.PushButton(1002), &QPushButton::clicked);
    dialog.Control(1002)->setFocus();
    QTest::keyClick(dialog.Control(1002), Qt::Key_Return);
    QCOMPARE(selectFile.count(), 1);
    QCOMPARE(dialog.okCommands, 3);

    // With a default button, Enter presses it.
    Dialog about(kOkCancelTemplate);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    about.Control(1100)->setFocus();
    QTest::keyClick(about.Control(1100), Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void DialogControlsTest::escapeCloseBoxAndCancelButtonAreTheCancelCommand() {
    CommandCountingDialog dialog(kOkCancelTemplate);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::mouseClick(dialog.Button(kCancelId), Qt::LeftButton);
    dialog.close();
    QCOMPARE(dialog.cancelCommands, 3);
    QVERIFY(dialog.isVisible());  // this dialog's cancel command does not end it

    Dialog plain(kOkCancelTemplate);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QTest::keyClick(&plain, Qt::Key_Escape);
    QVERIFY(!plain.isVisible());
    QCOMPARE(plain.result(), int(QDialog::Rejected));
}

void DialogControlsTest::modalRunEndsWithTheResultOfDone() {
    Dialog dialog(kOkCancelTemplate);
    QTimer::singleShot(0, &dialog, [&dialog] {
        QVERIFY(dialog.IsInitialized());
        dialog.done(7);
    });
    QCOMPARE(dialog.exec(), 7);

    Dialog ok(kOkCancelTemplate);
    QTimer::singleShot(0, &ok, [&ok] { QTest::mouseClick(ok.Button(kOkId), Qt::LeftButton); });
    QCOMPARE(ok.exec(), int(QDialog::Accepted));
}

void DialogControlsTest::aPageLeavesItsKeysToTheDialogHoldingIt() {
    CommandCountingDialog outer(kTabbedTemplate);
    auto* page = new Dialog(kPageTemplate);
    outer.Tabs(1000)->addTab(page, QStringLiteral("Device"));
    page->Initialize();
    outer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&outer));
    QVERIFY(!page->isWindow());
    QVERIFY(page->isVisible());
    page->ComboAdd(1003, "Q3L88");

    page->Control(1003)->setFocus();
    QTest::keyClick(page->Control(1003), Qt::Key_Escape);
    QCOMPARE(outer.cancelCommands, 1);
    QVERIFY(page->isVisible());
    QTest::keyClick(page->Control(1003), Qt::Key_Return);
    QCOMPARE(outer.okCommands, 1);  // through the default button OK
}

void DialogControlsTest::controlsAddedAtPixelsAreFoundById() {
    Dialog dialog(kOkCancelTemplate);
    for (int row = 0; row < 2; ++row) {
        dialog.AddControl({2101 + row, ControlKind::Static, "Oscillator", 0, 0, 0, 0},
                          QRect(15, 24 + 27 * row, 155, 145));
        dialog.AddControl({2001 + row, ControlKind::ComboBox, "", 0, 0, 0, 0, flag::kDropDownList},
                          QRect(130, 20 + 27 * row, 140, 127));
    }
    dialog.AddControl({2201, ControlKind::RadioButton, "a", 0, 0, 0, 0, flag::kGroupStart},
                      QRect(0, 0, 9, 9));
    dialog.AddControl({2202, ControlKind::RadioButton, "b", 0, 0, 0, 0}, QRect(0, 9, 9, 9));
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("id2002"));
    QVERIFY(list != nullptr);
    QCOMPARE(dialog.Combo(2002), list);
    QCOMPARE(list->pos(), QPoint(130, 47));
    QCOMPARE(list->width(), 140);
    QVERIFY(!list->isEditable());
    dialog.SetRadioGroupIndex(2201, 1);
    QVERIFY(dialog.IsChecked(2202));
}

void DialogControlsTest::progressAndUnknownIds() {
    Dialog dialog(kSampleTemplate);
    dialog.SetProgressRange(1063, 1, 40);
    dialog.SetProgressPosition(1063, 39);
    QCOMPARE(dialog.Progress(1063)->value(), 39);
    QCOMPARE(dialog.Progress(1063)->maximum(), 40);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no control 4242"));
    QCOMPARE(dialog.Control(4242), nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no control 4242"));
    dialog.SetControlText(4242, "x");                      // nothing happens
    QCOMPARE(dialog.ControlAs<QComboBox>(1000), nullptr);  // another kind
}

QTEST_MAIN(DialogControlsTest)
#include "DialogControlsTest.moc"
