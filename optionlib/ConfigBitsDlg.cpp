#include "optionlib/ConfigBitsDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "dialoglib/TemplateBuilder.h"
#include "optionlib/ConfigBitsLayout.h"
#include "optionlib/ConfigBitsTemplate.h"
#include "optionlib/IniFile.h"
#include "optionlib/OptionValues.h"

namespace tovrin::optionlib {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A static control breaks lines at CR LF and at a lone CR or LF alike.
QString LabelText(const std::string& text) {
    QString label = FromUtf8(text);
    label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    label.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return label;
}

}  // namespace

CConfigBitsDlg::CConfigBitsDlg(Variant variant, std::string descriptionPath, const RylInput& rylInput,
                               uint16_t mardFirstWord, QWidget* parent)
    : QDialog(parent), variant_(variant), path_(std::move(descriptionPath)) {
    dialoglib::BuildFromTemplate(*this, ConfigBitsTemplate(variant));
    auto* ok = dialoglib::ControlById<QPushButton>(*this, kOkId);
    auto* cancel = dialoglib::ControlById<QPushButton>(*this, kCancelId);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    CIniFile ini;
    ini.Open(path_);
    values_ = StartingValues(ini, variant_, rylInput, mardFirstWord);
    const OptionDescription description = ReadOptionDescription(ini, variant_, values_.size());
    const std::vector<int> choices = InitialChoices(description, values_);
    rowCount_ = description.rows.size();
    for (std::size_t r = 0; r < rowCount_; ++r) {
        const FieldRow& row = description.rows[r];
        auto* label = dialoglib::ControlById<QLabel>(*this, kFirstLabelId + static_cast<int>(r));
        label->setText(LabelText(DisplayLabel(row)));
        label->show();
        QComboBox* list = List(r);
        list->show();
        for (const OptionChoice& choice : row.choices) list->addItem(FromUtf8(DisplayChoice(choice)));
        list->setCurrentIndex(choices[r]);
    }
    LayOut();
}

QComboBox* CConfigBitsDlg::List(std::size_t row) const {
    return dialoglib::ControlById<QComboBox>(*this, kFirstListId + static_cast<int>(row));
}

void CConfigBitsDlg::LayOut() {
    auto* ok = dialoglib::ControlById<QPushButton>(*this, kOkId);
    const QRect firstLabel = dialoglib::ControlById<QLabel>(*this, kFirstLabelId)->geometry();
    const QRect firstList = List(0)->geometry();
    const int rows = static_cast<int>(rowCount_);
    const QRect reference = List(static_cast<std::size_t>(ReferenceRow(rows)))->geometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const ConfigBitsLayout layout = ComputeConfigBitsLayout(
        {rows, firstLabel.left(), firstList.left() + firstList.width(), reference.top() + reference.height(),
         ok->width(), ok->height(), frame.width(), frame.height()},
        variant_);

    setFixedSize(layout.clientWidth, layout.clientHeight);
    const auto place = [](QWidget* widget, const PixelRect& rect) {
        widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    };
    place(dialoglib::ControlById<QGroupBox>(*this, kGroupBoxId), layout.groupBox);
    place(ok, layout.ok);
    place(dialoglib::ControlById<QPushButton>(*this, kCancelId), layout.cancel);

    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!parentWidget() && screen) {
        QRect centred(QPoint(), QSize(layout.windowWidth, layout.windowHeight));
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
}

void CConfigBitsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The host may have no window of its own: take the keyboard, so that
    // Enter and Escape answer the dialog at once.
    activateWindow();
    raise();
    if (rowCount_ > 0) {
        List(0)->setFocus(Qt::ActiveWindowFocusReason);
    } else {
        dialoglib::ControlById<QPushButton>(*this, kOkId)->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void CConfigBitsDlg::accept() {
    // The file is read afresh, as the rows were built from it.
    CIniFile ini;
    ini.Open(path_);
    const OptionDescription description = ReadOptionDescription(ini, variant_, values_.size());
    std::vector<int> choices(description.rows.size(), kNoChoice);
    for (std::size_t r = 0; r < choices.size() && r < rowCount_; ++r) choices[r] = List(r)->currentIndex();
    values_ = ComposeValues(description, values_, choices);
    if (variant_ == Variant::Ryl) {
        addresses_ = ReadWordAddresses(ini, variant_, values_.size());
        fileOptionWords_ =
            static_cast<uint16_t>(ini.GetInt(TraitsOf(variant_).mainSection, "OptionWords", 0));
    }
    QDialog::accept();
}

}  // namespace tovrin::optionlib
