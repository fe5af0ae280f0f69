#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tovrin::text {

// Upper-case hexadecimal digits without separators, high digit first
// ("0A1B"): the form of enciphered definition files, request logs and dumps.
std::string UpperHexDigits(std::span<const uint8_t> bytes);

// The value of one hexadecimal digit of either case.
std::optional<uint32_t> HexDigitValue(char c);

// The low digitCount digits of value (1 to 8), upper-case, with leading zeros.
std::string HexDigitsOf(uint32_t value, int digitCount);

// The first digitCount characters of text read most significant first;
// missing characters and characters that are no hexadecimal digit read as 0.
uint32_t ValueOfHexDigits(std::string_view text, int digitCount);

}  // namespace tovrin::text
