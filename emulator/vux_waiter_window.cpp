#include "emulator/vux_waiter_window.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

vux_waiter_window::vux_waiter_window(QWidget* client) : QWidget(client) {
    setObjectName("194");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(orbel_client_waiter::size, orbel_client_waiter::size);
    QBitmap mask(size());
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::color1);
        p.drawRoundedRect(rect(), 10, 10);
    }
    setMask(mask);
    spinner_.setObjectName("103");
    spinner_.setInterval(100);
    redraw_.setObjectName("104");
    redraw_.setInterval(50);
    redraw_.setSingleShot(true);
    connect(&spinner_, &QTimer::timeout, this, [this] {
        waiter_.next_frame();
        request_redraw();
    });
    connect(&redraw_, &QTimer::timeout, this, [this] {
        waiter_.render();
        update();
    });
    hide();
}

void vux_waiter_window::recentre() {
    if (parentWidget()) move((parentWidget()->width() - width()) / 2, (parentWidget()->height() - height()) / 2);
}

void vux_waiter_window::show_busy(int mode, int value) {
    if (mode == 0) {
        hide();
        spinner_.stop();  // no turning while nobody sees it
        return;
    }
    if (mode == 1 && !isVisible()) {
        recentre();
        show();
        raise();
    }
    advance(mode, value);
}

void vux_waiter_window::advance(int mode, int value) {
    waiter_.set(mode, value);
    if (mode == 1) {
        if (!spinner_.isActive()) spinner_.start();
        request_redraw();
    } else if (mode == 2) {
        request_redraw();
    } else if (mode == 0) {
        spinner_.stop();
    }
}

void vux_waiter_window::request_redraw() {
    if (!redraw_.isActive()) redraw_.start();
}

void vux_waiter_window::paintEvent(QPaintEvent*) {
    if (waiter_.mode() == 0) return;
    QPainter p(this);
    p.setOpacity(150.0 / 255.0);
    p.drawImage((width() - waiter_.image().width()) / 2, (height() - waiter_.image().height()) / 2, waiter_.image());
}
