#pragma once
// Stand-ins for the machine's camera, microphone and speaker, for the device
// facilities' seam: the camera opens and takes the frames a test feeds its
// sink, the recorder records what a test hands it, and the player keeps the
// samples it was to play.
#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>
#include <cstdlib>
#include <memory>
#include <vector>

#include "emulator/orbel_client_devices.h"
#include "emulator/orbel_client_music.h"
#include "emulator/orbel_client_record.h"
#include "emulator/vux_le_camera.h"

// The device facilities' context with only the media folder's home set.
inline orbel_client_devices_context devices_context(const QString& emulator_folder) {
    orbel_client_devices_context context;
    context.emulator_folder = emulator_folder;
    return context;
}

// A frame of one colour, as a camera would hand it to the sink.
inline QVideoFrame solid_frame(QColor color, QSize size = {64, 48}) {
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_BGRA8888));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < size.width(); ++x) {
            line[4 * x] = uchar(color.blue());
            line[4 * x + 1] = uchar(color.green());
            line[4 * x + 2] = uchar(color.red());
            line[4 * x + 3] = 255;
        }
    }
    frame.unmap();
    return frame;
}

// Within what a JPEG or a scaling may move a colour.
inline bool same_colour(QRgb got, QColor want) {
    return std::abs(qRed(got) - want.red()) < 8 && std::abs(qGreen(got) - want.green()) < 8 &&
           std::abs(qBlue(got) - want.blue()) < 8;
}

struct fake_camera : vux_le_camera {
    bool opens = true;
    bool open() override { return opens; }
};

struct fake_recorder : orbel_voice_recorder {
    bool starts = true;
    bool start() override { return starts; }  // records 8-bit 8 kHz mono as handed
};

struct fake_music : orbel_client_music {
    fake_music(const QString& folder, std::vector<QByteArray>& played) : orbel_client_music(folder), played_(played) {}
    bool output_present() const override { return true; }
    bool start_output(const QByteArray& samples) override {
        played_.push_back(samples);
        return true;
    }

private:
    std::vector<QByteArray>& played_;
};

// Makes the stand-ins and remembers the last of each it made.
struct fake_media {
    fake_camera* camera = nullptr;
    fake_recorder* recorder = nullptr;
    bool camera_opens = true, recorder_starts = true;
    std::vector<QByteArray> played;

    template <class Context>
    void install(Context& context) {
        context.make_camera = [this]() -> std::unique_ptr<vux_le_camera> {
            auto c = std::make_unique<fake_camera>();
            c->opens = camera_opens;
            camera = c.get();
            return c;
        };
        context.make_recorder = [this]() -> std::unique_ptr<orbel_voice_recorder> {
            auto r = std::make_unique<fake_recorder>();
            r->starts = recorder_starts;
            recorder = r.get();
            return r;
        };
        context.make_music = [this](const QString& folder) -> std::unique_ptr<orbel_client_music> {
            return std::make_unique<fake_music>(folder, played);
        };
    }
};
