#include "emulator/orbel_client_waiter.h"

#include <QPainter>
#include <QPainterPath>

static void orbel_waiter_resources() { Q_INIT_RESOURCE(waiter); }

orbel_client_waiter::orbel_client_waiter() : image_(size, size, QImage::Format_ARGB32_Premultiplied) {
    orbel_waiter_resources();
    for (int i = 0; i < frames; ++i) pictures_.emplace_back(QStringLiteral(":/png/%1.png").arg(182 + i));
    image_.fill(Qt::transparent);
}

void orbel_client_waiter::render() {
    image_.fill(Qt::transparent);
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath square;
    square.addRoundedRect(QRectF(0, 0, size, size), 10, 10);
    p.fillPath(square, QColor(0, 0, 0, 0x96));
    if (mode_ == 1) {
        const QImage& picture = pictures_[frame_];
        p.drawImage((size - picture.width()) / 2, (size - picture.height()) / 2, picture);
        last_drawn_ = 0;
    } else if (mode_ == 2) {
        const QRectF ring(15, 15, 50, 50);
        p.setPen(QPen(QColor(0x5A, 0x5A, 0x5A), 4));
        p.drawEllipse(ring);
        // 100 straight after the spinner or after no progress shows the
        // empty ring: the spinner ends with a full value before any progress
        // was drawn. Every other ring keeps its value, even 0.
        if (value_ == 100 && last_drawn_ == 0) return;
        if (value_ > 0) {
            p.setPen(QPen(Qt::white, 4));
            // Clockwise from 3 o'clock: Qt's positive angles turn the other way.
            p.drawArc(ring, 0, -value_ * 360 * 16 / 100);
        }
        last_drawn_ = value_;
    }
}
