#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog/Dialog.h"

namespace tovrin::devicesel {

// The "Device" page: the definition files' titles, one opening selected.
class CDevicePage : public dialog::Dialog {
public:
    CDevicePage(std::filesystem::path baseDirectory, std::string preselected, QWidget* parent);
    // The selected entry's title as the file names it (empty without one).
    std::string CurrentText() const;

protected:
    void OnInitDialog() override;
    // Enter, Escape and Tab belong to the outer dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::filesystem::path baseDirectory_;
    std::string preselected_;
    std::vector<std::string> titles_;
};

class CPickwellDlg : public dialog::Dialog {
public:
    CPickwellDlg(std::filesystem::path baseDirectory, std::string preselected, QWidget* parent = nullptr);

    // Made on OK when an entry was chosen.
    const std::optional<std::string>& Result() const { return result_; }
    // Exists once the dialog has been initialised.
    CDevicePage* Page() const { return page_; }

    void accept() override;

protected:
    void OnInitDialog() override;
    void showEvent(QShowEvent* event) override;

private:
    std::filesystem::path baseDirectory_;
    std::string preselected_;
    CDevicePage* page_ = nullptr;
    std::optional<std::string> result_;
};

}  // namespace tovrin::devicesel
