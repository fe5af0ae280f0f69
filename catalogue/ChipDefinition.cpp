#include "catalogue/ChipDefinition.h"

#include "catalogue/AsciiText.h"

namespace tovrin::catalogue {

namespace {
constexpr std::string_view kFixedName = "Fixed";
constexpr std::string_view kReverseName = "Reverse";
}  // namespace

OptionItemKind OptionItem::Kind() const {
    if (EqualsIgnoringAsciiCase(name, kFixedName)) return OptionItemKind::Fixed;
    if (EqualsIgnoringAsciiCase(name, kReverseName)) return OptionItemKind::Reverse;
    return OptionItemKind::Select;
}

uint8_t ErasedHighByte(int32_t bitWidth) {
    // 2^w - 1 for w of 32 or more would overflow the shift; every bit is set then.
    if (bitWidth <= 0) return 0x00;
    if (bitWidth >= 32) return 0xFF;
    const uint32_t erasedWord = static_cast<uint32_t>((uint64_t{1} << bitWidth) - 1);
    return static_cast<uint8_t>((erasedWord >> 8) & 0xFF);
}

}  // namespace tovrin::catalogue
