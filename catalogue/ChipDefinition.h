#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tovrin::catalogue {

// The programming image starts with a header of this many bytes; code word w
// follows at bytes 80 + 2w (low) and 81 + 2w (high).
inline constexpr uint32_t kImageHeaderByteCount = 80;

// Longest chip name (after upper-casing) that fits the image header.
inline constexpr std::size_t kMaxChipNameLength = 7;

// Option words sit in the first 16 bytes of the option block (header 48..63).
inline constexpr uint16_t kOptionBlockOffset = 48;
inline constexpr uint16_t kOptionWordPositions = 16;

// A definition's header sections: identity, two zero sections, the option
// block, and the initial bytes from 64 on (at most up to the header's end).
inline constexpr uint16_t kIdentitySectionOffset = 0;
inline constexpr uint16_t kZeroSectionOffsets[] = {16, 32};
inline constexpr uint16_t kInitialBytesSectionOffset = 64;
inline constexpr std::size_t kHeaderSectionLength = 16;
inline constexpr std::size_t kHeaderSectionCount = 5;

// Largest programming image a definition may ask for: 64 MiB of code words
// and the header. Larger sizes are absurd and would exhaust memory.
inline constexpr uint32_t kMaxImageByteCount = 64u * 1024 * 1024 + kImageHeaderByteCount;

struct HeaderSection {
    uint16_t offset = 0;
    std::vector<uint8_t> bytes;  // byte i goes to image byte offset + i

    bool operator==(const HeaderSection&) const = default;
};

struct OptionValue {
    std::string name;  // GBK bytes as stored in the definition file
    uint16_t value = 0;

    bool operator==(const OptionValue&) const = default;
};

enum class OptionItemKind {
    Select,   // one selection control over the values
    Fixed,    // no control; the field takes the first value
    Reverse,  // no control; mirrors an inverted bit of another word
};

struct OptionItem {
    std::string name;  // GBK bytes; "Fixed" and "Reverse" (any case) are kinds
    uint8_t bitStart = 0;
    uint8_t bitEnd = 0;
    uint8_t revAddr = 0;  // read only for a "Reverse" item
    uint8_t revBit = 0;
    uint8_t itemType = 0;  // 0 chooses the first variant of each text, else the second
    std::vector<OptionValue> values;

    OptionItemKind Kind() const;
    bool operator==(const OptionItem&) const = default;
};

struct OptionWord {
    uint16_t headerOffset = kOptionBlockOffset;  // 48 + position, 48..63
    uint16_t initialValue = 0;
    uint8_t declaredItemCount = 0;
    std::vector<OptionItem> items;

    bool operator==(const OptionWord&) const = default;
};

struct ChipDefinition {
    uint16_t visibleItemCount = 0;              // items that are neither Fixed nor Reverse
    uint16_t optionWordCount = 0;               // equals optionWords.size()
    std::vector<HeaderSection> headerSections;  // offsets 0, 16, 32, 48, 64
    std::vector<OptionWord> optionWords;

    bool operator==(const ChipDefinition&) const = default;
};

// Bits 8..15 of 2^bitWidth - 1: the high byte of an erased code word and of
// each option-block pair. 0 for widths of 8 or less (and 0 or below), 0xFF
// from 16 on (32 and above included).
uint8_t ErasedHighByte(int32_t bitWidth);

}  // namespace tovrin::catalogue
