#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/system/Result.h"

namespace tovrin {

// Whole-file read; nullopt when the file cannot be opened or is not a
// regular file. With maxBytes set, a longer file is refused without being
// read (its size is checked first).
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                  std::optional<std::size_t> maxBytes = std::nullopt);

// Reads at most maxBytes from the start of the file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

// First line of a text file without its line end (LF or CR LF); empty when
// the file is missing or unreadable.
std::string ReadFirstLine(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so that the target is either the old file
// or the whole new one, never a truncated mix.
Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes);
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view text);

}  // namespace tovrin
