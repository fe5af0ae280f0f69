#include "burner/SettingsControls.h"

#include "image/ChipNames.h"
#include "image/ControlIds.h"

namespace tovrin::burner {

SettingsControlStates ReenabledSettingsControls(const SettingsRules& rules) {
    const bool fourAddressChip = rules.rollingCodeEnabled && rules.exactQ3L88;
    return {{
        {control::kBlankCheckCheckbox, true},
        {control::kProgramCheckbox, true},
        {control::kVerifyCheckbox, true},
        {control::kTestCheckbox, rules.patternAllowsTest},
        {control::kOneAddress, rules.rollingCodeEnabled},
        {control::kTwoAddresses, rules.rollingCodeEnabled},
        {control::kThreeAddresses, fourAddressChip},
        {control::kFourAddresses, fourAddressChip},
        {control::kRollingCodeEnable, true},
    }};
}

SettingsControlStates DisabledSettingsControls() {
    SettingsControlStates states = ReenabledSettingsControls({});
    for (auto& state : states) state.enabled = false;
    return states;
}

SettingsRules SettingsRulesFor(bool patternAllowsTest, bool rollingCodeEnabled,
                               std::string_view selectedChipName) {
    return {patternAllowsTest, rollingCodeEnabled, image::IsExactQ3L88(selectedChipName)};
}

}  // namespace tovrin::burner
