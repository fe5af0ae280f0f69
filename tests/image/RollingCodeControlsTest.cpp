#include "image/RollingCodeControls.h"

#include <gtest/gtest.h>

#include <string>

namespace tovrin::image {
namespace {

using namespace control;

// One character per control in the order of the table below:
// 'W' enabled and writable, 'c' disabled, read-only and cleared to "0000",
// 'r' disabled and read-only (text kept), 'e' enabled (radio or label),
// '-' disabled (radio or label).
std::string Summary(const RollingCodeControlSet& set) {
    const int order[] = {kOneAddress,        kTwoAddresses, kThreeAddresses, kFourAddresses,
                         kInitialValueLabel, kStepLabel,    kAddress1,       kAddress2,
                         kAddress3,          kAddress4,     kInitialValue,   kStep};
    std::string summary;
    for (int id : order) {
        const auto state = set.Find(id);
        if (!state) return "missing " + std::to_string(id);
        const bool isEdit = id == kAddress1 || id == kAddress2 || id == kAddress3 || id == kAddress4 ||
                            id == kInitialValue || id == kStep;
        if (!isEdit) {
            summary += state->enabled ? 'e' : '-';
        } else if (state->enabled && !state->readOnly) {
            summary += 'W';
        } else if (!state->enabled && state->readOnly) {
            summary += state->clearedToZero ? 'c' : 'r';
        } else {
            summary += '?';
        }
        if (id == kFourAddresses || id == kStepLabel) summary += ' ';
    }
    return summary;
}

TEST(RollingCodeControls, StatesByFlagCountAndChip) {
    struct Case {
        bool enabled;
        int index;
        bool q3l88;
        const char* expected;  // radios, labels, edits 1041 1035 1036 1037 1040 1039
    };
    const Case cases[] = {
        {false, 0, false, "---- -- rrrrrr"},
        {false, 3, true, "---- -- rrrrrr"},
        {true, 0, false,
         "ee-- ee Wccc"
         "WW"},
        {true, 1, false,
         "ee-- ee WWcc"
         "WW"},
        {true, 2, false,
         "ee-- ee WWWc"
         "WW"},  // a project file may select 3 on any chip
        {true, 3, false,
         "ee-- ee WWWW"
         "WW"},
        {true, 0, true,
         "eeee ee Wccc"
         "WW"},
        {true, 2, true,
         "eeee ee WWWc"
         "WW"},
        {true, 3, true,
         "eeee ee WWWW"
         "WW"},
        {true, -1, false,
         "ee-- ee Wccc"
         "WW"},
        {true, 9, true,
         "eeee ee WWWW"
         "WW"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Summary(ComputeRollingCodeControls(c.enabled, c.index, c.q3l88)), c.expected)
            << "E=" << c.enabled << " index=" << c.index << " Q=" << c.q3l88;
    }
}

TEST(RollingCodeControls, FindRejectsOtherControls) {
    const RollingCodeControlSet set = ComputeRollingCodeControls(true, 0, false);
    EXPECT_FALSE(set.Find(kRollingCodeEnable).has_value());
    EXPECT_FALSE(set.Find(kTestCheckbox).has_value());
}

}  // namespace
}  // namespace tovrin::image
