#pragma once
#include <cstdint>
#include "markup/runtime/vux_host_table.h"

// The host's facility entries as the engine calls them.
class vux_facility : public vux_host_table<vux_facility_table> {
public:
    bool supports(int32_t kind) const { return call(&vux_facility_table::supports, kind) != 0; }
    const char* device_key() const { return call(&vux_facility_table::device_key); }
    const char* platform() const { return call(&vux_facility_table::platform); }
    const char* model() const { return call(&vux_facility_table::model); }
    const char* application_id() const { return call(&vux_facility_table::application_id); }
    const char* session_text() const { return call(&vux_facility_table::session_text); }
    int32_t query(int32_t kind) const { return call(&vux_facility_table::query, kind); }
    void save_private(const uint8_t* bytes, int32_t length) const {
        call(&vux_facility_table::save_private, bytes, length);
    }
    void start_timer(int32_t rate) const { call(&vux_facility_table::start_timer, rate); }
    void stop_timer() const { call(&vux_facility_table::stop_timer); }
    void open_text_input(int32_t kind, int32_t maximum, const uint16_t* title, int32_t title_count,
                         const uint16_t* text, int32_t text_count) const {
        call(&vux_facility_table::open_text_input, kind, maximum, title, title_count, text, text_count);
    }
    void close_text_input() const { call(&vux_facility_table::close_text_input); }
    void screen_reset() const { call(&vux_facility_table::screen_reset); }
    void open_media(int32_t value, const char* kind) const { call(&vux_facility_table::open_media, value, kind); }
    void close_media() const { call(&vux_facility_table::close_media); }
    void stop_music(int32_t kind) const { call(&vux_facility_table::stop_music, kind); }
    void open_link(const char* kind, const char* text) const { call(&vux_facility_table::open_link, kind, text); }
    void notify_user(int32_t kind) const { call(&vux_facility_table::notify_user, kind); }
    void request_location(int32_t kind) const { call(&vux_facility_table::request_location, kind); }
    void machine_settled(const uint8_t* bytes, int32_t length) const {
        call(&vux_facility_table::machine_settled, bytes, length);
    }
    void data_bytes(const uint8_t* bytes, int32_t length) const {
        call(&vux_facility_table::data_bytes, bytes, length);
    }
    void write_file(const char* name, const uint8_t* bytes, int32_t length) const {
        call(&vux_facility_table::write_file, name, bytes, length);
    }
    int32_t query_file(const char* name) const { return call(&vux_facility_table::query_file, name); }
    void after_logout() const { call(&vux_facility_table::after_logout); }
    void after_exit() const { call(&vux_facility_table::after_exit); }
};
