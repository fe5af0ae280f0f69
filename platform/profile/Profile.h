#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovrin::profile {

// Longest text value a lookup returns; longer values are cut.
inline constexpr std::size_t kMaxValueLength = 255;

// Reads an integer the way the profile-integer reader does: leading blanks,
// an optional sign, then 0x/0X and hexadecimal digits or else decimal
// digits, stopping at the first other character. No digits read 0; the
// result wraps to an unsigned 32-bit value.
uint32_t ParseProfileInteger(std::string_view text);

// An INI text parsed once, answered by section and key with the Windows
// profile rules (names without regard to case, first match wins). Texts are
// bytes: nothing is decoded.
class Profile {
public:
    Profile() = default;  // an empty profile: every lookup gives its default

    static Profile FromText(std::string_view text);
    // A missing or unreadable file gives an empty profile.
    static Profile FromFile(const std::filesystem::path& path);

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;
    uint32_t GetInteger(std::string_view section, std::string_view key, uint32_t defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;

private:
    struct Entry {
        std::string section;  // lower-cased
        std::string key;      // lower-cased
        std::string value;    // trimmed, unquoted, cut to kMaxValueLength
    };
    const Entry* Find(std::string_view section, std::string_view key) const;

    std::vector<Entry> entries_;  // first occurrence of each (section, key), sorted for lookup
};

}  // namespace tovrin::profile
