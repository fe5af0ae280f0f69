#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "optionlib/OptionDescription.h"

namespace tovrin::optionlib {

// No entry of a list is selected.
inline constexpr int kNoChoice = -1;

// The field's current bits as the value patterns spell them: the word as 16
// '0'/'1' characters, bit 15 first, cut to bits bitStart..bitEnd; empty
// when bitStart is below bitEnd.
std::string FieldPattern(uint16_t word, int32_t bitStart, int32_t bitEnd);

// The entry a list opens on: the highest-numbered choice whose pattern is
// the field's current pattern, else entry 0 (kNoChoice for an empty list).
int InitialChoice(const FieldRow& row, uint16_t word);
std::vector<int> InitialChoices(const OptionDescription& description, std::span<const uint16_t> values);

// Writes the chosen pattern into the field. The word keeps its bits when
// nothing is chosen or the pattern's length is not the field's width; bit
// positions outside 0..15 are ignored.
uint16_t ApplyChoice(uint16_t word, const FieldRow& row, int choice);

// Mard: word by word in order, so that a complement may read a word that an
// earlier one has already changed. Records whose source is not a word are
// ignored, and so are bit positions outside 0..15.
void ApplyComplements(std::span<uint16_t> values, std::span<const ComplementRecord> complements);

// The values the OK button yields: every row's choice (one per row, in
// row order) applied to the starting values, then the complements.
std::vector<uint16_t> ComposeValues(const OptionDescription& description,
                                    std::span<const uint16_t> startingValues, std::span<const int> choices);

}  // namespace tovrin::optionlib
