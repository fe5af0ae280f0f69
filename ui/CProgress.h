#pragma once

#include "platform/dialog/Dialog.h"

namespace tovrin::ui {

namespace progress_template {
inline constexpr int kProgressBar = 1063;
// clang-format off
inline constexpr dialog::ControlTemplate kControls[] = {
    {kProgressBar, dialog::ControlKind::ProgressBar, "", 0, 5, 214, 14, dialog::flag::kFrame},
};
// clang-format on
}  // namespace progress_template

// Dialog 143, placed relative to its owner's client area.
inline constexpr dialog::DialogTemplate kProgressTemplate{143,
                                                          "进度显示",
                                                          80,
                                                          80,
                                                          214,
                                                          25,
                                                          {"System", 10},
                                                          dialog::dialog_flag::kPositioned,
                                                          progress_template::kControls};

// The download's progress window: created hidden with the main window,
// shown for the image packets of each download.
class CProgress : public dialog::Dialog {
    Q_OBJECT
public:
    explicit CProgress(QWidget* owner);

    void SetTotal(int total);
    void ShowPosition(int position);
    int Total() const { return total_; }

protected:
    void OnInitDialog() override;

private:
    int total_ = 0;
};

}  // namespace tovrin::ui
