#include "markup/model/vux_data.h"
#include "core/vux_writer.h"

void vux_data::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("format", format);
    v.string("name", name);
    v.string("label", label);
    v.bytes("bytes", bytes);
}

void vux_data::write_label(vux_writer& w) const {
    if (label.empty()) w.write_string(name);
    else w.write_string(name + ": " + label);
}

bool vux_data::split_frames() {
    if (!splits_frames()) return false;
    // Frame splitting arrives with the core's PNG and GIF splitters.
    return format != 1 && format != 2;
}

vux_link vux_data::frame(int32_t i) const {
    if (i < 0) return {};
    const int32_t n = frame_count();
    if (n == 0) return vux_link(bytes.data(), bytes.length());
    auto* b = static_cast<const vux_buffer*>(frames->get(i % n));
    return vux_link(b->data(), b->length());
}
