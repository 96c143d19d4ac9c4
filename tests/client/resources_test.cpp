// Resources, Qt's own texts in Chinese, picture tests, the banner and the
// address lookup dialog.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>

#include "client/common/orbel_resources.h"
#include "client/sheet/orbel_address.h"
#include "client/start/orbel.h"
#include "client/start/orbel_banner.h"
#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "desktop/transport/orbel_qt_translation.h"
#include "gui/orbel_text.h"
#include "orbel_test_support.h"

namespace {

// What both programs load at start: Qt's file chooser and message-box
// buttons speak Chinese. The set-up script installs the translation.
TEST(QtTranslation, qt_own_texts_are_chinese) {
    QApplication& app = orbel_test_app();
    QTranslator* translator = orbel_load_qt_translation(app);
    ASSERT_NE(translator, nullptr) << "qtbase_zh_CN.qm is not installed (scripts/setup.sh installs it)";
    const struct {
        const char* context;
        const char* english;
        const char16_t* chinese;
    } texts[] = {
        {"QPlatformTheme", "OK", u"确定"},          {"QPlatformTheme", "Cancel", u"取消"},
        {"QPlatformTheme", "&Yes", u"是(&Y)"},      {"QPlatformTheme", "&No", u"否(&N)"},
        {"QFileDialog", "Look in:", u"查找范围："}, {"QFileDialog", "File &name:", u"文件名称(&N)："},
    };
    for (const auto& t : texts)
        EXPECT_EQ(QCoreApplication::translate(t.context, t.english), QString::fromUtf16(t.chinese)) << t.english;
    // The other tests of this program see Qt's texts as they were.
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(ImageData, signatures_and_their_lengths) {
    const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a");
    const QByteArray jfif = QByteArray::fromHex("ffd8ffe000104a46494600") + QByteArray(1, 0);
    const struct {
        const char* name;
        QByteArray bytes;
        bool image;
    } cases[] = {
        {"png signature", png, true},
        {"png signature cut to 7 bytes", png.left(7), false},
        {"png with data", png + "IHDR", true},
        {"jpeg of 12 bytes", jfif, true},
        {"jpeg cut to 11 bytes", jfif.left(11), false},
        {"GIF89a", "GIF89a", true},
        {"gif89A", "gif89A", true},
        {"GIF87a", "GIF87a", false},
        {"GIF89 (5 bytes)", "GIF89", false},
        {"empty", QByteArray(), false},
        {"text", "hello world!", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_is_image_data(vux_link(c.bytes.constData(), int32_t(c.bytes.size()))), c.image) << c.name;
}

TEST(Resources, embedded_pictures_load_and_missing_ones_give_null) {
    orbel_test_app();
    for (int id : {orbel_res_banner_strip, orbel_res_banner_logo, orbel_res_icon}) {
        auto image = orbel_load_png_resource(id);
        ASSERT_TRUE(image) << id;
        EXPECT_GT(image->width(), 0);
        EXPECT_TRUE(orbel_is_image_data(vux_link(image->bytes().constData(), int32_t(image->bytes().size()))));
    }
    EXPECT_FALSE(orbel_load_png_resource(999));
    EXPECT_FALSE(orbel_image_from_memory(QByteArray("not a picture")));

    vux_buffer buffer;
    buffer.assign_bytes("keep", 4);
    EXPECT_EQ(orbel_load_dat_resource(999, buffer), nullptr);
    EXPECT_EQ(buffer.length(), 4);  // untouched
}

TEST(Resources, pictures_decode_from_their_bytes_whatever_the_format) {
    orbel_test_app();
    QImage picture(5, 3, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    auto encoded = [&](const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format);
        return bytes;
    };
    const QByteArray png = encoded("PNG");
    const struct {
        const char* name;
        QByteArray bytes;
        bool decodes;
    } cases[] = {
        {"PNG", png, true},
        {"JPEG", encoded("JPEG"), true},
        {"BMP", encoded("BMP"), true},
        {"PNG cut short", png.left(png.size() / 2), false},
        {"PNG signature only", png.left(8), false},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.name;
        auto image = orbel_image_from_memory(c.bytes);
        ASSERT_EQ(bool(image), c.decodes) << c.name;
        if (!image) continue;
        EXPECT_EQ(image->image().size(), QSize(5, 3)) << c.name;
        EXPECT_EQ(image->bytes(), c.bytes) << c.name;
    }
}

TEST(Resources, folders_end_with_exactly_one_separator) {
    orbel_test_app();
    EXPECT_TRUE(orbel_get_module_dir().endsWith('/'));
    EXPECT_FALSE(orbel_get_module_dir().endsWith("//"));
    const QString book = orbel_address_book_path();
    EXPECT_TRUE(book.endsWith("/vux_ab.txt"));
    EXPECT_FALSE(book.endsWith("//vux_ab.txt"));
}

TEST(Text, conversions_between_window_text_and_utf8) {
    vux_string bytes;
    orbel_cstring_to_vux_string(QString::fromUtf16(u"\u4e2d"), bytes);
    EXPECT_EQ(QByteArray(bytes.data(), bytes.length()).toHex(), "e4b8ad");
    QString back;
    orbel_vux_string_to_cstring(bytes, back);
    EXPECT_EQ(back, QString::fromUtf16(u"\u4e2d"));
}

TEST(Banner, strip_across_the_top_and_logo_centred) {
    orbel_test_app();
    orbel_banner banner;
    banner.resize(300, 72);
    const QImage shot = banner.grab().toImage();
    auto strip = orbel_load_png_resource(orbel_res_banner_strip);
    ASSERT_TRUE(strip);
    // Left and right edges show the strip (the logo leaves them alone).
    EXPECT_EQ(shot.pixelColor(0, 2), strip->image().pixelColor(0, 2));
    EXPECT_EQ(shot.pixelColor(299, 2), strip->image().pixelColor(299 % strip->width(), 2));
    // The logo covers the middle below the 8-pixel top margin, not the margin.
    EXPECT_EQ(shot.pixelColor(150, 3), strip->image().pixelColor(150 % strip->width(), 3));

    // Right of its bubble the logo writes the name in strokes a few pixels
    // wide: no square of it is solid white, as a block standing in for
    // letters would be.
    auto logo = orbel_load_png_resource(orbel_res_banner_logo);
    ASSERT_TRUE(logo);
    const QImage word = logo->image().copy(QRect(72, 0, logo->width() - 72, logo->height()));
    auto white = [&](int x, int y) {
        return word.pixelColor(x, y).alpha() > 200 && word.pixelColor(x, y).lightness() > 240;
    };
    int ink = 0;
    for (int y = 0; y < word.height(); ++y)
        for (int x = 0; x < word.width(); ++x) {
            ink += white(x, y);
            bool solid = x + 8 <= word.width() && y + 8 <= word.height();
            for (int dy = 0; solid && dy < 8; ++dy)
                for (int dx = 0; solid && dx < 8; ++dx) solid = white(x + dx, y + dy);
            EXPECT_FALSE(solid) << x + 72 << "," << y;
            if (solid) return;
        }
    EXPECT_GT(ink, 300);
}

TEST(AddressLookup, opens_the_geocoder_with_the_address_encoded) {
    orbel_test_app();
    orbel_test_ui ui;
    orbel_address dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("按地址检索"));
    auto* edit = dialog.findChild<QLineEdit*>("1038");
    auto* lookup = dialog.findChild<QPushButton*>("1060");
    ASSERT_TRUE(edit && lookup);
    EXPECT_FALSE(lookup->isEnabled());
    dialog.show();
    edit->setText(QString::fromUtf16(u"北京 a&b=1#x"));
    EXPECT_TRUE(lookup->isEnabled());
    lookup->click();
    EXPECT_EQ(dialog.result(), 1);
    ASSERT_EQ(ui.urls.size(), 1);
    EXPECT_EQ(ui.urls[0].toEncoded(),
              QByteArray("http://api.map.baidu.com/geocoder?address=%E5%8C%97%E4%BA%AC%20a%26b%3D1%23x"));
    EXPECT_EQ(ui.urls[0].query(QUrl::FullyDecoded), QString::fromUtf16(u"address=北京 a&b=1#x"));
    edit->clear();
    EXPECT_FALSE(lookup->isEnabled());

    // A geocoder page the browser cannot open: the message names it.
    ui.urls_open = false;
    orbel_address failing;
    failing.findChild<QLineEdit*>("1038")->setText(QStringLiteral("上海"));
    failing.findChild<QPushButton*>("1060")->click();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("http://api.map.baidu.com/geocoder?address=上海")))
        << ui.messages[0].toStdString();
}

}  // namespace
