// The device facilities end to end over stand-ins for the camera, the
// microphone and the speaker: from the engine's request through the dialog
// and the media folder's files to the answer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "client/orbel_test_support.h"
#include "emulator/amr_wav.h"
#include "emulator/orbel_client_device_dialogs.h"
#include "fake_media.h"

namespace {

struct media_fixture {
    orbel_test_ui ui;
    QTemporaryDir dir;
    QWidget client;
    fake_media media;
    std::unique_ptr<orbel_client_device_dialogs> devices;
    std::vector<std::optional<QByteArray>> answers;

    explicit media_fixture(bool device_works = true) {
        media.camera_opens = media.recorder_starts = device_works;
        orbel_client_devices_context context = devices_context(dir.path());
        media.install(context);
        devices = std::make_unique<orbel_client_device_dialogs>(&client, std::move(context));
    }
    void open(const char* kind) {
        devices->open_capture(kind, [this](std::optional<QByteArray> bytes) { answers.push_back(std::move(bytes)); });
    }
    QPushButton* button(const char* id) const {
        return devices->capture_dialog() ? devices->capture_dialog()->findChild<QPushButton*>(id) : nullptr;
    }
    // The emulator's folder itself: the document's file requests and its
    // "_name" pictures read there, so what a capture leaves is in its reach.
    QStringList media_files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

std::vector<uint8_t> tone8(int samples, double hz) {
    std::vector<uint8_t> pcm(size_t(samples), 0);
    for (int i = 0; i < samples; ++i)
        pcm[size_t(i)] = uint8_t(128 + std::lround(80 * std::sin(2 * M_PI * hz * i / 8000)));
    return pcm;
}

TEST(DeviceMedia, CameraOkWritesTheBitmapAndAnswersItsJpeg) {
    media_fixture f;
    f.open("camera");
    ASSERT_TRUE(f.devices->capture_dialog());
    EXPECT_EQ(f.devices->capture_dialog()->objectName(), "148");
    ASSERT_TRUE(f.media.camera);
    f.button("1")->click();
    EXPECT_TRUE(f.answers.empty());  // waits for the frame
    f.media.camera->sink()->setVideoFrame(solid_frame(QColor(20, 160, 40), {320, 240}));
    ASSERT_TRUE(ORBEL_WAIT(!f.answers.empty()));
    ASSERT_TRUE(f.answers[0]);
    EXPECT_TRUE(f.answers[0]->startsWith("\xff\xd8"));  // a JPEG
    const QImage back = QImage::fromData(*f.answers[0], "JPEG");
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(same_colour(back.pixel(back.width() / 2, back.height() / 2), QColor(20, 160, 40)));
    EXPECT_TRUE(f.media_files().contains("capture.bmp"));
    EXPECT_TRUE(f.ui.messages.isEmpty());
    QTest::qWait(0);
    EXPECT_EQ(f.answers.size(), 1u);
}

TEST(DeviceMedia, VoiceOkRecordsConvertsAndAnswersAmr) {
    media_fixture f;
    f.open("voice");
    ASSERT_TRUE(f.devices->capture_dialog());
    EXPECT_EQ(f.devices->capture_dialog()->objectName(), "147");
    ASSERT_TRUE(f.media.recorder);
    const std::vector<uint8_t> second = tone8(8000, 400);
    f.media.recorder->take(reinterpret_cast<const char*>(second.data()), second.size());
    f.button("1")->click();
    ASSERT_EQ(f.answers.size(), 1u);
    ASSERT_TRUE(f.answers[0]);
    EXPECT_TRUE(f.answers[0]->startsWith("#!AMR\n"));
    EXPECT_EQ(f.answers[0]->size(), 6 + 50 * 13);  // one second: 50 frames
    EXPECT_EQ(f.media_files(), (QStringList{"record.amr", "record.wav"}));
}

TEST(DeviceMedia, WithoutTheDeviceCameraSaysSoAndVoiceStillShowsItsDialog) {
    {
        media_fixture f(false);
        f.open("camera");
        EXPECT_EQ(f.devices->capture_dialog(), nullptr);
        ASSERT_TRUE(ORBEL_WAIT(!f.answers.empty()));
        EXPECT_FALSE(f.answers[0]);
        EXPECT_EQ(f.ui.messages, QStringList{"No Camera"});
    }
    // No microphone: the dialog shows all the same, and closing it, by
    // either button, answers with nothing and leaves no stale voice.
    for (const char* way : {"1", "2"}) {
        SCOPED_TRACE(way);
        media_fixture f(false);
        QDir().mkpath(f.devices->media_folder());
        for (const char* name : {"record.wav", "record.amr"}) {
            QFile stale(f.devices->media_folder() + name);
            ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
            stale.write("#!AMR\nold");
        }
        f.open("voice");
        ASSERT_TRUE(f.devices->capture_dialog());
        EXPECT_EQ(f.devices->capture_dialog()->objectName(), "147");
        QTest::qWait(0);
        EXPECT_TRUE(f.answers.empty());  // nothing until the dialog closes
        f.button(way)->click();
        ASSERT_EQ(f.answers.size(), 1u);
        EXPECT_FALSE(f.answers[0]);
        EXPECT_TRUE(f.ui.messages.isEmpty());
        EXPECT_FALSE(f.media_files().contains("record.amr"));
    }
}

TEST(DeviceMedia, ReceivedVoicePlaysThroughTheOutput) {
    media_fixture f;
    std::vector<uint8_t> amr;
    ASSERT_EQ(wav_to_amr_bytes(voice_wav_bytes(tone8(8000, 400)), amr), 50);
    EXPECT_EQ(f.devices->play_voice(QByteArray(reinterpret_cast<const char*>(amr.data()), qsizetype(amr.size()))), 1);
    ASSERT_EQ(f.media.played.size(), 1u);
    EXPECT_EQ(f.media.played[0].size(), 16000);  // one second of 16-bit samples
    EXPECT_EQ(f.media_files(), (QStringList{"receive.amr", "receive.wav"}));
    // Bytes with no voice in them play nothing.
    EXPECT_EQ(f.devices->play_voice("#!AMR\n"), 0);
    EXPECT_EQ(f.media.played.size(), 1u);
}

}  // namespace
