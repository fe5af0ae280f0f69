#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/system/Result.h"

namespace tovrin::production {

// SHA-256 as 64 lower-case hexadecimal digits, by OpenSSL's libcrypto.
std::string Sha256Hex(std::span<const uint8_t> bytes);

// The digest of a file's content, read with the same cap as a source file.
Result<std::string> FileSha256(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace tovrin::production
