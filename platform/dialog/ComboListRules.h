#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tovrin::dialog {

// Combo-box list rules on UTF-8 entry texts. Letters compare without regard
// to case (ASCII letters only; other bytes compare as they are).

// The prefix search of CB_FINDSTRING: the first entry that begins with
// prefix, searching from the entry after startAfter to the last, then from
// the first up to startAfter itself. startAfter -1 (or any value outside the
// list) searches the whole list from the first entry.
std::optional<int> FindEntryWithPrefix(std::span<const std::string> entries, int startAfter,
                                       std::string_view prefix);

// Where a sorted combo box puts a new entry: after every entry that does not
// sort behind it.
int SortedInsertPosition(std::span<const std::string> entries, std::string_view text);

}  // namespace tovrin::dialog
