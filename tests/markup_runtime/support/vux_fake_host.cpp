#include "vux_fake_host.h"
#include <algorithm>
#include <sstream>

namespace {

vux_fake_host& host(void* user) { return *static_cast<vux_fake_host*>(user); }

std::string text(const char* s) { return s ? std::string("\"") + s + "\"" : std::string("null"); }

template <class... A>
std::string line(const char* entry, const A&... args) {
    std::ostringstream out;
    out << entry;
    ((out << ' ' << args), ...);
    return out.str();
}

std::string utf16(const uint16_t* t, int n) { return t ? "\"" + vux_utf16_to_utf8(t, n) + "\"" : std::string("null"); }

}  // namespace

std::string vux_utf16_to_utf8(const uint16_t* t, int n) {
    std::string out;
    for (int i = 0; t && i < n; ++i) {
        uint32_t c = t[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (t[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string vux_fake_host::reply(const std::string& entry, const std::string& fallback) {
    if (entry != "network.open_connection" && entry != "facility.save_private" && entry != "facility.play_music" &&
        entry != "facility.start_animation")
        note(entry);
    auto q = queued_.find(entry);
    if (q != queued_.end() && !q->second.empty()) {
        std::string v = q->second.front();
        q->second.pop_front();
        return v;
    }
    auto f = fixed_.find(entry);
    return f != fixed_.end() ? f->second : fallback;
}

int vux_fake_host::reply_int(const std::string& entry, int fallback) {
    const std::string v = reply(entry, std::to_string(fallback));
    return std::atoi(v.c_str());
}

const char* vux_fake_host::reply_text(const std::string& entry, const std::string& fallback) {
    const std::string v = reply(entry, fallback);
    if (v == "\x01null") return nullptr;
    texts_[entry] = v;
    return texts_[entry].c_str();
}

std::vector<std::string> vux_fake_host::calls(const std::string& entry) const {
    std::vector<std::string> out;
    for (const std::string& l : log)
        if (l == entry || l.rfind(entry + " ", 0) == 0) out.push_back(l);
    return out;
}

void vux_fake_host::attach(vux_engine* e) const {
    vux_engine_set_graphics(e, &graphics);
    vux_engine_set_network(e, &network);
    vux_engine_set_facility(e, &facility);
}

vux_fake_host::vux_fake_host() {
    graphics.user = network.user = facility.user = this;

    // ---- graphics: a 240 x 320 screen, 12-pixel text, 6-pixel characters
    vux_graphics_table& g = graphics;
    g.screen_width = [](void* u) { return host(u).reply_int("graphics.screen_width", 240); };
    g.screen_height = [](void* u) { return host(u).reply_int("graphics.screen_height", 320); };
    g.capability = [](void* u) { return host(u).reply_int("graphics.capability", 1); };
    g.image_formats = [](void* u) { return host(u).reply_text("graphics.image_formats", "gif\njpg"); };
    g.reserved_5 = [](void* u) { return host(u).reply_int("graphics.reserved_5", 0); };
    g.select_font = [](void* u, int size, int style) { host(u).note(line("graphics.select_font", size, style)); };
    g.text_height = [](void* u) { return host(u).reply_int("graphics.text_height", 12); };
    g.char_width = [](void* u, uint16_t) { return host(u).reply_int("graphics.char_width", 6); };
    g.clear = [](void* u, uint32_t c) { host(u).note(line("graphics.clear", c)); };
    g.set_clip = [](void* u, int x, int y, int w, int h) { host(u).note(line("graphics.set_clip", x, y, w, h)); };
    g.set_colour = [](void* u, int s, uint32_t c) { host(u).note(line("graphics.set_colour", s, c)); };
    g.move_to = [](void* u, int x, int y) { host(u).note(line("graphics.move_to", x, y)); };
    g.set_width = [](void* u, int w) { host(u).note(line("graphics.set_width", w)); };
    g.set_height = [](void* u, int h) { host(u).note(line("graphics.set_height", h)); };
    g.window_image = [](void* u, const char* n, const uint8_t*, int len) {
        host(u).note(line("graphics.window_image", text(n), len));
    };
    g.hook_16 = [](void* u) { host(u).note("graphics.hook_16"); };
    g.save_area = [](void* u, int x, int y, int w, int h) { host(u).note(line("graphics.save_area", x, y, w, h)); };
    g.restore_area = [](void* u, int sx, int sy, int w, int h, int x, int y) {
        host(u).note(line("graphics.restore_area", sx, sy, w, h, x, y));
    };
    g.rectangle = [](void* u, int f, int gr) { host(u).note(line("graphics.rectangle", f, gr)); };
    g.texture = [](void* u, int m, int f, const char* n, const uint8_t*, int len) {
        host(u).note(line("graphics.texture", m, f, text(n), len));
    };
    g.round_rectangle = [](void* u, int f, int r) { host(u).note(line("graphics.round_rectangle", f, r)); };
    g.horizontal_line = [](void* u, int s) { host(u).note(line("graphics.horizontal_line", s)); };
    g.vertical_line = [](void* u) { host(u).note("graphics.vertical_line"); };
    g.text = [](void* u, const uint16_t* c, int n, int ul) { host(u).note(line("graphics.text", utf16(c, n), ul)); };
    g.image = [](void* u, const char* n, int f, const uint8_t*, int len, int a, int b, int c) {
        host(u).note(line("graphics.image", text(n), f, len, a, b, c));
    };
    g.triangle = [](void* u, int d) { host(u).note(line("graphics.triangle", d)); };
    g.ellipse = [](void* u, int f, int p, const uint16_t* c, int n) {
        host(u).note(line("graphics.ellipse", f, p, utf16(c, n)));
    };
    g.busy = [](void* u, int s, int p) { host(u).note(line("graphics.busy", s, p)); };
    g.data_replaced = [](void* u, const char* n) { host(u).note(line("graphics.data_replaced", text(n))); };
    g.reserved_30 = [](void* u) { host(u).note("graphics.reserved_30"); };
    g.repaint = [](void* u) { host(u).note("graphics.repaint"); };

    // ---- network
    vux_network_table& n = network;
    n.connection_kinds = [](void* u) { return host(u).reply_text("network.connection_kinds", "network\nother"); };
    n.get_first_address = [](void* u) { return host(u).reply_text("network.get_first_address", "\x01null"); };
    n.set_first_address = [](void* u, const char* t) { host(u).note(line("network.set_first_address", text(t))); };
    n.get_host = [](void* u) { return host(u).reply_text("network.get_host", "service.test"); };
    n.set_host = [](void* u, const char* t) {
        host(u).note(line("network.set_host", text(t)));
        host(u).answer("network.get_host", t ? t : "");
    };
    n.get_port = [](void* u) { return host(u).reply_int("network.get_port", 80); };
    n.set_port = [](void* u, int p) {
        host(u).note(line("network.set_port", p));
        host(u).answer("network.get_port", std::to_string(p));
    };
    n.open_connection = [](void* u, const uint8_t* b, int len) {
        vux_fake_host& h = host(u);
        int id = h.reply_int("network.open_connection", -1);
        if (id < 0) id = h.next_id++;
        h.note(line("network.open_connection", len, "->", id));
        if (id != 0) {
            h.requests[id] = std::string(reinterpret_cast<const char*>(b), size_t(len > 0 ? len : 0));
            h.open_ids.push_back(id);
        }
        return id;
    };
    n.close_connection = [](void* u, int id) {
        vux_fake_host& h = host(u);
        h.note(line("network.close_connection", id));
        h.open_ids.erase(std::remove(h.open_ids.begin(), h.open_ids.end(), id), h.open_ids.end());
    };
    n.stopped = [](void* u) { host(u).note("network.stopped"); };

    // ---- facility: answers as the emulator does
    vux_facility_table& f = facility;
    f.reserved_1 = [](void* u) { return host(u).reply_int("facility.reserved_1", 0); };
    f.supports = [](void* u, int kind) {
        const int emulator = (kind == 0 || kind == 1 || (kind >= 4 && kind <= 12)) ? 1 : 0;
        return host(u).reply_int("facility.supports " + std::to_string(kind), emulator);
    };
    f.device_key = [](void* u) { return host(u).reply_text("facility.device_key", "460001234567890"); };
    f.platform = [](void* u) { return host(u).reply_text("facility.platform", "emulator"); };
    f.model = [](void* u) { return host(u).reply_text("facility.model", "desk"); };
    f.application_id = [](void* u) { return host(u).reply_text("facility.application_id", "app-1"); };
    f.session_text = [](void* u) { return host(u).reply_text("facility.session_text", "session-5"); };
    f.query = [](void* u, int kind) { return host(u).reply_int("facility.query " + std::to_string(kind), 0); };
    f.save_private = [](void* u, const uint8_t* b, int len) {
        vux_fake_host& h = host(u);
        h.note(line("facility.save_private", len));
        const int ok = h.reply_int("facility.save_private", 1);
        if (ok) h.saved_store.assign(reinterpret_cast<const char*>(b), size_t(len > 0 ? len : 0));
        return ok;
    };
    f.start_timer = [](void* u, int r) { host(u).note(line("facility.start_timer", r)); };
    f.stop_timer = [](void* u) { host(u).note("facility.stop_timer"); };
    f.open_text_input = [](void* u, int kind, int max, const uint16_t* t, int tn, const uint16_t* x, int xn) {
        host(u).note(line("facility.open_text_input", kind, max, utf16(t, tn), utf16(x, xn)));
    };
    f.close_text_input = [](void* u) { host(u).note("facility.close_text_input"); };
    f.screen_reset = [](void* u) { host(u).note("facility.screen_reset"); };
    f.open_media = [](void* u, int v, const char* k) { host(u).note(line("facility.open_media", v, text(k))); };
    f.close_media = [](void* u) { host(u).note("facility.close_media"); };
    f.send_message = [](void* u, const char* r, const uint16_t* t, int n) {
        host(u).note(line("facility.send_message", text(r), utf16(t, n)));
    };
    f.canvas_query = [](void* u, int a) {
        return host(u).reply_text("facility.canvas_query " + std::to_string(a), "\x01null");
    };
    f.play_music = [](void* u, const char* t, const uint8_t*, int len) {
        host(u).note(line("facility.play_music", text(t), len));
        return host(u).reply_int("facility.play_music", 1);
    };
    f.start_animation = [](void* u, int a, int b, int c, int d, const uint8_t*, int len) {
        host(u).note(line("facility.start_animation", a, b, c, d, len));
        return host(u).reply_int("facility.start_animation", 0);
    };
    f.stop_music = [](void* u, int k) { host(u).note(line("facility.stop_music", k)); };
    f.link_kinds = [](void* u) { return host(u).reply_text("facility.link_kinds", "web\nwap\nxml"); };
    f.open_link = [](void* u, const char* k, const char* t) {
        host(u).note(line("facility.open_link", text(k), text(t)));
    };
    f.notify_user = [](void* u, int k) { host(u).note(line("facility.notify_user", k)); };
    f.request_location = [](void* u, int k) { host(u).note(line("facility.request_location", k)); };
    f.machine_settled = [](void* u, const uint8_t*, int len) { host(u).note(line("facility.machine_settled", len)); };
    f.data_bytes = [](void* u, const uint8_t*, int len) { host(u).note(line("facility.data_bytes", len)); };
    f.write_file = [](void* u, const char* name, const uint8_t* b, int len) {
        vux_fake_host& h = host(u);
        h.note(line("facility.write_file", text(name), len));
        if (name) h.files[name].assign(reinterpret_cast<const char*>(b), size_t(len > 0 ? len : 0));
    };
    f.query_file = [](void* u, const char* name) {
        vux_fake_host& h = host(u);
        h.note(line("facility.query_file", text(name)));
        auto it = name ? h.files.find(name) : h.files.end();
        return it == h.files.end() ? 0 : int(it->second.size());
    };
    f.after_logout = [](void* u) { host(u).note("facility.after_logout"); };
    f.after_exit = [](void* u) { host(u).note("facility.after_exit"); };
}
