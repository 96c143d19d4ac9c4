#include "desktop/vux_desktop_accept.h"
#include <algorithm>
#include "core/vux_message_table.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_message_table.h"

std::unique_ptr<vux_record> vux_desktop_make_response(int32_t code) {
    return vux_make_message(vux_desktop_message_table(), code, vux_message_kind::response);
}

std::unique_ptr<vux_record> vux_desktop_make_request(int32_t code) {
    return vux_make_message(vux_desktop_message_table(), code, vux_message_kind::request);
}

std::unique_ptr<vux_record> vux_desktop_accept(const vux_link& body, std::initializer_list<int32_t> expected) {
    const int32_t code = vux_frame_code(body);
    if (std::find(expected.begin(), expected.end(), code) == expected.end()) return nullptr;
    return vux_accept_message(body, vux_desktop_message_table(), vux_message_kind::response);
}

std::unique_ptr<vux_record> vux_desktop_accept_request(const vux_link& body) {
    return vux_accept_message(body, vux_desktop_message_table(), vux_message_kind::request);
}

int32_t vux_desktop_frame_code(const vux_link& body) { return vux_frame_code(body); }

vux_buffer vux_desktop_frame(const vux_object& message) {
    vux_buffer out;
    vux_writer::frame(message, out);
    return out;
}
