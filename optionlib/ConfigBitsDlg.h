#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "optionlib/StartingValues.h"
#include "optionlib/Variant.h"
#include "platform/dialog/Dialog.h"

namespace tovrin::optionlib {

// "Configuration Bits": one list per bit field of the description file,
// opening on the fields' current values; OK composes the new values.
class CConfigBitsDlg : public dialog::Dialog {
public:
    CConfigBitsDlg(Variant variant, std::string descriptionPath, const RylInput& rylInput,
                   uint16_t mardFirstWord, QWidget* parent = nullptr);

    // The starting values until OK, the composed ones after it.
    const std::vector<uint16_t>& Values() const { return values_; }
    // Ryl, read on OK: each word's address and the file's OptionWords.
    const std::vector<uint16_t>& Addresses() const { return addresses_; }
    uint16_t FileOptionWords() const { return fileOptionWords_; }
    int RowCount() const { return rowCount_; }

    void accept() override;

protected:
    void OnInitDialog() override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();

    Variant variant_;
    std::string path_;
    RylInput rylInput_;
    uint16_t mardFirstWord_;
    std::vector<uint16_t> values_;
    std::vector<uint16_t> addresses_;
    uint16_t fileOptionWords_ = 0;
    int rowCount_ = 0;
};

}  // namespace tovrin::optionlib
