#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "client/orbel_test_support.h"
#include "emulator/amr_wav.h"
#include "emulator/orbel_client_device_dialogs.h"
#include "emulator/orbel_client_music.h"
#include "emulator/orbel_client_record.h"
#include "fake_media.h"

namespace {

std::vector<uint8_t> tone8(int samples, double hz) {
    std::vector<uint8_t> pcm(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i)
        pcm[size_t(i)] = uint8_t(128 + std::lround(80 * std::sin(2 * M_PI * hz * i / 8000)));
    return pcm;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray as_bytes(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

TEST(Voice, RecordedWavBecomesAmrAndNothingStaleComesBack) {
    orbel_test_app();
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    write(folder + "record.wav", as_bytes(voice_wav_bytes(tone8(8000, 400))));
    const auto amr = orbel_recorded_voice(folder);
    ASSERT_TRUE(amr);
    EXPECT_EQ(amr->size(), 6 + 50 * 13);
    EXPECT_TRUE(amr->startsWith("#!AMR\n"));

    // An old "record.amr" never stands in for a missing or voiceless
    // recording, and no file is left for either.
    struct {
        const char* name;
        std::optional<QByteArray> wav;
    } cases[] = {
        {"no record.wav", std::nullopt},
        {"empty record.wav", QByteArray()},
        {"no samples", as_bytes(voice_wav_bytes({}))},
        {"under one frame", as_bytes(voice_wav_bytes(tone8(159, 400)))},
    };
    for (auto& c : cases) {
        QFile::remove(folder + "record.wav");
        if (c.wav) write(folder + "record.wav", *c.wav);
        write(folder + "record.amr", *amr);
        EXPECT_FALSE(orbel_recorded_voice(folder)) << c.name;
        EXPECT_FALSE(QFile::exists(folder + "record.amr")) << c.name;
    }
}

TEST(Recorder, ConvertsTheDevicesFormatAndStopsGrowingAtTenMinutes) {
    orbel_test_app();
    // 2.5 s of 48 kHz float stereo in uneven pieces: 8 kHz, 8-bit, whole.
    orbel_voice_recorder recorder;
    recorder.set_capture_format({48000, 2, pcm_sample::f32});
    std::vector<float> pcm(48000 * 5 / 2 * 2);
    for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = 0.5f * float(std::sin(2 * M_PI * 1000 * double(i / 2) / 48000));
    const char* p = reinterpret_cast<const char*>(pcm.data());
    const size_t total = pcm.size() * sizeof(float);
    for (size_t at = 0, piece = 1; at < total; at += piece, piece = piece * 7 % 40961 + 3)
        recorder.take(p + at, std::min(piece, total - at));
    recorder.stop();
    EXPECT_NEAR(double(recorder.voice().size()), 20000, 2);
    int crossings = 0;
    for (size_t i = 1; i < recorder.voice().size(); ++i)
        crossings += (recorder.voice()[i - 1] < 128) != (recorder.voice()[i] < 128);
    EXPECT_NEAR(crossings, 5000, 250);  // 1 kHz for 2.5 s

    orbel_voice_recorder native;
    const std::vector<char> minute(8000 * 60, char(128));
    for (int m = 0; m < 11; ++m) native.take(minute.data(), minute.size());
    EXPECT_EQ(native.voice().size(), orbel_voice_recorder::max_bytes);
    EXPECT_EQ(orbel_voice_recorder::max_bytes, 8000u * 600);
}

TEST(RecordDialog, EveryWayOutSavesTheRecording) {
    orbel_test_app();
    enum way { ok, cancel, escape };
    for (way w : {ok, cancel, escape}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("record.wav");
        orbel_client_record dialog(std::make_unique<orbel_voice_recorder>(), path);
        EXPECT_EQ(dialog.objectName(), "147");
        EXPECT_EQ(dialog.windowTitle(), "正在录音");
        dialog.show();
        if (const char* dir = std::getenv("VUX_SHOT_DIR"); dir && w == ok)
            dialog.grab().save(QString(dir) + "/record.png");
        const std::vector<uint8_t> voice = tone8(8000, 400);
        dialog.recorder().take(reinterpret_cast<const char*>(voice.data()), voice.size());
        if (w == ok) dialog.findChild<QPushButton*>("1")->click();
        if (w == cancel) dialog.findChild<QPushButton*>("2")->click();
        if (w == escape) QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), w == ok ? QDialog::Accepted : QDialog::Rejected) << w;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << w;
        const QByteArray wav = f.readAll();
        std::vector<uint8_t> amr;
        EXPECT_EQ(
            wav_to_amr_bytes(std::span(reinterpret_cast<const uint8_t*>(wav.constData()), size_t(wav.size())), amr), 50)
            << w;
    }
}

TEST(Player, VoiceToTheDevicesFormatKeepsLengthPitchAndLevel) {
    std::vector<int16_t> voice(8000);
    for (size_t i = 0; i < voice.size(); ++i)
        voice[i] = int16_t(std::lround(16000 * std::sin(2 * M_PI * 1000 * double(i) / 8000)));
    const std::vector<uint8_t> out = voice_to_pcm(voice, {48000, 2, pcm_sample::f32});
    ASSERT_EQ(out.size(), 48000u * 2 * 4);
    std::vector<float> f(out.size() / 4);
    std::memcpy(f.data(), out.data(), out.size());
    int crossings = 0;
    double sum = 0;
    for (size_t k = 0; k < f.size() / 2; ++k) {
        ASSERT_EQ(f[2 * k], f[2 * k + 1]);
        sum += double(f[2 * k]) * f[2 * k];
        if (k > 0) crossings += (f[2 * k - 2] < 0) != (f[2 * k] < 0);
    }
    EXPECT_NEAR(crossings, 2000, 100);
    EXPECT_NEAR(std::sqrt(sum / double(f.size() / 2)), 16000 / 32768.0 / std::sqrt(2.0), 0.05);

    const std::vector<uint8_t> u8 = voice_to_pcm(voice, {8000, 1, pcm_sample::u8});
    ASSERT_EQ(u8.size(), 8000u);
    EXPECT_EQ(u8[0], 128);
    EXPECT_EQ(u8[2], 128 + std::lround(16000 / 32768.0 * 127));  // the crest at 90 degrees
}

TEST(Player, ReceivedVoiceIsConvertedAndAFailedStepReplaysNothingOld) {
    orbel_test_app();
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    std::vector<uint8_t> amr;
    wav_to_amr_bytes(voice_wav_bytes(tone8(8000, 400)), amr);
    const QByteArray samples = orbel_received_voice(folder, as_bytes(amr));
    EXPECT_EQ(samples.size(), 16000);
    EXPECT_TRUE(QFile::exists(folder + "receive.wav"));

    struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"not AMR", "RIFF....WAVE"},
        {"no frame", "#!AMR\n"},
        {"cut first frame", QByteArray("#!AMR\n\x04\x01\x02", 9)},
    };
    for (auto& c : cases) {
        EXPECT_TRUE(orbel_received_voice(folder, c.bytes).isEmpty()) << c.name;
        QFile wav(folder + "receive.wav");  // absent, or a WAV of no frames
        EXPECT_TRUE(!wav.open(QIODevice::ReadOnly) || wav.size() == wav_header_size) << c.name;
    }
}

TEST(Player, NoAudioOutputPlaysNothingAndWritesNothing) {
    orbel_test_app();
    if (!QMediaDevices::audioOutputs().isEmpty()) GTEST_SKIP() << "this machine has an audio output";
    QTemporaryDir dir;
    orbel_client_music music(dir.path() + '/');
    std::vector<uint8_t> amr;
    wav_to_amr_bytes(voice_wav_bytes(tone8(8000, 400)), amr);
    EXPECT_EQ(music.play(as_bytes(amr)), 0);
    EXPECT_FALSE(music.playing());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(VoiceDevice, NoAudioInputStillShowsTheDialogAndAnswersNothingOnClose) {
    orbel_test_ui ui;
    if (!QMediaDevices::audioInputs().isEmpty()) GTEST_SKIP() << "this machine has an audio input";
    QTemporaryDir dir;
    QWidget client;
    orbel_client_device_dialogs devices(&client, devices_context(dir.path()));
    QDir().mkpath(devices.media_folder());
    write(devices.media_folder() + "record.amr", "#!AMR\nold");
    write(devices.media_folder() + "record.wav", "old");

    std::vector<std::optional<QByteArray>> answers;
    devices.open_capture("voice", [&](std::optional<QByteArray> bytes) { answers.push_back(bytes); });
    ASSERT_NE(devices.capture_dialog(), nullptr);
    EXPECT_EQ(devices.capture_dialog()->objectName(), "147");
    QTest::qWait(0);
    EXPECT_TRUE(answers.empty());
    devices.capture_dialog()->findChild<QPushButton*>("1")->click();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_FALSE(answers[0]);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(devices.media_folder() + "record.amr"));
    EXPECT_EQ(devices.play_voice("#!AMR\n"), 0);
}

}  // namespace
