#include "desktop/vux_desktop_accept.h"
#include <algorithm>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_messages.h"

namespace {
template <class T>
std::unique_ptr<vux_record> make() {
    return std::make_unique<T>();
}

using maker = std::unique_ptr<vux_record> (*)();

// Codes 3902 ... 3923 in order, request then response.
constexpr int32_t first_code = vux_type_desktop_request_upgrade;
constexpr maker makers[] = {
    make<vux_desktop_request_upgrade>,  make<vux_desktop_response_upgrade>,
    make<vux_desktop_request_download>, make<vux_desktop_response_download>,
    make<vux_desktop_request_logon>,    make<vux_desktop_response_logon>,
    make<vux_desktop_request_verify>,   make<vux_desktop_response_verify>,
    make<vux_desktop_request_group>,    make<vux_desktop_response_group>,
    make<vux_desktop_request_site>,     make<vux_desktop_response_site>,
    make<vux_desktop_request_message>,  make<vux_desktop_response_message>,
    make<vux_desktop_request_sms>,      make<vux_desktop_response_sms>,
    make<vux_desktop_request_password>, make<vux_desktop_response_password>,
    make<vux_desktop_request_profile>,  make<vux_desktop_response_profile>,
    make<vux_desktop_request_data>,     make<vux_desktop_response_data>,
};
constexpr int32_t code_count = int32_t(sizeof makers / sizeof makers[0]);
static_assert(first_code + code_count - 1 == vux_type_desktop_response_data);

// Requests are even, responses odd.
std::unique_ptr<vux_record> make_if(int32_t code, bool response) {
    if (code < first_code || code >= first_code + code_count) return nullptr;
    if (((code & 1) != 0) != response) return nullptr;
    return makers[code - first_code]();
}

// Reads the message after the code and checks that it ends exactly at the
// trailer.
bool read_whole(vux_reader& r, vux_record& message) {
    message.read(r);
    return !r.has_error() && r.at_trailer() && r.read_trailer();
}

std::unique_ptr<vux_record> decode(const vux_link& body, bool response, std::initializer_list<int32_t> expected,
                                   bool any) {
    vux_reader r(body);
    if (!r.read_header()) return nullptr;
    const int32_t code = r.read_int32();
    if (r.has_error()) return nullptr;
    if (!any && std::find(expected.begin(), expected.end(), code) == expected.end()) return nullptr;
    std::unique_ptr<vux_record> message = make_if(code, response);
    if (!message || !read_whole(r, *message)) return nullptr;
    return message;
}
}  // namespace

std::unique_ptr<vux_record> vux_desktop_make_response(int32_t code) { return make_if(code, true); }
std::unique_ptr<vux_record> vux_desktop_make_request(int32_t code) { return make_if(code, false); }

std::unique_ptr<vux_record> vux_desktop_accept(const vux_link& body, std::initializer_list<int32_t> expected) {
    return decode(body, true, expected, false);
}

std::unique_ptr<vux_record> vux_desktop_accept_request(const vux_link& body) { return decode(body, false, {}, true); }

int32_t vux_desktop_frame_code(const vux_link& body) {
    vux_reader r(body);
    if (!r.read_header()) return 0;
    const int32_t code = r.read_int32();
    return r.has_error() ? 0 : code;
}

vux_buffer vux_desktop_frame(const vux_object& message) {
    vux_buffer out;
    vux_writer::frame(message, out);
    return out;
}
