#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/system/Result.h"

namespace tovrin::catalogue {

// Every definition file is enciphered with this one key.
inline constexpr std::string_view kDefinitionKey = "tirk2957";

// A file that starts with these bytes (case-sensitive) is plain INI text.
inline constexpr std::string_view kPlainDefinitionMarker = "[General]";

// Longest enciphered file in hexadecimal characters (16384 bytes of
// ciphertext); characters past it are not decoded.
inline constexpr std::size_t kMaxEncipheredCharacters = 32768;

bool IsPlainDefinition(std::span<const uint8_t> fileBytes);

// Decodes the hexadecimal digits and deciphers them; the plaintext ends at
// its first zero byte. Damaged digits give meaningless text, never an error.
std::string DecipherDefinitionText(std::span<const uint8_t> fileBytes);

// The INI text of a definition file: the bytes as they are for the plain
// form, the deciphered text otherwise.
std::string DefinitionPlaintext(std::span<const uint8_t> fileBytes);

// The enciphered form of a plaintext: zero-padded to whole blocks,
// enciphered, written as upper-case hexadecimal digits with no line end.
// Refuses a text that would not come back whole: one with a zero byte (the
// reader cuts there) or one longer than the reader's bound.
Result<std::string> EncipherDefinitionText(std::string_view plaintext);

}  // namespace tovrin::catalogue
