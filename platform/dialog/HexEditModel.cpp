#include "platform/dialog/HexEditModel.h"

#include <cctype>

#include "platform/text/HexText.h"

namespace tovrin::dialog {
namespace {

int ValidDigitCount(int digitCount) {
    return digitCount == HexEditModel::kLongDigits ? HexEditModel::kLongDigits : HexEditModel::kShortDigits;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

HexEditModel::HexEditModel(int digitCount)
    : digitCount_(ValidDigitCount(digitCount)), text_(text::HexDigitsOf(0, digitCount_)) {}

void HexEditModel::SetDigitCount(int digitCount) {
    digitCount_ = ValidDigitCount(digitCount);
    text_ = text::HexDigitsOf(value_, digitCount_);
    position_ = 0;
}

void HexEditModel::SetValue(uint32_t v) {
    value_ = v;
    text_ = text::HexDigitsOf(v, digitCount_);
}

Status HexEditModel::SetText(std::string_view text) {
    if (!Accepts(text)) {
        return Error{"\"" + std::string(text) + "\" is not " + std::to_string(digitCount_) +
                     " hexadecimal digits"};
    }
    text_.clear();
    for (char c : text) text_.push_back(Upper(c));
    return Status::Ok();
}

uint32_t HexEditModel::GetValue() {
    value_ = text::ValueOfHexDigits(text_, digitCount_);
    return value_;
}

std::optional<HexEditModel::Selection> HexEditModel::Type(char key) {
    const char digit = Upper(key);
    if (!text::HexDigitValue(digit)) return std::nullopt;
    text_[static_cast<std::size_t>(position_)] = digit;
    position_ = (position_ + 1) % digitCount_;
    return Selection{position_, 1};
}

bool HexEditModel::Accepts(std::string_view text) const {
    if (text.size() != static_cast<std::size_t>(digitCount_)) return false;
    for (char c : text) {
        if (!text::HexDigitValue(c)) return false;
    }
    return true;
}

}  // namespace tovrin::dialog
