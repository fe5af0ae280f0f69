#include "ui/CProgress.h"

#include <cstdint>

namespace tovrin::ui {

CProgress::CProgress(QWidget* owner) : dialog::Dialog(kProgressTemplate, owner) {}

void CProgress::OnInitDialog() {
    setWindowTitle(QStringLiteral("Progress"));
}

void CProgress::SetTotal(int total) {
    total_ = total;
    // The bar's range takes a 16-bit maximum.
    SetProgressRange(progress_template::kProgressBar, 1, static_cast<uint16_t>(total));
    SetProgressPosition(progress_template::kProgressBar, 0);
}

void CProgress::ShowPosition(int position) {
    setWindowTitle(QString::asprintf("Progress :  %d / %d", position, total_));
    SetProgressPosition(progress_template::kProgressBar, position);
}

}  // namespace tovrin::ui
