#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovrin::profile {

// Longest text value a lookup returns by default (the reader's 256-byte
// buffer); longer values are cut.
inline constexpr std::size_t kMaxValueLength = 255;

// Reads an integer the way the profile-integer reader does: leading blanks,
// an optional sign, then 0x/0X and hexadecimal digits or else decimal
// digits, stopping at the first other character. No digits read 0; the
// result wraps to an unsigned 32-bit value.
uint32_t ParseProfileInteger(std::string_view text);

// Decimal only, as atoi reads: leading blanks, an optional sign, digits,
// stopping at the first other character; no digits read 0. Overflow wraps
// modulo 2^32 instead of being undefined.
int32_t ParseDecimalInteger(std::string_view text);

// An INI text parsed once, answered by section and key with the Windows
// profile rules (names without regard to case, first match wins, only the
// first section of a name counts). Texts are bytes: nothing is decoded.
class Profile {
public:
    Profile() = default;  // an empty profile: every lookup gives its default

    // The text ends at its first zero byte.
    static Profile FromText(std::string_view text);
    // A missing or unreadable file gives an empty profile.
    static Profile FromFile(const std::filesystem::path& path);

    // The value cut to maxLength bytes; the default when the key is missing.
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue = {},
                          std::size_t maxLength = kMaxValueLength) const;
    // A missing key, or one whose value is empty, gives the default.
    uint32_t GetInteger(std::string_view section, std::string_view key, uint32_t defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;

private:
    // Places in the text; offsets rather than views, so that copies and
    // moves of the profile stay valid.
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    struct Entry {
        Span section;  // in lowered_
        Span key;      // in lowered_
        Span value;    // in text_: trimmed and unquoted, not yet cut
    };
    std::string_view Lowered(Span span) const {
        return std::string_view(lowered_).substr(span.offset, span.length);
    }
    const Entry* Find(std::string_view section, std::string_view key) const;

    std::string text_;            // as given, up to its first zero byte
    std::string lowered_;         // the same with ASCII letters lower-cased, for the names
    std::vector<Entry> entries_;  // first occurrence of each (section, key), sorted by lowered names
};

}  // namespace tovrin::profile
