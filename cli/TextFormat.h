#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tovrin::cli {

// Upper-case hexadecimal digits without separators ("0A1B").
std::string HexDigits(std::span<const uint8_t> bytes);
// Upper-case hexadecimal bytes separated by blanks ("0A 1B").
std::string HexBytesSpaced(std::span<const uint8_t> bytes);
// value as exactly `digits` upper-case hexadecimal digits.
std::string Hex(uint32_t value, int digits);
// UTF-8 text padded with blanks to `width` characters.
std::string PadRight(std::string_view utf8, std::size_t width);
// CR LF as LF, for printing the system's report texts on a terminal.
std::string WithLineFeeds(std::string_view text);

}  // namespace tovrin::cli
