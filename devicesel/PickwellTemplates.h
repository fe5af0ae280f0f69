#pragma once

#include "platform/dialog/DialogTemplate.h"

namespace tovrin::devicesel {

inline constexpr int kTabControlId = 1000;
inline constexpr int kDeviceListId = 1003;

// Template 1000, the outer dialog.
inline constexpr dialog::ControlTemplate kPickwellControls[] = {
    {dialog::kOkId, dialog::ControlKind::PushButton, "OK", 100, 80, 44, 14, dialog::flag::kDefaultButton},
    {dialog::kCancelId, dialog::ControlKind::PushButton, "Cancel", 150, 80, 44, 14},
    {kTabControlId, dialog::ControlKind::TabControl, "", 7, 7, 187, 70},
};
inline constexpr dialog::DialogTemplate kPickwellTemplate{
    1000, "Pickwell", 0, 0, 201, 101, {"宋体", 9}, dialog::dialog_flag::kCentered, kPickwellControls};

// Template 1001, the "Device" tab page.
inline constexpr dialog::ControlTemplate kDevicePageControls[] = {
    {kDeviceListId, dialog::ControlKind::ComboBox, "", 50, 7, 81, 57,
     dialog::flag::kDropDownList | dialog::flag::kVerticalScroll},
    {dialog::kNoControlId, dialog::ControlKind::Static, "Device", 16, 9, 24, 8},
};
inline constexpr dialog::DialogTemplate kDevicePageTemplate{
    1001, "", 0, 0, 187, 99, {"宋体", 9}, dialog::dialog_flag::kChild, kDevicePageControls};

}  // namespace tovrin::devicesel
