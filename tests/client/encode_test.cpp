// Re-encoding pictures for upload: sizes after fitting a file and covering a
// box, failures, and transparency.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>

#include "gui/orbel_encode.h"
#include "orbel_test_support.h"

namespace {

// Smooth scaling hands work to Qt's global thread pool. Its idle threads are
// still winding down when the program ends, which the leak checker's stop of
// every thread cannot cope with (it crashes); let them finish first. Set up
// once for the folder's whole test program.
struct thread_pool_drain : ::testing::Environment {
    void TearDown() override { QThreadPool::globalInstance()->waitForDone(); }
};
const auto* const drain = ::testing::AddGlobalTestEnvironment(new thread_pool_drain);

QByteArray png_of(int w, int h, QColor color = Qt::red) { return orbel_test_png(w, h, color); }

QImage jpeg_image(const QByteArray& bytes) {
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8"));
    return QImage::fromData(bytes, "JPEG");
}

struct size_case {
    const char* name;
    bool file;  // through encode_file_fitted, else the 640 x 960 box
    int w, h, out_w, out_h;
};

TEST(Encode, SizesAfterFittingAndCovering) {
    orbel_test_app();
    QTemporaryDir dir;
    const size_case cases[] = {
        {"file shrunk to 640 wide", true, 1280, 960, 640, 480},
        {"small file kept", true, 600, 900, 600, 900},
        {"tall file shrunk to 960 high", true, 800, 1920, 400, 960},
        {"bytes cover the box", false, 2560, 1920, 1280, 960},
        {"small bytes kept", false, 500, 500, 500, 500},
        // Over on one side only: enlarged until it covers the box.
        {"one side over is enlarged to cover", false, 800, 500, 1536, 960},
        // Covering would make it 192000 wide: bounded at four box widths.
        {"long strip is bounded", false, 10000, 50, 2560, 12},
        {"tall bytes cover by width", false, 1280, 4000, 640, 2000},
    };
    for (const size_case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray source = png_of(c.w, c.h);
        QByteArray out;
        if (c.file) {
            const QString path = dir.filePath(QString::fromLatin1(c.name) + ".png");
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(source);
            file.close();
            ASSERT_TRUE(encode_file_fitted(path, out));
        } else {
            ASSERT_TRUE(encode_bytes_boxed(source, 640, 960, out));
        }
        const QImage image = jpeg_image(out);
        EXPECT_EQ(image.size(), QSize(c.out_w, c.out_h));
    }
}

TEST(Encode, BoxedSizes) {
    const struct {
        QSize picture, box, out;
    } cases[] = {
        {{500, 500}, {640, 960}, {500, 500}},     // inside: kept
        {{640, 960}, {640, 960}, {640, 960}},     // the box itself
        {{2560, 1920}, {640, 960}, {1280, 960}},  // wider proportions: by height
        {{1280, 4000}, {640, 960}, {640, 2000}},  // taller proportions: by width
        {{800, 500}, {640, 960}, {1536, 960}},    // enlarged to cover
        {{641, 10}, {640, 960}, {2560, 39}},      // a strip: bounded along its length
        {{10, 961}, {640, 960}, {39, 3840}},
        {{100, 100}, {100, 100}, {100, 100}},
        {{101, 100}, {100, 100}, {101, 100}},
        {{0, 10}, {640, 960}, {}},  // no area: nothing
        {{10, 10}, {0, 960}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_boxed_size(c.picture, c.box), c.out) << c.picture.width() << "x" << c.picture.height();
}

TEST(Encode, UndecodableInputGivesNothing) {
    orbel_test_app();
    QByteArray out = "stale";
    EXPECT_FALSE(encode_bytes_boxed(QByteArray("\x89PNG\r\n\x1a\n", 8) + "broken", 640, 960, out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(encode_bytes_boxed(QByteArray(), 640, 960, out));
    EXPECT_FALSE(encode_file_fitted("/nonexistent/picture.png", out));
    EXPECT_FALSE(encode_jpeg(QImage(), out));
    EXPECT_TRUE(out.isEmpty());
}

TEST(Encode, TransparentAreasComeOutWhite) {
    orbel_test_app();
    QByteArray out;
    ASSERT_TRUE(encode_bytes_boxed(png_of(40, 40, Qt::transparent), 640, 960, out));
    const QImage image = jpeg_image(out);
    const QColor centre = image.pixelColor(20, 20);
    EXPECT_GT(centre.red(), 245);
    EXPECT_GT(centre.green(), 245);
    EXPECT_GT(centre.blue(), 245);
}

}  // namespace
