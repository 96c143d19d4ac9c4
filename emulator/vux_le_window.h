#pragma once
#include <QByteArray>
#include <cstdint>

// What the engine's facility and graphics host tables reach in the client
// window. Each operation takes the arguments of the table entry that leads
// to it, in the same order; the defaults do nothing and answer 0 or null.
class vux_le_window {
public:
    virtual ~vux_le_window() = default;
    virtual void start_timer(int rate) {}
    virtual void stop_timer() {}
    virtual void open_text_input(int kind, int maximum, const uint16_t* title, int title_count, const uint16_t* text,
                                 int text_count) {}
    virtual int close_text_input() { return 0; }
    virtual void screen_reset() {}
    virtual void open_media(int value, const char* kind) {}
    virtual int close_media() { return 0; }
    virtual void send_message(const char* recipient, const uint16_t* text, int count) {}
    virtual const char* canvas_query(int argument) { return nullptr; }
    virtual int play_music(const char* type, const uint8_t* bytes, int length) { return 0; }
    virtual int start_animation(int a, int b, int c, int d, const uint8_t* bytes, int length) { return 0; }
    virtual void stop_music(int mode) {}
    virtual void open_link(const char* kind, const char* text) {}
    virtual void notify_user(int kind) {}
    virtual void request_location(int kind) {}
    virtual void machine_settled(const uint8_t* bytes, int length) {}
    virtual void write_file(const char* name, const uint8_t* bytes, int length) {}
    virtual int query_file(const char* name) { return 0; }
    // The whole file, empty when absent, unreadable or empty.
    virtual QByteArray read_file(const char* name) { return {}; }
    // The built-in image blob (empty when there is none).
    virtual QByteArray image_blob() { return {}; }
    virtual void repaint() {}
    virtual void restart() {}
    virtual void exit_requested() {}
    virtual void show_busy(int mode, int value) {}
};
