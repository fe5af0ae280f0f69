#include "optionlib/StartingValues.h"

#include <algorithm>
#include <cstring>

#include "optionlib/OptionDescription.h"

namespace tovrin::optionlib {

RylInput ReadRylInput(std::span<const uint8_t, kRylInputBytes> bytes) {
    RylInput input;
    std::memcpy(input.words.data(), bytes.data(), kRylInputBytes);
    input.count = input.words[0];
    return input;
}

std::vector<uint16_t> StartingValues(const CIniFile& ini, Variant variant, const RylInput& rylInput,
                                     uint16_t mardFirstWord) {
    if (TraitsOf(variant).startsFromCallerBuffer && rylInput.count != 0) {
        const std::size_t count = std::min<std::size_t>(rylInput.count, kRylMaxInputWords);
        std::vector<uint16_t> values(count);
        for (std::size_t i = 0; i < count; ++i) values[i] = rylInput.words[2 + 2 * i];
        return values;
    }
    std::vector<uint16_t> values = ReadStartingValues(ini, variant, ReadWordCount(ini, variant));
    if (variant == Variant::Mard && !values.empty()) values[0] = mardFirstWord;
    return values;
}

std::vector<uint16_t> RylResultWords(uint16_t fileOptionWords, std::span<const uint16_t> addresses,
                                     std::span<const uint16_t> values) {
    std::vector<uint16_t> words(std::max<std::size_t>(2, 1 + 2 * values.size()));
    words[0] = static_cast<uint16_t>(values.size());
    words[1] = fileOptionWords;
    for (std::size_t i = 0; i < values.size(); ++i) {
        words[1 + 2 * i] = i < addresses.size() ? addresses[i] : 0;
        words[2 + 2 * i] = values[i];
    }
    return words;
}

}  // namespace tovrin::optionlib
