#include "catalogue/AsciiText.h"

#include <cstddef>
#include <cstdint>

namespace tovrin::catalogue {

namespace {
constexpr uint8_t kGbkLeadFirst = 0x81;
constexpr uint8_t kGbkLeadLast = 0xFE;

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

std::string UpperCaseChipName(std::string_view name) {
    std::string upper(name);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<uint8_t>(upper[i]);
        if (byte >= kGbkLeadFirst && byte <= kGbkLeadLast) {
            ++i;  // the trail byte belongs to the character, not to the alphabet
            continue;
        }
        upper[i] = AsciiUpper(upper[i]);
    }
    return upper;
}

}  // namespace tovrin::catalogue
