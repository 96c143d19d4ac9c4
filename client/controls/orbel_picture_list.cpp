#include "client/controls/orbel_picture_list.h"

#include <QPainter>

#include "client/common/orbel_image.h"
#include "core/vux_link.h"

orbel_picture_list::orbel_picture_list(QWidget* parent) : orbel_grid(parent) {}

void orbel_picture_list::set_pack(const QByteArray& pack) {
    pack_ = pack;
    entries_ = orbel_pack_index(vux_link(pack_.constData(), int32_t(pack_.size())));
    images_.clear();
    images_.reserve(entries_.size());
    for (int i = 0; i < image_count(); ++i) {
        auto image = orbel_image_from_memory(image_bytes(i));
        images_.push_back(image ? image->image() : QImage());
    }
    update();
}

QByteArray orbel_picture_list::image_bytes(int i) const {
    if (i < 0 || i >= image_count()) return {};
    return pack_.mid(entries_[size_t(i)].offset, entries_[size_t(i)].length);
}

void orbel_picture_list::paint_cell(QPainter& painter, int index, const QRect& cell, bool pressed) {
    const QImage& image = images_[size_t(index)];
    if (image.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(orbel_fit_rect(image.size(), cell), image);
    draw_frame(painter, cell, pressed ? QColor(0xFF, 0, 0) : QColor(Qt::white));
}
