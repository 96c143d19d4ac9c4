// fuzz-libs: vux_desktop_fuzz
// Feeds arbitrary bytes to the reply-acceptance rule for every response code,
// as a whole frame and as the body of a well-framed message, and checks that
// whatever is accepted frames again to something accepted the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/vux_desktop_accept.h"

namespace {
std::vector<int32_t> response_codes() {
    std::vector<int32_t> codes;
    for (const vux_message_entry& e : vux_desktop_message_table())
        if (e.response) codes.push_back(e.code);
    return codes;
}

void check_stable(const vux_record& accepted, int32_t code) {
    vux_buffer again = vux_desktop_frame(accepted);
    auto second = vux_desktop_accept(again, {code});
    if (!second) std::abort();
    vux_buffer third = vux_desktop_frame(*second);
    if (third.length() != again.length() || std::memcmp(third.data(), again.data(), size_t(again.length())) != 0)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const vux_buffer input(data, int32_t(size));  // exact-size copy: reads past it show
    static const std::vector<int32_t> responses = response_codes();
    for (int32_t code : responses) {
        if (auto r = vux_desktop_accept(input, {code})) check_stable(*r, code);
    }
    vux_desktop_accept_request(input);
    vux_desktop_frame_code(input);

    // The same bytes as the body of a frame whose code the first byte picks.
    if (size == 0) return 0;
    const int32_t code = responses[data[0] % responses.size()];
    vux_buffer framed;
    vux_writer w(framed);
    w.write_header_default();
    w.write_int32(code);
    framed.append_bytes(data + 1, int32_t(size - 1));
    w.write_trailer();
    const vux_buffer exact(framed.data(), framed.length());
    if (auto r = vux_desktop_accept(exact, {code})) check_stable(*r, code);
    return 0;
}
