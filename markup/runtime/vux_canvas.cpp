#include "markup/runtime/vux_canvas.h"
#include "core/vux_decimal.h"
#include "markup/model/vux_device.h"
#include "markup/runtime/vux_capability.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_reserved_names.h"

vux_canvas::vux_canvas(const vux_facility& facility, vux_document& document, const vux_machine& machine,
                       const vux_receiver& main, const vux_exchange& exchange)
    : facility_(facility), document_(document), machine_(machine), main_(main), exchange_(exchange) {}

vux_string vux_canvas::text_of(const vux_string& key) const {
    vux_string value;
    if (variables_.get(key, value)) return value;
    const int32_t i = resources_.index_of(key);
    return i >= 0 ? resources_.value_at(i) : vux_string();
}

bool vux_canvas::is_touch_screen() const {
    vux_string value;
    if (variables_.get(vux_string(vux_names::key_touch_screen), value)) return value.view() == "yes";
    if (!pointer_seen) return facility_.supports(capability_touch);
    return true;
}

bool vux_canvas::host_supports(int32_t kind) const { return facility_.supports(kind); }

void vux_canvas::describe_device(vux_device& device) const {
    if (call(&vux_graphics_table::reserved_5) != 0) device.set_capability(0);
    if (is_touch_screen()) device.set_capability(1);
    const int32_t host_caps[] = {capability_window_image, capability_device_10, capability_device_11,
                                 capability_device_12};
    for (int32_t i = 0; i < 4; ++i)
        if (facility_.supports(host_caps[i])) device.set_capability(2 + i);
    const int64_t times = call(&vux_graphics_table::capability);
    device.screen_width = int32_t(int64_t(screen_width()) * times);
    device.screen_height = int32_t(int64_t(screen_height()) * times);
    device.metric_1 = title_bar_height();
    device.metric_2 = command_bar_height();
    // The default size class last: the host is left in the font every
    // painter starts from.
    device.metric_3 = select_font(2, 0);
    device.metric_5 = select_font(4, 0);
    device.metric_4 = select_font(3, 0);
    auto copy = [](vux_string& to, const char* text) {
        if (text) to.assign(text);
    };
    copy(device.identity, call(&vux_graphics_table::image_formats));
    copy(device.identity_1, facility_.call(&vux_facility_table::canvas_query, 1));
    copy(device.identity_2, facility_.call(&vux_facility_table::canvas_query, 2));
    copy(device.identity_3, facility_.call(&vux_facility_table::link_kinds));
}

void vux_canvas::show_window_image(const vux_string& name) {
    const vux_data* item = name.empty() ? nullptr : images_.find(name);
    if (item && item->bytes.length() > 0)
        window_image(name.str().c_str(), item->bytes.data(), item->bytes.length());
    else
        no_window_image();
}

bool vux_canvas::drop_data(const vux_string& name) {
    if (!images_.remove_named(name)) return false;
    variables_.remove_data_name(name);
    if (vux_string_equal(ground_.name, name)) ground_.held = false;
    data_replaced(name.str().c_str());
    return true;
}

void vux_canvas::release_image(const vux_string& name) {
    if (!ground_.held || !vux_string_equal(ground_.name, name)) return;
    ground_.held = false;
    if (ground_.item && ground_.item->bytes.length() > 0) data_replaced(name.str().c_str());
}

void vux_canvas::name_changed(const vux_string& name) { document_.name_changed(name); }

void vux_canvas::reset() {
    reset_caches();
    ground_.held = false;
    last_window_name.clear();
    brush_sheet_.reset();
    variables_.clear();
    emoticons_read_ = false;
    emoticon_keys_.clear();
    ellipsis_read_ = false;
    ellipsis_text_.clear();
    ellipsis_width_ = 0;
    call(&vux_graphics_table::reserved_30);
}

void vux_canvas::note_mapped_names(const vux_string_list& pairs) {
    for (int32_t i = 0; i + 1 < pairs.count(); i += 2) {
        const vux_string& value = pairs.item_at(i + 1);
        if (value.empty()) continue;
        if (resources_.index_of(value) >= 0)
            variables_.set_ok(pairs.item_at(i));
        else
            variables_.remove(pairs.item_at(i));
    }
}

void vux_canvas::note_file_status(const vux_string_list& pairs) {
    for (int32_t i = 0; i + 1 < pairs.count(); i += 2) {
        const vux_string& name = pairs.item_at(i);
        vux_string file = pairs.item_at(i + 1);
        if (file.empty()) continue;
        if (file.length() > 2 && file.byte_at(0) == '#') {
            vux_string value;
            if (!variables_.get(file.substring(2, file.length() - 2), value)) {
                variables_.remove(name);
                continue;
            }
            file = value;
        }
        const int32_t n = facility_.query_file(file.str().c_str());
        if (n >= 1)
            variables_.set_plain(name, vux_decimal::format(n));
        else
            variables_.remove(name);
    }
}

// The window painted last is remembered so that the host tidies once per new
// window; once that window closed, the next one of its name is new again,
// and the picture kept for it is released.
void vux_canvas::drop_owner(const vux_string& owner) {
    if (vux_string_equal(owner, last_window_name)) last_window_name.clear();
    if (ground_.held && vux_string_equal(owner, ground_.owner)) release_image(vux_string(ground_.name));
}
