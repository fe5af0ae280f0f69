// Arbitrary bytes as INI text: the parser and the lookups must hold up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile/Profile.h"

namespace {

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto profile = tovrin::profile::Profile::FromText(text);

    // Names taken from the input itself reach the entries it made.
    const std::size_t cut = text.find('\n');
    const std::string_view head = text.substr(0, cut == std::string_view::npos ? text.size() : cut);
    const std::string_view halves[] = {head.substr(0, head.size() / 2), head.substr(head.size() / 2)};

    const std::string_view sections[] = {"General", "ROM", "option0_item0", "", halves[0]};
    const std::string_view keys[] = {"Size", "ChipID", "Section_Val", "", halves[1]};
    for (std::string_view section : sections) {
        for (std::string_view key : keys) {
            const std::string value = profile.GetString(section, key, "-");
            if (value.size() > tovrin::profile::kMaxValueLength && value != "-") __builtin_trap();
            // Names match without regard to case.
            if (profile.GetString(UpperAscii(section), UpperAscii(key), "-") != value) __builtin_trap();
            (void)profile.GetInteger(section, key, 7);
            (void)profile.HasKey(section, key);
        }
    }
    (void)tovrin::profile::ParseProfileInteger(text);
    (void)tovrin::profile::ParseDecimalInteger(text);
    return 0;
}
