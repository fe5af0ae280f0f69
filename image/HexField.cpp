#include "image/HexField.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace tovrin::image {
namespace {

std::optional<uint32_t> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

HexField::HexField(int digitCount, std::string text)
    : digitCount_(digitCount == kLongDigits ? kLongDigits : kShortDigits), text_(std::move(text)) {}

void HexField::SetValue(uint32_t v) {
    value_ = v;
    char digits[16];
    if (digitCount_ == kLongDigits) {
        std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(v));
    } else {
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(v & 0xFFFF));
    }
    text_ = digits;
}

void HexField::SetText(std::string_view text) {
    text_ = std::string(text);
}

uint32_t HexField::GetValue() {
    uint32_t value = 0;
    for (int i = 0; i < digitCount_; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const uint32_t digit = at < text_.size() ? HexDigitValue(text_[at]).value_or(0) : 0;
        value = (value << 4) | digit;
    }
    value_ = value;
    return value_;
}

bool HexField::IsWellFormed(std::string_view text, int digitCount) {
    if (text.size() != static_cast<std::size_t>(digitCount)) return false;
    for (char c : text) {
        if (!HexDigitValue(c)) return false;
    }
    return true;
}

}  // namespace tovrin::image
