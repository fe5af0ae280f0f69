#pragma once

#include "platform/dialog/Dialog.h"
#include "ui/Version.h"

namespace tovrin::ui {

namespace about_template {
// clang-format off
inline constexpr dialog::ControlTemplate kControls[] = {
    {dialog::kNoControlId, dialog::ControlKind::Static, "", 14, 14, 21, 20},  // the program icon
    {dialog::kNoControlId, dialog::ControlKind::Static, kAboutVersionLine, 42, 14, 114, 8},
    {dialog::kOkId, dialog::ControlKind::PushButton, "OK", 113, 41, 50, 14, dialog::flag::kDefaultButton},
};
// clang-format on
}  // namespace about_template

inline constexpr dialog::DialogTemplate kAboutTemplate{100,
                                                       "关于...",
                                                       0,
                                                       0,
                                                       170,
                                                       62,
                                                       {"MS Shell Dlg", 8},
                                                       dialog::dialog_flag::kCentered,
                                                       about_template::kControls};

// The about box: the program's name and version, closed with OK or Escape.
class CAboutDlg : public dialog::Dialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr) : dialog::Dialog(kAboutTemplate, parent) {}
};

}  // namespace tovrin::ui
