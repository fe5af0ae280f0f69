#include "burner/SettingsControls.h"

#include <gtest/gtest.h>

#include "image/ControlIds.h"

namespace tovrin::burner {
namespace {

bool StateOf(const SettingsControlStates& states, int id) {
    for (const auto& state : states)
        if (state.id == id) return state.enabled;
    ADD_FAILURE() << "no control " << id;
    return false;
}

TEST(SettingsControlsTest, ReenablingFollowsPatternRollingCodeAndChip) {
    const struct {
        SettingsRules rules;
        bool test, oneTwo, threeFour;
    } cases[] = {
        {{false, false, false}, false, false, false}, {{true, false, true}, true, false, false},
        {{false, true, false}, false, true, false},   {{false, true, true}, false, true, true},
        {{true, true, true}, true, true, true},
    };
    for (const auto& c : cases) {
        const auto states = ReenabledSettingsControls(c.rules);
        for (const int id : {control::kVerifyCheckbox, control::kBlankCheckCheckbox,
                             control::kProgramCheckbox, control::kRollingCodeEnable})
            EXPECT_TRUE(StateOf(states, id));
        EXPECT_EQ(StateOf(states, control::kTestCheckbox), c.test);
        EXPECT_EQ(StateOf(states, control::kOneAddress), c.oneTwo);
        EXPECT_EQ(StateOf(states, control::kTwoAddresses), c.oneTwo);
        EXPECT_EQ(StateOf(states, control::kThreeAddresses), c.threeFour);
        EXPECT_EQ(StateOf(states, control::kFourAddresses), c.threeFour);
    }
    for (const auto& state : DisabledSettingsControls()) EXPECT_FALSE(state.enabled) << state.id;
}

TEST(SettingsControlsTest, OnlyTheExactChipNameOffersFourAddresses) {
    EXPECT_TRUE(SettingsRulesFor(false, true, "Q3L88").exactQ3L88);
    EXPECT_FALSE(SettingsRulesFor(false, true, "Q3L88A").exactQ3L88);
    EXPECT_FALSE(SettingsRulesFor(false, true, "q3l88").exactQ3L88);
}

}  // namespace
}  // namespace tovrin::burner
