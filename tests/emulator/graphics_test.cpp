#include "emulator/vux_le_graphics.h"
#include "emulator/vux_le_window.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>
#include "client/orbel_test_support.h"

namespace {

// One application for the whole test program, shared with the other suites.
QApplication& app = orbel_test_app();

QRgb rgb(const vux_le_graphics& g, int x, int y) { return g.buffer().pixel(x, y) & 0xffffff; }

// 40 x 20: red x 0-15, green 16-23, blue 24-39.
QByteArray stripes() {
    QImage img(40, 20, QImage::Format_RGB32);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 20; ++y) img.setPixel(x, y, x < 16 ? 0xff0000 : x < 24 ? 0x00ff00 : 0x0000ff);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return png;
}

struct blob_window : vux_le_window {
    QByteArray blob, file;
    QByteArray read_file(const char* name) override { return QByteArray(name) == "pic.png" ? file : QByteArray(); }
    QByteArray image_blob() override { return blob; }
};

struct GraphicsFixture : ::testing::Test {
    vux_le_graphics g;
    vux_graphics_table t{};
    GraphicsFixture() {
        g.create_buffers(314, 474);
        t = g.table();
    }
    void rect(int x, int y, int w, int h) {
        t.move_to(t.user, x, y);
        t.set_width(t.user, w);
        t.set_height(t.user, h);
    }
};

TEST_F(GraphicsFixture, fills_outlines_and_gradients) {
    t.set_colour(t.user, 0, 0x80FF0000);
    rect(10, 10, 20, 20);
    t.rectangle(t.user, 1, 0);
    const QColor c = g.buffer().pixelColor(15, 15);
    EXPECT_EQ(c.green(), c.blue());  // red over white at alpha 127
    EXPECT_NEAR(c.green(), 128, 1);
    EXPECT_EQ(c.red(), 255);
    EXPECT_LT(g.buffer().pixelColor(30, 30).green(), 200);  // w + 1, h + 1 covered
    EXPECT_EQ(rgb(g, 31, 31), 0xffffffu);

    t.set_colour(t.user, 1, 0x000000ff);
    rect(50, 50, 10, 5);
    t.rectangle(t.user, 0, 0);
    EXPECT_EQ(rgb(g, 50, 50), 0x0000ffu);
    EXPECT_EQ(rgb(g, 59, 54), 0x0000ffu);  // x + w - 1, y + h - 1
    EXPECT_EQ(rgb(g, 60, 54), 0xffffffu);
    EXPECT_EQ(rgb(g, 55, 52), 0xffffffu);  // hollow

    t.set_colour(t.user, 0, 0x00000000);
    t.set_colour(t.user, 3, 0x00ffffff);
    rect(100, 100, 10, 10);
    t.rectangle(t.user, 1, 1);
    EXPECT_EQ(rgb(g, 100, 100), 0xffffffu);  // the gradient colour on top
    EXPECT_EQ(rgb(g, 100, 105), 0x808080u);  // 255 - 255 * 5 / 10 = 128
    EXPECT_EQ(rgb(g, 100, 110), 0xffffffu);  // h rows only
}

TEST_F(GraphicsFixture, lines_and_shapes) {
    t.set_colour(t.user, 1, 0x00000000);
    t.set_colour(t.user, 3, 0x00ffffff);
    rect(0, 200, 20, 1);
    t.horizontal_line(t.user, 1);
    EXPECT_EQ(rgb(g, 10, 200), 0x000000u);  // line colour in the middle
    EXPECT_EQ(rgb(g, 0, 200), 0xffffffu);   // gradient colour at the end
    rect(0, 210, 20, 1);
    t.horizontal_line(t.user, 0);
    EXPECT_EQ(rgb(g, 19, 210), 0u);
    EXPECT_EQ(rgb(g, 20, 210), 0xffffffu);  // the end pixel is left out

    t.set_colour(t.user, 0, 0x0000ff00);
    rect(100, 300, 40, 40);
    t.triangle(t.user, 4);  // points down
    EXPECT_EQ(rgb(g, 120, 305), 0x00ff00u);
    EXPECT_EQ(rgb(g, 102, 335), 0xffffffu);
    rect(200, 300, 40, 40);
    t.ellipse(t.user, 1, 0, nullptr, 0);
    EXPECT_EQ(rgb(g, 220, 320), 0x00ff00u);
    EXPECT_EQ(rgb(g, 201, 301), 0xffffffu);
}

// Entries 17 and 18 go through the save buffer; 21's outline and 23 cover
// what the rectangle's outline covers; 22's style 2 is a dotted pen of three
// on, three off; drawing keeps inside the clip.
TEST_F(GraphicsFixture, areas_outlines_dotted_lines_and_the_clip) {
    t.set_colour(t.user, 0, 0x00ff0000);
    rect(0, 0, 20, 10);
    t.rectangle(t.user, 1, 0);
    t.save_area(t.user, 0, 0, 10, 10);  // red, saved
    t.set_colour(t.user, 0, 0x000000ff);
    rect(0, 0, 20, 10);
    t.rectangle(t.user, 1, 0);  // blue over it on screen, the save keeps red
    t.restore_area(t.user, 0, 0, 10, 10, 100, 100);
    EXPECT_EQ(rgb(g, 100, 100), 0xff0000u);
    EXPECT_EQ(rgb(g, 109, 109), 0xff0000u);
    EXPECT_EQ(rgb(g, 110, 105), 0xffffffu);
    t.restore_area(t.user, 10, 0, 10, 10, 120, 100);  // never saved: the white it started with
    EXPECT_EQ(rgb(g, 125, 105), 0xffffffu);
    EXPECT_EQ(rgb(g, 5, 5), 0x0000ffu);

    t.set_colour(t.user, 1, 0x00000000);
    rect(20, 20, 30, 20);
    t.round_rectangle(t.user, 0, 6);
    EXPECT_EQ(rgb(g, 35, 20), 0u);  // top edge
    EXPECT_EQ(rgb(g, 35, 39), 0u);  // bottom edge at y + h - 1
    EXPECT_EQ(rgb(g, 49, 30), 0u);  // right edge at x + w - 1
    EXPECT_EQ(rgb(g, 35, 40), 0xffffffu);
    EXPECT_EQ(rgb(g, 50, 30), 0xffffffu);
    EXPECT_EQ(rgb(g, 35, 30), 0xffffffu);  // hollow
    rect(60, 20, 1, 10);
    t.vertical_line(t.user);
    EXPECT_EQ(rgb(g, 60, 20), 0u);
    EXPECT_EQ(rgb(g, 60, 29), 0u);
    EXPECT_EQ(rgb(g, 60, 30), 0xffffffu);  // y + h left out
    rect(0, 50, 14, 1);
    t.horizontal_line(t.user, 2);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(rgb(g, x, 50), (x % 6 < 3 && x < 14) ? 0u : 0xffffffu) << x;

    t.set_clip(t.user, 200, 200, 10, 10);
    t.set_colour(t.user, 0, 0x0000ff00);
    rect(190, 190, 40, 40);
    t.rectangle(t.user, 1, 0);
    EXPECT_EQ(rgb(g, 200, 200), 0x00ff00u);
    EXPECT_EQ(rgb(g, 209, 209), 0x00ff00u);
    EXPECT_EQ(rgb(g, 199, 205), 0xffffffu);
    EXPECT_EQ(rgb(g, 210, 205), 0xffffffu);
    t.restore_area(t.user, 0, 0, 10, 10, 195, 195);  // the copy keeps inside the clip too
    EXPECT_EQ(rgb(g, 196, 196), 0xffffffu);
    EXPECT_EQ(rgb(g, 201, 201), 0xff0000u);
}

// Text: the underline lies at y + text height + 1 under the characters'
// summed widths; an ellipse centres its text and draws its outline in the
// line colour.
TEST_F(GraphicsFixture, underline_ellipse_outline_and_centred_text) {
    t.select_font(t.user, 0, 0);
    const int h = t.text_height(t.user);
    const uint16_t text[] = {u'W', u'i', u'W'};
    const int width = t.char_width(t.user, u'W') * 2 + t.char_width(t.user, u'i');
    t.set_colour(t.user, 2, 0x000000ff);
    rect(10, 100, 100, 30);
    t.text(t.user, text, 3, 1);
    EXPECT_EQ(rgb(g, 10, 100 + h + 1), 0x0000ffu);
    EXPECT_EQ(rgb(g, 10 + width - 1, 100 + h + 1), 0x0000ffu);
    EXPECT_EQ(rgb(g, 10 + width, 100 + h + 1), 0xffffffu);
    EXPECT_EQ(rgb(g, 10, 100 + h + 2), 0xffffffu);  // one pixel thick on this screen

    t.set_colour(t.user, 1, 0x00ff0000);
    rect(150, 100, 60, 40);
    t.ellipse(t.user, 0, 1, text, 3);
    EXPECT_EQ(qRed(g.buffer().pixel(150, 120)), 255);  // the outline's left end
    EXPECT_LT(qGreen(g.buffer().pixel(150, 120)), 200);
    EXPECT_EQ(rgb(g, 152, 102), 0xffffffu);  // outside the ellipse
    // The text's ink lies centred: as much left of the middle as right of it.
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    for (int y = 101; y < 139; ++y)
        for (int x = 152; x < 208; ++x)
            if (qBlue(g.buffer().pixel(x, y)) > 128 && qRed(g.buffer().pixel(x, y)) < 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_LE(left, right);
    EXPECT_NEAR((left + right) / 2.0, 150 + 30, 3);
    EXPECT_GE(top, 100 + (40 - h) / 2);
    EXPECT_LE(bottom, 100 + (40 - h) / 2 + h);
}

TEST_F(GraphicsFixture, textures_and_image_names) {
    const QByteArray png = stripes();
    rect(0, 0, 200, 20);
    t.texture(t.user, 0, 0, nullptr, reinterpret_cast<const uint8_t*>(png.constData()), int(png.size()));
    EXPECT_EQ(rgb(g, 15, 10), 0xff0000u);
    EXPECT_EQ(rgb(g, 16, 10), 0x00ff00u);
    EXPECT_EQ(rgb(g, 183, 10), 0x00ff00u);
    EXPECT_EQ(rgb(g, 184, 10), 0x0000ffu);

    blob_window w;
    w.blob = QByteArray(16, 'x') + png;
    w.file = png;
    g.set_window(&w);
    const QString ref = QStringLiteral("%1%2").arg(16, 8, 16, QChar('0')).arg(png.size(), 8, 16, QChar('0'));
    const QString past = QStringLiteral("%1%2").arg(17, 8, 16, QChar('0')).arg(png.size(), 8, 16, QChar('0'));
    struct row {
        QByteArray name;
        bool drawn;
    } rows[] = {
        {"_x", false}, {"_pic.png", true}, {"_other.png", false}, {ref.toLatin1(), true}, {past.toLatin1(), false}};
    int y = 40;
    for (const row& r : rows) {
        rect(0, y, 40, 20);
        t.image(t.user, r.name.constData(), 0, nullptr, 0, 0, 0, 0);
        EXPECT_EQ(rgb(g, 2, y + 2) == 0xff0000u, r.drawn) << r.name.constData();
        y += 30;
    }
}

TEST_F(GraphicsFixture, decoded_pictures_are_kept_by_content_until_entries_29_and_30) {
    const QByteArray png = stripes();
    auto draw = [&](const QByteArray& bytes) {
        rect(0, 0, 40, 20);
        t.texture(t.user, 0, 0, nullptr, reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
    };
    draw(png);
    draw(QByteArray(png));  // another copy of the same content
    EXPECT_EQ(g.images().count(), 1);
    t.data_replaced(t.user, "x");
    EXPECT_EQ(g.images().count(), 0);
    for (int i = 0; i < 70; ++i) draw(orbel_test_png(4, 4, QColor(i, 0, 0)));
    EXPECT_EQ(g.images().count(), vux_le_image_cache::max_count);
    t.reserved_30(t.user);
    EXPECT_EQ(g.images().count(), 0);

    vux_le_image_cache cache;
    const QByteArray four_mib = orbel_test_png(1024, 1024, Qt::red);
    const QByteArray other = orbel_test_png(1024, 1024, Qt::blue);
    for (const QByteArray* bytes : {&four_mib, &other, &four_mib, &other, &four_mib}) {
        QImage first = cache.decode(reinterpret_cast<const uint8_t*>(bytes->constData()), bytes->size());
        EXPECT_FALSE(first.isNull());
    }
    EXPECT_EQ(cache.count(), 2);
    for (int i = 0; i < 5; ++i) {
        const QByteArray more = orbel_test_png(1024, 1024, QColor(0, i, 0));
        cache.decode(reinterpret_cast<const uint8_t*>(more.constData()), more.size());
    }
    EXPECT_LE(cache.bytes(), vux_le_image_cache::max_bytes);
    EXPECT_EQ(cache.count(), 4);
    const QByteArray huge = orbel_test_png(2100, 2100, Qt::green);  // over 16 MiB decoded: used, not kept
    EXPECT_FALSE(cache.decode(reinterpret_cast<const uint8_t*>(huge.constData()), huge.size()).isNull());
    EXPECT_EQ(cache.count(), 4);
    EXPECT_TRUE(cache.decode(reinterpret_cast<const uint8_t*>("junk"), 4).isNull());
    EXPECT_TRUE(cache.decode(nullptr, 10).isNull());
}

TEST_F(GraphicsFixture, fonts_scale_with_the_screen) {
    EXPECT_EQ(g.scaled(12), 16);
    EXPECT_EQ(g.scaled(0), 0);
    t.select_font(t.user, 0, 0);
    const int h = t.text_height(t.user);
    EXPECT_LE(h, 16);  // the cell of size 0 on this screen
    EXPECT_GE(h, 14);
    t.select_font(t.user, 12, 1);
    EXPECT_GT(t.text_height(t.user), h);
    EXPECT_GT(t.char_width(t.user, u'W'), 0);
    t.set_colour(t.user, 2, 0);
    rect(0, 400, 100, 30);
    const uint16_t text[] = {u'W', u'W', u'W'};
    t.text(t.user, text, 3, 1);
    bool dark = false;
    for (int x = 0; x < 60 && !dark; ++x)
        for (int y = 400; y < 400 + h && !dark; ++y) dark = qGray(g.buffer().pixel(x, y)) < 100;
    EXPECT_TRUE(dark);
}

TEST_F(GraphicsFixture, hostile_geometry_never_crashes) {
    const QByteArray png = stripes();
    const int values[] = {0, -1, -100000, INT_MAX, INT_MIN};
    for (int a : values)
        for (int b : values) {
            rect(a, b, a, b);
            t.set_clip(t.user, b, a, b, a);
            t.rectangle(t.user, 0, 0);
            t.rectangle(t.user, 1, 0);
            t.rectangle(t.user, 1, 1);
            t.round_rectangle(t.user, 1, a);
            t.round_rectangle(t.user, 0, b);
            t.horizontal_line(t.user, 1);
            t.horizontal_line(t.user, 2);
            t.vertical_line(t.user);
            t.triangle(t.user, 2);
            t.ellipse(t.user, 1, 1, nullptr, 0);
            for (int mode = 0; mode <= 5; ++mode)
                t.texture(t.user, mode, 0, nullptr, reinterpret_cast<const uint8_t*>(png.constData()), int(png.size()));
            t.save_area(t.user, a, b, a, b);
            t.restore_area(t.user, a, b, a, b, b, a);
            t.select_font(t.user, a, 0);
            t.text_height(t.user);
        }
    t.text(t.user, nullptr, -1, 1);
    t.texture(t.user, 0, 0, "junk", reinterpret_cast<const uint8_t*>("abc"), 3);  // failed decode
    SUCCEED();
}

}  // namespace
