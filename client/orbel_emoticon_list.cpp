#include "client/orbel_emoticon_list.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <cstdio>

namespace {

constexpr int cell_size = 24;
constexpr int pitch = 32;
constexpr int margin = 8;

}  // namespace

std::vector<std::string> orbel_emoticon_codes(std::string_view list) {
    // Every '[' starts an emoticon, also one inside another's brackets: the
    // grid's cells follow the document's picture numbering "em000.png"...
    // one per '['.
    std::vector<std::string> codes;
    for (size_t at = list.find('['); at != std::string_view::npos; at = list.find('[', at + 1)) {
        const size_t end = list.find(']', at);
        codes.emplace_back(list.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at + 1));
    }
    return codes;
}

std::string orbel_emoticon_picture_name(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "em%03d.png", index);
    return name;
}

QRect orbel_emoticon_cell(int width, int index) {
    const int columns = std::max(1, (width - margin) / pitch);
    const int offset = (width - cell_size * columns - margin * (columns - 1)) / 2;
    const int left = offset + pitch * (index % columns);
    const int top = margin + pitch * (index / columns);
    return QRect(left, top, cell_size, cell_size);
}

orbel_emoticon_list::orbel_emoticon_list(orbel_emoticon_source* source, QPlainTextEdit* target, QWidget* parent)
    : QWidget(parent), target_(target) {
    if (source) codes_ = orbel_emoticon_codes(source->codes());
    pictures_.resize(codes_.size());
    for (size_t i = 0; i < codes_.size(); ++i) {
        const QByteArray bytes = source->picture(orbel_emoticon_picture_name(int(i)));
        if (!bytes.isEmpty()) pictures_[i] = QImage::fromData(bytes);
    }
}

int orbel_emoticon_list::cell_at(QPoint p) const {
    for (int i = 0; i < count(); ++i)
        if (orbel_emoticon_cell(width(), i).contains(p)) return i;
    return -1;
}

void orbel_emoticon_list::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int i = 0; i < count(); ++i) {
        const QRect cell = orbel_emoticon_cell(width(), i);
        const QImage& picture = pictures_[i];
        if (!picture.isNull()) {
            // Fitted, aspect kept, centred the other way.
            QSize fitted = picture.size().scaled(cell.size(), Qt::KeepAspectRatio);
            const QRect target(cell.left() + (cell.width() - fitted.width()) / 2,
                               cell.top() + (cell.height() - fitted.height()) / 2, fitted.width(), fitted.height());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, picture);
        }
        const bool red = i == pressed_ || picture.isNull();
        painter.setPen(QPen(red ? QColor(0xFF, 0, 0) : QColor(0xFF, 0xFF, 0xFF), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.left() - 1, cell.top() - 1, cell_size + 1, cell_size + 1);
    }
}

void orbel_emoticon_list::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = cell_at(e->position().toPoint());
    update();
}

void orbel_emoticon_list::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || pressed_ < 0) return;
    if (orbel_emoticon_cell(width(), pressed_).contains(e->position().toPoint()) && target_) {
        target_->insertPlainText(QString::fromUtf8(codes_[pressed_]));
        target_->setFocus();
    }
    pressed_ = -1;
    update();
}
