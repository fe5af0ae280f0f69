#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/profile/Profile.h"

namespace tovrin::optionlib {

// The INI reader behind the option dialog: profile lookups whose text values
// carry line breaks as byte pairs (0xFE 0xFE for CR, 0xFF 0xFF for LF).
class CIniFile {
public:
    // Values are read through a buffer of this size, terminator included.
    static constexpr std::size_t kValueBufferBytes = 65536;
    // A larger file is read as if it were empty.
    static constexpr std::size_t kMaxFileBytes = 16u << 20;

    // Reads the file once. When nothing of that name can be read, an empty
    // file is created in its place; an existing file is never replaced.
    void Open(const std::filesystem::path& path);
    // The same reading over a text already in memory.
    void OpenText(std::string_view text);
    void Close() { profile_ = {}; }

    // The value (or the default when the key is missing), decoded.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // The default when the value is missing or empty, else its decimal reading.
    int32_t GetInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

private:
    profile::Profile profile_;
};

// 0xFE 0xFE becomes CR, 0xFF 0xFF becomes LF, pairs taken left to right;
// every other byte is kept.
std::string DecodeLineBreakPairs(std::string_view raw);

}  // namespace tovrin::optionlib
