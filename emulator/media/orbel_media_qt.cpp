// The media module over Qt Multimedia: the default camera, speaker and
// microphone behind the emulator's media classes.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>
#include <span>

#include "emulator/media/orbel_audio_format.h"
#include "emulator/orbel_media_module.h"

namespace {

class qt_video_input : public QObject, public orbel_video_input {
public:
    explicit qt_video_input(orbel_video_events events) : events_(std::move(events)) {
        connect(&sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
            if (events_.wanted && !events_.wanted()) return;
            if (events_.frame) events_.frame(frame.toImage());
        });
    }
    ~qt_video_input() override {
        stop();
        sink_.disconnect(this);
    }

    QVideoSink* sink() const override { return const_cast<QVideoSink*>(&sink_); }

    int start(QString& text) override {
        stop();
        QCameraDevice device = QMediaDevices::defaultVideoInput();
        if (device.isNull()) {
            const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
            if (!inputs.isEmpty()) device = inputs.first();
        }
        if (device.isNull()) {
            text = QStringLiteral("no video input");
            return 20;
        }
        camera_ = std::make_unique<QCamera>(device);
        session_ = std::make_unique<QMediaCaptureSession>();
        session_->setCamera(camera_.get());
        session_->setVideoSink(&sink_);
        connect(camera_.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& error) {
            if (events_.failed) events_.failed(error);
        });
        camera_->start();
        if (camera_->error() != QCamera::NoError) {
            text = camera_->errorString();
            return 1;
        }
        return 0;
    }

    void stop() override {
        if (!camera_) return;
        camera_->disconnect(this);
        camera_->stop();
        session_->setVideoSink(nullptr);
        session_->setCamera(nullptr);
        camera_.reset();
        session_.reset();
    }

private:
    orbel_video_events events_;
    QVideoSink sink_;
    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QCamera> camera_;
};

class qt_audio_output : public QObject, public orbel_audio_output {
public:
    ~qt_audio_output() override { stop(); }

    bool present() const override { return !QMediaDevices::defaultAudioOutput().isNull(); }

    bool start(const QByteArray& samples, std::function<void()> ended) override {
        stop();
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
        connect(sink, &QAudioSink::stateChanged, this, [sink, ended = std::move(ended)](QAudio::State state) {
            // Played to the end, or the device went away.
            if (state == QAudio::IdleState || (state == QAudio::StoppedState && sink->error() != QAudio::NoError))
                ended();
        });
        sink_->start(&buffer_);
        if (sink_->error() != QAudio::NoError) {
            stop();
            return false;
        }
        return true;
    }

    void stop() override {
        if (sink_) {
            sink_->disconnect(this);
            sink_->stop();
            sink_.reset();
        }
        buffer_.close();
        pcm_.clear();
    }

private:
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray pcm_;
};

class qt_audio_input : public QObject, public orbel_audio_input {
public:
    ~qt_audio_input() override { stop(); }

    bool start(std::function<void(const pcm_format&)> chosen, std::function<void(const char*, size_t)> take) override {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) return false;
        QAudioFormat wanted;
        wanted.setSampleRate(8000);
        wanted.setChannelCount(1);
        wanted.setSampleFormat(QAudioFormat::UInt8);
        const QAudioFormat format = device.isFormatSupported(wanted) ? wanted : device.preferredFormat();
        pcm_format capture;
        if (!orbel_pcm_format_of(format, capture)) return false;
        chosen(capture);
        take_ = std::move(take);
        source_ = std::make_unique<QAudioSource>(device, format);
        input_ = source_->start();
        if (!input_ || source_->error() != QAudio::NoError) {
            stop();
            return false;
        }
        connect(input_, &QIODevice::readyRead, this, [this] {
            const QByteArray bytes = input_->readAll();
            take_(bytes.constData(), size_t(bytes.size()));
        });
        return true;
    }

    void stop() override {
        if (!source_) return;
        if (input_) {
            input_->disconnect(this);
            const QByteArray rest = input_->readAll();
            take_(rest.constData(), size_t(rest.size()));
        }
        source_->stop();
        source_.reset();
        input_ = nullptr;
    }

private:
    std::function<void(const char*, size_t)> take_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;  // the source's, while recording
};

class qt_media_factory : public orbel_media_factory {
public:
    std::unique_ptr<orbel_video_input> video_input(orbel_video_events events) override {
        return std::make_unique<qt_video_input>(std::move(events));
    }
    std::unique_ptr<orbel_audio_output> audio_output() override { return std::make_unique<qt_audio_output>(); }
    std::unique_ptr<orbel_audio_input> audio_input() override { return std::make_unique<qt_audio_input>(); }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) orbel_media_factory* orbel_media_factory_1() {
    static qt_media_factory factory;
    return &factory;
}
