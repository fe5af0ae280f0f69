#pragma once

#include <array>
#include <string_view>

namespace tovrin::burner {

struct ControlEnabling {
    int id = 0;
    bool enabled = false;

    bool operator==(const ControlEnabling&) const = default;
};

// The programming-settings controls: check boxes 1025, 1026, 1024, 1028,
// 1034 and the address-count radios 1031, 1016, 1015, 1012.
inline constexpr std::size_t kSettingsControlCount = 9;
using SettingsControlStates = std::array<ControlEnabling, kSettingsControlCount>;

// What decides the settings controls' enabled states once they are given back.
struct SettingsRules {
    bool patternAllowsTest = false;
    bool rollingCodeEnabled = false;
    bool exactQ3L88 = false;  // SelectedChipName is exactly "Q3L88"
};

// The states after a download succeeded or the burner went away.
SettingsControlStates ReenabledSettingsControls(const SettingsRules& rules);

// The states while a download runs: all disabled.
SettingsControlStates DisabledSettingsControls();

SettingsRules SettingsRulesFor(bool patternAllowsTest, bool rollingCodeEnabled,
                               std::string_view selectedChipName);

}  // namespace tovrin::burner
