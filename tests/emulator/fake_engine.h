#pragma once
// A stand-in for the markup engine, linked into host tests in its place:
// every entry point is defined, records its call, returns what the test
// scripted, keeps the registered tables so the test can call any host entry,
// and fails the test when an entry point is entered from inside another.
// Include in exactly one file of a test program.
#include "markup/runtime/vux_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct vux_engine {
    vux_graphics_table graphics{};
    vux_network_table network{};
    vux_facility_table facility{};
    std::vector<std::string> calls;  // "name arg arg ..."
    int depth = 0;
    std::deque<int> socket_data_results;  // answers of on_socket_data; 1 once used up
    std::string received;                 // every byte of on_socket_data
    std::vector<int> piece_sizes;
    std::function<void(const std::string&)> inside;  // run inside each entry, with its call text
    std::map<std::string, std::string> variables;    // answers of get_variable
    std::map<std::string, std::string> data;         // get_data: bytes
    std::map<std::string, std::string> data_texts;   // get_data: a text, length 0
    std::string handed;                              // what get_data handed out last; overwritten by the next
};

inline vux_engine* fake_last_engine = nullptr;

namespace fake_detail {
struct enter {
    vux_engine* e;
    enter(vux_engine* engine, std::string call) : e(engine) {
        if (!e) {
            ADD_FAILURE() << "entry point called with a null handle: " << call;
            return;
        }
        if (e->depth > 0) ADD_FAILURE() << "entry point entered inside another: " << call;
        ++e->depth;
        e->calls.push_back(call);
        if (e->inside) e->inside(call);
    }
    ~enter() {
        if (e) --e->depth;
    }
};
inline std::string args(std::initializer_list<long long> values) {
    std::string s;
    for (long long v : values) s += " " + std::to_string(v);
    return s;
}
}  // namespace fake_detail

#define FAKE_ENTER(e, name, ...) fake_detail::enter _guard(e, std::string(name) + fake_detail::args({__VA_ARGS__}))

// The entry points are defined once per test program: the one file that
// defines FAKE_ENGINE_DEFINITIONS before including this header holds them.
#ifdef FAKE_ENGINE_DEFINITIONS
extern "C" {
vux_engine* vux_engine_create(void) { return fake_last_engine = new vux_engine; }
void vux_engine_destroy(vux_engine* e) {
    if (fake_last_engine == e) fake_last_engine = nullptr;
    delete e;
}
void* vux_engine_set_graphics(vux_engine* e, const vux_graphics_table* t) {
    FAKE_ENTER(e, "set_graphics");
    e->graphics = t ? *t : vux_graphics_table{};
    return &e->graphics;
}
void* vux_engine_set_network(vux_engine* e, const vux_network_table* t) {
    FAKE_ENTER(e, "set_network");
    e->network = t ? *t : vux_network_table{};
    return &e->network;
}
void* vux_engine_set_facility(vux_engine* e, const vux_facility_table* t) {
    FAKE_ENTER(e, "set_facility");
    e->facility = t ? *t : vux_facility_table{};
    return &e->facility;
}
void vux_engine_load_private(vux_engine* e, const uint8_t* bytes, int length) { FAKE_ENTER(e, "load_private", length); }
void vux_engine_start_document(vux_engine* e, const uint8_t* bytes, int length) {
    FAKE_ENTER(e, "start_document", length);
}
void vux_engine_tick(vux_engine* e, int tick) { FAKE_ENTER(e, "tick", tick); }
void vux_engine_key(vux_engine* e, int key) { FAKE_ENTER(e, "key", key); }
void vux_engine_pointer(vux_engine* e, int kind, int x, int y) { FAKE_ENTER(e, "pointer", kind, x, y); }
int vux_engine_drag_step(vux_engine* e, int a, int b, int c) {
    FAKE_ENTER(e, "drag_step", a, b, c);
    return 0;
}
void vux_engine_call_function(vux_engine* e, const char* name) {
    FAKE_ENTER(e, std::string("call_function ") + (name ? name : "(null)"));
}
char* vux_engine_get_variable(vux_engine* e, const char* name) {
    FAKE_ENTER(e, std::string("get_variable ") + (name ? name : "(null)"));
    const auto it = name ? e->variables.find(name) : e->variables.end();
    if (it == e->variables.end() || it->second.empty()) return nullptr;
    return strdup(it->second.c_str());
}
const uint8_t* vux_engine_get_data(vux_engine* e, const char* name, int* length) {
    FAKE_ENTER(e, std::string("get_data ") + (name ? name : "(null)"));
    if (length) *length = 0;
    if (!name) return nullptr;
    if (auto it = e->data.find(name); it != e->data.end()) {
        e->handed = it->second;
        if (length) *length = int(e->handed.size());
    } else if (auto t = e->data_texts.find(name); t != e->data_texts.end()) {
        e->handed = t->second;
    } else {
        return nullptr;
    }
    return reinterpret_cast<const uint8_t*>(e->handed.c_str());
}
int vux_engine_on_socket_data(vux_engine* e, int id, const uint8_t* bytes, int length) {
    FAKE_ENTER(e, "socket_data", id);
    e->received.append(reinterpret_cast<const char*>(bytes), size_t(length));
    e->piece_sizes.push_back(length);
    if (e->socket_data_results.empty()) return 1;
    const int r = e->socket_data_results.front();
    e->socket_data_results.pop_front();
    return r;
}
void vux_engine_on_socket_ready(vux_engine* e, int id) { FAKE_ENTER(e, "socket_ready", id); }
void vux_engine_on_socket_error(vux_engine* e, int id) { FAKE_ENTER(e, "socket_error", id); }
void vux_engine_on_location(vux_engine* e, int status, const char* text) {
    FAKE_ENTER(e, "location " + std::to_string(status) + " " + (text ? text : "(null)"));
}
void vux_engine_on_clipboard(vux_engine* e, const uint8_t* bytes, int length) { FAKE_ENTER(e, "clipboard", length); }
void vux_engine_on_media(vux_engine* e, const uint8_t* bytes, int length) {
    FAKE_ENTER(e, bytes ? "media" : "media null", length);
}
void vux_engine_on_input_text(vux_engine* e, const uint16_t* text, int count) {
    FAKE_ENTER(e, text ? "input_text" : "input_text null", count);
}
}
#endif

// How many recorded calls begin with that text.
inline int fake_count(const vux_engine& e, const std::string& prefix) {
    int n = 0;
    for (const auto& c : e.calls) n += c.rfind(prefix, 0) == 0;
    return n;
}
