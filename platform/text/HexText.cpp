#include "platform/text/HexText.h"

namespace tovrin::text {

std::string UpperHexDigits(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits(2 * bytes.size(), '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        digits[2 * i] = kDigits[bytes[i] >> 4];
        digits[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return digits;
}

}  // namespace tovrin::text
