#include "devicesel/PickwellDlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QTabWidget>

#include "devicesel/DeviceListing.h"
#include "devicesel/PickwellTemplates.h"
#include "platform/text/GbkText.h"

namespace tovrin::devicesel {

CDevicePage::CDevicePage(std::filesystem::path baseDirectory, std::string preselected, QWidget* parent)
    : Dialog(kDevicePageTemplate, parent),
      baseDirectory_(std::move(baseDirectory)),
      preselected_(std::move(preselected)) {}

void CDevicePage::OnInitDialog() {
    titles_ = ListDeviceTitles(baseDirectory_);
    for (const std::string& title : titles_)
        ComboAdd(kDeviceListId, QString::fromStdString(text::GbkToUtf8(title)));
    if (!titles_.empty())
        SetComboSelection(kDeviceListId, static_cast<int>(PreselectedEntry(titles_, preselected_)));
}

void CDevicePage::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

std::string CDevicePage::CurrentText() const {
    const int index = ComboSelection(kDeviceListId);
    if (index < 0 || static_cast<std::size_t>(index) >= titles_.size()) return {};
    return titles_[static_cast<std::size_t>(index)];
}

CPickwellDlg::CPickwellDlg(std::filesystem::path baseDirectory, std::string preselected, QWidget* parent)
    : Dialog(kPickwellTemplate, parent),
      baseDirectory_(std::move(baseDirectory)),
      preselected_(std::move(preselected)) {}

void CPickwellDlg::OnInitDialog() {
    QTabWidget* tabs = Tabs(kTabControlId);
    page_ = new CDevicePage(baseDirectory_, preselected_, tabs);
    // The tab control sizes its page.
    page_->setMinimumSize(0, 0);
    page_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    page_->Initialize();
    tabs->insertTab(0, page_, QStringLiteral("Device"));
}

void CPickwellDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    // The host may have no window of its own: take the keyboard, so that
    // Enter and Escape answer the dialog at once.
    activateWindow();
    raise();
    page_->Combo(kDeviceListId)->setFocus(Qt::ActiveWindowFocusReason);
}

void CPickwellDlg::accept() {
    const std::string current = page_->CurrentText();
    if (!current.empty()) result_ = ResultFromTitle(current);
    Dialog::accept();
}

}  // namespace tovrin::devicesel
