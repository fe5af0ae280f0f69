#include "catalogue/DefinitionKeyText.h"

#include <cstddef>

namespace tovrin::catalogue {

namespace {

uint8_t SectionValDigit(char c) {
    const auto upper = static_cast<uint8_t>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
    return static_cast<uint8_t>(upper > '9' ? upper - 0x37u : upper - 0x30u);
}

}  // namespace

std::string_view ChooseVariant(std::string_view text, uint8_t itemType) {
    const std::size_t firstComma = text.find(',');
    const std::string_view first = text.substr(0, firstComma);
    if (itemType == 0 || firstComma == std::string_view::npos) return first;

    const std::string_view rest = text.substr(firstComma + 1);
    // "A," has the one part "A": the empty piece after the last comma does not count.
    if (rest.empty()) return first;
    return rest.substr(0, rest.find(','));
}

std::vector<uint8_t> SectionValBytes(std::string_view text) {
    std::vector<uint8_t> bytes;
    std::size_t at = 0;
    while (at + 3 < text.size()) {
        if (text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
            const unsigned high = SectionValDigit(text[at + 2]);
            const unsigned low = SectionValDigit(text[at + 3]);
            bytes.push_back(static_cast<uint8_t>(high * 16u + low));
            at += 4;
        } else {
            ++at;
        }
    }
    return bytes;
}

}  // namespace tovrin::catalogue
