#include "emulator/vux_le_facility.h"

#include "emulator/vux_le_window.h"

#include <QTime>

namespace {
constexpr int supported_facility = 1;  // kinds 6 and 7
}

int vux_le_facility::supports(int kind) const {
    switch (kind) {
    case 0:
    case 1:
    case 4:
    case 5:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12: return 1;
    case 6:
    case 7: return supported_facility;
    default: return 0;
    }
}

QString vux_le_facility::adjusted_device_id() const {
    const QString& id = texts_[device_id];
    if (instance_ == 0 || id.size() < 2) return id;
    bool ok = false;
    const int d = id.right(2).toInt(&ok);
    if (!ok) return id;
    const int moved = int((static_cast<long long>(instance_) + d) % 100 + 100) % 100;
    return id.left(id.size() - 2) + QStringLiteral("%1").arg(moved, 2, 10, QChar(u'0'));
}

int vux_le_facility::local_time(int kind) {
    const QTime now = QTime::currentTime();
    switch (kind) {
    case 0: return now.second();
    case 1: return now.minute();
    case 2: return now.hour();
    default: return 0;
    }
}

const char* vux_le_facility::hand_out(identity which, const QString& text) {
    handed_[which] = text.toStdString();
    return handed_[which].c_str();
}

struct vux_le_facility_entries {
    static vux_le_facility& f(void* user) { return *static_cast<vux_le_facility*>(user); }
    static vux_le_window* w(void* user) { return f(user).window_; }

    static int reserved_1(void*) { return 0; }
    static int supports(void* u, int kind) { return f(u).supports(kind); }
    static const char* device_key(void* u) {
        return f(u).hand_out(vux_le_facility::device_id, f(u).adjusted_device_id());
    }
    static const char* text(void* u, vux_le_facility::identity which) {
        return f(u).hand_out(which, f(u).texts_[which]);
    }
    static const char* platform(void* u) { return text(u, vux_le_facility::platform); }
    static const char* model(void* u) { return text(u, vux_le_facility::model); }
    static const char* application_id(void* u) { return text(u, vux_le_facility::application_id); }
    static const char* session_text(void* u) { return text(u, vux_le_facility::session_text); }
    static int query(void*, int kind) { return vux_le_facility::local_time(kind); }
    static int save_private(void* u, const uint8_t* bytes, int length) {
        if (length < 0 || (length > 0 && !bytes)) return 0;
        return f(u).persist_.save_private(f(u).instance_, QByteArray(reinterpret_cast<const char*>(bytes), length)) ? 1
                                                                                                                    : 0;
    }
    static void start_timer(void* u, int rate) {
        if (auto* x = w(u)) x->start_timer(rate);
    }
    static void stop_timer(void* u) {
        if (auto* x = w(u)) x->stop_timer();
    }
    static void open_text_input(void* u, int kind, int maximum, const uint16_t* title, int tc, const uint16_t* text,
                                int c) {
        if (auto* x = w(u)) x->open_text_input(kind, maximum, title, tc, text, c);
    }
    static void close_text_input(void* u) {
        if (auto* x = w(u)) x->close_text_input();
    }
    static void screen_reset(void* u) {
        if (auto* x = w(u)) x->screen_reset();
    }
    static void open_media(void* u, int value, const char* kind) {
        if (auto* x = w(u)) x->open_media(value, kind);
    }
    static void close_media(void* u) {
        if (auto* x = w(u)) x->close_media();
    }
    static void send_message(void* u, const char* to, const uint16_t* text, int count) {
        if (auto* x = w(u)) x->send_message(to, text, count);
    }
    static const char* canvas_query(void* u, int a) {
        auto* x = w(u);
        return x ? x->canvas_query(a) : nullptr;
    }
    static int play_music(void* u, const char* type, const uint8_t* b, int n) {
        auto* x = w(u);
        return x ? x->play_music(type, b, n) : 0;
    }
    static int start_animation(void* u, int a, int b, int c, int d, const uint8_t* p, int n) {
        auto* x = w(u);
        return x ? x->start_animation(a, b, c, d, p, n) : 0;
    }
    static void stop_music(void* u, int mode) {
        if (auto* x = w(u)) x->stop_music(mode);
    }
    static const char* link_kinds(void*) { return "web\nwap\nxml"; }
    static void open_link(void* u, const char* kind, const char* text) {
        if (auto* x = w(u)) x->open_link(kind, text);
    }
    static void notify_user(void* u, int kind) {
        if (auto* x = w(u)) x->notify_user(kind);
    }
    static void request_location(void* u, int kind) {
        if (auto* x = w(u)) x->request_location(kind);
    }
    static void machine_settled(void* u, const uint8_t* b, int n) {
        if (auto* x = w(u)) x->machine_settled(b, n);
    }
    static void data_bytes(void*, const uint8_t*, int) {}
    static void write_file(void* u, const char* name, const uint8_t* b, int n) {
        if (auto* x = w(u)) x->write_file(name, b, n);
    }
    static int query_file(void* u, const char* name) {
        auto* x = w(u);
        return x ? x->query_file(name) : 0;
    }
    static void after_logout(void* u) {
        if (auto* x = w(u)) x->restart();
    }
    static void after_exit(void* u) {
        if (auto* x = w(u)) x->exit_requested();
    }
};

vux_facility_table vux_le_facility::table() {
    using e = vux_le_facility_entries;
    return {this,
            e::reserved_1,
            e::supports,
            e::device_key,
            e::platform,
            e::model,
            e::application_id,
            e::session_text,
            e::query,
            e::save_private,
            e::start_timer,
            e::stop_timer,
            e::open_text_input,
            e::close_text_input,
            e::screen_reset,
            e::open_media,
            e::close_media,
            e::send_message,
            e::canvas_query,
            e::play_music,
            e::start_animation,
            e::stop_music,
            e::link_kinds,
            e::open_link,
            e::notify_user,
            e::request_location,
            e::machine_settled,
            e::data_bytes,
            e::write_file,
            e::query_file,
            e::after_logout,
            e::after_exit};
}
