#pragma once

#include <string_view>

namespace tovrin::text {

// Orders names as the chip list does: by bytes with ASCII letters folded to
// lower case (GBK bytes compare as they are), names that differ only in case
// by their bytes, so that the order is total and the same on every run.
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);

}  // namespace tovrin::text
