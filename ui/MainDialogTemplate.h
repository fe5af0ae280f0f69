#pragma once

#include "platform/dialog/DialogTemplate.h"

namespace tovrin::ui {

// Dialog 102, the main window. Radio button 1031 starts the address-count
// group, which the dialog keys by index in the order 1031, 1016, 1015, 1012.
namespace main_template {

using dialog::ControlKind;
using dialog::ControlTemplate;
namespace flag = dialog::flag;
inline constexpr int kNone = dialog::kNoControlId;

// clang-format off
inline constexpr ControlTemplate kControls[] = {
    {1000, ControlKind::Edit,        "",                    7,  10, 141,  12, flag::kReadOnly | flag::kAutoScroll},
    {1002, ControlKind::PushButton,  "选择文件...",         149,   9,  46,  13},
    {kNone, ControlKind::Static,     "校验和:",             206,  13,  29,   8},
    {1050, ControlKind::Static,      "XXXX",                233,  13,  20,   8},
    {kNone, ControlKind::Static,     "配置字: ",            265,  13,  28,   9},
    {1053, ControlKind::Static,      "XXXX XXXX",           293,  13,  38,   9},
    {kNone, ControlKind::GroupBox,   "",                    202,  32, 127,  49},
    {kNone, ControlKind::Static,     "固件版本",            208,  46,  34,  14},
    {1009, ControlKind::ComboBox,    "",                    247,  44,  75, 117, flag::kDisabled | flag::kVerticalScroll},
    {kNone, ControlKind::Static,     "芯片名称",            208,  62,  36,  14},
    {1029, ControlKind::ComboBox,    "",                    247,  61,  75, 117, flag::kVerticalScroll | flag::kSorted},
    {kNone, ControlKind::GroupBox,   "滚码设置（16进制）",    8,  89, 186,  64},
    {1034, ControlKind::CheckBox,    "滚码使能",             14, 101,  46,  10},
    {1012, ControlKind::RadioButton, "4地址",                13, 117,  27,  11},
    {1037, ControlKind::HexEdit,     "",                     43, 117,  23,  14, flag::kDisabled},
    {1016, ControlKind::RadioButton, "2地址",                72, 117,  27,  13},
    {1035, ControlKind::HexEdit,     "",                    101, 116,  23,  14, flag::kDisabled},
    {1114, ControlKind::Static,      "初值",                131, 121,  19,  11},
    {1040, ControlKind::HexEdit,     "",                    150, 117,  32,  14, flag::kDisabled},
    {1015, ControlKind::RadioButton, "3地址",                13, 133,  28,  13},
    {1036, ControlKind::HexEdit,     "",                     43, 133,  23,  14, flag::kDisabled},
    {1031, ControlKind::RadioButton, "1地址",                72, 133,  28,  13, flag::kGroupStart},
    {1041, ControlKind::HexEdit,     "",                    101, 134,  22,  14, flag::kDisabled},
    {1115, ControlKind::Static,      "步长",                132, 137,  16,  11},
    {1039, ControlKind::HexEdit,     "",                    150, 134,  32,  14, flag::kDisabled},
    {kNone, ControlKind::GroupBox,   "编程设置",            202,  89, 128,  32},
    {1024, ControlKind::CheckBox,    "校验",                211, 103,  31,  10},
    {1026, ControlKind::CheckBox,    "烧录",                241, 103,  29,  10},
    {1025, ControlKind::CheckBox,    "查空",                272, 103,  26,  10},
    {1028, ControlKind::CheckBox,    "测试",                302, 103,  27,  10, flag::kDisabled},
    {kNone, ControlKind::GroupBox,   "",                    202, 123, 128,  65},
    {5,    ControlKind::PushButton,  "配置字",              208, 134,  37,  19},
    {1055, ControlKind::PushButton,  "OS 设置",             250, 134,  37,  19},
    {6,    ControlKind::PushButton,  "缓冲区",              291, 134,  37,  19},
    {1,    ControlKind::PushButton,  "下载",                208, 162, 119,  22, flag::kDisabled},
    {1005, ControlKind::Edit,        "",                      8, 158, 186,  70, flag::kMultiLine | flag::kReadOnly},
    {kNone, ControlKind::Static,     "连接状态: ",           98, 172,  34,   8, flag::kHidden},
    {1051, ControlKind::Static,      "未连接",              129, 171,  56,  10, flag::kHidden},
    {kNone, ControlKind::GroupBox,   "",                    203, 189, 128,  39},
    {kNone, ControlKind::Static,     "校验和(ROM):",         30, 208,  47,  11, flag::kHidden},
    {1052, ControlKind::Static,      "XXXX",                 77, 207,  20,   8, flag::kHidden},
    {3,    ControlKind::PushButton,  "芯片校验和",          278, 202,  47,  19},
};
// clang-format on

}  // namespace main_template

// The template's own caption is replaced at initialisation by Version.TXT's first line.
inline constexpr dialog::DialogTemplate kMainDialogTemplate{
    102,
    "Tovrin",
    0,
    0,
    338,
    235,
    {"Microsoft Sans Serif", 10},
    dialog::dialog_flag::kSizingBorder | dialog::dialog_flag::kMinMaxBoxes | dialog::dialog_flag::kCentered,
    main_template::kControls};

}  // namespace tovrin::ui
