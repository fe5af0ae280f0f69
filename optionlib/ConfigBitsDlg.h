#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "optionlib/OptionDescription.h"
#include "optionlib/StartingValues.h"
#include "optionlib/Variant.h"

class QComboBox;

namespace tovrin::optionlib {

// "Configuration Bits": one list per bit field of the description file,
// opening on the fields' current values; OK composes the new values.
class CConfigBitsDlg : public QDialog {
public:
    CConfigBitsDlg(Variant variant, std::string descriptionPath, const RylInput& rylInput,
                   uint16_t mardFirstWord, QWidget* parent = nullptr);

    // The starting values until OK, the composed ones after it.
    const std::vector<uint16_t>& Values() const { return values_; }
    // Ryl, read on OK: each word's address and the file's OptionWords.
    const std::vector<uint16_t>& Addresses() const { return addresses_; }
    uint16_t FileOptionWords() const { return fileOptionWords_; }
    int RowCount() const { return static_cast<int>(rowCount_); }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Open();
    void LayOut();
    QComboBox* List(std::size_t row) const;

    Variant variant_;
    std::string path_;
    std::vector<uint16_t> values_;
    std::vector<uint16_t> addresses_;
    uint16_t fileOptionWords_ = 0;
    std::size_t rowCount_ = 0;
};

}  // namespace tovrin::optionlib
