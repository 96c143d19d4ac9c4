#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include "core/vux_string.h"

// The QR code of a site: the payload "varnek quellmark 1.0 a " and the site
// identifier, encoded in byte mode at level L, each module a 10 x 10
// square with no quiet zone; painted unscaled and centred inside a 3-D
// frame on white.
class orbel_code : public QWidget {
    Q_OBJECT
public:
    static constexpr int module_pixels = 10;

    explicit orbel_code(QWidget* parent = nullptr);

    static QByteArray payload(const vux_string& site_id);
    // The picture of a module matrix `width` modules square, one byte per
    // module, dark when bit 0 is set.
    static QImage image_of(int width, const unsigned char* modules);

    // Renders the code of a site; with no symbol from the encoder only the
    // frame is painted.
    void render(const vux_string& site_id);
    const QImage& image() const { return image_; }
    // Saves the code as PNG; false when there is none or the save fails.
    bool save(const QString& path) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
