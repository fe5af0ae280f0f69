#pragma once

#include <array>

#include "dialoglib/DialogTemplate.h"
#include "optionlib/OptionDescription.h"

namespace tovrin::optionlib {

inline constexpr int kFirstLabelId = 6000;
inline constexpr int kFirstListId = 8000;
inline constexpr int kGroupBoxId = 10000;
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

inline constexpr int kConfigBitsControlCount = 2 * kMaxRows + 3;

// Template 5000. The OK and Cancel height differs between the variants.
constexpr std::array<dialoglib::ControlTemplate, kConfigBitsControlCount> ConfigBitsControls(
    int buttonHeight) {
    using dialoglib::ControlKind;
    constexpr int kLabelX[] = {12, 183, 355};
    constexpr int kListX[] = {89, 262, 435};
    std::array<dialoglib::ControlTemplate, kConfigBitsControlCount> controls{};
    std::size_t n = 0;
    controls[n++] = {kGroupBoxId, ControlKind::GroupBox, "", 7, 5, 513, 328, true};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < kRowsPerColumn; ++r) {
            const int row = kRowsPerColumn * c + r;
            // Placeholders: a label is always given its text before it is shown.
            controls[n++] = {
                kFirstLabelId + row, ControlKind::Static, "Static", kLabelX[c], 14 + 16 * r, 68, 8, false};
            controls[n++] = {
                kFirstListId + row, ControlKind::DropDownList, "", kListX[c], 12 + 16 * r, 79, 70, false};
        }
    }
    controls[n++] = {kOkId, ControlKind::DefaultPushButton, "OK", 149, 337, 50, buttonHeight, true};
    controls[n++] = {kCancelId, ControlKind::PushButton, "Cancel", 283, 337, 50, buttonHeight, true};
    return controls;
}

inline constexpr auto kRylConfigBitsControls = ConfigBitsControls(kRylTraits.buttonHeightUnits);
inline constexpr auto kMardConfigBitsControls = ConfigBitsControls(kMardTraits.buttonHeightUnits);

constexpr dialoglib::DialogTemplate ConfigBitsTemplate(Variant variant) {
    return {"Configuration Bits",
            527,
            355,
            "宋体",
            9,
            variant == Variant::Ryl ? std::span<const dialoglib::ControlTemplate>(kRylConfigBitsControls)
                                    : std::span<const dialoglib::ControlTemplate>(kMardConfigBitsControls)};
}

}  // namespace tovrin::optionlib
