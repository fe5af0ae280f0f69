#include "optionlib/ConfigBitsDlg.h"

#include <QComboBox>
#include <QPushButton>

#include "optionlib/ConfigBitsLayout.h"
#include "optionlib/ConfigBitsTemplate.h"
#include "optionlib/IniFile.h"
#include "optionlib/OptionDescription.h"
#include "optionlib/OptionValues.h"

namespace tovrin::optionlib {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A static control breaks lines at a lone CR as well.
QString LabelText(const std::string& text) {
    QString label = FromUtf8(text);
    label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    label.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return label;
}

}  // namespace

CConfigBitsDlg::CConfigBitsDlg(Variant variant, std::string descriptionPath, const RylInput& rylInput,
                               uint16_t mardFirstWord, QWidget* parent)
    : Dialog(ConfigBitsTemplate(variant), parent),
      variant_(variant),
      path_(std::move(descriptionPath)),
      rylInput_(rylInput),
      mardFirstWord_(mardFirstWord) {}

void CConfigBitsDlg::OnInitDialog() {
    CIniFile ini;
    ini.Open(path_);
    values_ = StartingValues(ini, variant_, rylInput_, mardFirstWord_);
    const OptionDescription description = ReadOptionDescription(ini, variant_, values_.size());
    const std::vector<int> choices = InitialChoices(description, values_);
    rowCount_ = static_cast<int>(description.rows.size());
    for (int r = 0; r < rowCount_; ++r) {
        const FieldRow& row = description.rows[static_cast<std::size_t>(r)];
        SetControlText(kFirstLabelId + r, LabelText(DisplayLabel(row)));
        ShowControl(kFirstLabelId + r, true);
        ShowControl(kFirstListId + r, true);
        for (const OptionChoice& choice : row.choices)
            ComboAdd(kFirstListId + r, FromUtf8(DisplayChoice(choice)));
        SetComboSelection(kFirstListId + r, choices[static_cast<std::size_t>(r)]);
    }
    LayOut();
}

void CConfigBitsDlg::LayOut() {
    QPushButton* ok = PushButton(dialog::kOkId);
    const QRect firstLabel = Control(kFirstLabelId)->geometry();
    const QRect firstList = Control(kFirstListId)->geometry();
    const QRect reference = Control(kFirstListId + ReferenceRow(rowCount_))->geometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const ConfigBitsLayout layout = ComputeConfigBitsLayout(
        {rowCount_, firstLabel.left(), firstList.left() + firstList.width(),
         reference.top() + reference.height(), ok->width(), ok->height(), frame.width(), frame.height()},
        variant_);

    setFixedSize(layout.clientWidth, layout.clientHeight);
    const auto place = [](QWidget* widget, const PixelRect& rect) {
        widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    };
    place(Control(kGroupBoxId), layout.groupBox);
    place(ok, layout.ok);
    place(Control(dialog::kCancelId), layout.cancel);
}

void CConfigBitsDlg::showEvent(QShowEvent* event) {
    Dialog::showEvent(event);
    // The host may have no window of its own: take the keyboard, so that
    // Enter and Escape answer the dialog at once.
    activateWindow();
    raise();
    Control(rowCount_ > 0 ? kFirstListId : dialog::kOkId)->setFocus(Qt::ActiveWindowFocusReason);
}

void CConfigBitsDlg::accept() {
    // The file is read afresh, as the rows were built from it.
    CIniFile ini;
    ini.Open(path_);
    const OptionDescription description = ReadOptionDescription(ini, variant_, values_.size());
    std::vector<int> choices(description.rows.size(), kNoChoice);
    for (int r = 0; r < static_cast<int>(choices.size()) && r < rowCount_; ++r)
        choices[static_cast<std::size_t>(r)] = ComboSelection(kFirstListId + r);
    values_ = ComposeValues(description, values_, choices);
    if (variant_ == Variant::Ryl) {
        addresses_ = ReadWordAddresses(ini, variant_, values_.size());
        fileOptionWords_ =
            static_cast<uint16_t>(ini.GetInt(TraitsOf(variant_).mainSection, "OptionWords", 0));
    }
    Dialog::accept();
}

}  // namespace tovrin::optionlib
