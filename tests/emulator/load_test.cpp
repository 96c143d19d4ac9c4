#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include "client/orbel_test_support.h"
#include "emulator/orbel_client_load.h"

namespace {

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(Load, PicturesBecomeFittedJpegsAndAnythingElseNothing) {
    orbel_test_app();
    QTemporaryDir dir;
    QImage big(1280, 960, QImage::Format_RGB32);
    big.fill(QColor(10, 120, 200));
    const QByteArray png = encoded(big, "PNG");

    const QByteArray jpeg = orbel_client_load_picture(write(dir, "big.png", png));
    const QImage back = QImage::fromData(jpeg);
    EXPECT_EQ(jpeg.left(3), QByteArray("\xFF\xD8\xFF"));
    EXPECT_EQ(back.size(), QSize(640, 480));

    struct {
        const char* name;
        QByteArray bytes;
        bool picture;
    } cases[] = {
        {"small.jpg", encoded(QImage(20, 10, QImage::Format_RGB32), "JPEG"), true},
        {"small.gif",
         QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF!\xF9\x04\x01\x00\x00\x00\x00,"
                    "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                    43),
         true},
        {"notes.txt", "just some text", false},
        {"empty.png", "", false},
        {"fake.png", QByteArray("\x89PNG\r\n\x1a\nbroken", 14), false},  // signature but no image
    };
    for (auto& c : cases)
        EXPECT_EQ(!orbel_client_load_picture(write(dir, c.name, c.bytes)).isEmpty(), c.picture) << c.name;
    EXPECT_TRUE(orbel_client_load_picture(dir.filePath("missing.png")).isEmpty());
}

TEST(Load, ChooserForOneExistingPicture) {
    orbel_test_app();
    orbel_client_load chooser;
    EXPECT_EQ(chooser.windowTitle(), "上传图片");
    EXPECT_TRUE(chooser.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(chooser.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(chooser.nameFilters(), QStringList{"图片文件(*.jpg *.png *.gif)"});
}

}  // namespace
