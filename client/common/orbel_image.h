#pragma once
#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <memory>

// An image shown from encoded bytes (a PNG resource, a downloaded picture):
// the bytes as they came and the decoded image. A pixmap for drawing is made
// on demand and kept.
class orbel_image {
public:
    orbel_image(QByteArray bytes, QImage image) : bytes_(std::move(bytes)), image_(std::move(image)) {}
    virtual ~orbel_image();

    const QByteArray& bytes() const { return bytes_; }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    const QPixmap& pixmap();

private:
    QByteArray bytes_;
    QImage image_;
    QPixmap pixmap_;
};

// Takes the encoded bytes and decodes them; null when they are empty or no
// image can be decoded from them.
std::unique_ptr<orbel_image> orbel_image_from_memory(QByteArray bytes);
