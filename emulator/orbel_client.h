#pragma once
#include "emulator/orbel_client_devices.h"
#include "emulator/vux_le_engine.h"
#include "emulator/vux_le_slip.h"
#include "emulator/vux_le_window.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// What a client window starts from. The program takes the defaults; tests
// give their own document, folder, devices and clock.
struct orbel_client_setup {
    QByteArray document;   // the built-in document (DAT 206)
    QByteArray blob;       // the image blob its data records reference (DAT 208)
    QString folder;        // the engine's files; empty: the file slots do nothing
    QString session_text;  // the desktop session's second text
    QString host;          // the service as the engine reaches it
    int port = 0;
    std::function<std::unique_ptr<orbel_client_devices>(QWidget* client)> devices;
    vux_le_slip::clock clock;  // the kinetic scrolling's clock; empty: monotonic
};

// The program's setup: the built-in resources, the per-user folder
// "emulator", the given session's second text, the emulator host, and the
// device facilities of orbel_make_client_devices.
orbel_client_setup orbel_client_default_setup(const QString& session_text = QString());

// The emulator host: one constant, port 80; QUELLMARK_SERVICE replaces both.
inline constexpr const char* orbel_client_emulator_host = "le.quellmark.com";
inline constexpr int orbel_client_emulator_port = 80;

// The engine key of a Qt key; -1 for keys the engine is not given.
int orbel_client_key_code(int qt_key);
// The wheel's notches: key 12 up, 13 down, once per whole 120 of the delta.
struct orbel_client_wheel {
    int key = 0;
    int count = 0;
};
orbel_client_wheel orbel_client_wheel_keys(int delta);
// "copy"'s text: every four-character marker "[[[0" and "[[[1" removed.
QString orbel_client_strip_markers(const QString& text);
// Where a file the engine names lives: only a plain name (no separator,
// control character or leading dot, at most 128 bytes) inside the folder;
// empty for anything else.
QString orbel_client_file_path(const QString& folder, const char* name);
// A "web"/"wap" link as the browser gets it: http or https only, "http://"
// put before a text without a scheme; invalid for anything else.
QUrl orbel_client_link_url(const char* text);

// The phone's screen: owns the engine, hands it timer, key, wheel and
// pointer events, paints its back buffer, and answers its host calls.
// Whatever the engine asks that opens a dialog, restarts the document or
// hands it data back is run from a queued call after the engine has
// returned, so the engine is never entered from inside itself.
class orbel_client : public QWidget, public vux_le_window {
public:
    static constexpr int tick_timer_id = 100;
    static constexpr int slip_timer_id = 101;
    static constexpr qint64 file_cap = 16 * 1024 * 1024;

    orbel_client(int width, int height, orbel_client_setup setup, QWidget* parent = nullptr);
    ~orbel_client() override;

    // Makes the engine and starts the built-in document; false when the
    // engine cannot be made (the window then stays blank).
    bool create();

    bool started() const { return started_; }
    // The site the administrator has selected (its key; empty for none). The
    // phone names it to the service after the desktop session's text, a
    // blank between; a new one while the document runs starts it again, so
    // that the phone enters anew and opens on that site.
    void set_selected_site(const QString& key);
    // The phone shown again: with a site selected, a document that has
    // connected starts again, so that the phone opens on that site's page
    // whatever page it was on. Without a site it stays as it is.
    void enter_selected_site();
    QString identity() const { return identity_; }
    vux_le_engine* host() const { return host_.get(); }
    const QTimer& tick_timer() const { return tick_timer_; }
    vux_le_slip& slip() { return *slip_; }

    // vux_le_window
    void start_timer(int rate) override;
    void stop_timer() override;
    void open_text_input(int kind, int maximum, const uint16_t* title, int title_count, const uint16_t* text,
                         int text_count) override;
    int close_text_input() override;
    void open_media(int value, const char* kind) override;
    int close_media() override;
    int play_music(const char* type, const uint8_t* bytes, int length) override;
    void stop_music(int mode) override;
    void open_link(const char* kind, const char* text) override;
    void request_location(int kind) override;
    void write_file(const char* name, const uint8_t* bytes, int length) override;
    int query_file(const char* name) override;
    QByteArray read_file(const char* name) override;
    QByteArray image_blob() override { return setup_.blob; }
    void repaint() override { update(); }
    void restart() override;
    void show_busy(int mode, int value) override;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A dialog the engine asked for: asked (queued, not yet open), then
    // open; the serial tells a late answer from a newer request.
    enum class dialog { none, asked, open };
    struct dialog_slot {
        dialog state = dialog::none;
        unsigned serial = 0;  // wraps harmlessly
    };

    vux_engine* engine() const { return host_ ? host_->handle() : nullptr; }
    void later(std::function<void()> call);
    void tick();
    void start_document();
    void on_text(unsigned serial, std::optional<QString> text);
    void on_media(unsigned serial, std::optional<QByteArray> bytes);
    void copy_to_clipboard(const QString& text);

    orbel_client_setup setup_;
    QString identity_;  // the session text the engine is given
    const int width_, height_;
    bool started_ = false;
    bool captured_ = false;
    bool timer_running_ = false;
    int ticks_ = 0;
    bool ticked_ = false;  // the document has had a tick since it started
    bool restart_queued_ = false;
    QTimer tick_timer_;
    std::unique_ptr<vux_le_engine> host_;
    std::unique_ptr<vux_le_slip> slip_;
    // Declared after the engine: destroyed first, so no answer outlives it.
    std::unique_ptr<orbel_client_devices> devices_;
    dialog_slot text_, media_;
    unsigned location_serial_ = 0;
};
