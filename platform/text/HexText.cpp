#include "platform/text/HexText.h"

#include <algorithm>

namespace tovrin::text {
namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string UpperHexDigits(std::span<const uint8_t> bytes) {
    std::string digits(2 * bytes.size(), '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        digits[2 * i] = kDigits[bytes[i] >> 4];
        digits[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return digits;
}

std::optional<uint32_t> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    return std::nullopt;
}

std::string HexDigitsOf(uint32_t value, int digitCount) {
    const int count = std::clamp(digitCount, 1, 8);
    std::string digits(static_cast<std::size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = kDigits[value & 0x0F];
        value >>= 4;
    }
    return digits;
}

uint32_t ValueOfHexDigits(std::string_view text, int digitCount) {
    uint32_t value = 0;
    for (int i = 0; i < digitCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const uint32_t digit = at < text.size() ? HexDigitValue(text[at]).value_or(0) : 0;
        value = (value << 4) | digit;
    }
    return value;
}

}  // namespace tovrin::text
