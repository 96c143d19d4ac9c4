#include "core/vux_http_parser.h"
#include <algorithm>
#include <cstring>

namespace {

uint8_t upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? uint8_t(c - 32) : c; }

// The first n bytes of p, ASCII letters compared without case, equal text.
bool starts_with_nocase(const uint8_t* p, int32_t n, const char* text) {
    const int32_t len = int32_t(std::strlen(text));
    if (n < len) return false;
    for (int32_t i = 0; i < len; ++i)
        if (upper(p[i]) != upper(uint8_t(text[i]))) return false;
    return true;
}

bool is_digit(uint8_t c) { return c >= '0' && c <= '9'; }
bool is_blank(uint8_t c) { return c == ' ' || c == '\t'; }

}  // namespace

void vux_http_parser::stream_body_to(vux_http_body_sink* sink) {
    if (received() == 0) sink_ = sink;
}

bool vux_http_parser::refuse(refusal why) {
    refusal_ = why;
    return false;
}

int32_t vux_http_parser::first_line_status(const uint8_t* p, int32_t n) {
    if (n < 13) return 600;
    if (!starts_with_nocase(p, n, "HTTP/1.1 ")) return 601;
    if (!is_digit(p[9]) || !is_digit(p[10]) || !is_digit(p[11])) return 602;
    const int32_t code = (p[9] - '0') * 100 + (p[10] - '0') * 10 + (p[11] - '0');
    return code >= 600 ? 603 : code;
}

// True while the first line is acceptable or not yet long enough to judge.
bool vux_http_parser::check_first_line() {
    const uint8_t* p = received_.data();
    const int32_t n = received_.length();
    if (mode_ == mode_request) {
        if (n < 6) return true;
        if (!starts_with_nocase(p, n, "POST /")) return refuse(refusal::first_line);
    } else {
        if (n < 15) return true;
        if (!starts_with_nocase(p, n, "HTTP/1.1 200 OK")) {
            status_ = first_line_status(p, n);
            return refuse(refusal::first_line);
        }
    }
    accepted_ = true;
    return true;
}

bool vux_http_parser::find_header_end() {
    const int32_t window = std::min(received_.length(), max_header_length);
    const vux_link head(received_.data(), window);
    const int32_t at = head.find_bytes(0, "\r\n\r\n", 4);
    if (at < 0) return received_.length() > max_header_length ? refuse(refusal::header_too_long) : true;
    header_length_ = at + 4;
    const int64_t length = parse_content_length();
    if (length <= 0) return false;
    content_length_ = int32_t(length);
    return true;
}

// Looks at header lines only (never the first line, never in the middle of
// a line): "Content-Length", optional blanks, ':', optional blanks, one or
// more digits, optional blanks, CR. Anything else on such a line, a value
// above the cap, no such line or two lines that disagree refuse the reply.
int64_t vux_http_parser::parse_content_length() {
    const uint8_t* p = received_.data();
    const int32_t end = header_length_ - 2;  // the CR of the blank line
    const int64_t cap = sink_ ? max_streamed_length : max_content_length;
    int64_t found = 0;
    int32_t line = 0;
    while (line < end) {
        const uint8_t* cr = static_cast<const uint8_t*>(std::memchr(p + line, '\r', size_t(end - line)));
        const int32_t line_end = cr ? int32_t(cr - p) : end;
        if (line > 0 && starts_with_nocase(p + line, line_end - line, "Content-Length")) {
            int32_t i = line + 14;
            while (i < line_end && is_blank(p[i])) ++i;
            if (i >= line_end || p[i] != ':') {
                line = line_end + 2;  // another header whose name merely begins so
                continue;
            }
            ++i;
            while (i < line_end && is_blank(p[i])) ++i;
            int64_t value = 0;
            int32_t digits = 0;
            for (; i < line_end && is_digit(p[i]); ++i, ++digits) {
                value = value * 10 + (p[i] - '0');
                if (value > cap) {
                    refuse(refusal::content_too_large);
                    return 0;
                }
            }
            while (i < line_end && is_blank(p[i])) ++i;
            if (digits == 0 || i != line_end || value == 0 || (found > 0 && found != value)) {
                refuse(refusal::bad_content_length);
                return 0;
            }
            found = value;
        }
        line = line_end + 2;
    }
    if (found == 0) refuse(refusal::bad_content_length);
    return found;
}

bool vux_http_parser::feed(const void* data, int32_t length) {
    if (is_refused()) return false;
    if (!data || length < 0) length = 0;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);

    if (header_length_ == 0) {
        // Until the header end is found, at most one byte more than the
        // header may hold is needed to decide; the rest waits below, so a
        // huge piece is never copied only to be refused.
        const int32_t take = std::min(length, max_header_length + 1 - received_.length());
        received_.append_bytes(bytes, take);
        bytes += take;
        length -= take;
        if (!accepted_ && !check_first_line()) return false;
        if (!accepted_) return true;  // too short to judge the first line
        if (!find_header_end()) return false;
        if (header_length_ == 0) return true;
        if (sink_) {
            if (!sink_->begin(content_length_)) return refuse(refusal::body_refused);
            // Body bytes that came with the header go the way of the rest.
            const vux_buffer early(received_.data() + header_length_, received_.length() - header_length_);
            received_.set_length(header_length_);
            if (!take_input(early.data(), early.length())) return false;
        }
    }
    return take_input(bytes, length);
}

bool vux_http_parser::take_input(const uint8_t* bytes, int32_t length) {
    const int64_t held = get_body_length();
    if (held + length > content_length_) {
        // Take what a byte-by-byte arrival would have taken at the refusal:
        // exactly the announced reply.
        if (held > content_length_)
            received_.set_length(header_length_ + content_length_);
        else if (!take_body(bytes, int32_t(content_length_ - held)))
            return false;
        return refuse(refusal::too_many_bytes);
    }
    return take_body(bytes, length);
}

bool vux_http_parser::take_body(const uint8_t* bytes, int32_t length) {
    if (length <= 0) return true;
    if (!sink_) {
        received_.append_bytes(bytes, length);
        return true;
    }
    if (!sink_->take(bytes, length)) return refuse(refusal::body_refused);
    streamed_ += length;
    return true;
}

bool vux_http_parser::is_complete() const {
    return !is_refused() && header_length_ > 0 && content_length_ > 0 && received() == header_length_ + content_length_;
}

const uint8_t* vux_http_parser::get_body() const {
    return received_.data() ? received_.data() + std::min(header_length_, received_.length()) : nullptr;
}

int32_t vux_http_parser::get_body_length() const {
    if (header_length_ == 0 || content_length_ == 0) return 0;
    return received_.length() - header_length_ + streamed_;
}
