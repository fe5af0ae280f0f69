#pragma once

#include <array>

#include "dialoglib/DialogTemplate.h"

namespace tovrin::devicesel {

inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;
inline constexpr int kTabControlId = 1000;
inline constexpr int kDeviceListId = 1003;
inline constexpr int kDeviceLabelId = 1004;

// Template 1000, the outer dialog.
inline constexpr std::array kPickwellControls{
    dialoglib::ControlTemplate{kOkId, dialoglib::ControlKind::DefaultPushButton, "OK", 100, 80, 44, 14},
    dialoglib::ControlTemplate{kCancelId, dialoglib::ControlKind::PushButton, "Cancel", 150, 80, 44, 14},
    dialoglib::ControlTemplate{kTabControlId, dialoglib::ControlKind::TabControl, "", 7, 7, 187, 70},
};
inline constexpr dialoglib::DialogTemplate kPickwellTemplate{"Pickwell", 201, 101,
                                                             "宋体",     9,   kPickwellControls};

// Template 1001, the "Device" tab page.
inline constexpr std::array kDevicePageControls{
    dialoglib::ControlTemplate{kDeviceListId, dialoglib::ControlKind::DropDownList, "", 50, 7, 81, 57},
    dialoglib::ControlTemplate{kDeviceLabelId, dialoglib::ControlKind::Static, "Device", 16, 9, 24, 8},
};
inline constexpr dialoglib::DialogTemplate kDevicePageTemplate{"",  187, 99, "宋体", 9, kDevicePageControls,
                                                               true};

}  // namespace tovrin::devicesel
