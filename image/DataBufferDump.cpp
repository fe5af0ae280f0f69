#include "image/DataBufferDump.h"

#include <cstdio>

namespace tovrin::image {

namespace {

constexpr std::size_t kBytesPerImageLine = 16;
constexpr std::string_view kLineEnd = "\r\n";

// At least four digits: offsets of images beyond 64 KiB take more.
std::string Hex4(std::size_t value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04zX", value);
    return digits;
}

// A last odd byte, which no image layout produces, shows with a zero high byte.
std::string Word(std::span<const uint8_t> bytes, std::size_t i) {
    const unsigned high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
    return Hex4(high << 8 | bytes[i]);
}

}  // namespace

std::string ImageDumpText(std::span<const uint8_t> image) {
    std::string text;
    text.reserve(image.size() * 3 + image.size() / 2);
    for (std::size_t i = 0; i < image.size(); i += 2) {
        if (i % kBytesPerImageLine == 0) {
            if (i != 0) text += kLineEnd;
            text += Hex4(i) + ": ";
        }
        text += " " + Word(image, i) + " ";
    }
    return text;
}

std::string OptionDumpText(std::span<const uint8_t> optionBytes) {
    std::string text;
    for (std::size_t j = 0; j < optionBytes.size(); j += 2)
        text += Hex4(j / 2) + ":  " + Word(optionBytes, j) + " " + std::string(kLineEnd);
    return text;
}

}  // namespace tovrin::image
