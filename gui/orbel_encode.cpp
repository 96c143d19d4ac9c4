#include "gui/orbel_encode.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

namespace {

QImage read_image(QIODevice* device) {
    QImageReader reader(device);
    reader.setAutoTransform(false);
    return reader.read();
}

}  // namespace

QImage scale(const QImage& image, int width, int height, bool keep_aspect) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return {};
    float fx = float(width) / float(image.width());
    float fy = float(height) / float(image.height());
    if (keep_aspect) fx = fy = std::min(fx, fy);
    const int w = int(float(image.width()) * fx);
    const int h = int(float(image.height()) * fy);
    if (w <= 0 || h <= 0) return {};
    return image.convertToFormat(QImage::Format_ARGB32).scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool encode_jpeg(const QImage& image, QByteArray& out) {
    out.clear();
    if (image.isNull()) return false;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    if (!writer.write(flat)) return false;
    buffer.close();
    out = std::move(bytes);
    return !out.isEmpty();
}

bool encode_file_fitted(const QString& path, QByteArray& out) {
    out.clear();
    if (QFileInfo(path).size() > orbel_max_picture_bytes) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QImage image = read_image(&file);
    if (image.isNull()) return false;
    const qint64 w = image.width(), h = image.height();
    if (w > 640 || h > 960) {
        if (h * 640 < w * 960)
            image = scale(image, 640, int(h * 640 / w), true);
        else
            image = scale(image, int(w * 960 / h), 960, true);
    }
    return encode_jpeg(image, out);
}

QSize orbel_boxed_size(QSize picture, QSize box) {
    const qint64 w = picture.width(), h = picture.height(), a = box.width(), b = box.height();
    if (w <= 0 || h <= 0 || a <= 0 || b <= 0) return {};
    if (w <= a && h <= b) return picture;
    qint64 tw = a, th = h * a / w;
    if (w * b > h * a) {
        tw = w * b / h;
        th = b;
    }
    // Only a strip gets past the bound, and only along its length.
    constexpr qint64 bound = 4;
    if (tw > bound * a) {
        th = std::max<qint64>(1, th * bound * a / tw);
        tw = bound * a;
    }
    if (th > bound * b) {
        tw = std::max<qint64>(1, tw * bound * b / th);
        th = bound * b;
    }
    return QSize(int(tw), int(th));
}

bool encode_bytes_boxed(const QByteArray& bytes, int box_width, int box_height, QByteArray& out) {
    out.clear();
    if (bytes.size() > orbel_max_picture_bytes) return false;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImage image = read_image(&buffer);
    if (image.isNull()) return false;
    const QSize target = orbel_boxed_size(image.size(), QSize(box_width, box_height));
    if (target.isEmpty()) return false;
    if (target != image.size()) image = scale(image, target.width(), target.height(), false);
    return encode_jpeg(image, out);
}
