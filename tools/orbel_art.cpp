// Draws the client's own pictures at build time, into folders of the build
// tree (never kept in the repository): the banner strip (PNG 125), the logo
// over it (PNG 130) and the application icon (PNG 200):
//   orbel_art <folder>
// With --library it draws the pickers' galleries and the list icons: logo/ (32 PNG,
// 64 x 64), background/ (6 JPEG, 640 x 960), tray/ (6 JPEG, 540 x 240) and
// list/201.png .. 204.png (16 x 16). Shapes and gradients only, no font, so
// every run gives the same bytes:
//   orbel_art --library <folder>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>
#include <cstdio>
#include <cstring>

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

// The word "Quellmark" in round strokes from its baseline at (x, base):
// lower case 16 high, Q and the ascenders 28. Lines and arcs only, so the
// logo needs no font on the machine that builds it.
void draw_word(QPainter& p, qreal x, qreal base) {
    const qreal top = base - 16, high = base - 28;
    QPainterPath word;
    auto stem = [&](qreal at, qreal from, qreal to) {
        word.moveTo(at, from);
        word.lineTo(at, to);
    };
    // Q: an oval and its tail
    word.addEllipse(QRectF(x, high, 22, 28));
    word.moveTo(x + 13, base - 8);
    word.lineTo(x + 23, base + 2);
    x += 29;
    // u
    word.moveTo(x, top);
    word.lineTo(x, base - 6);
    word.arcTo(QRectF(x, base - 12, 12, 12), 180, 180);
    stem(x + 12, top, base);
    x += 19;
    // e
    word.moveTo(x, top + 8);
    word.lineTo(x + 13, top + 8);
    word.arcTo(QRectF(x, top, 13, 16), 0, 300);
    x += 20;
    // l l
    stem(x, high, base);
    x += 8;
    stem(x, high, base);
    x += 8;
    // m
    stem(x, top, base);
    for (int arch = 0; arch < 2; ++arch) {
        const qreal left = x + arch * 9;
        word.moveTo(left, top + 5);
        word.arcTo(QRectF(left, top, 9, 10), 180, -180);
        word.lineTo(left + 9, base);
    }
    x += 25;
    // a
    word.addEllipse(QRectF(x, top, 12, 16));
    stem(x + 12, top, base);
    x += 19;
    // r
    stem(x, top, base);
    word.moveTo(x, top + 7);
    word.arcTo(QRectF(x, top, 14, 14), 180, -90);
    x += 14;
    // k
    stem(x, high, base);
    word.moveTo(x + 11, top);
    word.lineTo(x, top + 10);
    word.moveTo(x + 4, top + 7);
    word.lineTo(x + 12, base);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(word);
}

QImage logo() {
    QImage image(236, 56, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw_mark(p, QRectF(4, 4, 60, 48));
    draw_word(p, 78, 42);
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

// The gallery's colours: a hue wheel walked in fixed steps.
QColor gallery_color(int i, int saturation = 200, int value = 230) {
    return QColor::fromHsv((i * 47) % 360, saturation, value);
}

// Icon i: a rounded tile in a gradient with one of eight shapes in white.
QImage gallery_icon(int i) {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 64, 64);
    g.setColorAt(0, gallery_color(i).lighter(130));
    g.setColorAt(1, gallery_color(i).darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setBrush(Qt::white);
    const QRectF c(16, 16, 32, 32);
    QPainterPath path;
    switch (i % 8) {
    case 0: path.addEllipse(c); break;
    case 1: path.addRect(c); break;
    case 2:
        path.moveTo(32, 14);
        path.lineTo(50, 48);
        path.lineTo(14, 48);
        path.closeSubpath();
        break;
    case 3:
        path.moveTo(32, 12);
        path.lineTo(52, 32);
        path.lineTo(32, 52);
        path.lineTo(12, 32);
        path.closeSubpath();
        break;
    case 4:
        path.addRect(QRectF(28, 12, 8, 40));
        path.addRect(QRectF(12, 28, 40, 8));
        path.setFillRule(Qt::WindingFill);
        break;
    case 5:
        path.addEllipse(c);
        path.addEllipse(c.adjusted(8, 8, -8, -8));
        break;
    case 6:
        for (int k = 0; k < 5; ++k) {
            const qreal a = (k * 144 - 90) * 3.14159265358979 / 180;
            const QPointF pt(32 + 20 * std::cos(a), 33 + 20 * std::sin(a));
            k == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        path.closeSubpath();
        path.setFillRule(Qt::WindingFill);
        break;
    default: draw_mark(p, QRectF(12, 14, 40, 36)); break;
    }
    p.drawPath(path);
    // The row of the gallery shows as small dots along the bottom edge.
    for (int k = 0; k <= i / 8; ++k) p.drawEllipse(QPointF(10 + k * 6, 56), 2, 2);
    return image;
}

// A picture of the given size: a vertical gradient with soft circles.
QImage gallery_picture(int i, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width * (i % 2), height);
    g.setColorAt(0, gallery_color(i * 3, 120, 250));
    g.setColorAt(1, gallery_color(i * 3 + 2, 200, 160));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 7; ++k) {
        QColor c = Qt::white;
        c.setAlpha(40 + 10 * k);
        p.setBrush(c);
        const qreal r = std::min(width, height) * (0.08 + 0.03 * ((i + k) % 5));
        p.drawEllipse(QPointF(width * ((k * 37 + i * 11) % 100) / 100.0, height * ((k * 53 + i * 29) % 100) / 100.0), r,
                      r);
    }
    return image;
}

// The list icons: a conversation bubble, filled when read (201) and with a
// dot when unread (202); a member head on a blue (203) or grey (204) disc.
QImage list_icon(int id) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (id == 201 || id == 202) {
        p.setBrush(id == 201 ? QColor(0x90, 0x90, 0x90) : deep);
        p.drawRoundedRect(QRectF(1, 2, 14, 10), 3, 3);
        QPainterPath tail;
        tail.moveTo(4, 11);
        tail.lineTo(3, 15);
        tail.lineTo(8, 11);
        p.drawPath(tail);
        if (id == 202) {
            p.setBrush(QColor(0xE2, 0x1B, 0x1B));
            p.drawEllipse(QPointF(12.5, 3.5), 3, 3);
        }
    } else {
        p.setBrush(id == 203 ? deep : QColor(0xA0, 0xA0, 0xA0));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 6), 3, 3);
        p.drawChord(QRectF(3, 9, 10, 10), 0, 180 * 16);
    }
    return image;
}

bool draw_library(const QDir& out) {
    for (const char* sub : {"logo", "background", "tray", "list"})
        if (!QDir().mkpath(out.filePath(QLatin1String(sub)))) return false;
    auto name = [](int i, const char* suffix) {
        return QStringLiteral("%1.%2").arg(i, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix));
    };
    for (int i = 0; i < 32; ++i)
        if (!gallery_icon(i).save(out.filePath("logo/" + name(i, "png")), "PNG")) return false;
    for (int i = 0; i < 6; ++i) {
        if (!gallery_picture(i, 640, 960).save(out.filePath("background/" + name(i, "jpg")), "JPEG", 90)) return false;
        if (!gallery_picture(i + 6, 540, 240).save(out.filePath("tray/" + name(i, "jpg")), "JPEG", 90)) return false;
    }
    for (int id = 201; id <= 204; ++id)
        if (!list_icon(id).save(out.filePath(QStringLiteral("list/%1.png").arg(id)), "PNG")) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--library") == 0)
        return draw_library(QDir(QString::fromLocal8Bit(argv[2]))) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbel_art <folder> | orbel_art --library <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const bool ok = banner_strip().save(out.filePath("125.png"), "PNG") &&
                    logo().save(out.filePath("130.png"), "PNG") && icon().save(out.filePath("200.png"), "PNG");
    return ok ? 0 : 1;
}
