#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>

#include "emulator/pcm_convert.h"

class QVideoSink;

// The machine's camera, microphone and speaker are reached through a module
// of their own, beside the program: the media libraries it needs are many,
// and the program starts without them. The module is loaded the first time
// one of the three is wanted; when it cannot be, each behaves as if the
// machine had no such device.

// What the camera hears from its video input.
struct orbel_video_events {
    // Whether a frame is of use now; frames nobody wants are not converted.
    std::function<bool()> wanted;
    std::function<void(QImage)> frame;
    // The running input failed and delivers no more frames.
    std::function<void(const QString&)> failed;
};

// The default video input, its frames through one sink.
class orbel_video_input {
public:
    virtual ~orbel_video_input() = default;
    // Every frame passes here, also before start (tests feed it directly).
    virtual QVideoSink* sink() const = 0;
    // Starts the default video input (else the first): 0 when it runs; 20
    // when there is none, 1 when it cannot start, with the reason in text.
    virtual int start(QString& text) = 0;
    // Stops the input; no frame of it comes afterwards. Harmless when idle.
    virtual void stop() = 0;
};

// The default audio output.
class orbel_audio_output {
public:
    virtual ~orbel_audio_output() = default;
    virtual bool present() const = 0;
    // Plays voice samples (8000 Hz, 16-bit, mono), converted to the device's
    // preferred format when it does not take these; false when they cannot
    // play. ended is called, from the event loop, when they have played out
    // or the device failed.
    virtual bool start(const QByteArray& samples, std::function<void()> ended) = 0;
    virtual void stop() = 0;
};

// The default audio input.
class orbel_audio_input {
public:
    virtual ~orbel_audio_input() = default;
    // Starts recording in 8-bit unsigned mono at 8000 Hz, or in the device's
    // preferred format when it refuses that; chosen learns the format before
    // the input starts, take gets the bytes as they come. False when there
    // is no input or it does not start.
    virtual bool start(std::function<void(const pcm_format&)> chosen,
                       std::function<void(const char*, size_t)> take) = 0;
    // Stops; the bytes still waiting go to take first.
    virtual void stop() = 0;
};

// What the module makes. Objects it made must not outlive the program's run
// (the module is never unloaded).
class orbel_media_factory {
public:
    virtual ~orbel_media_factory() = default;
    virtual std::unique_ptr<orbel_video_input> video_input(orbel_video_events events) = 0;
    virtual std::unique_ptr<orbel_audio_output> audio_output() = 0;
    virtual std::unique_ptr<orbel_audio_input> audio_input() = 0;
};

// The module's one export; its name changes whenever the classes above do,
// so a module of another build is refused rather than misread.
#define ORBEL_MEDIA_ENTRY "orbel_media_factory_1"
using orbel_media_entry = orbel_media_factory* (*)();

// The module's file name, e.g. "orbel_media.so".
QString orbel_media_file_name();
// Loads the module from the folder and returns its factory; null, with the
// reason in error, when the file is missing, cannot be loaded or is not
// the module of this build.
orbel_media_factory* orbel_media_load(const QString& folder, QString& error);
// The module beside the program, loaded on the first call (a failure is
// logged once and kept); null when it cannot be loaded.
orbel_media_factory* orbel_media();
// Why orbel_media() is null (trying it first); empty when it is not.
QString orbel_media_error();
