#pragma once

#include <QFont>
#include <QString>

#include "platform/dialog/DialogTemplate.h"

namespace tovrin::dialog {

// Maps the Windows faces that templates name to installed faces, once per
// process; needs a QGuiApplication. "宋体" (SimSun) gets a CJK face with
// monospaced Latin glyphs, so hexadecimal dumps line up; the other faces a
// proportional CJK-capable one. Faces the machine has are left alone.
void InstallFontSubstitutions();

// The installed faces chosen for the two roles.
QString MonospacedCjkFace();
QString ProportionalCjkFace();

// The template's font, substitutions installed.
QFont TemplateFont(const FontSpec& spec);

}  // namespace tovrin::dialog
