#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;
class orbel_client_music;
class orbel_voice_recorder;
class vux_le_camera;
struct vux_engine;

// The device facilities one client window offers the engine: text input,
// photo/camera/voice capture, voice playback, the location dialog and the
// busy indicator. The client window owns one and decides what each answer
// means for the engine; an implementation only shows its dialogs and hands
// the raw outcome back.
//
// Rules every implementation keeps:
// - Dialogs are opened with open(), never exec(): each open_* returns at once
//   and its answer arrives later through the callback, from the event loop.
// - Each callback is called at most once, and never after the matching
//   close_* or after the object is destroyed.
// - Opening while a dialog of the same kind is open closes the old one first
//   (its callback is not called).
class orbel_client_devices {
public:
    virtual ~orbel_client_devices() = default;

    // Text input. The answer is the entered text on OK (possibly empty), or
    // nullopt on cancel.
    using text_done = std::function<void(std::optional<QString>)>;
    virtual void open_text_input(bool single_line, int maximum, const QString& title, const QString& text,
                                 text_done done) = 0;
    // Closes an open text input without an answer; true when one was open.
    virtual bool close_text_input() = 0;

    // Capture by kind "photo", "camera" or "voice". The answer is the bytes
    // to hand to the engine (a JPEG for pictures, AMR for voice), or nullopt
    // for every failure or cancellation.
    using media_done = std::function<void(std::optional<QByteArray>)>;
    virtual void open_capture(const QString& kind, media_done done) = 0;
    // Closes an open photo chooser without an answer; true when one was open.
    virtual bool close_capture() = 0;

    // Received voice: non-zero when it plays.
    virtual int play_voice(const QByteArray& bytes) = 0;
    virtual void stop_voice() = 0;

    // The location dialog, prefilled. The answer on OK is (latitude,
    // longitude) as typed; nullopt on cancel. The dialog stores the values.
    using location_done = std::function<void(std::optional<std::pair<QString, QString>>)>;
    virtual void request_location(const QString& latitude, const QString& longitude, location_done done) = 0;

    // Busy indicator, 80 x 80, centred over the client window.
    virtual bool busy_visible() const = 0;
    virtual void busy_show() = 0;
    virtual void busy_hide() = 0;
    // Advances the animation (mode, value as the engine gives them).
    virtual void busy_advance(int mode, int value) = 0;
};

// What the device facilities need from their client window besides the
// window itself.
struct orbel_client_devices_context {
    // The emulator's folder, where the media files go beside the document's
    // own files. Empty: the per-user data folder's "emulator" folder.
    QString emulator_folder;
    // The running engine, read when a text input opens for the emoticon
    // grid; null (or no function) shows no grid.
    std::function<vux_engine*()> engine;
    // The built-in image blob that the grid's picture references point into.
    std::function<QByteArray()> image_blob;
    // Where the camera, the voice recorder and the voice player come from;
    // no function: the machine's own devices. Tests put stand-ins here.
    std::function<std::unique_ptr<vux_le_camera>()> make_camera;
    std::function<std::unique_ptr<orbel_voice_recorder>()> make_recorder;
    std::function<std::unique_ptr<orbel_client_music>(const QString& folder)> make_music;
};

// Makes the device facilities of one client window (its dialogs' parent).
std::unique_ptr<orbel_client_devices> orbel_make_client_devices(QWidget* client);
std::unique_ptr<orbel_client_devices> orbel_make_client_devices(QWidget* client, orbel_client_devices_context context);
