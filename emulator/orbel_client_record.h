#pragma once
#include <QDialog>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "emulator/pcm_convert.h"

class orbel_audio_input;
class orbel_media_factory;

// Voice from the default audio input as 8-bit unsigned mono 8000 Hz. A
// device that refuses that format records in its preferred one, which is
// converted as it comes. The voice stops growing at 10 minutes.
class orbel_voice_recorder : public QObject {
public:
    static constexpr size_t max_bytes = size_t(8000) * 600;

    // The audio input comes from the media module, loaded at the first
    // start; without it there is no input.
    orbel_voice_recorder();
    explicit orbel_voice_recorder(orbel_media_factory* media);
    ~orbel_voice_recorder() override;

    // False when there is no audio input (or no media module) or it does
    // not start. A stand-in
    // recorder of a test sets its format and calls take() itself.
    virtual bool start();
    void stop();
    bool recording() const { return input_ != nullptr; }

    // Captured bytes in the capture format (the audio input calls this; so
    // can a test, after set_capture_format).
    void take(const char* bytes, size_t size);
    void set_capture_format(const pcm_format& format);
    const std::vector<uint8_t>& voice() const { return voice_; }

private:
    void convert(bool all);

    pcm_format format_;
    bool native_ = true;        // the capture format is the voice format
    std::vector<uint8_t> raw_;  // captured bytes not yet converted
    std::vector<uint8_t> voice_;
    bool media_given_ = false;
    orbel_media_factory* media_ = nullptr;
    std::unique_ptr<orbel_audio_input> input_;  // while recording
};

// The voice-recording dialog (147, "正在录音"): records while open; OK,
// Cancel and every other way out stop the recording and save it as the WAV
// file given.
class orbel_client_record : public QDialog {
public:
    orbel_client_record(std::unique_ptr<orbel_voice_recorder> recorder, const QString& wav_path,
                        QWidget* parent = nullptr);
    ~orbel_client_record() override;

    orbel_voice_recorder& recorder() { return *recorder_; }
    void done(int result) override;

private:
    std::unique_ptr<orbel_voice_recorder> recorder_;
    QString wav_path_;
    bool saved_ = false;
};
