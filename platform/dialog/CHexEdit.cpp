#include "platform/dialog/CHexEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStyle>
#include <QValidator>
#include <memory>

namespace tovrin::dialog {
namespace {

// Turns down every edit that would leave the text with another length or a
// character that is no hexadecimal digit: Delete, Backspace, cut, paste,
// drops. Typing itself goes through the model and setText.
class HexDigitsValidator : public QValidator {
public:
    HexDigitsValidator(const HexEditModel& model, QObject* parent) : QValidator(parent), model_(model) {}

    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return model_.Accepts(input.toStdString()) ? Acceptable : Invalid;
    }

private:
    const HexEditModel& model_;
};

// The digit a key types, whatever the modifiers (keypad digits included),
// or 0.
char DigitOfKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<char>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_F) return static_cast<char>('A' + (key - Qt::Key_A));
    return 0;
}

bool EditsText(QKeyEvent* event) {
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
           event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord) ||
           event->matches(QKeySequence::DeleteEndOfLine) || event->matches(QKeySequence::DeleteCompleteLine);
}

}  // namespace

CHexEdit::CHexEdit(QWidget* parent, int digitCount) : QLineEdit(parent), model_(digitCount) {
    setValidator(new HexDigitsValidator(model_, this));
    setMaxLength(model_.DigitCount());
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QLineEdit::setText(QString::fromStdString(model_.Text()));
    // Only an edit the validator let through can get here (a paste over a
    // selection of the same length); the model takes it as typed text.
    connect(this, &QLineEdit::textEdited, this, &CHexEdit::TakeEditedText);
}

void CHexEdit::SetDigitCount(int digitCount) {
    model_.SetDigitCount(digitCount);
    setMaxLength(model_.DigitCount());
    FitDigitsToWidth();
    QLineEdit::setText(QString::fromStdString(model_.Text()));
}

void CHexEdit::SetValue(uint32_t value) {
    model_.SetValue(value);
    QLineEdit::setText(QString::fromStdString(model_.Text()));
}

Status CHexEdit::SetText(std::string_view text) {
    Status status = model_.SetText(text);
    if (status) QLineEdit::setText(QString::fromStdString(model_.Text()));
    return status;
}

uint32_t CHexEdit::GetValue() {
    TakeEditedText(text());
    return model_.GetValue();
}

void CHexEdit::TakeEditedText(const QString& text) {
    // A refused text leaves the model as it was; the validator keeps the
    // widget from showing one.
    (void)model_.SetText(text.toStdString());
}

void CHexEdit::ShowModelText(HexEditModel::Selection selection) {
    QLineEdit::setText(QString::fromStdString(model_.Text()));
    setSelection(selection.start, selection.length);
}

void CHexEdit::keyPressEvent(QKeyEvent* event) {
    if (const char digit = DigitOfKey(event->key())) {
        if (!isReadOnly()) {
            if (const auto selection = model_.Type(digit)) ShowModelText(*selection);
        }
        event->accept();
        return;
    }
    // Other characters are discarded, as are the keys that delete or paste;
    // caret movement, selection and copying stay the line edit's.
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint();
    if (printable || EditsText(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CHexEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        const HexEditModel::Selection selection = HexEditModel::ClickSelection();
        setSelection(selection.start, selection.length);
    }
}

void CHexEdit::inputMethodEvent(QInputMethodEvent* event) {
    event->ignore();
}

void CHexEdit::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo") ||
            name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
            name == QLatin1String("edit-delete")) {
            action->setVisible(false);
        }
    }
    menu->exec(event->globalPos());
}

void CHexEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    FitDigitsToWidth();
}

// The installed faces are wider than the ones the layouts were drawn for;
// every digit must stay visible, so the edit's own font shrinks to fit.
void CHexEdit::FitDigitsToWidth() {
    QFont fitted = parentWidget() ? parentWidget()->font() : font();
    const QString digits(model_.DigitCount(), QLatin1Char('0'));
    const int chrome = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 4;
    while (fitted.pointSizeF() > 6 && QFontMetrics(fitted).horizontalAdvance(digits) > width() - chrome)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    if (fitted != font()) setFont(fitted);
}

}  // namespace tovrin::dialog
