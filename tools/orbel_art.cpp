// Draws the client's own pictures: the banner strip (PNG 125), the logo over
// it (PNG 130) and the application icon (PNG 200). Their outputs are kept in
// resources/client/png/; rerun after a change:
//   orbel_art resources/client/png
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor deep(0x1B, 0xA1, 0xE2);
const QColor light(0x8F, 0xD3, 0xF4);

QImage banner_strip() {
    QImage image(8, 72, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, image.height());
    g.setColorAt(0, light);
    g.setColorAt(1, deep);
    p.fillRect(image.rect(), g);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(0, image.height() - 1, image.width(), image.height() - 1);
    return image;
}

// A speech bubble holding three member dots: the communities the client runs.
void draw_mark(QPainter& p, const QRectF& box) {
    QPainterPath bubble;
    const QRectF body(box.left(), box.top(), box.width(), box.height() * 0.8);
    bubble.addRoundedRect(body, body.height() * 0.3, body.height() * 0.3);
    QPainterPath tail;
    tail.moveTo(body.left() + body.width() * 0.25, body.bottom() - 1);
    tail.lineTo(body.left() + body.width() * 0.2, box.bottom());
    tail.lineTo(body.left() + body.width() * 0.45, body.bottom() - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(bubble.united(tail));
    p.setBrush(deep);
    const qreal r = body.height() * 0.12;
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(body.left() + body.width() * (0.3 + 0.2 * i), body.center().y()), r, r);
}

QImage logo() {
    QImage image(200, 56, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw_mark(p, QRectF(4, 4, 60, 48));
    // Four bars for the word: the logo needs no font on the machine that builds it.
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(76 + i * 30, 16, 24, 24), 5, 5);
    return image;
}

QImage icon() {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(deep);
    p.drawRoundedRect(QRectF(0, 0, 64, 64), 12, 12);
    draw_mark(p, QRectF(8, 10, 48, 44));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbel_art <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const bool ok = banner_strip().save(out.filePath("125.png"), "PNG") && logo().save(out.filePath("130.png"), "PNG") &&
                    icon().save(out.filePath("200.png"), "PNG");
    return ok ? 0 : 1;
}
