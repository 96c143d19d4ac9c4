// Draws the emulator's pictures at build time:
//   orbel_emulator_art <folder>
// - 137.png: the phone frame, 700 x 820 with per-pixel alpha: a rounded body
//   on transparency, the screen opening (193,172)-(507,646) and a round
//   button in (320,673)-(380,733); no text.
// - 208.dat: the image blob, PNG textures back to back, and 208.index, one
//   line per texture: its name, a blank and its 16-character reference
//   (8 lower-case hexadecimal digits of offset, then 8 of size). The
//   document builder turns the index into the document's resource pairs.
// - emoticons/em000.png ... em023.png: the 24 emoticons, 24 x 24.
// - records.json: what the built-in document takes from these, in the
//   builder's JSON form ({"records": [...]}): one resource record pairing
//   each texture name with its reference, and one data record per emoticon
//   (PNG bytes, drawable), named em000.png ... em023.png.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

QImage phone_frame() {
    QImage image(700, 820, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(150.5, 60.5, 399, 748);
    QLinearGradient shell(body.topLeft(), body.topRight());
    shell.setColorAt(0, QColor(48, 52, 60));
    shell.setColorAt(0.5, QColor(78, 84, 96));
    shell.setColorAt(1, QColor(40, 44, 52));
    p.setPen(QPen(QColor(20, 22, 26), 3));
    p.setBrush(shell);
    p.drawRoundedRect(body, 56, 56);
    // a soft highlight along the top edge
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(6, 6, -6, -6), 50, 50);
    // earpiece and camera
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(18, 18, 22));
    p.drawRoundedRect(QRectF(310, 118, 80, 10), 5, 5);
    p.drawEllipse(QPointF(270, 123), 7, 7);
    // the screen's bezel; the client window covers the opening itself
    p.setBrush(QColor(8, 8, 10));
    p.drawRoundedRect(QRectF(185, 164, 330, 490), 8, 8);
    p.setBrush(Qt::black);
    p.drawRect(193, 172, 314, 474);
    // the round button (hides the emulator)
    const QPointF centre(350, 703);
    QRadialGradient knob(centre, 30, QPointF(344, 695));
    knob.setColorAt(0, QColor(110, 116, 128));
    knob.setColorAt(1, QColor(34, 36, 42));
    p.setPen(QPen(QColor(16, 16, 20), 2));
    p.setBrush(knob);
    p.drawEllipse(centre, 28, 28);
    p.setPen(QPen(QColor(210, 214, 222), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(340, 693, 20, 20), 5, 5);
    return image;
}

// A texture the document stretches nine-slice: rounded panel with a
// vertical gradient and a border.
QImage panel(int width, int height, QColor top, QColor bottom, QColor border, qreal radius) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    if (radius == 0 && !border.alpha()) {
        // Bars are tiled side by side: edge to edge, or the seams show.
        p.fillRect(image.rect(), fill);
        return image;
    }
    p.setPen(border.alpha() ? QPen(border, 1) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
    return image;
}

QImage emoticon(int n) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 100, 0), 1));
    p.setBrush(QColor::fromHsv((n * 15) % 60 + 30, 200, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setBrush(QColor(60, 40, 0));
    p.setPen(Qt::NoPen);
    const qreal eye = 1.5 + (n % 3) * 0.5;
    p.drawEllipse(QPointF(8.5, 9.5), eye, eye);
    p.drawEllipse(QPointF(15.5, 9.5), eye, eye);
    // the mouth bends from a frown (0) through flat to a wide smile (23)
    const qreal bend = (n - 8) * 0.6;
    QPainterPath mouth(QPointF(7, 15));
    mouth.quadTo(QPointF(12, 15 + bend), QPointF(17, 15));
    p.setPen(QPen(QColor(60, 40, 0), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
    return image;
}

QByteArray png_bytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "orbel_emulator_art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbel_emulator_art <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder + QStringLiteral("/emoticons"));

    if (!write(folder + QStringLiteral("/137.png"), png_bytes(phone_frame()))) return 1;

    const QColor none(0, 0, 0, 0);
    const struct {
        const char* name;
        QImage image;
    } textures[] = {
        {"__texture_titlebar", panel(24, 32, QColor(74, 144, 226), QColor(28, 88, 170), none, 0)},
        {"__texture_subtitle", panel(24, 24, QColor(236, 240, 246), QColor(206, 214, 226), QColor(180, 190, 206), 0)},
        {"__texture_commandbar", panel(24, 32, QColor(70, 74, 84), QColor(30, 32, 38), none, 0)},
        {"__texture_commandbar_focus", panel(24, 32, QColor(255, 190, 80), QColor(220, 120, 20), none, 4)},
        {"__texture_dialog", panel(24, 24, QColor(255, 255, 255), QColor(236, 240, 246), QColor(90, 110, 140), 6)},
        {"__texture_menu", panel(24, 24, QColor(250, 250, 252), QColor(232, 236, 242), QColor(120, 130, 150), 4)},
        {"__texture_menuitem", panel(24, 24, QColor(120, 176, 240), QColor(60, 120, 210), none, 3)},
        {"__texture_hyperlink",
         panel(24, 20, QColor(255, 255, 255, 0), QColor(255, 255, 255, 0), QColor(60, 110, 200), 3)},
        {"__texture_hyperlink_focus",
         panel(24, 20, QColor(210, 228, 255), QColor(170, 200, 250), QColor(60, 110, 200), 3)},
        {"__texture_proceed", panel(24, 24, QColor(120, 210, 120), QColor(50, 150, 50), QColor(30, 100, 30), 5)},
        {"__texture_progress", panel(24, 12, QColor(130, 200, 255), QColor(40, 120, 220), QColor(30, 80, 160), 5)},
        {"__texture_sending", panel(24, 24, QColor(255, 244, 200), QColor(250, 220, 140), QColor(200, 160, 60), 5)},
        {"__texture_scrollbar_vertical", panel(8, 24, QColor(150, 156, 168), QColor(110, 116, 128), none, 3)},
        {"__texture_scrollbar_horizontal", panel(24, 8, QColor(150, 156, 168), QColor(110, 116, 128), none, 3)},
    };
    QByteArray blob;
    QByteArray index;
    QJsonArray pairs;
    for (const auto& t : textures) {
        const QByteArray bytes = png_bytes(t.image);
        const QByteArray reference = QByteArray::number(qulonglong(blob.size()), 16).rightJustified(8, '0') +
                                     QByteArray::number(qulonglong(bytes.size()), 16).rightJustified(8, '0');
        index += QByteArray(t.name) + ' ' + reference + '\n';
        pairs << QString::fromLatin1(t.name) << QString::fromLatin1(reference);
        blob += bytes;
    }
    if (!write(folder + QStringLiteral("/208.dat"), blob) || !write(folder + QStringLiteral("/208.index"), index))
        return 1;

    constexpr int resource_type = 1014, data_type = 1003, drawable = 1, png_format = 2;
    QJsonArray records;
    records << QJsonObject{
        {"class", "vux_resource"}, {"type", resource_type}, {"fields", QJsonObject{{"pairs", pairs}}}};
    for (int n = 0; n < 24; ++n) {
        const QString name = QStringLiteral("em%1.png").arg(n, 3, 10, QChar(u'0'));
        const QByteArray bytes = png_bytes(emoticon(n));
        if (!write(folder + QStringLiteral("/emoticons/") + name, bytes)) return 1;
        records << QJsonObject{{"class", "vux_data"},
                               {"type", data_type},
                               {"fields", QJsonObject{{"flags", drawable},
                                                      {"format", png_format},
                                                      {"name", name},
                                                      {"bytes", QString::fromLatin1(bytes.toHex())}}}};
    }
    const QByteArray json = QJsonDocument(QJsonObject{{"records", records}}).toJson(QJsonDocument::Indented);
    return write(folder + QStringLiteral("/records.json"), json) ? 0 : 1;
}
