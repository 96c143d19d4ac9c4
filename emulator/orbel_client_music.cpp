#include "emulator/orbel_client_music.h"

#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <cstdio>
#include <span>

#include "emulator/amr_wav.h"
#include "emulator/orbel_audio_format.h"

QByteArray orbel_received_voice(const QString& folder, const QByteArray& amr) {
    // Each file is removed before the step that makes it, so a failed step
    // can never play what an earlier call left behind.
    const QString amr_path = folder + QStringLiteral("receive.amr");
    const QString wav_path = folder + QStringLiteral("receive.wav");
    QFile::remove(amr_path);
    QFile::remove(wav_path);
    {
        QFile file(amr_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(amr) != amr.size()) return {};
    }
    std::FILE* in = std::fopen(QFile::encodeName(amr_path).constData(), "rb");
    if (!in || amr_to_wav(in, QFile::encodeName(wav_path).toStdString()) <= 0) return {};
    QFile wav(wav_path);
    if (!wav.open(QIODevice::ReadOnly)) return {};
    QByteArray samples = wav.readAll().mid(wav_header_size);
    samples.truncate(samples.size() & ~qsizetype(1));
    return samples;
}

orbel_client_music::orbel_client_music(const QString& folder) : folder_(folder) {}

orbel_client_music::~orbel_client_music() { stop(); }

void orbel_client_music::stop() {
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
    pcm_.clear();
}

int orbel_client_music::play(const QByteArray& amr) {
    stop();
    if (!output_present() || amr.isEmpty()) return 0;
    const QByteArray samples = orbel_received_voice(folder_, amr);
    if (samples.isEmpty()) return 0;
    return start_output(samples) ? 1 : 0;
}

bool orbel_client_music::output_present() const { return !QMediaDevices::defaultAudioOutput().isNull(); }

bool orbel_client_music::start_output(const QByteArray& samples) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(format)) {
        pcm_ = samples;
    } else {
        format = device.preferredFormat();
        pcm_format to;
        if (!orbel_pcm_format_of(format, to)) return false;
        const std::span<const int16_t> voice(reinterpret_cast<const int16_t*>(samples.constData()),
                                             size_t(samples.size()) / 2);
        const std::vector<uint8_t> converted = voice_to_pcm(voice, to);
        pcm_ = QByteArray(reinterpret_cast<const char*>(converted.data()), qsizetype(converted.size()));
    }
    if (pcm_.isEmpty()) return false;
    buffer_.setData(pcm_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    QAudioSink* sink = sink_.get();
    const int generation = ++generation_;
    connect(sink, &QAudioSink::stateChanged, this, [this, sink, generation](QAudio::State state) {
        // Played to the end (or the device went away): let this sink go,
        // later, and only if no newer playback has replaced it meanwhile.
        if (state == QAudio::IdleState || (state == QAudio::StoppedState && sink->error() != QAudio::NoError))
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    if (generation_ == generation) stop();
                },
                Qt::QueuedConnection);
    });
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError) {
        stop();
        return false;
    }
    return true;
}
