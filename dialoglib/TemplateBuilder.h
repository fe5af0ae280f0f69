#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "dialoglib/DialogTemplate.h"

class QWidget;

namespace tovrin::dialoglib {

// The template's font, with the faces templates name mapped once to
// installed ones ("宋体" to a face with monospaced Latin glyphs).
QFont TemplateFont(std::string_view face, int points);

// Dialog units to pixels by the classic rule: x by a quarter of the font's
// average letter width, y by an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }

private:
    int averageWidth_ = 0;
    int height_ = 0;
};

// Builds the template's controls on the widget at fixed positions, each
// named "id<N>", sizes the widget's client area and sets caption and font.
void BuildFromTemplate(QWidget& dialog, const DialogTemplate& dialogTemplate);

QString ObjectNameOf(int id);

// The control of that id on the widget, or null.
template <class Widget>
Widget* ControlById(const QWidget& dialog, int id);

}  // namespace tovrin::dialoglib

#include <QWidget>

template <class Widget>
Widget* tovrin::dialoglib::ControlById(const QWidget& dialog, int id) {
    return dialog.findChild<Widget*>(ObjectNameOf(id));
}
