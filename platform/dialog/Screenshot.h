#pragma once

#include <QImage>
#include <filesystem>

#include "platform/system/Result.h"

class QWidget;

namespace tovrin::dialog {

// The widget as it would be drawn on screen (also when hidden or offscreen).
QImage RenderWidget(QWidget& widget);

// Writes the rendering as PNG; the file is either replaced whole or untouched.
Status SaveWidgetPng(QWidget& widget, const std::filesystem::path& file);

}  // namespace tovrin::dialog
