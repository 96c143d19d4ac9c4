#include "emulator/orbel_client_music.h"

#include <QFile>
#include <cstdio>

#include "emulator/amr_wav.h"
#include "emulator/orbel_media_module.h"

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

orbel_client_music::orbel_client_music(const QString& folder, orbel_media_factory* media)
    : folder_(folder), media_given_(true), media_(media) {}

orbel_client_music::~orbel_client_music() { stop(); }

orbel_audio_output* orbel_client_music::output() const {
    if (!output_) {
        orbel_media_factory* media = media_given_ ? media_ : orbel_media();
        if (media) output_ = media->audio_output();
    }
    return output_.get();
}

void orbel_client_music::stop() {
    if (output_) output_->stop();
    playing_ = false;
}

int orbel_client_music::play(const QByteArray& amr) {
    stop();
    if (!output_present() || amr.isEmpty()) return 0;
    const QByteArray samples = orbel_received_voice(folder_, amr);
    if (samples.isEmpty()) return 0;
    return start_output(samples) ? 1 : 0;
}

bool orbel_client_music::output_present() const { return output() && output_->present(); }

bool orbel_client_music::start_output(const QByteArray& samples) {
    if (!output()) return false;
    const int generation = ++generation_;
    // Played to the end (or the device went away): let the output go,
    // later, and only if no newer playback has replaced it meanwhile.
    playing_ = output_->start(samples, [this, generation] {
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation_ == generation) stop();
            },
            Qt::QueuedConnection);
    });
    return playing_;
}
