#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class orbel_audio_output;
class orbel_media_factory;

// Received AMR bytes written as "receive.amr" and converted to
// "receive.wav" in the folder: the WAV's 16-bit samples, empty when the
// bytes hold no voice.
QByteArray orbel_received_voice(const QString& folder, const QByteArray& amr);

// The voice player: received AMR bytes are written as "receive.amr",
// converted to "receive.wav" and played on the default audio output. It
// has its own sink, so stopping it never touches a recording.
class orbel_client_music : public QObject {
public:
    // folder: where "receive.amr" and "receive.wav" go (with a trailing '/').
    // The audio output comes from the media module, loaded at the first
    // playback; without it there is no output.
    explicit orbel_client_music(const QString& folder);
    orbel_client_music(const QString& folder, orbel_media_factory* media);
    ~orbel_client_music() override;

    // Stops earlier playback, then plays the bytes; 1 when they play, 0 when
    // nothing can (no audio output, no voice in them).
    int play(const QByteArray& amr);
    void stop();
    bool playing() const { return playing_; }

protected:
    // The audio output's part, which a test's stand-in replaces: whether
    // there is an output at all, and the start of the voice's samples (8000
    // Hz, 16-bit, mono) on it.
    virtual bool output_present() const;
    virtual bool start_output(const QByteArray& samples);

private:
    orbel_audio_output* output() const;

    QString folder_;
    bool media_given_ = false;
    orbel_media_factory* media_ = nullptr;
    mutable std::unique_ptr<orbel_audio_output> output_;
    bool playing_ = false;
    int generation_ = 0;  // one more for each playback started
};
