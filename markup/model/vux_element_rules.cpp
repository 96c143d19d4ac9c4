#include "markup/model/vux_element_rules.h"
#include "core/vux_decimal.h"
#include "core/vux_hex.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_layout.h"

bool vux_resolve_name(const vux_variables& environment, const vux_string& name, vux_string& out) {
    const int32_t n = name.length();
    const bool indirect = n > 2 && name.byte_at(0) == '$' && name.byte_at(1) == ' ' && name.byte_at(n - 1) != '!';
    if (!indirect) {
        out = name;
        return true;
    }
    return environment.get(name.substring(2, n - 2), out);
}

int32_t vux_mark_state(const vux_variables& environment, const vux_string& key, int32_t index) {
    vux_string v;
    if (key.empty() || !environment.get(key, v)) return -1;
    if (vux_hex::is_hex8(v)) {
        if (index < 0 || index > 30) return -1;
        return int32_t(uint32_t(vux_hex::parse(v)) >> index & 1u);
    }
    for (int32_t i = 0; i < v.length(); ++i)
        if (v.byte_at(i) != '0' && v.byte_at(i) != '1') return -1;
    if (index < 0 || index >= v.length()) return -1;
    return v.byte_at(index) != '0' ? 1 : 0;
}

bool vux_blink_link(vux_hyperlink* link, int32_t ms, int32_t period) {
    if (!link || period <= 0 || ms % period != 0) return false;
    if (link->bit(6) || !link->bit(3)) return false;
    link->set_bit_7(!link->bit(7));
    return true;
}

bool vux_frame_due(int32_t& accumulator, int32_t gap, int32_t period) {
    if (gap <= 0) return true;
    if (period <= 0) return false;
    accumulator = vux_clamp32(int64_t(accumulator) + 1000 / period);
    if (accumulator < gap) return false;
    accumulator = 0;
    return true;
}

bool vux_visible_in_pass(const vux_layout& layout, bool floating, bool fixed, int32_t top, int64_t bottom) {
    if (floating || layout.anchor_outside_view(fixed)) return layout.draw_pass != 1;
    if (layout.draw_pass == 2) return false;
    return !layout.is_below_view(top, false, fixed) && !layout.is_above_view(vux_clamp32(bottom), false, fixed);
}

bool vux_header_blocks(const vux_layout& layout, bool fixed, const vux_point& p) {
    if (fixed || !layout.scroll_bar || !layout.scroll_bar->header_lock) return false;
    return layout.in_header_band(vux_clamp32(int64_t(p.y) - layout.view.y));
}

void vux_set_link_countdown(vux_hyperlink* link, const vux_string& value) {
    if (link && link->action) link->action->countdown = vux_decimal::parse(value);
}

bool vux_element_tick(bool animated, int32_t& frame, int32_t& accumulator, int32_t gap, vux_hyperlink* link, int32_t ms,
                      int32_t period, int32_t* roll) {
    bool changed = false;
    if (animated && vux_frame_due(accumulator, gap, period)) {
        // A clock that runs for years wraps to the first frame, never past
        // the counter's range.
        frame = frame == INT32_MAX ? 0 : frame + 1;
        changed = true;
    }
    if (vux_blink_link(link, ms, period)) changed = true;
    if (roll) {
        *roll = *roll <= 0 ? 2 : *roll - 1;
        changed = true;
    }
    return changed;
}
