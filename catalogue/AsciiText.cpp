#include "catalogue/AsciiText.h"

#include <cstddef>
#include <cstdint>

namespace tovrin::catalogue {

namespace {
constexpr uint8_t kGbkLeadFirst = 0x81;
constexpr uint8_t kGbkLeadLast = 0xFE;

}  // namespace

std::string UpperCaseChipName(std::string_view name) {
    std::string upper(name);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<uint8_t>(upper[i]);
        if (byte >= kGbkLeadFirst && byte <= kGbkLeadLast) {
            ++i;  // the trail byte belongs to the character, not to the alphabet
            continue;
        }
        upper[i] = text::AsciiUpper(upper[i]);
    }
    return upper;
}

}  // namespace tovrin::catalogue
