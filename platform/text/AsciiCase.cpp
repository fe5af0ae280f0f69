#include "platform/text/AsciiCase.h"

#include <algorithm>
#include <cstddef>

namespace tovrin::text {
namespace {

unsigned char FoldedByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldedByte(a[i]);
        const unsigned char y = FoldedByte(b[i]);
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (FoldedByte(tail[i]) != FoldedByte(suffix[i])) return false;
    return true;
}

}  // namespace tovrin::text
