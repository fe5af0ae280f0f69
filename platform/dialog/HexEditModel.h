#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/Result.h"

namespace tovrin::dialog {

// The rules of the hexadecimal edit, without a widget: a fixed number of
// upper-case digits typed in overwrite mode. The text never changes length.
class HexEditModel {
public:
    static constexpr int kShortDigits = 4;
    static constexpr int kLongDigits = 8;

    // The digits the widget selects after a key or a click.
    struct Selection {
        int start = 0;
        int length = 1;
        bool operator==(const Selection&) const = default;
    };

    explicit HexEditModel(int digitCount = kShortDigits);

    int DigitCount() const { return digitCount_; }
    // The digit the next typed key replaces.
    int Position() const { return position_; }
    const std::string& Text() const { return text_; }
    uint32_t Value() const { return value_; }

    // 4 or 8 (anything else counts as 4); the text becomes the value's digits
    // and typing starts again at the first digit.
    void SetDigitCount(int digitCount);
    // Value and text follow v; a 4-digit edit shows the low 16 bits.
    void SetValue(uint32_t v);
    // Only the text changes; the value stays until the next GetValue. A text
    // that is not exactly DigitCount() hexadecimal digits is refused and the
    // text kept; lower-case digits are taken as upper-case.
    Status SetText(std::string_view text);
    // Reads the text into the value and returns it.
    uint32_t GetValue();

    // Overwrite typing: key replaces the digit at Position() when it is a
    // hexadecimal digit (either case), and the position moves on, wrapping
    // after the last digit. Returns the digit to select then, or nullopt when
    // the key types nothing.
    std::optional<Selection> Type(char key);

    // A click selects the first digit and leaves the position alone.
    static constexpr Selection ClickSelection() { return {0, 1}; }

    // Whether an edit made outside typing (paste, drop) may stand: only a text
    // of exactly DigitCount() hexadecimal digits may.
    bool Accepts(std::string_view text) const;

private:
    int digitCount_;
    int position_ = 0;
    std::string text_;
    uint32_t value_ = 0;
};

}  // namespace tovrin::dialog
