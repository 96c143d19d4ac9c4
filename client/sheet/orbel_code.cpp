#include "client/sheet/orbel_code.h"

#include <qrencode.h>

#include <QPainter>

orbel_code::orbel_code(QWidget* parent) : QWidget(parent) {}

QByteArray orbel_code::payload(const vux_string& site_id) {
    return QByteArray("varnek quellmark 1.0 a ") + QByteArray(site_id.data(), site_id.length());
}

QImage orbel_code::image_of(int width, const unsigned char* modules) {
    QImage image(width * module_pixels, width * module_pixels, QImage::Format_RGB888);
    QPainter painter(&image);
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            painter.fillRect(x * module_pixels, y * module_pixels, module_pixels, module_pixels,
                             (modules[y * width + x] & 1) ? Qt::black : Qt::white);
    return image;
}

void orbel_code::render(const vux_string& site_id) {
    image_ = QImage();
    const QByteArray data = payload(site_id);
    QRcode* code =
        QRcode_encodeData(int(data.size()), reinterpret_cast<const unsigned char*>(data.constData()), 0, QR_ECLEVEL_L);
    if (code) {
        image_ = image_of(code->width, code->data);
        QRcode_free(code);
    }
    update();
}

bool orbel_code::save(const QString& path) const { return !image_.isNull() && image_.save(path, "PNG"); }

void orbel_code::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, Qt::white);
    // The 3-D frame: light on the top and left, grey on the bottom and right.
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (image_.isNull()) return;
    painter.drawImage(r.left() + (r.width() - image_.width()) / 2, r.top() + (r.height() - image_.height()) / 2,
                      image_);
}
