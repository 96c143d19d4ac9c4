#include "gui/orbel_encode.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

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
    return image.convertToFormat(QImage::Format_ARGB32)
        .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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

bool encode_bytes_boxed(const QByteArray& bytes, int box_width, int box_height, QByteArray& out) {
    out.clear();
    if (bytes.size() > orbel_max_picture_bytes) return false;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImage image = read_image(&buffer);
    if (image.isNull()) return false;
    const qint64 w = image.width(), h = image.height(), a = box_width, b = box_height;
    if (w > a || h > b) {
        // The smallest size of the picture's proportions that covers the
        // box; a picture that would have to grow to cover it keeps its size.
        qint64 tw, th;
        if (w * b > h * a) {
            tw = w * b / h;
            th = b;
        } else {
            tw = a;
            th = h * a / w;
        }
        if (tw <= w && th <= h) image = scale(image, int(tw), int(th), false);
    }
    return encode_jpeg(image, out);
}
