#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "optionlib/IniFile.h"
#include "optionlib/Variant.h"

namespace tovrin::optionlib {

// Ryl's input: the first 36 bytes of the caller's buffer, read as 16-bit
// words: word 0 the count K, then the value of word i at byte 4 + 4i.
inline constexpr std::size_t kRylInputBytes = 36;
// The input holds values for eight words; a larger count takes those eight.
inline constexpr std::size_t kRylMaxInputWords = (kRylInputBytes - 4) / 4;

struct RylInput {
    uint16_t count = 0;
    std::array<uint16_t, kRylInputBytes / 2> words{};
};
RylInput ReadRylInput(std::span<const uint8_t, kRylInputBytes> bytes);

// The values the dialog starts from. Ryl with a non-zero count takes them
// from its input; otherwise the file's OptionWords and OptInitVal give
// them, and Mard's word 0 starts from the first-word value instead.
std::vector<uint16_t> StartingValues(const CIniFile& ini, Variant variant, const RylInput& rylInput,
                                     uint16_t mardFirstWord);

// What Ryl writes to the caller after OK: N, the file's OptionWords, then
// (address, value) per word, the first address over the OptionWords.
std::vector<uint16_t> RylResultWords(uint16_t fileOptionWords, std::span<const uint16_t> addresses,
                                     std::span<const uint16_t> values);

}  // namespace tovrin::optionlib
