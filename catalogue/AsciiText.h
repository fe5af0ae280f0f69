#pragma once

#include <string>
#include <string_view>

#include "platform/text/AsciiCase.h"

namespace tovrin::catalogue {

using text::AsciiLower;
using text::EqualsIgnoringAsciiCase;
using text::StartsWithIgnoringAsciiCase;

// Upper-cases ASCII letters the way the code page does for chip names: the
// trail byte of a GBK double-byte character (lead byte 0x81..0xFE) is kept,
// even when it looks like a letter.
std::string UpperCaseChipName(std::string_view name);

}  // namespace tovrin::catalogue
