// fuzz-libs: vux_markup_fuzz
// Arbitrary bytes as each screen record (window, dialog, menu) and as a
// paragraph. Whatever reads without error writes back to bytes that read
// into the same record; a menu's selection always lies within its list.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_reader.h"
#include "core/vux_type_codes.h"
#include "core/vux_writer.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_model_factory.h"

namespace {

vux_buffer bytes_of(const vux_record& r) {
    vux_buffer out;
    vux_writer w(out);
    r.write(w);
    return out;
}

bool same(const vux_buffer& a, const vux_buffer& b) {
    return a.length() == b.length() && (a.length() == 0 || std::memcmp(a.data(), b.data(), size_t(a.length())) == 0);
}

void read_as(const vux_link& input, int32_t code) {
    std::unique_ptr<vux_record> r = vux_model_make(code);
    vux_reader reader(input);
    r->read(reader);
    if (reader.has_error()) return;
    if (auto* menu = dynamic_cast<vux_menu*>(r.get())) {
        menu->select_next();
        menu->select_previous();
        if (menu->selected >= menu->count()) std::abort();
    }
    const vux_buffer first = bytes_of(*r);
    std::unique_ptr<vux_record> again = vux_model_make(code);
    vux_reader back(first);
    again->read(back);
    if (back.has_error() || back.remaining() != 0 || !same(bytes_of(*again), first)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const vux_buffer input(data, int32_t(size));
    for (int32_t code : {vux_type_window, vux_type_dialog, vux_type_menu, vux_type_element_paragraph})
        read_as(input, code);
    return 0;
}
