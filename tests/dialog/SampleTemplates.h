#pragma once

#include "platform/dialog/DialogTemplate.h"

namespace tovrin::dialog::testing {

// A small dialog with every kind of control, in the manner of the main dialog.
inline constexpr ControlTemplate kSampleControls[] = {
    {1000, ControlKind::Edit, "", 7, 10, 141, 12, flag::kReadOnly | flag::kAutoScroll},
    {1002, ControlKind::PushButton, "选择文件...", 149, 9, 46, 13},
    {kNoControlId, ControlKind::Static, "校验和:", 206, 13, 29, 8},
    {1050, ControlKind::Static, "XXXX", 233, 13, 20, 8},
    {kNoControlId, ControlKind::GroupBox, "", 202, 32, 127, 49},
    {kNoControlId, ControlKind::Static, "固件版本", 208, 46, 34, 14},
    {1009, ControlKind::ComboBox, "", 247, 44, 75, 117, flag::kDisabled | flag::kVerticalScroll},
    {kNoControlId, ControlKind::Static, "芯片名称", 208, 62, 36, 14},
    {1029, ControlKind::ComboBox, "", 247, 61, 75, 117, flag::kVerticalScroll | flag::kSorted},
    {kNoControlId, ControlKind::GroupBox, "滚码设置（16进制）", 8, 89, 186, 64},
    {1034, ControlKind::CheckBox, "滚码使能", 14, 101, 46, 10},
    {1031, ControlKind::RadioButton, "1地址", 72, 133, 28, 13, flag::kGroupStart},
    {1041, ControlKind::HexEdit, "", 101, 134, 22, 14, flag::kDisabled},
    {1016, ControlKind::RadioButton, "2地址", 72, 117, 27, 13},
    {1035, ControlKind::HexEdit, "", 101, 116, 23, 14, flag::kDisabled | flag::kReadOnly},
    {1015, ControlKind::RadioButton, "3地址", 13, 133, 28, 13},
    {1012, ControlKind::RadioButton, "4地址", 13, 117, 27, 11},
    {kNoControlId, ControlKind::GroupBox, "编程设置", 202, 89, 128, 32, flag::kGroupStart},
    {1024, ControlKind::CheckBox, "校验", 211, 103, 31, 10},
    {1026, ControlKind::CheckBox, "烧录", 241, 103, 29, 10},
    {1028, ControlKind::CheckBox, "测试", 302, 103, 27, 10, flag::kDisabled},
    {1103, ControlKind::RadioButton, "8", 211, 125, 20, 10, flag::kGroupStart},
    {1104, ControlKind::RadioButton, "10", 241, 125, 20, 10},
    {1005, ControlKind::Edit, "", 8, 158, 186, 70,
     flag::kMultiLine | flag::kReadOnly | flag::kVerticalScroll},
    {1051, ControlKind::Static, "未连接", 129, 171, 56, 10, flag::kHidden},
    {1063, ControlKind::ProgressBar, "", 208, 140, 119, 10, flag::kFrame},
    {8000, ControlKind::ComboBox, "", 130, 190, 60, 50, flag::kDropDownList},
    {1000 + 8, ControlKind::TabControl, "", 208, 190, 60, 30},
    {3, ControlKind::PushButton, "芯片校验和", 278, 202, 47, 19},
    {1, ControlKind::PushButton, "下载", 208, 162, 119, 22, flag::kDisabled},
};

inline constexpr DialogTemplate kSampleTemplate{
    102, "样例", 0, 0, 338, 235, {"Microsoft Sans Serif", 10}, dialog_flag::kSizingBorder, kSampleControls};

// A small modal dialog with OK and Cancel, in the manner of the about box.
inline constexpr ControlTemplate kOkCancelControls[] = {
    {1100, ControlKind::Edit, "", 7, 7, 100, 12},
    {kOkId, ControlKind::PushButton, "确定", 20, 41, 50, 14, flag::kDefaultButton},
    {kCancelId, ControlKind::PushButton, "取消", 113, 41, 50, 14},
};

inline constexpr DialogTemplate kOkCancelTemplate{
    100, "关于...", 0, 0, 170, 62, {"MS Shell Dlg", 8}, dialog_flag::kNone, kOkCancelControls};

// A tab page and the dialog that holds it, in the manner of a device picker.
inline constexpr ControlTemplate kPageControls[] = {
    {1003, ControlKind::ComboBox, "", 50, 7, 81, 57, flag::kDropDownList | flag::kVerticalScroll},
    {kNoControlId, ControlKind::Static, "Device", 16, 9, 24, 8},
};
inline constexpr DialogTemplate kPageTemplate{
    1001, "", 0, 0, 187, 99, {"宋体", 9}, dialog_flag::kChild, kPageControls};

inline constexpr ControlTemplate kTabbedControls[] = {
    {kOkId, ControlKind::PushButton, "OK", 100, 80, 44, 14, flag::kDefaultButton},
    {kCancelId, ControlKind::PushButton, "Cancel", 150, 80, 44, 14},
    {1000, ControlKind::TabControl, "", 7, 7, 187, 70},
};
inline constexpr DialogTemplate kTabbedTemplate{
    1000, "Pickwell", 0, 0, 201, 101, {"宋体", 9}, dialog_flag::kNone, kTabbedControls};

}  // namespace tovrin::dialog::testing
