// fuzz-libs: vux_core_fuzz
// The HTTP reply parser over arbitrary bytes, fed whole and in pieces whose
// sizes the first byte chooses: the outcome must not depend on the pieces.
#include <cstdint>
#include <cstdlib>
#include "core/vux_http_parser.h"

namespace {

struct outcome {
    bool accepted = true;
    bool complete = false;
    int refusal = 0;
    int32_t status = 0, header = 0, content = 0, body = 0;
    bool operator==(const outcome&) const = default;
};

outcome run(const uint8_t* data, size_t size, size_t piece, uint8_t mode) {
    vux_http_parser p(mode);
    outcome o;
    for (size_t at = 0; at < size && o.accepted; at += piece) {
        const size_t n = size - at < piece ? size - at : piece;
        o.accepted = p.feed(data + at, int32_t(n));
    }
    o.complete = p.is_complete();
    o.refusal = int(p.get_refusal());
    o.status = p.get_status();
    o.header = p.get_header_length();
    o.content = p.get_content_length();
    o.body = p.get_body_length();
    if (o.refusal == int(vux_http_parser::refusal::too_many_bytes) && o.header + o.content != p.received())
        std::abort();
    if (o.complete && (o.body != o.content || o.header + o.content != p.received())) std::abort();
    if (o.header > vux_http_parser::max_header_length || o.content > vux_http_parser::max_content_length) std::abort();
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1u << 20)) return 0;
    const uint8_t mode = data[0] & 0x80 ? vux_http_parser::mode_request : vux_http_parser::mode_response;
    const size_t piece = size_t(data[0] & 0x7F) + 1;
    ++data;
    --size;
    const outcome whole = run(data, size, size ? size : 1, mode);
    const outcome cut = run(data, size, piece, mode);
    const outcome bytes = run(data, size, 1, mode);
    for (const outcome* o : {&cut, &bytes})
        if (!(*o == whole)) std::abort();
    return 0;
}
