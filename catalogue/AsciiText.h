#pragma once

#include <string>
#include <string_view>

namespace tovrin::catalogue {

// Case rules of the chip list and the item kinds: only ASCII letters have a
// case; GBK bytes (0x80 and up) compare as they are.
char AsciiLower(char c);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// Upper-cases ASCII letters the way the code page does for chip names: the
// trail byte of a GBK double-byte character (lead byte 0x81..0xFE) is kept,
// even when it looks like a letter.
std::string UpperCaseChipName(std::string_view name);

}  // namespace tovrin::catalogue
