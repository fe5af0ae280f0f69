#include "cli/TextFormat.h"

#include "platform/text/HexText.h"

namespace tovrin::cli {
namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string HexDigits(std::span<const uint8_t> bytes) {
    return text::UpperHexDigits(bytes);
}

std::string HexBytesSpaced(std::span<const uint8_t> bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

std::string Hex(uint32_t value, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0x0F];
    return text;
}

std::string PadRight(std::string_view utf8, std::size_t width) {
    std::size_t characters = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++characters;
    std::string text(utf8);
    if (characters < width) text.append(width - characters, ' ');
    return text;
}

std::string WithLineFeeds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i];
    }
    return result;
}

}  // namespace tovrin::cli
