#include "optionlib/OptionValues.h"

#include <algorithm>

namespace tovrin::optionlib {
namespace {

constexpr int64_t kHighestBit = 15;

uint16_t WithBit(uint16_t word, int64_t position, bool set) {
    const auto mask = static_cast<uint16_t>(1u << position);
    return set ? static_cast<uint16_t>(word | mask) : static_cast<uint16_t>(word & ~mask);
}

}  // namespace

std::string FieldPattern(uint16_t word, int32_t bitStart, int32_t bitEnd) {
    std::string bits(16, '0');
    for (int b = 0; b < 16; ++b)
        if (word & (1u << b)) bits[static_cast<std::size_t>(15 - b)] = '1';
    const int64_t kept = std::clamp<int64_t>(16 - int64_t{bitEnd}, 0, 16);
    const int64_t width = int64_t{bitStart} - bitEnd + 1;
    if (width <= 0) return {};
    const int64_t taken = std::min(width, kept);
    return bits.substr(static_cast<std::size_t>(kept - taken), static_cast<std::size_t>(taken));
}

int InitialChoice(const FieldRow& row, uint16_t word) {
    if (row.choices.empty()) return kNoChoice;
    const std::string current = FieldPattern(word, row.bitStart, row.bitEnd);
    for (std::size_t j = row.choices.size(); j-- > 0;)
        if (row.choices[j].pattern == current) return static_cast<int>(j);
    return 0;
}

std::vector<int> InitialChoices(const OptionDescription& description, std::span<const uint16_t> values) {
    std::vector<int> choices;
    choices.reserve(description.rows.size());
    for (const FieldRow& row : description.rows)
        choices.push_back(row.word < values.size() ? InitialChoice(row, values[row.word]) : kNoChoice);
    return choices;
}

uint16_t ApplyChoice(uint16_t word, const FieldRow& row, int choice) {
    if (choice < 0 || static_cast<std::size_t>(choice) >= row.choices.size()) return word;
    const std::string& pattern = row.choices[static_cast<std::size_t>(choice)].pattern;
    const int64_t width = int64_t{row.bitStart} - row.bitEnd + 1;
    if (width < 1 || pattern.size() != static_cast<uint64_t>(width)) return word;
    // Only the positions that exist in a 16-bit word.
    const int64_t firstT = std::max<int64_t>(0, -int64_t{row.bitEnd});
    const int64_t lastT = std::min<int64_t>(width - 1, kHighestBit - row.bitEnd);
    for (int64_t t = firstT; t <= lastT; ++t)
        word = WithBit(word, row.bitEnd + t, pattern[static_cast<std::size_t>(width - 1 - t)] == '1');
    return word;
}

void ApplyComplements(std::span<uint16_t> values, std::span<const ComplementRecord> complements) {
    const std::size_t count = std::min(values.size(), complements.size());
    for (std::size_t j = 0; j < count; ++j) {
        const ComplementRecord& record = complements[j];
        if (!record.present || record.sourceWord < 0 ||
            static_cast<std::size_t>(record.sourceWord) >= values.size())
            continue;
        const uint16_t source = values[static_cast<std::size_t>(record.sourceWord)];
        uint16_t word = values[j];
        const int64_t low = std::max<int64_t>(record.lowBit, 0);
        const int64_t high = std::min<int64_t>(record.highBit, kHighestBit);
        for (int64_t p = low; p <= high; ++p) word = WithBit(word, p, (source & (1u << p)) == 0);
        values[j] = word;
    }
}

std::vector<uint16_t> ComposeValues(const OptionDescription& description,
                                    std::span<const uint16_t> startingValues, std::span<const int> choices) {
    std::vector<uint16_t> values(startingValues.begin(), startingValues.end());
    for (std::size_t r = 0; r < description.rows.size(); ++r) {
        const FieldRow& row = description.rows[r];
        if (row.word >= values.size()) continue;
        const int choice = r < choices.size() ? choices[r] : kNoChoice;
        values[row.word] = ApplyChoice(values[row.word], row, choice);
    }
    ApplyComplements(values, description.complements);
    return values;
}

}  // namespace tovrin::optionlib
