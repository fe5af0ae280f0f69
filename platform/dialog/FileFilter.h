#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovrin::dialog {

// One entry of a file dialog's filter list: "Hex Files (*.hex)" with its
// patterns {"*.hex"}.
struct FileFilter {
    std::string description{};
    std::vector<std::string> patterns{};

    bool operator==(const FileFilter&) const = default;
};

// Parses the "Description|*.a;*.b|Description|*.c||" form. A description
// without patterns is dropped; an empty text gives no filters.
std::vector<FileFilter> ParseFileFilters(std::string_view text);

// Whether a file name matches a pattern ('*' any run, '?' one character),
// letters compared without regard to case. "*.*" matches every name, also
// one without a dot.
bool MatchesPattern(std::string_view pattern, std::string_view fileName);
bool MatchesFilter(const FileFilter& filter, std::string_view fileName);

}  // namespace tovrin::dialog
