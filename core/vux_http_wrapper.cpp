#include "core/vux_http_wrapper.h"
#include <cstring>
#include "core/vux_decimal.h"

namespace {

bool has_line_break(const vux_string& s) { return s.find_char('\r') >= 0 || s.find_char('\n') >= 0; }

bool equal_ignoring_case(const vux_string& a, const char* b) {
    const size_t n = std::strlen(b);
    if (size_t(a.length()) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        uint8_t x = a.bytes()[i], y = uint8_t(b[i]);
        if (x >= 'A' && x <= 'Z') x = uint8_t(x + 32);
        if (y >= 'A' && y <= 'Z') y = uint8_t(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool vux_http_wrapper::set_post_path(const vux_string& path) {
    request_line_.clear();
    if (has_line_break(path)) return false;
    request_line_.append("POST ").append(path).append(" HTTP/1.1");
    return true;
}

bool vux_http_wrapper::add_header(const vux_string& name, const vux_string& value) {
    if (count_ >= 2 * max_pairs || name.empty() || has_line_break(name) || has_line_break(value)) return false;
    headers_[count_++] = name;
    headers_[count_++] = value;
    return true;
}

bool vux_http_wrapper::add_content_length(int32_t n) {
    return add_header(vux_string("Content-Length"), vux_decimal::format(n));
}

int32_t vux_http_wrapper::find_pair(const char* name) const {
    for (int32_t i = 0; i < count_; i += 2)
        if (equal_ignoring_case(headers_[i], name)) return i;
    return -1;
}

bool vux_http_wrapper::build(const vux_link& body) {
    output_.clear();
    if (request_line_.empty()) return false;
    const int32_t at = find_pair("Content-Length");
    if (at >= 0) {
        headers_[at + 1] = vux_decimal::format(body.length());
    } else if (!add_content_length(body.length())) {
        return false;
    }
    output_.append_bytes(request_line_.data(), request_line_.length()).append_cstr("\r\n");
    for (int32_t i = 0; i < count_; i += 2) {
        output_.append_bytes(headers_[i].data(), headers_[i].length()).append_cstr(": ");
        output_.append_bytes(headers_[i + 1].data(), headers_[i + 1].length()).append_cstr("\r\n");
    }
    output_.append_cstr("\r\n").append_view(body);
    if (output_.overflowed()) {
        output_.clear();
        return false;
    }
    return true;
}
