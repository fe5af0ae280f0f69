#pragma once

#include <QLineEdit>
#include <cstdint>
#include <string_view>

#include "platform/dialog/HexEditModel.h"
#include "platform/system/Result.h"

namespace tovrin::dialog {

// The hexadecimal edit: exactly DigitCount() upper-case digits, typed in
// overwrite mode. No key, paste, drop or input method changes the length of
// its text.
class CHexEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CHexEdit(QWidget* parent = nullptr, int digitCount = HexEditModel::kShortDigits);

    int DigitCount() const { return model_.DigitCount(); }
    // 4 or 8; the text becomes the current value's digits.
    void SetDigitCount(int digitCount);

    void SetValue(uint32_t value);
    // Refuses, and keeps the text, unless text is exactly DigitCount() hexadecimal digits.
    Status SetText(std::string_view text);
    // Reads the shown text into the value.
    uint32_t GetValue();

    // The digit the next typed key replaces.
    int Position() const { return model_.Position(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowModelText(HexEditModel::Selection selection);
    void FitDigitsToWidth();
    void TakeEditedText(const QString& text);

    HexEditModel model_;
};

}  // namespace tovrin::dialog
