#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

#include "emulator/orbel_client_devices.h"
#include "emulator/vux_waiter_window.h"
#include "gui/orbel_emoticon_list.h"

class QDialog;
class orbel_client_music;

// The emoticon grid's source in a running engine: "__key_emoticon" and the
// data items "em000.png"..., each copied the moment the engine hands it
// over; an item that holds a blob reference is resolved inside the blob.
class orbel_engine_emoticon_source : public orbel_emoticon_source {
public:
    orbel_engine_emoticon_source(vux_engine* engine, QByteArray image_blob)
        : engine_(engine), blob_(std::move(image_blob)) {}
    std::string codes() override;
    QByteArray picture(const std::string& name) override;

private:
    vux_engine* engine_;
    QByteArray blob_;
};

// The media folder's files, one step each. Every step removes its output
// first, and a missing, empty or voiceless result gives nothing.
// "capture.bmp" as a fitted JPEG.
std::optional<QByteArray> orbel_captured_picture(const QString& media_folder);
// "record.wav" converted to "record.amr", whose bytes come back.
std::optional<QByteArray> orbel_recorded_voice(const QString& media_folder);

// The device facilities of one client window over the emulator's dialogs.
// Each dialog is opened window-modal with open(); its answer is passed on
// from the dialog's own finish, never from inside the call that opened it.
class orbel_client_device_dialogs : public QObject, public orbel_client_devices {
public:
    orbel_client_device_dialogs(QWidget* client, orbel_client_devices_context context);
    ~orbel_client_device_dialogs() override;

    void open_text_input(bool single_line, int maximum, const QString& title, const QString& text,
                         text_done done) override;
    bool close_text_input() override;
    void open_capture(const QString& kind, media_done done) override;
    bool close_capture() override;
    int play_voice(const QByteArray& bytes) override;
    void stop_voice() override;
    void request_location(const QString& latitude, const QString& longitude, location_done done) override;
    bool busy_visible() const override;
    void busy_show() override;
    void busy_hide() override;
    void busy_advance(int mode, int value) override;

    // With a trailing '/'.
    const QString& media_folder() const { return media_folder_; }
    // The dialogs open now, or null.
    QDialog* text_dialog() const { return text_.dialog; }
    QDialog* capture_dialog() const { return capture_.dialog; }
    QDialog* location_dialog() const { return location_.dialog; }
    vux_waiter_window& waiter() { return *waiter_; }
    orbel_client_music& music() { return *music_; }

private:
    // One kind of dialog: at most one open, answered at most once.
    template <class Done>
    struct slot {
        QPointer<QDialog> dialog;
        Done done;
        int serial = 0;  // which request an answer belongs to
    };
    template <class Done>
    void begin(slot<Done>& s, Done done);
    template <class Done>
    bool end(slot<Done>& s);
    template <class Done, class Value>
    void answer(slot<Done>& s, int serial, Value value);
    template <class Done, class Make>
    void on_finish(slot<Done>& s, QDialog* dialog, Make make);

    void open_photo();
    void open_camera();
    void open_voice();

    QWidget* client_;
    orbel_client_devices_context context_;
    QString media_folder_;
    slot<text_done> text_;
    slot<media_done> capture_;
    QString capture_kind_;
    slot<location_done> location_;
    std::unique_ptr<orbel_client_music> music_;
    QPointer<vux_waiter_window> waiter_;
};
