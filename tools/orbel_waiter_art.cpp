// Draws the busy indicator's twelve spinner frames, PNG 182 to 193: twelve
// spokes around a centre, the lit spoke one step further clockwise in each
// frame, the spokes behind it fading. Run at build time:
//   orbel_waiter_art <folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbel_waiter_art <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    for (int frame = 0; frame < 12; ++frame) {
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(24, 24);
        for (int spoke = 0; spoke < 12; ++spoke) {
            const int behind = (frame - spoke + 12) % 12;
            p.save();
            p.rotate(30.0 * spoke);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 255 - behind * 18));
            p.drawRoundedRect(QRectF(10, -2.5, 12, 5), 2.5, 2.5);
            p.restore();
        }
        p.end();
        const QString name = QString("%1/%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(182 + frame);
        if (!image.save(name, "PNG")) {
            std::fprintf(stderr, "orbel_waiter_art: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
