#include "platform/dialog/DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

#include "platform/dialog/CHexEdit.h"
#include "platform/dialog/TextConversion.h"

namespace tovrin::dialog {
namespace {

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
            button->setDefault(c.Has(flag::kDefaultButton));
            widget = button;
            break;
        }
        case ControlKind::CheckBox:
            widget = new QCheckBox(text, parent);
            break;
        case ControlKind::RadioButton: {
            // Groups follow the template (see flag::kGroupStart), not the parent.
            auto* radio = new QRadioButton(text, parent);
            radio->setAutoExclusive(false);
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
