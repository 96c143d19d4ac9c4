// The media module: found beside the program, and when it is not there (or
// not the right file), camera, microphone and speaker behave as absent.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "client/orbel_test_support.h"
#include "emulator/amr_wav.h"
#include "emulator/orbel_client_device_dialogs.h"
#include "emulator/orbel_client_music.h"
#include "emulator/orbel_client_record.h"
#include "emulator/orbel_media_module.h"
#include "emulator/vux_le_camera.h"
#include "fake_media.h"

namespace {

TEST(MediaModule, LoadsFromBesideTheProgramOrSaysWhy) {
    orbel_test_app();
    // The test program has the module beside it, as the client has.
    ASSERT_NE(orbel_media(), nullptr) << qPrintable(orbel_media_error());
    EXPECT_TRUE(orbel_media_error().isEmpty());
    QString error;
    EXPECT_EQ(orbel_media_load(QCoreApplication::applicationDirPath(), error), orbel_media());
    EXPECT_TRUE(error.isEmpty());

    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath(orbel_media_file_name()));
    EXPECT_EQ(orbel_media_load(dir.path(), error), nullptr);
    EXPECT_EQ(error, path + " is missing");

    QFile junk(dir.filePath(orbel_media_file_name()));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a module");
    junk.close();
    EXPECT_EQ(orbel_media_load(dir.path(), error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

TEST(MediaModule, WithoutItEveryDeviceIsAbsent) {
    orbel_test_ui ui;
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';

    vux_le_camera camera(nullptr);
    EXPECT_EQ(camera.sink(), nullptr);
    EXPECT_FALSE(camera.open());
    EXPECT_FALSE(camera.is_open());
    EXPECT_EQ(camera.status(), vux_le_camera::status_no_driver);
    EXPECT_TRUE(camera.status_text().startsWith("no video input")) << qPrintable(camera.status_text());

    orbel_voice_recorder recorder(nullptr);
    EXPECT_FALSE(recorder.start());
    EXPECT_FALSE(recorder.recording());

    orbel_client_music music(folder, nullptr);
    std::vector<uint8_t> amr;
    ASSERT_GT(wav_to_amr_bytes(voice_wav_bytes(std::vector<uint8_t>(8000, 200)), amr), 0);
    EXPECT_EQ(music.play(QByteArray(reinterpret_cast<const char*>(amr.data()), qsizetype(amr.size()))), 0);
    EXPECT_FALSE(music.playing());
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());

    // The engine's camera request says "No Camera" and answers nothing,
    // as for a machine without one.
    QWidget client;
    orbel_client_devices_context context = devices_context(dir.path());
    context.make_camera = [] { return std::make_unique<vux_le_camera>(nullptr); };
    orbel_client_device_dialogs devices(&client, std::move(context));
    std::vector<std::optional<QByteArray>> answers;
    devices.open_capture("camera", [&](std::optional<QByteArray> bytes) { answers.push_back(bytes); });
    ASSERT_TRUE(ORBEL_WAIT(!answers.empty()));
    EXPECT_FALSE(answers[0]);
    EXPECT_EQ(ui.messages, QStringList{"No Camera"});
    EXPECT_EQ(devices.capture_dialog(), nullptr);
}

}  // namespace
