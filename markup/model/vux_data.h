#pragma once
#include <memory>
#include "core/vux_link.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// A named block of bytes (usually an image, possibly animated) that the
// document receives or uploads and the canvas draws.
class vux_data : public vux_model_record<vux_data, vux_type_data> {
public:
    const char* class_name() const override { return "vux_data"; }
    void fields(vux_field_visitor& v) override;

    // `name`, or `name` + ": " + `label` when the label is not empty.
    void write_label(vux_writer& w) const;

    // Drawable from its bytes: always when it has none (the host resolves it
    // by name), else flag bit 0.
    bool drawable() const { return bytes.length() == 0 || flag(0); }
    bool bit_1() const { return flag(1); }
    bool splits_frames() const { return flag(2); }
    bool stores_file() const { return flag(3); }
    bool host_only() const { return flag(4); }

    // Cuts an animated GIF or PNG into frames when flag bit 2 asks for it.
    // False when bit 2 is clear or the split fails (no frames kept then);
    // true without splitting for any other format.
    bool split_frames();
    int32_t frame_count() const { return frames ? frames->get_count() : 0; }
    // Frame i modulo the frame count, or the whole bytes without frames.
    // Empty for i below 0.
    vux_link frame(int32_t i) const;

    int32_t flags = 0;
    int32_t format = 0;  // 1 GIF, 2 PNG (animated allowed), other: no frames
    vux_string name;
    vux_string label;
    vux_buffer bytes;

    // run-time
    int32_t discard_after_send = 0;           // drop the item once a go request sent it
    std::unique_ptr<vux_object_list> frames;  // vux_buffer items, when split

private:
    bool flag(int32_t n) const { return (uint32_t(flags) >> n & 1u) != 0; }
};
