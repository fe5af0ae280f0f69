#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogUnits.h"

class QWidget;

namespace tovrin::dialog {

// "id1029": how tests and accessibility tools find a control.
QString ObjectNameFor(int id);

// The base units of a font: the advance of A-Z a-z and the font height.
BaseUnits BaseUnitsOf(const QFont& font);

QRect ToQRect(const PixelRect& rect);

// Creates the widget of one control at the given pixel rectangle of parent,
// with its text, object name and initial state (disabled, hidden, read-only,
// kind styles). Radio-button groups are the caller's (Dialog's) business.
QWidget* BuildControl(const ControlTemplate& control, QWidget* parent, const QRect& pixels);

}  // namespace tovrin::dialog
