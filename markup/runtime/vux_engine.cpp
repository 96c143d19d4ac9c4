#include "markup/runtime/vux_engine.h"
#include <cstdlib>
#include <cstring>
#include <new>
#include "markup/runtime/vux_engine_handle.h"

namespace {

bool running(vux_engine* e) { return e && e->document().is_running(); }
bool interactive(vux_engine* e) { return running(e) && !e->document().is_blocked(); }

void activity(vux_engine* e) {
    e->idle_ticks = 0;
    e->machine().user_activity();
    e->document().end_subtitle();
}

// Answers of get_data live here until the next engine call.
thread_local std::string data_copy;

}  // namespace

extern "C" {

vux_engine* vux_engine_create(void) { return new (std::nothrow) vux_engine(); }

void vux_engine_destroy(vux_engine* e) { delete e; }

void* vux_engine_set_graphics(vux_engine* e, const vux_graphics_table* table) {
    if (!e) return nullptr;
    e->canvas().set(table);
    return &e->canvas();
}

void* vux_engine_set_network(vux_engine* e, const vux_network_table* table) {
    if (!e) return nullptr;
    e->network().set(table);
    return &e->network();
}

void* vux_engine_set_facility(vux_engine* e, const vux_facility_table* table) {
    if (!e) return nullptr;
    e->facility().set(table);
    return &e->facility();
}

void vux_engine_load_private(vux_engine* e, const uint8_t* bytes, int length) {
    if (e) e->document().load_private(bytes, length);
}

void vux_engine_start_document(vux_engine* e, const uint8_t* bytes, int length) {
    if (e) e->document().start(bytes, length);
}

void vux_engine_tick(vux_engine* e, int tick) {
    if (!e) return;
    if (!running(e)) {
        e->document().tick_not_running();
        return;
    }
    e->tick(tick);
    e->document().refresh();
}

void vux_engine_key(vux_engine* e, int key) {
    if (!interactive(e) || key < 0 || key > 13) return;
    activity(e);
    e->machine().key(key);
    e->document().refresh();
}

void vux_engine_pointer(vux_engine* e, int kind, int x, int y) {
    if (!interactive(e) || kind < 0 || kind > 2) return;
    activity(e);
    e->machine().pointer(kind, x, y);
    e->document().refresh();
}

int vux_engine_drag_step(vux_engine* e, int restart, int direction, int fast) {
    if (!interactive(e)) return 0;
    activity(e);
    return e->machine().drag_step(restart, direction, fast);
}

void vux_engine_call_function(vux_engine* e, const char* name) {
    if (!running(e) || !name) return;
    e->runner().call_function(vux_string(name));
}

char* vux_engine_get_variable(vux_engine* e, const char* name) {
    if (!running(e) || !name) return nullptr;
    vux_string value;
    if (!e->variables().get(vux_string(name), value) || value.empty()) return nullptr;
    char* copy = static_cast<char*>(std::malloc(size_t(value.length()) + 1));
    if (!copy) return nullptr;
    std::memcpy(copy, value.data(), size_t(value.length()));
    copy[value.length()] = 0;
    return copy;
}

const uint8_t* vux_engine_get_data(vux_engine* e, const char* name, int* length) {
    if (length) *length = 0;
    if (!running(e) || !name) return nullptr;
    const vux_data* item = e->canvas().images().find(vux_string(name));
    if (!item) return nullptr;
    if (item->bytes.length() > 0) {
        if (length) *length = item->bytes.length();
        return item->bytes.data();
    }
    data_copy = item->label.str();
    return reinterpret_cast<const uint8_t*>(data_copy.c_str());
}

int vux_engine_on_socket_data(vux_engine* e, int id, const uint8_t* bytes, int length) {
    if (!running(e)) return 0;
    return e->on_socket_data(id, bytes, length);
}

void vux_engine_on_socket_ready(vux_engine* e, int id) {
    if (running(e)) e->on_socket_ready(id);
}

void vux_engine_on_socket_error(vux_engine* e, int id) {
    if (running(e)) e->on_socket_error(id);
}

void vux_engine_on_location(vux_engine* e, int status, const char* text) {
    if (running(e)) e->device_results().on_location(status, text);
}

void vux_engine_on_clipboard(vux_engine* e, const uint8_t* bytes, int length) {
    if (!e || !e->document().is_started()) return;
    e->document().load(bytes, length);
    e->machine().settle(false);
}

void vux_engine_on_media(vux_engine* e, const uint8_t* bytes, int length) {
    if (!running(e)) return;
    activity(e);
    e->device_results().on_media(bytes, length);
}

void vux_engine_on_input_text(vux_engine* e, const uint16_t* text, int count) {
    if (!running(e)) return;
    activity(e);
    e->device_results().on_input_text(text, count);
}

}  // extern "C"
