#include "platform/dialog/ComboListRules.h"

#include <algorithm>

namespace tovrin::dialog {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

bool SortsBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
    });
}

}  // namespace

std::optional<int> FindEntryWithPrefix(std::span<const std::string> entries, int startAfter,
                                       std::string_view prefix) {
    const int count = static_cast<int>(entries.size());
    if (count == 0) return std::nullopt;
    const int first = (startAfter >= 0 && startAfter < count) ? startAfter + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (StartsWithIgnoringCase(entries[static_cast<std::size_t>(index)], prefix)) return index;
    }
    return std::nullopt;
}

int SortedInsertPosition(std::span<const std::string> entries, std::string_view text) {
    const auto at =
        std::upper_bound(entries.begin(), entries.end(), text,
                         [](std::string_view t, const std::string& e) { return SortsBefore(t, e); });
    return static_cast<int>(at - entries.begin());
}

}  // namespace tovrin::dialog
