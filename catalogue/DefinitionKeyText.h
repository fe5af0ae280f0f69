#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tovrin::catalogue {

// A variant text holds comma-separated parts ("Enable,Disable"); an item's
// type picks one: 0 the first part, any other the second when there is one,
// else the first. An empty text has no parts and gives an empty choice; a
// final empty piece after a last comma is no part.
std::string_view ChooseVariant(std::string_view text, uint8_t itemType);

// The bytes of a Section_Val text: each "0x" or "0X" with at least two
// characters after it gives one byte from those two characters; everything
// else is skipped. Characters that are not hexadecimal digits still count
// as some digit, as the files' own reader has it.
std::vector<uint8_t> SectionValBytes(std::string_view text);

}  // namespace tovrin::catalogue
