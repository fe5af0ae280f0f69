#include "platform/dialog/DialogBuilder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/TextConversion.h"

namespace tovrin::dialog {
namespace {

// Check boxes and radio buttons with the indicator size and label gap of
// the classic dialogs, whose templates leave room for no more.
class ClassicIndicatorStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
                return 13;
            case PM_CheckBoxLabelSpacing:
            case PM_RadioButtonLabelSpacing:
                return 3;
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QStyle* IndicatorStyle() {
    // One per application; it goes with the application object.
    static QPointer<ClassicIndicatorStyle> style;
    if (style.isNull()) {
        style = new ClassicIndicatorStyle;
        style->setParent(qApp);
    }
    return style;
}

// The CJK faces standing in for the Windows ones are a little wider; a check
// box or radio button grows to its text rather than cutting it off.
void FitIndicatorText(QAbstractButton* button, QRect& pixels) {
    button->setStyle(IndicatorStyle());
    pixels.setWidth(std::max(pixels.width(), button->sizeHint().width()));
}

QWidget* BuildEdit(const ControlTemplate& c, QWidget* parent, const QString& text) {
    if (c.Has(flag::kMultiLine)) {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly(c.Has(flag::kReadOnly));
        edit->setTabChangesFocus(true);
        edit->setLineWrapMode(c.Has(flag::kAutoScroll) ? QPlainTextEdit::NoWrap
                                                       : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(c.Has(flag::kVerticalScroll) ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return edit;
    }
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(c.Has(flag::kReadOnly));
    return edit;
}

QWidget* BuildStatic(const ControlTemplate& c, QWidget* parent, const QString& text) {
    if (c.Has(flag::kFrame)) {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        return frame;
    }
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // Labels, like group boxes, never take a click from the control below.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QWidget* BuildCombo(const ControlTemplate& c, QWidget* parent, QRect& pixels) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(!c.Has(flag::kDropDownList));
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The template's height is that of the dropped-down list; the box itself
    // is as high as its font needs.
    const int boxHeight = combo->sizeHint().height();
    const int lineHeight = std::max(1, QFontMetrics(combo->font()).height());
    combo->setMaxVisibleItems(std::max(1, (pixels.height() - boxHeight) / lineHeight));
    pixels.setHeight(boxHeight);
    return combo;
}

}  // namespace

QString ObjectNameFor(int id) {
    return QStringLiteral("id%1").arg(id);
}

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int advance =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits::FromLetterAdvance(advance, metrics.height());
}

QRect ToQRect(const PixelRect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

QWidget* BuildControl(const ControlTemplate& c, QWidget* parent, const QRect& pixelRect) {
    const QString text = WithLineFeeds(FromUtf8(c.text));
    QRect pixels = pixelRect;
    QWidget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::Edit:
            widget = BuildEdit(c, parent, text);
            break;
        case ControlKind::Static:
            widget = BuildStatic(c, parent, text);
            break;
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            // Only the template's default button is one; Enter on a focused
            // button is the dialog's business (Dialog::keyPressEvent).
            button->setAutoDefault(false);
            button->setDefault(c.Has(flag::kDefaultButton));
            widget = button;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(text, parent);
            FitIndicatorText(box, pixels);
            widget = box;
            break;
        }
        case ControlKind::RadioButton: {
            // Groups follow the template (see flag::kGroupStart), not the parent.
            auto* radio = new QRadioButton(text, parent);
            radio->setAutoExclusive(false);
            FitIndicatorText(radio, pixels);
            widget = radio;
            break;
        }
        case ControlKind::ComboBox:
            widget = BuildCombo(c, parent, pixels);
            break;
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(text, parent);
            box->setAttribute(Qt::WA_TransparentForMouseEvents);
            widget = box;
            break;
        }
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            widget = bar;
            break;
        }
        case ControlKind::TabControl:
            widget = new QTabWidget(parent);
            break;
        case ControlKind::HexEdit: {
            auto* edit = new CHexEdit(parent);
            edit->setReadOnly(c.Has(flag::kReadOnly));
            widget = edit;
            break;
        }
    }
    if (c.id != kNoControlId) widget->setObjectName(ObjectNameFor(c.id));
    widget->setGeometry(pixels);
    if (c.kind == ControlKind::GroupBox || (c.kind == ControlKind::Static && c.Has(flag::kFrame))) {
        widget->lower();
    }
    widget->setEnabled(!c.Has(flag::kDisabled));
    widget->setVisible(!c.Has(flag::kHidden));
    return widget;
}

}  // namespace tovrin::dialog
