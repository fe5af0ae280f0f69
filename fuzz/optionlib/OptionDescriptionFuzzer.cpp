// Reads arbitrary bytes as an option description file in both variants,
// builds the rows, applies choices derived from the input and writes the
// caller's buffers, checking that no write goes beyond what the caller was
// told to provide.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "optionlib/IniFile.h"
#include "optionlib/OptionDescription.h"
#include "optionlib/OptionValues.h"
#include "optionlib/StartingValues.h"

namespace {

using namespace tovrin::optionlib;

void Check(bool condition) {
    if (!condition) std::abort();
}

void Exercise(const CIniFile& ini, Variant variant, const uint8_t* data, size_t size) {
    RylInput input;
    if (size >= kRylInputBytes)
        input = ReadRylInput(std::span<const uint8_t, kRylInputBytes>(data, kRylInputBytes));
    const std::vector<uint16_t> start = StartingValues(ini, variant, input, 0x5A5A);
    const std::size_t words = start.size();
    if (variant == Variant::Ryl && input.count != 0) {
        Check(words <= kRylMaxInputWords);
    } else {
        Check(words == ReadWordCount(ini, variant));
    }

    const OptionDescription description = ReadOptionDescription(ini, variant, words);
    Check(description.rows.size() <= static_cast<std::size_t>(kMaxRows));
    std::vector<int> choices = InitialChoices(description, start);
    for (std::size_t r = 0; r < choices.size(); ++r) {
        const int count = static_cast<int>(description.rows[r].choices.size());
        Check(choices[r] >= kNoChoice && choices[r] < count);
        if (size > 0) choices[r] = static_cast<int>(data[r % size]) % (count + 2) - 1;  // beyond the end too
    }
    const std::vector<uint16_t> values = ComposeValues(description, start, choices);
    Check(values.size() == words);

    if (variant == Variant::Ryl) {
        const std::vector<uint16_t> out =
            RylResultWords(static_cast<uint16_t>(ini.GetInt("RylOption", "OptionWords", 0)),
                           ReadWordAddresses(ini, variant, words), values);
        // The caller holds 2 + 4N bytes, and at least 36.
        Check(out.size() * 2 <= std::max<std::size_t>(kRylInputBytes, 2 + 4 * words));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CIniFile ini;
    ini.OpenText(std::string_view(reinterpret_cast<const char*>(data), size));
    Exercise(ini, Variant::Ryl, data, size);
    Exercise(ini, Variant::Mard, data, size);
    return 0;
}
