#include "client/controls/orbel_color_list.h"

#include <QPainter>

void orbel_color_list::paint_cell(QPainter& painter, int index, const QRect& cell, bool pressed) {
    painter.fillRect(cell, QColor::fromRgb(QRgb(palette[size_t(index)])));
    draw_frame(painter, cell, pressed ? QColor(Qt::black) : QColor(Qt::white));
}
