#include "client/common/orbel_image.h"

#include <QBuffer>
#include <QImageReader>

orbel_image::~orbel_image() = default;

const QPixmap& orbel_image::pixmap() {
    if (pixmap_.isNull() && !image_.isNull()) pixmap_ = QPixmap::fromImage(image_);
    return pixmap_;
}

namespace {

// A PNG is decoded by name only: otherwise the decoder loads every image
// plug-in to ask each whether it reads the bytes, which the program's start
// (its icon and banner) would pay for.
QImage decode(const QByteArray& bytes) {
    if (!bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n"))) return QImage::fromData(bytes);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

std::unique_ptr<orbel_image> orbel_image_from_memory(QByteArray bytes) {
    if (bytes.isEmpty()) return nullptr;
    QImage image = decode(bytes);
    if (image.isNull()) return nullptr;
    return std::make_unique<orbel_image>(std::move(bytes), std::move(image));
}
