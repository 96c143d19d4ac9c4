#include "client/controls/orbel_grid.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

int orbel_grid_columns(const orbel_cell_template& t, int width) {
    if (t.right <= 0) return 1;
    return std::max(1, (width - t.left) / t.right);
}

int orbel_grid_margin(const orbel_cell_template& t, int width) {
    const int columns = orbel_grid_columns(t, width);
    return (width - (t.right - t.left) * columns - t.left * (columns - 1)) / 2;
}

QRect orbel_grid_cell(const orbel_cell_template& t, int width, int i) {
    const int columns = orbel_grid_columns(t, width);
    const int x = orbel_grid_margin(t, width) + (i % columns) * t.right;
    const int y = t.top + (i / columns) * t.bottom;
    return QRect(x, y, t.right - t.left, t.bottom - t.top);
}

QRect orbel_fit_rect(QSize size, const QRect& box) {
    if (size.isEmpty() || box.isEmpty()) return {};
    qint64 w = box.width();
    qint64 h = qint64(size.height()) * box.width() / size.width();
    if (h > box.height()) {
        h = box.height();
        w = qint64(size.width()) * box.height() / size.height();
    }
    return QRect(box.left() + int((box.width() - w) / 2), box.top() + int((box.height() - h) / 2), int(w), int(h));
}

orbel_grid::orbel_grid(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void orbel_grid::set_template(const orbel_cell_template& t) {
    template_ = t;
    update();
}

int orbel_grid::cell_at(const QPoint& point) const {
    for (int i = 0; i < cell_count(); ++i)
        if (cell_rect(i).contains(point)) return i;
    return -1;
}

void orbel_grid::draw_frame(QPainter& painter, const QRect& cell, QColor color) {
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(-1, -1, 0, 0));
}

void orbel_grid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int i = 0; i < cell_count(); ++i) paint_cell(painter, i, cell_rect(i), i == pressed_);
}

void orbel_grid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int cell = cell_at(event->position().toPoint());
    if (cell < 0) return;
    pressed_ = cell;
    captured_ = true;
    grabMouse();
    update();
}

void orbel_grid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ < 0) return;
    if (captured_) {
        releaseMouse();
        captured_ = false;
    }
    const int pressed = pressed_;
    pressed_ = -1;
    update();
    if (cell_rect(pressed).contains(event->position().toPoint())) emit chosen(pressed);
}
