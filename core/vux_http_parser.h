#pragma once
#include <cstdint>
#include "core/vux_buffer.h"
#include "core/vux_object.h"

// Takes the body of a reply in place of the parser, for a reply too large to
// hold in memory (the client program download). Both calls may refuse: the
// reply is then refused as a whole.
class vux_http_body_sink {
public:
    virtual ~vux_http_body_sink() = default;
    // The header is whole and announces this many body bytes.
    virtual bool begin(int32_t content_length) = 0;
    // The next body bytes, in order; never more than were announced.
    virtual bool take(const uint8_t* data, int32_t length) = 0;
};

// Takes an HTTP reply (or, in request mode, a POST request) as it arrives in
// pieces and says when it is complete. Only the one form the service uses is
// accepted: status "HTTP/1.1 200 OK", a header that ends within its first
// 512 bytes, a positive Content-Length and exactly that many body bytes. The
// outcome depends only on the bytes, never on how they were cut into pieces.
class vux_http_parser : public vux_object {
public:
    enum mode_kind : uint8_t { mode_response = 0, mode_request = 1 };

    // Why feed() refused the bytes; none while they are acceptable.
    enum class refusal : uint8_t {
        none,
        first_line,          // not "HTTP/1.1 200 OK" (or not "POST /"); see get_status()
        header_too_long,     // no blank line within the first 512 bytes
        bad_content_length,  // missing, 0, not digits, or two that differ
        content_too_large,   // above max_content_length
        too_many_bytes,      // more bytes than the header announced
        body_refused,        // the body sink would not take the bytes
    };

    static constexpr int32_t max_header_length = 512;
    // Larger than any reply the service sends but the client program; an
    // announced length above it is refused up front.
    static constexpr int64_t max_content_length = int64_t(64) << 20;
    // The cap of a streamed body, which no real client program reaches.
    static constexpr int64_t max_streamed_length = int64_t(1) << 30;

    explicit vux_http_parser(uint8_t mode = mode_response) : mode_(mode) {}

    // Before the first feed: the body goes to sink as it arrives instead of
    // being held (get_body() then holds nothing), and may be as long as
    // max_streamed_length. The sink must outlive every later feed().
    void stream_body_to(vux_http_body_sink* sink);
    bool streams_body() const { return sink_ != nullptr; }

    // Appends the bytes and re-examines the whole. False means the reply is
    // unacceptable; that is final: every later feed() is false too and takes
    // no bytes.
    bool feed(const void* data, int32_t length);

    bool is_complete() const;
    bool is_refused() const { return refusal_ != refusal::none; }
    refusal get_refusal() const { return refusal_; }
    // 0, or for a refused first line: 600 too short, 601 not "HTTP/1.1 ",
    // 602 no three digits, 603 a number of 600 or more, else that number.
    int32_t get_status() const { return status_; }

    // The first byte after the header (only meaningful once the header
    // length is known; nothing follows it while the body is streamed).
    const uint8_t* get_body() const;
    // Body bytes received (held, or handed to the sink); 0 until the header
    // and its Content-Length are known.
    int32_t get_body_length() const;
    int32_t get_content_length() const { return content_length_; }
    int32_t get_header_length() const { return header_length_; }
    // Bytes received: header and body.
    int32_t received() const { return received_.length() + streamed_; }

private:
    bool refuse(refusal why);
    bool check_first_line();
    static int32_t first_line_status(const uint8_t* p, int32_t n);
    bool find_header_end();
    // Content-Length of the header lines: > 0, or 0 with refusal_ set.
    int64_t parse_content_length();
    // Body bytes up to the announced length; more are refused.
    bool take_input(const uint8_t* bytes, int32_t length);
    // Appends body bytes, or hands them to the sink.
    bool take_body(const uint8_t* bytes, int32_t length);

    uint8_t mode_;
    bool accepted_ = false;
    refusal refusal_ = refusal::none;
    int32_t status_ = 0;
    int32_t header_length_ = 0;
    int32_t content_length_ = 0;
    int32_t streamed_ = 0;  // body bytes the sink took
    vux_http_body_sink* sink_ = nullptr;
    vux_buffer received_;
};
