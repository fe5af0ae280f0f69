#include "dialoglib/TemplateBuilder.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace tovrin::dialoglib {
namespace {

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void RegisterSubstitutions() {
    static const bool registered = [] {
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei Mono"));
        return true;
    }();
    (void)registered;
}

}  // namespace

QFont TemplateFont(std::string_view face, int points) {
    RegisterSubstitutions();
    QFont font(FromUtf8(face));
    font.setPointSize(points);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    averageWidth_ = (metrics.horizontalAdvance(FromUtf8(kLetters)) / 26 + 1) / 2;
    height_ = metrics.height();
}

int DialogUnits::X(int units) const {
    return units * averageWidth_ / 4;
}

int DialogUnits::Y(int units) const {
    return units * height_ / 8;
}

QString ObjectNameOf(int id) {
    return QStringLiteral("id%1").arg(id);
}

void BuildFromTemplate(QWidget& dialog, const DialogTemplate& dialogTemplate) {
    const QFont font = TemplateFont(dialogTemplate.fontFace, dialogTemplate.fontPoints);
    dialog.setFont(font);
    const DialogUnits units(font);
    if (!dialogTemplate.childPage) {
        dialog.setWindowTitle(FromUtf8(dialogTemplate.caption));
        dialog.setFixedSize(units.X(dialogTemplate.width), units.Y(dialogTemplate.height));
    }

    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = nullptr;
        QRect rect = units.Rect(control.x, control.y, control.width, control.height);
        const QString text = FromUtf8(control.text);
        switch (control.kind) {
            case ControlKind::PushButton:
            case ControlKind::DefaultPushButton: {
                auto* button = new QPushButton(text, &dialog);
                button->setAutoDefault(false);
                button->setDefault(control.kind == ControlKind::DefaultPushButton);
                widget = button;
                break;
            }
            case ControlKind::Static:
                widget = new QLabel(text, &dialog);
                break;
            case ControlKind::DropDownList: {
                auto* list = new QComboBox(&dialog);
                list->setFocusPolicy(Qt::StrongFocus);
                // The template's height is that of the open list; closed,
                // the list is as high as its font needs.
                rect.setHeight(list->sizeHint().height());
                widget = list;
                break;
            }
            case ControlKind::GroupBox:
                widget = new QGroupBox(text, &dialog);
                break;
            case ControlKind::TabControl:
                widget = new QTabWidget(&dialog);
                break;
        }
        widget->setObjectName(ObjectNameOf(control.id));
        widget->setGeometry(rect);
        widget->setVisible(control.visible);
        // A group box only frames its neighbours; beneath them it takes no clicks.
        if (control.kind == ControlKind::GroupBox) widget->lower();
    }
}

}  // namespace tovrin::dialoglib
