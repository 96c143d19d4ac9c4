// The QR code control and the QR view: payload, drawing from a module
// matrix, the library's symbol pixel for pixel, saving and its failure.
#include <gtest/gtest.h>

#include <qrencode.h>

#include <QPushButton>
#include <QTemporaryDir>

#include "client/sheet/orbel_code.h"
#include "client/sheet/orbel_view.h"
#include "orbel_test_support.h"

namespace {

// Every module's 10 x 10 square is one colour: black for bit 0 set.
void expect_modules(const QImage& image, int width, const unsigned char* modules) {
    ASSERT_EQ(image.size(), QSize(width * 10, width * 10));
    for (int y = 0; y < width * 10; ++y)
        for (int x = 0; x < width * 10; ++x) {
            const QRgb want = (modules[(y / 10) * width + x / 10] & 1) ? 0xFF000000 : 0xFFFFFFFF;
            if (image.pixel(x, y) != want) {
                ADD_FAILURE() << "pixel " << x << "," << y;
                return;
            }
        }
}

TEST(Code, PayloadAndDrawing) {
    orbel_test_app();
    EXPECT_EQ(orbel_code::payload("123"), QByteArray("varnek quellmark 1.0 a 123"));

    // A synthetic 21-module matrix: checkers, with bits above 0 set everywhere.
    std::vector<unsigned char> modules(21 * 21);
    for (size_t i = 0; i < modules.size(); ++i) modules[i] = uint8_t(0xC0 | ((i / 21 + i % 21) % 2));
    expect_modules(orbel_code::image_of(21, modules.data()), 21, modules.data());
}

TEST(Code, RenderMatchesTheLibrarysSymbolAndSavesIt) {
    orbel_test_app();
    const QByteArray data = orbel_code::payload("123");
    QRcode* symbol =
        QRcode_encodeData(int(data.size()), reinterpret_cast<const unsigned char*>(data.constData()), 0, QR_ECLEVEL_L);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->version, 2);
    orbel_code code;
    code.resize(300, 300);
    code.render("123");
    EXPECT_EQ(code.image().size(), QSize(250, 250));
    expect_modules(code.image(), symbol->width, symbol->data);
    QRcode_free(symbol);

    // On screen: white around the code, which sits centred, unscaled.
    const QImage shot = code.grab().toImage();
    EXPECT_EQ(shot.pixel(299, 150), 0xFF808080u);
    EXPECT_EQ(shot.pixel(10, 150), 0xFFFFFFFFu);
    EXPECT_EQ(shot.pixel(25, 25), code.image().pixel(0, 0));  // the finder's corner

    QTemporaryDir dir;
    const QString path = dir.filePath("code.png");
    ASSERT_TRUE(code.save(path));
    const QImage saved(path);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), code.image().convertToFormat(QImage::Format_RGB32));
}

TEST(View, SaveAsksWithItsTextsAndReportsAFailure) {
    orbel_test_ui ui;
    QTemporaryDir dir;
    orbel_view view("123");
    EXPECT_EQ(view.objectName(), "124");
    EXPECT_EQ(view.windowTitle(), QStringLiteral("查看二维码"));
    auto* save = view.findChild<QPushButton*>("1069");
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->isDefault());
    ASSERT_TRUE(view.findChild<orbel_code*>("1010"));

    ui.file_names << dir.filePath("saved.png") << dir.filePath("missing/folder/x.png");
    save->click();
    EXPECT_EQ(ui.filters.last(), QStringLiteral("图片文件(*.png)"));
    EXPECT_EQ(ui.suffixes.last(), "png");
    EXPECT_EQ(ui.titles.last(), QStringLiteral("保存二维码"));
    EXPECT_FALSE(QImage(dir.filePath("saved.png")).isNull());
    EXPECT_TRUE(ui.messages.isEmpty());
    save->click();
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("二维码保存失败！")});
    save->click();  // cancelled: nothing
    EXPECT_EQ(ui.messages.size(), 1);
}

}  // namespace
