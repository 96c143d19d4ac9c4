#include "client/common/orbel_image.h"

orbel_image::~orbel_image() = default;

const QPixmap& orbel_image::pixmap() {
    if (pixmap_.isNull() && !image_.isNull()) pixmap_ = QPixmap::fromImage(image_);
    return pixmap_;
}

std::unique_ptr<orbel_image> orbel_image_from_memory(QByteArray bytes) {
    if (bytes.isEmpty()) return nullptr;
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) return nullptr;
    return std::make_unique<orbel_image>(std::move(bytes), std::move(image));
}
