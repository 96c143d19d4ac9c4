#include "markup/model/vux_data.h"
#include "core/vux_gif.h"
#include "core/vux_png.h"
#include "core/vux_writer.h"

void vux_data::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("format", format);
    v.string("name", name);
    v.string("label", label);
    v.bytes("bytes", bytes);
}

void vux_data::write_label(vux_writer& w) const {
    if (label.empty() || name.empty())
        w.write_string(name);
    else
        w.write_string(name + ": " + label);
}

bool vux_data::split_frames() {
    if (!splits_frames()) return false;
    std::unique_ptr<vux_object_list> split;
    bool ok = false;
    if (format == 1) {
        auto gif = std::make_unique<vux_gif>();
        ok = gif->split_frames(bytes.data(), bytes.length());
        split = std::move(gif);
    } else if (format == 2) {
        auto png = std::make_unique<vux_png>();
        ok = png->split_frames(bytes.data(), bytes.length());
        split = std::move(png);
    } else {
        return true;
    }
    frames = ok ? std::move(split) : nullptr;
    return ok;
}

vux_link vux_data::frame(int32_t i) const {
    if (i < 0) return {};
    const int32_t n = frame_count();
    if (n == 0) return vux_link(bytes.data(), bytes.length());
    auto* b = static_cast<const vux_buffer*>(frames->get(i % n));
    return vux_link(b->data(), b->length());
}
