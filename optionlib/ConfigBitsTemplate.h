#pragma once

#include <array>

#include "optionlib/OptionDescription.h"
#include "optionlib/Variant.h"
#include "platform/dialog/DialogTemplate.h"

namespace tovrin::optionlib {

inline constexpr int kFirstLabelId = 6000;
inline constexpr int kFirstListId = 8000;
inline constexpr int kGroupBoxId = 10000;

inline constexpr int kConfigBitsControlCount = 2 * kMaxRows + 3;

// Template 5000. The OK and Cancel height differs between the variants.
constexpr std::array<dialog::ControlTemplate, kConfigBitsControlCount> ConfigBitsControls(int buttonHeight) {
    using dialog::ControlKind;
    namespace flag = dialog::flag;
    constexpr int kLabelX[] = {12, 183, 355};
    constexpr int kListX[] = {89, 262, 435};
    std::array<dialog::ControlTemplate, kConfigBitsControlCount> controls{};
    std::size_t n = 0;
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < kRowsPerColumn; ++r) {
            const int row = kRowsPerColumn * c + r;
            controls[n++] = {kFirstListId + row,
                             ControlKind::ComboBox,
                             "",
                             kListX[c],
                             12 + 16 * r,
                             79,
                             70,
                             flag::kDropDownList | flag::kVerticalScroll | flag::kHidden};
        }
    }
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < kRowsPerColumn; ++r) {
            // Placeholders: a label is always given its text before it is shown.
            controls[n++] = {kFirstLabelId + kRowsPerColumn * c + r,
                             ControlKind::Static,
                             "Static",
                             kLabelX[c],
                             14 + 16 * r,
                             68,
                             8,
                             flag::kHidden};
        }
    }
    controls[n++] = {kGroupBoxId, ControlKind::GroupBox, "", 7, 5, 513, 328};
    controls[n++] = {dialog::kOkId, ControlKind::PushButton, "OK", 149, 337, 50,
                     buttonHeight,  flag::kDefaultButton};
    controls[n++] = {dialog::kCancelId, ControlKind::PushButton, "Cancel", 283, 337, 50, buttonHeight};
    return controls;
}

inline constexpr auto kRylConfigBitsControls = ConfigBitsControls(kRylTraits.buttonHeightUnits);
inline constexpr auto kMardConfigBitsControls = ConfigBitsControls(kMardTraits.buttonHeightUnits);

inline constexpr dialog::DialogTemplate kRylConfigBitsTemplate{5000,
                                                               "Configuration Bits",
                                                               0,
                                                               0,
                                                               527,
                                                               355,
                                                               {"宋体", 9},
                                                               dialog::dialog_flag::kCentered,
                                                               kRylConfigBitsControls};
inline constexpr dialog::DialogTemplate kMardConfigBitsTemplate{5000,
                                                                "Configuration Bits",
                                                                0,
                                                                0,
                                                                527,
                                                                355,
                                                                {"宋体", 9},
                                                                dialog::dialog_flag::kCentered,
                                                                kMardConfigBitsControls};

constexpr const dialog::DialogTemplate& ConfigBitsTemplate(Variant variant) {
    return variant == Variant::Ryl ? kRylConfigBitsTemplate : kMardConfigBitsTemplate;
}

}  // namespace tovrin::optionlib
