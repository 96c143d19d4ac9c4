#include "core/vux_message_table.h"
#include "core/vux_reader.h"

const vux_message_entry* vux_find_message(vux_message_table table, int32_t code) {
    for (const vux_message_entry& e : table)
        if (e.code == code) return &e;
    return nullptr;
}

std::unique_ptr<vux_record> vux_make_message(vux_message_table table, int32_t code, vux_message_kind kind) {
    const vux_message_entry* e = vux_find_message(table, code);
    if (!e) return nullptr;
    if (kind == vux_message_kind::request && e->response) return nullptr;
    if (kind == vux_message_kind::response && !e->response) return nullptr;
    return e->make();
}

std::unique_ptr<vux_record> vux_accept_message(const vux_link& body, vux_message_table table, vux_message_kind kind) {
    vux_reader r(body);
    if (!r.read_header()) return nullptr;
    const int32_t code = r.read_int32();
    if (r.has_error()) return nullptr;
    std::unique_ptr<vux_record> message = vux_make_message(table, code, kind);
    if (!message) return nullptr;
    message->read(r);
    if (r.has_error() || !r.at_trailer() || !r.read_trailer()) return nullptr;
    return message;
}

int32_t vux_frame_code(const vux_link& body) {
    vux_reader r(body);
    if (!r.read_header()) return 0;
    const int32_t code = r.read_int32();
    return r.has_error() ? 0 : code;
}
