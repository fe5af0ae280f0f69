#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "optionlib/IniFile.h"
#include "optionlib/Variant.h"

namespace tovrin::optionlib {

// The dialog has this many label/list rows, in three columns.
inline constexpr int kRowsPerColumn = 20;
inline constexpr int kMaxRows = 3 * kRowsPerColumn;
// Bounds on counts read from the file, so that a hostile description
// cannot make the dialog loop or allocate without end.
inline constexpr int kMaxOptionWords = 256;
inline constexpr int kMaxItemsPerWord = 256;
inline constexpr int kMaxValuesPerItem = 1024;

inline constexpr int kComplementItemType = 2;

struct OptionChoice {
    std::string name;     // as in the file (GBK)
    std::string pattern;  // '0'/'1' text, most significant bit first
};

// One label and list of the dialog: a bit field of one word.
struct FieldRow {
    std::size_t word = 0;
    std::string name;  // as in the file (GBK); may be empty
    std::vector<OptionChoice> choices;
    int32_t bitStart = 0;  // highest bit of the field
    int32_t bitEnd = 0;    // lowest bit of the field
};

// Mard: the bits lowBit..highBit of the word become the complement of the
// same bits of the source word.
struct ComplementRecord {
    bool present = false;
    int32_t lowBit = 0;
    int32_t highBit = 0;
    int32_t sourceWord = 0;
};

struct OptionDescription {
    std::vector<FieldRow> rows;                 // at most kMaxRows, in dialog order
    std::vector<ComplementRecord> complements;  // one per word
};

// The words' item sections as the dialog shows them, for wordCount words.
OptionDescription ReadOptionDescription(const CIniFile& ini, Variant variant, std::size_t wordCount);

// OptionWords of the main section, bounded to 0..kMaxOptionWords.
std::size_t ReadWordCount(const CIniFile& ini, Variant variant);
// OptInitVal of each word.
std::vector<uint16_t> ReadStartingValues(const CIniFile& ini, Variant variant, std::size_t wordCount);
// Ryl: OptAddr of each word.
std::vector<uint16_t> ReadWordAddresses(const CIniFile& ini, Variant variant, std::size_t wordCount);

std::string ItemSectionName(Variant variant, std::size_t word, std::size_t item);

// Texts for display (UTF-8): the label, "未定义" when the name is empty.
std::string DisplayLabel(const FieldRow& row);
std::string DisplayChoice(const OptionChoice& choice);

}  // namespace tovrin::optionlib
