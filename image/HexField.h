#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovrin::image {

// The value model of a hexadecimal edit: a fixed number of digits (4 or 8),
// the text the control shows and the value last set or read.
class HexField {
public:
    static constexpr int kShortDigits = 4;
    static constexpr int kLongDigits = 8;

    explicit HexField(int digitCount = kShortDigits, std::string text = {});

    int DigitCount() const { return digitCount_; }
    const std::string& Text() const { return text_; }
    uint32_t Value() const { return value_; }

    // Value and text both follow v; a 4-digit field shows the low 16 bits.
    void SetValue(uint32_t v);
    // Only the text changes; the value stays until the next GetValue.
    void SetText(std::string_view text);
    // Reads the first DigitCount() characters of the text, most significant
    // first, into the value and returns it. Missing characters of a short text
    // and characters that are no hexadecimal digit read as 0.
    uint32_t GetValue();

    // True when text is exactly digitCount hexadecimal digits (either case).
    static bool IsWellFormed(std::string_view text, int digitCount);

private:
    int digitCount_;
    std::string text_;
    uint32_t value_ = 0;
};

}  // namespace tovrin::image
