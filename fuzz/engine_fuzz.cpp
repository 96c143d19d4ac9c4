// fuzz-libs: vux_markup_fuzz
// Untrusted bytes into a running engine: the first byte chooses the path.
// Even: the rest is the start document, then fed again as further records.
// Odd: a document that connects starts, and the rest is the reply on the
// main channel, cut into pieces of the second byte's size, then the ticks
// that deliver it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include "core/vux_writer.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_function.h"
#include "markup/runtime/vux_engine.h"

namespace {

int next_id = 1;
int open_connection(void*, const uint8_t*, int) { return next_id++; }
const char* device_key(void*) { return "460001234567890"; }
int supports(void*, int kind) { return kind == 0 || kind == 1 || (kind >= 4 && kind <= 12); }
int screen_side(void*) { return 240; }
int text_height(void*) { return 12; }

std::string connecting_document() {
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_header_default();
    vux_function f;
    f.name = vux_string("go");
    auto step = std::make_unique<vux_action_command>();
    step->command = 1;
    f.action.add_step(std::move(step));
    w.write_int32(f.type_code());
    f.write(w);
    w.write_trailer();
    return std::string(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > (1u << 20)) return 0;
    vux_graphics_table g{};
    g.screen_width = g.screen_height = screen_side;
    g.text_height = text_height;
    vux_network_table n{};
    n.open_connection = open_connection;
    vux_facility_table f{};
    f.device_key = device_key;
    f.supports = supports;
    vux_engine* e = vux_engine_create();
    vux_engine_set_graphics(e, &g);
    vux_engine_set_network(e, &n);
    vux_engine_set_facility(e, &f);
    vux_engine_load_private(e, nullptr, 0);
    const uint8_t* rest = data + 2;
    const int length = int(size - 2);
    if ((data[0] & 1) == 0) {
        vux_engine_start_document(e, rest, length);
        vux_engine_on_clipboard(e, rest, length);
        for (int t = 0; t < 15; ++t) vux_engine_tick(e, t);
    } else {
        next_id = 1;
        const std::string doc = connecting_document();
        vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
        vux_engine_call_function(e, "go");
        vux_engine_on_socket_ready(e, 1);
        const int piece = data[1] == 0 ? 1 : data[1];
        for (int at = 0; at < length; at += piece)
            if (vux_engine_on_socket_data(e, 1, rest + at, std::min(piece, length - at)) != 1) break;
        for (int t = 0; t < 15; ++t) vux_engine_tick(e, t);
    }
    vux_engine_destroy(e);
    return 0;
}
