#include <gtest/gtest.h>

#include <QCameraDevice>
#include <QFile>
#include <QFrame>
#include <QMediaDevices>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVideoFrame>
#include <QVideoSink>

#include "client/orbel_test_support.h"
#include "emulator/orbel_client_camera.h"
#include "emulator/orbel_client_device_dialogs.h"
#include "fake_media.h"

namespace {

TEST(Camera, GrabTakesTheFrameAfterTheRequestOnce) {
    orbel_test_app();
    vux_le_camera camera;
    std::vector<QImage> got;
    camera.sink()->setVideoFrame(solid_frame(Qt::red));  // before the request: not taken
    camera.grab([&](QImage image) { got.push_back(image); });
    EXPECT_TRUE(got.empty());
    EXPECT_TRUE(camera.grabbing());
    camera.sink()->setVideoFrame(solid_frame(Qt::green));
    camera.sink()->setVideoFrame(solid_frame(Qt::blue));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(same_colour(got[0].pixel(10, 10), Qt::green));
    EXPECT_FALSE(camera.grabbing());
}

TEST(Camera, NoFrameEndsWithNothingOnTimeoutOrClose) {
    orbel_test_app();
    vux_le_camera camera;
    camera.set_grab_timeout(30);
    int calls = 0;
    bool null_image = false;
    camera.grab([&](QImage image) {
        ++calls;
        null_image = image.isNull();
    });
    EXPECT_TRUE(ORBEL_WAIT(calls > 0));
    EXPECT_TRUE(null_image);

    // Closing ends a waiting grab at once; a later frame is not taken.
    calls = 0;
    camera.set_grab_timeout(60000);
    camera.grab([&](QImage image) {
        ++calls;
        null_image = image.isNull();
    });
    camera.close();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(null_image);
    camera.sink()->setVideoFrame(solid_frame(Qt::green));
    EXPECT_EQ(calls, 1);
}

TEST(Camera, NoVideoInputFailsWithStatus20) {
    orbel_test_app();
    if (!QMediaDevices::videoInputs().isEmpty()) GTEST_SKIP() << "this machine has a camera";
    vux_le_camera camera;
    EXPECT_FALSE(camera.open());
    EXPECT_EQ(camera.status(), vux_le_camera::status_no_driver);
    EXPECT_FALSE(camera.is_open());
}

struct camera_dialog_fixture {
    QTemporaryDir dir;
    QString path = dir.filePath("capture.bmp");
    orbel_client_camera dialog{std::make_unique<vux_le_camera>(), path};
    QPushButton* ok = dialog.findChild<QPushButton*>("1");
    QPushButton* cancel = dialog.findChild<QPushButton*>("2");
    camera_dialog_fixture() {
        QFile stale(path);  // an earlier picture must never come back
        stale.open(QIODevice::WriteOnly);
        stale.write("old");
        stale.close();
        dialog.show();
    }
};

TEST(CameraDialog, OkWaitsForTheFrameWritesTheBitmapAndEnds) {
    orbel_test_app();
    camera_dialog_fixture f;
    EXPECT_EQ(f.dialog.objectName(), "148");
    EXPECT_EQ(f.dialog.windowTitle(), "拍照");
    ASSERT_TRUE(f.ok && f.cancel);
    auto* view = f.dialog.findChild<QFrame*>("1080");
    ASSERT_TRUE(view);

    // The preview paints the sink's frames scaled into control 1080.
    f.dialog.camera().sink()->setVideoFrame(solid_frame(QColor(200, 30, 30)));
    EXPECT_TRUE(same_colour(view->grab().toImage().pixel(view->width() - 3, view->height() - 3), QColor(200, 30, 30)));
    if (const char* dir = std::getenv("VUX_SHOT_DIR")) f.dialog.grab().save(QString(dir) + "/camera.png");

    f.ok->click();
    EXPECT_FALSE(f.ok->isEnabled());
    EXPECT_FALSE(f.cancel->isEnabled());
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_FALSE(QFile::exists(f.path));
    f.cancel->click();  // disabled: nothing
    f.dialog.camera().sink()->setVideoFrame(solid_frame(QColor(20, 160, 40), {320, 240}));

    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_FALSE(f.dialog.camera().grabbing());
    const QImage written(f.path, "BMP");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(320, 240));
    EXPECT_TRUE(same_colour(written.pixel(5, 5), QColor(20, 160, 40)));
}

TEST(CameraDialog, NoFrameWritesNothingAndStillEndsWithOk) {
    orbel_test_app();
    camera_dialog_fixture f;
    f.dialog.camera().set_grab_timeout(30);
    f.ok->click();
    EXPECT_TRUE(ORBEL_WAIT(!f.dialog.isVisible()));
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(f.path));
}

TEST(CameraDialog, EveryOtherWayOutDropsTheGrab) {
    orbel_test_app();
    enum way { cancel_button, escape_while_grabbing, close_while_grabbing, destroyed_while_grabbing };
    for (way w : {cancel_button, escape_while_grabbing, close_while_grabbing, destroyed_while_grabbing}) {
        auto f = std::make_unique<camera_dialog_fixture>();
        if (w == cancel_button) {
            f->cancel->click();
        } else {
            f->ok->click();
            ASSERT_TRUE(f->dialog.camera().grabbing());
            if (w == escape_while_grabbing) QTest::keyClick(&f->dialog, Qt::Key_Escape);
            if (w == close_while_grabbing) f->dialog.close();
            if (w == destroyed_while_grabbing) {
                f.reset();  // the camera stops with it, and nothing calls back
                continue;
            }
        }
        EXPECT_EQ(f->dialog.result(), QDialog::Rejected) << w;
        EXPECT_FALSE(f->dialog.isVisible()) << w;
        EXPECT_FALSE(f->dialog.camera().grabbing()) << w;
        f->dialog.camera().sink()->setVideoFrame(solid_frame(Qt::green));  // too late to count
        EXPECT_TRUE(QImage(f->path, "BMP").isNull()) << w;                 // no picture written
    }
}

TEST(CameraDevice, CapturedBitmapBecomesAFittedJpegOrNothing) {
    orbel_test_app();
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    EXPECT_FALSE(orbel_captured_picture(folder));  // no capture.bmp
    QImage frame(1280, 960, QImage::Format_RGB32);
    frame.fill(QColor(20, 160, 40));
    ASSERT_TRUE(frame.save(folder + "capture.bmp", "BMP"));
    const auto jpeg = orbel_captured_picture(folder);
    ASSERT_TRUE(jpeg);
    const QImage back = QImage::fromData(*jpeg, "JPEG");
    EXPECT_EQ(back.size(), QSize(640, 480));
    EXPECT_TRUE(same_colour(back.pixel(320, 240), QColor(20, 160, 40)));
}

TEST(CameraDevice, NoCameraShowsTheMessageAndAnswersNothingOnce) {
    orbel_test_ui ui;
    if (!QMediaDevices::videoInputs().isEmpty()) GTEST_SKIP() << "this machine has a camera";
    QTemporaryDir dir;
    QWidget client;
    orbel_client_device_dialogs devices(&client, devices_context(dir.path()));
    QFile stale(devices.media_folder() + "capture.bmp");
    QDir().mkpath(devices.media_folder());
    stale.open(QIODevice::WriteOnly);
    stale.close();

    std::vector<std::optional<QByteArray>> answers;
    devices.open_capture("camera", [&](std::optional<QByteArray> bytes) { answers.push_back(bytes); });
    EXPECT_TRUE(answers.empty());  // never from inside the call
    EXPECT_TRUE(ORBEL_WAIT(!answers.empty()));
    QTest::qWait(0);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_FALSE(answers[0]);
    EXPECT_EQ(ui.messages, QStringList{"No Camera"});
    EXPECT_EQ(devices.capture_dialog(), nullptr);
    EXPECT_TRUE(QDir(devices.media_folder()).entryList(QDir::Files).isEmpty());
}

}  // namespace
