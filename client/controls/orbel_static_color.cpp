#include "client/controls/orbel_static_color.h"

#include <QMouseEvent>
#include <QPainter>

#include "client/common/orbel_fatal.h"
#include "client/controls/orbel_select_color.h"

orbel_static_color::orbel_static_color(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void orbel_static_color::set_color(int color) {
    color_ = color & 0xFFFFFF;
    update();
}

void orbel_static_color::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), QColor::fromRgb(QRgb(color_))); }

void orbel_static_color::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    orbel_select_color picker(color_, window());
    if (picker.exec() != QDialog::Accepted || orbel_ending()) return;
    set_color(picker.color());
    emit color_chosen(color_);
}
