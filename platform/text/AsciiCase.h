#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Case rules for names and keys: only ASCII letters have a case, whatever the
// locale; GBK bytes (0x80 and up) compare as they are.
namespace tovrin::text {

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpperCopy(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = AsciiUpper(c);
    return upper;
}

inline std::string AsciiLowerCopy(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace tovrin::text
