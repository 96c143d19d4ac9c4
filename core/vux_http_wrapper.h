#pragma once
#include <cstdint>
#include "core/vux_buffer.h"
#include "core/vux_object.h"
#include "core/vux_string.h"

// Composes one HTTP/1.1 POST request: the request line, the header pairs in
// the order they were added, a Content-Length for the body, a blank line and
// the body bytes.
class vux_http_wrapper : public vux_object {
public:
    // Header pairs the wrapper holds, Content-Length included.
    static constexpr int32_t max_pairs = 16;

    // Request line "POST " + path + " HTTP/1.1". A path holding CR or LF
    // would let a value from the wire add header lines: it is refused
    // (false) and leaves no request line, so build() fails.
    bool set_post_path(const vux_string& path);
    // Stores the pair after those already added. Refused (false) when all
    // pairs are in use, or when the name is empty or either text holds CR
    // or LF.
    bool add_header(const vux_string& name, const vux_string& value);
    // add_header("Content-Length", decimal text of n).
    bool add_content_length(int32_t n);
    // Sets Content-Length to the body's length (replacing a pair of that
    // name added before, so a request never announces two lengths), then
    // composes the output. False, with an empty output, when there is no
    // request line or no room for the Content-Length pair.
    bool build(const vux_link& body);
    const vux_buffer& get_buffer() const { return output_; }

    int32_t pair_count() const { return count_ / 2; }

private:
    int32_t find_pair(const char* name) const;

    vux_string request_line_;
    vux_string headers_[2 * max_pairs];  // name, value, name, value, ...
    int32_t count_ = 0;                  // header strings in use
    vux_buffer output_;
};
