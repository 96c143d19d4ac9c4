#include "emulator/orbel_client_record.h"

#include <QFile>
#include <QLabel>
#include <QSaveFile>
#include <QVBoxLayout>
#include <algorithm>

#include "emulator/amr_wav.h"
#include "emulator/orbel_dialog_buttons.h"
#include "emulator/orbel_media_module.h"

orbel_voice_recorder::orbel_voice_recorder() = default;

orbel_voice_recorder::orbel_voice_recorder(orbel_media_factory* media) : media_given_(true), media_(media) {}

orbel_voice_recorder::~orbel_voice_recorder() { stop(); }

void orbel_voice_recorder::set_capture_format(const pcm_format& format) {
    format_ = format;
    native_ = format.rate == 8000 && format.channels == 1 && format.sample == pcm_sample::u8;
    raw_.clear();
}

bool orbel_voice_recorder::start() {
    stop();
    orbel_media_factory* media = media_given_ ? media_ : orbel_media();
    if (!media) return false;
    input_ = media->audio_input();
    const bool started = input_->start([this](const pcm_format& capture) { set_capture_format(capture); },
                                       [this](const char* bytes, size_t size) { take(bytes, size); });
    if (!started) {
        stop();
        return false;
    }
    return true;
}

void orbel_voice_recorder::stop() {
    if (input_) {
        input_->stop();
        input_.reset();
    }
    convert(true);
}

void orbel_voice_recorder::take(const char* bytes, size_t size) {
    if (voice_.size() >= max_bytes || size == 0) return;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes);
    if (native_) {
        voice_.insert(voice_.end(), p, p + std::min(size, max_bytes - voice_.size()));
        return;
    }
    raw_.insert(raw_.end(), p, p + size);
    convert(false);
}

void orbel_voice_recorder::convert(bool all) {
    if (native_ || raw_.empty()) return;
    // Whole seconds at a time, so the resampling steps never restart in
    // the middle of a second; the rest waits for more or for the stop.
    const size_t frame = size_t(pcm_sample_bytes(format_.sample)) * size_t(format_.channels);
    const size_t second = frame * size_t(format_.rate);
    const size_t n = all ? raw_.size() - raw_.size() % frame : raw_.size() - raw_.size() % second;
    if (n == 0) return;
    const std::vector<uint8_t> converted = pcm_to_voice(format_, std::span(raw_.data(), n));
    raw_.erase(raw_.begin(), raw_.begin() + ptrdiff_t(n));
    if (all) raw_.clear();
    voice_.insert(
        voice_.end(), converted.begin(),
        converted.begin() + ptrdiff_t(std::min(converted.size(), max_bytes - std::min(max_bytes, voice_.size()))));
    if (voice_.size() >= max_bytes) raw_.clear();
}

orbel_client_record::orbel_client_record(std::unique_ptr<orbel_voice_recorder> recorder, const QString& wav_path,
                                         QWidget* parent)
    : QDialog(parent), recorder_(std::move(recorder)), wav_path_(wav_path) {
    setObjectName("147");
    setWindowTitle(QStringLiteral("正在录音"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(this);
    label->setMinimumSize(240, 40);
    layout->addWidget(label);
    layout->addLayout(orbel_dialog_buttons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

orbel_client_record::~orbel_client_record() { recorder_->stop(); }

void orbel_client_record::done(int result) {
    recorder_->stop();
    if (!saved_) {
        saved_ = true;
        const std::vector<uint8_t> wav = voice_wav_bytes(recorder_->voice());
        QSaveFile file(wav_path_);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(reinterpret_cast<const char*>(wav.data()), qint64(wav.size()));
            file.commit();
        }
    }
    QDialog::done(result);
}
