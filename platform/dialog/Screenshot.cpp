#include "platform/dialog/Screenshot.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QWidget>
#include <span>

#include "platform/system/FileIo.h"

namespace tovrin::dialog {

QImage RenderWidget(QWidget& widget) {
    widget.ensurePolished();
    return widget.grab().toImage();
}

Status SaveWidgetPng(QWidget& widget, const std::filesystem::path& file) {
    const QImage image = RenderWidget(widget);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        return Error{"cannot render " + widget.objectName().toStdString() + " as PNG"};
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(png.constData());
    return WriteFileAtomically(file, std::span<const uint8_t>(bytes, static_cast<std::size_t>(png.size())));
}

}  // namespace tovrin::dialog
