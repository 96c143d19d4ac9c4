#include "markup/model/vux_element_scrollbar.h"
#include <algorithm>
#include <limits>
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_layout.h"

namespace {
// Offset o kept within [0, content - view] (0 when the content fits).
int32_t normalised(int32_t o, int32_t content, int32_t view) {
    if (o < 0) return 0;
    if (content > view) return int64_t(o) > int64_t(content) - view ? content - view : o;
    return 0;
}
}  // namespace

void vux_element_scrollbar::fields(vux_field_visitor& v) {
    v.int32("vertical", vertical);
    v.int32("horizontal", horizontal);
    v.int32("track_size", track_size);
    v.int32("header_lock", header_lock);
    v.int32("elastic", elastic);
    v.strings("extras", extras);
}

bool vux_element_scrollbar::is_below_view(int32_t v) const {
    const int64_t s = blit_shift;
    if (s < 0) return v > y_offset - s;
    if (anchored && paging) return int64_t(v) > int64_t(paging->top_y) + paging->height_px;
    return int64_t(v) > int64_t(y_offset) + view_height;
}

bool vux_element_scrollbar::is_above_view(int32_t v) const {
    if (blit_shift <= 0) return anchored && paging ? v < paging->top_y : v < y_offset;
    return int64_t(v) < int64_t(y_offset) + view_height - blit_shift;
}

void vux_element_scrollbar::attach(vux_layout& layout) {
    row = layout.row_height();
    half_row = row / 2;
    view_width = layout.view.w;
    view_height = layout.view.h;
    content_width = std::max(layout.content_right, view_width);
    content_height = layout.pen.y;
    drag_tolerance = layout.scale(10);
    // A half row of 0 leaves one step.
    max_steps = half_row > 0 ? vux_clamp32(int64_t(view_height) * 3 / (int64_t(half_row) * 4)) : 1;
    normalise();
    clear_thumbs();
}

bool vux_element_scrollbar::normalise() {
    const int32_t x = normalised(x_offset, content_width, view_width);
    const int32_t y = normalised(y_offset, content_height, view_height);
    const bool changed = x != x_offset || y != y_offset;
    x_offset = x;
    y_offset = y;
    return changed;
}

void vux_element_scrollbar::clear_thumbs() {
    thumb_h.clear();
    thumb_v.clear();
}

bool vux_element_scrollbar::step_y(int64_t d) {
    if (!vertical) return false;
    if (d > 0 ? int64_t(y_offset) >= int64_t(content_height) - view_height : y_offset <= 0) return false;
    previous_y = y_offset;
    y_offset = vux_clamp32(y_offset + d);
    normalise();
    clear_thumbs();
    settle = 0;
    return true;
}

bool vux_element_scrollbar::step_x(int64_t d) {
    if (!horizontal) return false;
    if (d > 0 ? int64_t(x_offset) >= int64_t(content_width) - view_width : x_offset <= 0) return false;
    previous_x = x_offset;
    x_offset = vux_clamp32(x_offset + d);
    normalise();
    clear_thumbs();
    settle = 0;
    return true;
}

int32_t vux_element_scrollbar::repeat_step(bool fast) const {
    int64_t step = int64_t(half_row) * (fast ? 2 : 1);
    const int64_t d = int64_t(max_steps) - step_count;
    if (d < 8) step = d >= 0 ? step * 3 / ((8 - d) * 4) : 0;
    return vux_clamp32(step);
}

bool vux_element_scrollbar::repeat(bool first, bool fast, int32_t sign) {
    if (first) step_count = 0;
    if (step_count >= max_steps) return false;
    ++step_count;
    return step_y(int64_t(sign) * repeat_step(fast));
}

vux_rect vux_element_scrollbar::thumb(const vux_rect& track, int32_t content, int32_t view, int32_t offset,
                                      bool vertical) {
    const int64_t h = vertical ? track.height() : track.width();
    const int64_t span = int64_t(content) + h - view;
    if (span <= 0 || h <= 0) return {};
    const int64_t start = vertical ? track.top() : track.left();
    const int64_t end = vertical ? track.bottom() : track.right();
    const int64_t m = 2 * int64_t(vertical ? track.width() : track.height());
    const int64_t length = h * h / span;
    int64_t a = h * offset / span + start;
    int64_t b = a + std::max(length, m);
    a = std::max(a, start);
    b = std::min(b, end);
    if (a == start && b - a < m) b = a + m;
    if (b == end && b - a < m) a = b - m;
    vux_rect r;
    if (vertical)
        r.set_corners(vux_point(track.left(), int32_t(a)), vux_point(track.right(), int32_t(b)));
    else
        r.set_corners(vux_point(int32_t(a), track.top()), vux_point(int32_t(b), track.bottom()));
    return r;
}

const vux_rect& vux_element_scrollbar::thumb_vertical() {
    if (thumb_v.is_empty()) thumb_v = thumb(track_v, content_height, view_height, y_offset, true);
    return thumb_v;
}

const vux_rect& vux_element_scrollbar::thumb_horizontal() {
    if (thumb_h.is_empty()) thumb_h = thumb(track_h, content_width, view_width, x_offset, false);
    return thumb_h;
}

void vux_element_scrollbar::scroll_to(int32_t y) {
    y_offset = y;
    normalise();
    clear_thumbs();
}

void vux_element_scrollbar::scroll_bottom_to(int32_t y) { scroll_to(vux_clamp32(int64_t(y) - view_height)); }

void vux_element_scrollbar::set_offset(int32_t y) {
    settle = 0;
    scroll_to(y);
}

bool vux_element_scrollbar::to_bottom() {
    if (!vertical || !content_taller()) return false;
    const int32_t y = content_height - view_height;
    if (y == y_offset) return false;
    scroll_to(y);
    return true;
}

bool vux_element_scrollbar::to_top() {
    if (y_offset == 0) return false;
    scroll_to(0);
    return true;
}

bool vux_element_scrollbar::can_scroll_down() const {
    return vertical && int64_t(y_offset) < int64_t(content_height) - view_height && step_count < max_steps;
}

bool vux_element_scrollbar::can_scroll_up() const { return vertical && y_offset > 0 && step_count < max_steps; }

int32_t vux_element_scrollbar::draw_offset_y() const {
    return content_taller() ? vux_clamp32(int64_t(y_offset) + view_height - content_height) : y_offset;
}

bool vux_element_scrollbar::overscroll_bottom() const {
    return content_taller() ? int64_t(y_offset) > int64_t(content_height) - view_height : y_offset > 0;
}

bool vux_element_scrollbar::moved_since_drag() const {
    return dragging && (x_offset != drag_start_x_offset || y_offset != drag_start_y_offset);
}

void vux_element_scrollbar::start_drag(int32_t x, int32_t y) {
    dragging = true;
    drag_start_x_offset = x_offset;
    drag_start_y_offset = y_offset;
    drag_start_x = x;
    drag_start_y = y;
    drag_axis = 0;
}

bool vux_element_scrollbar::beyond_tolerance(int32_t x, int32_t y) const {
    return std::abs(int64_t(x) - drag_start_x) >= drag_tolerance ||
           std::abs(int64_t(y) - drag_start_y) >= drag_tolerance;
}

bool vux_element_scrollbar::drag_axis_offset(int32_t& offset, int32_t& previous, int64_t start, int64_t start_offset,
                                             int64_t at, int64_t content, int64_t view) {
    const int64_t d = start + start_offset - at;
    int64_t c = d / 3;
    if (d >= 0 && content > view) c = d <= content - view ? d : content + (d + view - content) / 3 - view;
    c = std::clamp(c, -view, std::max(content, -view));
    if (c == offset) return false;
    previous = offset;
    offset = vux_clamp32(c);
    return true;
}

bool vux_element_scrollbar::drag(int32_t x, int32_t y) {
    if (paging && drag_axis == 0) {
        const int64_t dx = std::abs(int64_t(drag_start_x) - x);
        const int64_t dy = std::abs(int64_t(drag_start_y) - y);
        if (dx == dy) return false;
        drag_axis = dy < dx ? 1 : 2;
    }
    if (drag_axis == 1 && paging) return paging->drag(vux_clamp32(int64_t(drag_start_x) - x));
    if (drag_blocked || !dragging) return false;
    bool moved = false;
    if (vertical && (elastic || content_taller()) &&
        drag_axis_offset(y_offset, previous_y, drag_start_y, drag_start_y_offset, y, content_height, view_height))
        moved = true;
    if (horizontal && (elastic || content_wider()) &&
        drag_axis_offset(x_offset, previous_x, drag_start_x, drag_start_x_offset, x, content_width, view_width))
        moved = true;
    if (moved) {
        clear_thumbs();
        settle = 0;
    }
    return moved;
}

void vux_element_scrollbar::end_drag() {
    dragging = false;
    drag_axis = 0;
    drag_start_x = drag_start_y = drag_start_x_offset = drag_start_y_offset = 0;
}

bool vux_element_scrollbar::settle_step() {
    bool result = false;
    if (settle++ == 1) {
        result = true;
    } else {
        // An offset brought back moves the thumb with it.
        result = normalise();
        if (result) clear_thumbs();
    }
    settle = std::min(settle, 2);
    if (paging) {
        vux_element_paragraph* p = paging;
        paging = nullptr;
        if (p->end_drag()) result = true;
    }
    return result;
}

void vux_element_scrollbar::save(bool keep, bool keep_bottom) {
    if (keep && !saved) {
        saved = true;
        saved_x = x_offset;
        saved_y = y_offset;
        saved_content_width = content_width;
        saved_content_height = content_height;
        saved_keep_bottom = keep_bottom;
    }
    x_offset = y_offset = previous_x = previous_y = 0;
    content_width = content_height = view_width = view_height = 0;
    track_h = track_v = {};
    clear_thumbs();
    end_drag();
    paging = nullptr;
}

bool vux_element_scrollbar::restore() {
    if (!saved) return false;
    saved = false;
    if (content_taller()) {
        int64_t y = saved_y;
        if (saved_keep_bottom && saved_content_height < content_height)
            y += int64_t(content_height) - saved_content_height;
        y_offset = vux_clamp32(y);
        normalise();
        clear_thumbs();
    }
    return true;
}

void vux_element_scrollbar::reset_all() {
    const int32_t v = vertical, h = horizontal, t = track_size, lock = header_lock, e = elastic;
    vux_string_list kept = std::move(extras);
    *this = vux_element_scrollbar();
    vertical = v;
    horizontal = h;
    track_size = t;
    header_lock = lock;
    elastic = e;
    extras = std::move(kept);
}
