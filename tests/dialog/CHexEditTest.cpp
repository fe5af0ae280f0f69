#include "platform/dialog/CHexEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QtTest>

using tovrin::dialog::CHexEdit;

class CHexEditTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typingOverwritesAndSelectsTheNextDigit();
    void keypadDigitsTypeButOtherCharactersDoNot();
    void aClickSelectsTheFirstDigitWithoutMovingThePosition();
    void editingKeysPasteDropAndInputMethodsKeepTheLength_data();
    void editingKeysPasteDropAndInputMethodsKeepTheLength();
    void aPasteOfTheSameLengthIsTakenAsTyped();
    void valueAndTextRules();

private:
    CHexEdit* edit_ = nullptr;
};

void CHexEditTest::init() {
    edit_ = new CHexEdit();
    QVERIFY(edit_->SetText("3FFF"));
    edit_->show();
    QVERIFY(QTest::qWaitForWindowExposed(edit_));
    edit_->setFocus();
}

void CHexEditTest::cleanup() {
    delete edit_;
    edit_ = nullptr;
}

void CHexEditTest::typingOverwritesAndSelectsTheNextDigit() {
    QTest::keyClicks(edit_, "12");
    QCOMPARE(edit_->text(), QStringLiteral("12FF"));
    QCOMPARE(edit_->selectionStart(), 2);
    QCOMPARE(edit_->selectedText(), QStringLiteral("F"));
    QTest::keyClicks(edit_, "34");
    QCOMPARE(edit_->text(), QStringLiteral("1234"));
    QCOMPARE(edit_->selectionStart(), 0);
    QCOMPARE(edit_->selectedText(), QStringLiteral("1"));
    QCOMPARE(edit_->GetValue(), 0x1234u);
    // Ctrl with a letter A to F types the letter.
    QTest::keyClick(edit_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(edit_->text(), QStringLiteral("C234"));
}

void CHexEditTest::keypadDigitsTypeButOtherCharactersDoNot() {
    QTest::keyClick(edit_, Qt::Key_7, Qt::KeypadModifier);
    QTest::keyClick(edit_, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(edit_, "gz+ ,");
    QTest::keyClick(edit_, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(edit_->text(), QStringLiteral("7AFF"));
    QCOMPARE(edit_->Position(), 2);
}

void CHexEditTest::aClickSelectsTheFirstDigitWithoutMovingThePosition() {
    QTest::keyClicks(edit_, "12");
    QTest::mouseClick(edit_, Qt::LeftButton, {}, QPoint(edit_->width() - 4, edit_->height() / 2));
    QCOMPARE(edit_->selectionStart(), 0);
    QCOMPARE(edit_->selectedText(), QStringLiteral("1"));
    QTest::keyClicks(edit_, "7");
    QCOMPARE(edit_->text(), QStringLiteral("127F"));
}

void CHexEditTest::editingKeysPasteDropAndInputMethodsKeepTheLength_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier) << QString();
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << QString();
    QTest::newRow("Shift+Delete cuts") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << QString();
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << QString();
    QTest::newRow("Ctrl+V, longer") << int(Qt::Key_V) << int(Qt::ControlModifier) << QStringLiteral("12345");
    QTest::newRow("Shift+Insert, shorter")
        << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << QStringLiteral("9");
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << QString();
}

void CHexEditTest::editingKeysPasteDropAndInputMethodsKeepTheLength() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, clipboard);
    QApplication::clipboard()->setText(clipboard);
    for (bool selectAll : {false, true}) {
        if (selectAll) edit_->selectAll();
        QTest::keyClick(edit_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(edit_->text(), QStringLiteral("3FFF"));
    }
    // Paste, drop and input methods reaching the widget another way keep the length as well.
    edit_->selectAll();
    edit_->paste();
    QCOMPARE(edit_->text().size(), 4);
    const QString afterPaste = edit_->text();

    QMimeData mime;
    mime.setText(QStringLiteral("ABC"));
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit_, &drop);
    QCOMPARE(edit_->text().size(), 4);

    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("５６"));
    QApplication::sendEvent(edit_, &compose);
    QCOMPARE(edit_->text(), afterPaste);
    QCOMPARE(edit_->GetValue(), afterPaste.toUInt(nullptr, 16));
}

void CHexEditTest::aPasteOfTheSameLengthIsTakenAsTyped() {
    QApplication::clipboard()->setText(QStringLiteral("abcd"));
    edit_->selectAll();
    edit_->paste();
    QCOMPARE(edit_->text(), QStringLiteral("ABCD"));
    QCOMPARE(edit_->GetValue(), 0xABCDu);
}

void CHexEditTest::valueAndTextRules() {
    edit_->SetValue(0x12345);
    QCOMPARE(edit_->text(), QStringLiteral("2345"));
    QVERIFY(!edit_->SetText("123"));
    QCOMPARE(edit_->text(), QStringLiteral("2345"));

    CHexEdit wide(nullptr, 8);
    wide.SetValue(0x12345);
    QCOMPARE(wide.text(), QStringLiteral("00012345"));
    wide.SetDigitCount(4);
    QCOMPARE(wide.text(), QStringLiteral("2345"));

    edit_->setReadOnly(true);
    QTest::keyClicks(edit_, "99");
    QCOMPARE(edit_->text(), QStringLiteral("2345"));
}

QTEST_MAIN(CHexEditTest)
#include "CHexEditTest.moc"
