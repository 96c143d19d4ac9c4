#include "client/start/orbel_banner.h"

#include <QPainter>

#include "client/common/orbel_resources.h"

orbel_banner::orbel_banner(QWidget* parent)
    : QWidget(parent),
      strip_(orbel_load_png_resource(orbel_res_banner_strip)),
      logo_(orbel_load_png_resource(orbel_res_banner_logo)) {}

orbel_banner::~orbel_banner() = default;

QSize orbel_banner::sizeHint() const { return QSize(360, strip_ && strip_->height() > 0 ? strip_->height() : 64); }

void orbel_banner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    if (!strip_ || strip_->width() <= 0) {
        painter.fillRect(area, Qt::white);
        return;
    }
    for (int x = area.left(); x < area.right(); x += strip_->width())
        painter.drawPixmap(x, area.top(), strip_->pixmap());
    if (logo_ && logo_->height() > 0) {
        const int height = area.height() - 16;
        if (height <= 0) return;
        const int width = int(qint64(logo_->width()) * height / logo_->height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRect(area.left() + (area.width() - width) / 2, area.top() + 8, width, height),
                           logo_->pixmap());
    }
}
