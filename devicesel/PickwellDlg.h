#pragma once

#include <QDialog>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QComboBox;

namespace tovrin::devicesel {

// The "Device" page: the definition files' titles, one opening selected.
class CDevicePage : public QWidget {
public:
    CDevicePage(const std::filesystem::path& baseDirectory, const std::string& preselected, QWidget* parent);
    // The selected entry's title as the file names it (empty without one).
    std::string CurrentText() const;
    QComboBox* List() const { return list_; }

private:
    std::vector<std::string> titles_;
    QComboBox* list_ = nullptr;
};

class CPickwellDlg : public QDialog {
public:
    CPickwellDlg(const std::filesystem::path& baseDirectory, const std::string& preselected,
                 QWidget* parent = nullptr);

    // Made on OK when an entry was chosen.
    const std::optional<std::string>& Result() const { return result_; }
    CDevicePage& Page() const { return *page_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CDevicePage* page_ = nullptr;
    std::optional<std::string> result_;
};

}  // namespace tovrin::devicesel
