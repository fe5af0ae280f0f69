#include "devicesel/PickwellDlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "devicesel/DeviceListing.h"
#include "devicesel/PickwellTemplates.h"
#include "dialoglib/TemplateBuilder.h"
#include "platform/text/GbkText.h"

namespace tovrin::devicesel {

CDevicePage::CDevicePage(const std::filesystem::path& baseDirectory, const std::string& preselected,
                         QWidget* parent)
    : QWidget(parent), titles_(ListDeviceTitles(baseDirectory)) {
    dialoglib::BuildFromTemplate(*this, kDevicePageTemplate);
    list_ = dialoglib::ControlById<QComboBox>(*this, kDeviceListId);
    for (const std::string& title : titles_) list_->addItem(QString::fromStdString(text::GbkToUtf8(title)));
    if (!titles_.empty()) list_->setCurrentIndex(static_cast<int>(PreselectedEntry(titles_, preselected)));
}

std::string CDevicePage::CurrentText() const {
    const int index = list_->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= titles_.size()) return {};
    return titles_[static_cast<std::size_t>(index)];
}

CPickwellDlg::CPickwellDlg(const std::filesystem::path& baseDirectory, const std::string& preselected,
                           QWidget* parent)
    : QDialog(parent) {
    dialoglib::BuildFromTemplate(*this, kPickwellTemplate);
    connect(dialoglib::ControlById<QPushButton>(*this, kOkId), &QPushButton::clicked, this, &QDialog::accept);
    connect(dialoglib::ControlById<QPushButton>(*this, kCancelId), &QPushButton::clicked, this,
            &QDialog::reject);
    auto* tabs = dialoglib::ControlById<QTabWidget>(*this, kTabControlId);
    page_ = new CDevicePage(baseDirectory, preselected, tabs);
    tabs->insertTab(0, page_, QStringLiteral("Device"));
}

void CPickwellDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The host may have no window of its own: take the keyboard, so that
    // Enter and Escape answer the dialog at once.
    activateWindow();
    raise();
    page_->List()->setFocus(Qt::ActiveWindowFocusReason);
}

void CPickwellDlg::accept() {
    const std::string current = page_->CurrentText();
    if (!current.empty()) result_ = ResultFromTitle(current);
    QDialog::accept();
}

}  // namespace tovrin::devicesel
