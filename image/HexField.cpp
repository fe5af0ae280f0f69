#include "image/HexField.h"

#include <utility>

#include "platform/text/HexText.h"

namespace tovrin::image {

HexField::HexField(int digitCount, std::string text)
    : digitCount_(digitCount == kLongDigits ? kLongDigits : kShortDigits), text_(std::move(text)) {}

void HexField::SetValue(uint32_t v) {
    value_ = v;
    text_ = text::HexDigitsOf(v, digitCount_);
}

void HexField::SetText(std::string_view text) {
    text_ = std::string(text);
}

uint32_t HexField::GetValue() {
    value_ = text::ValueOfHexDigits(text_, digitCount_);
    return value_;
}

bool HexField::IsWellFormed(std::string_view text, int digitCount) {
    if (text.size() != static_cast<std::size_t>(digitCount)) return false;
    for (char c : text) {
        if (!text::HexDigitValue(c)) return false;
    }
    return true;
}

}  // namespace tovrin::image
