#include "markup/model/vux_subtitle.h"
#include <algorithm>
#include <limits>

void vux_subtitle::fields(vux_field_visitor& v) {
    v.int32("priority", priority);
    v.int32("repeat", repeat);
    v.int32("third_value", third_value);
    v.unicode("text", text);
    v.strings("extras", extras);
}

int64_t vux_subtitle::total_width() const {
    int64_t sum = 0;
    for (int32_t w : widths.values()) sum += w;
    return sum;
}

bool vux_subtitle::place(int32_t w) {
    const int32_t n = widths.count();
    if (scrolled == 0 || n == 0) return false;
    int64_t x = int64_t(w) - scrolled;
    int32_t i = 0;
    while (x < 0) {
        if (i == n) return false;
        if (widths.get(i) + x > 0) break;  // character i is partly visible
        x += widths.get(i);
        ++i;
    }
    int32_t count = 0;
    for (int64_t run = x; i + count < n && run < w; ++count) run += widths.get(i + count);
    if (count == 0) return false;
    offset = int32_t(x);
    visible_count = count;
    first_visible = i;
    return true;
}

bool vux_subtitle::scrolled_out(int32_t w) const { return total_width() + int64_t(w) * 2 / 3 < scrolled; }

bool vux_subtitle::step(int32_t distance, int32_t w) {
    if (widths.count() == 0) return true;
    const int64_t next = int64_t(scrolled) + distance;
    scrolled =
        int32_t(std::clamp<int64_t>(next, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    return !scrolled_out(w);
}
