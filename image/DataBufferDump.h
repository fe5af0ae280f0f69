#pragma once

#include <cstdint>
#include <span>
#include <string>

// The data-buffer view's texts: every word is two bytes, low byte first,
// shown as four upper-case hexadecimal digits.
namespace tovrin::image {

// Eight words a line, each line led by the byte offset of its first byte
// ("0000: "); lines end in CR LF except the last.
std::string ImageDumpText(std::span<const uint8_t> image);

// One word a line, led by the word index, every line ending in CR LF.
std::string OptionDumpText(std::span<const uint8_t> optionBytes);

}  // namespace tovrin::image
