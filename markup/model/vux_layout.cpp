#include "markup/model/vux_layout.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_variables.h"

vux_layout::~vux_layout() = default;

int32_t vux_layout::row_height() { return vux_clamp32(int64_t(line_height()) + 2 * int64_t(line_spacing())); }

void vux_layout::new_line(bool tight) {
    // A long client reaches far down; the pen saturates instead of wrapping.
    if (tight && pen.x == 0) {
        pen.y = vux_clamp32(int64_t(pen.y) + line_spacing());
    } else {
        pen.x = 0;
        pen.y = vux_clamp32(int64_t(pen.y) + row_height() - (tight ? line_spacing() : 0));
    }
    line_items.clear();
}

void vux_layout::update_line_segments() {
    for (vux_record* item : line_items)
        if (auto* segment = dynamic_cast<vux_element_segment*>(item)) segment->set_end_x(pen.x);
}

void vux_layout::finish_line() {
    if (pen.x != 0) new_line(false);
}

void vux_layout::note_content_top(int32_t y) {
    if (y >= 0 && (content_top < 0 || y < content_top)) content_top = y;
}

void vux_layout::note_content_bottom(int32_t y) {
    if (y >= 0 && y > content_bottom) content_bottom = y;
}

void vux_layout::note_content_right(int32_t x) {
    if (x >= 0 && x > content_right) content_right = x;
}

void vux_layout::mark_scroll_origin() {
    if (anchoring && anchor_y < 0) anchor_y = pen.y;
}

void vux_layout::set_scaled_margins(int32_t a, int32_t b) {
    margin_a = scale(a);
    margin_b = scale(b);
}

void vux_layout::set_mode(int32_t size, int32_t font_style) {
    size_class = size;
    style = font_style;
    select_font(size, font_style);
}

void vux_layout::save_mode() {
    saved_size_class = size_class;
    saved_style = style;
}

void vux_layout::restore_mode() { set_mode(saved_size_class, saved_style); }

void vux_layout::add_item(vux_record* element) {
    items.push_back(element);
    line_items.push_back(element);
}

void vux_layout::clear_items() {
    items.clear();
    line_items.clear();
    focus_index = -1;
}

bool vux_layout::fits_view() const {
    return centring && content_top >= 0 && content_bottom >= 0 &&
           int64_t(view.h) >= int64_t(content_bottom) - content_top;
}

bool vux_layout::anchor_outside_view(bool anchored) const {
    return anchoring && anchored && anchor_y >= 0 && int64_t(pen.y) - anchor_y < view.h;
}

bool vux_layout::within_reach(int32_t y) const {
    return reach_limit > 0 && scroll_bar && int64_t(y) <= int64_t(view.y) + reach_limit;
}

bool vux_layout::past_anchor_bottom(int32_t y) const {
    return anchor_outside_view(true) && scroll_bar && int64_t(y) >= int64_t(view.y) + view.h + anchor_y - pen.y;
}

namespace {
// The scroll bar decides only when clipping applies at all. It is told
// whether the element asking is anchored: an anchored one is measured
// against the paging paragraph the bar hands drags to.
bool asks_scroll_bar(const vux_layout& l, bool no_clip, bool anchored) {
    if (!l.scroll_bar) return false;
    l.scroll_bar->anchored = anchored;
    return !no_clip && !l.anchor_outside_view(anchored) && !l.fits_view();
}
}  // namespace

bool vux_layout::is_below_view(int32_t y, bool no_clip, bool anchored) const {
    return asks_scroll_bar(*this, no_clip, anchored) && scroll_bar->is_below_view(y);
}

bool vux_layout::is_above_view(int32_t y, bool no_clip, bool anchored) const {
    return asks_scroll_bar(*this, no_clip, anchored) && scroll_bar->is_above_view(y);
}

bool vux_layout::is_right_of_view(int32_t x, bool no_clip, bool anchored) const {
    return asks_scroll_bar(*this, no_clip, anchored) && scroll_bar->is_right_of_view(x);
}

bool vux_layout::is_left_of_view(int32_t x, bool no_clip, bool anchored) const {
    return asks_scroll_bar(*this, no_clip, anchored) && scroll_bar->is_left_of_view(x);
}

bool vux_layout::is_row_visible(int32_t y) const {
    return !scroll_bar || (!scroll_bar->is_below_view(y) && !scroll_bar->is_above_view(y));
}

namespace {
struct offsets {
    int64_t sx = 0;
    int64_t sy = 0;
};

offsets scroll_offsets(const vux_layout& l, bool no_scroll) {
    offsets o;
    if (no_scroll) return o;
    if (l.scroll_bar) {
        o.sx = l.scroll_bar->x_offset;
        o.sy = l.scroll_bar->y_offset;
    }
    if (l.fits_view()) o.sy = o.sy + l.content_top - (int64_t(l.view.h) + l.content_top - l.content_bottom) / 2;
    return o;
}
}  // namespace

vux_point vux_layout::to_screen(const vux_layout_point& p, bool no_scroll, bool anchored) const {
    vux_point out;
    if (anchor_outside_view(anchored)) {
        out.x = vux_clamp16(int64_t(p.x) + view.x);
        out.y = vux_clamp16(int64_t(view.y) + view.h + p.y - pen.y);
        return out;
    }
    const offsets o = scroll_offsets(*this, no_scroll);
    out.x = vux_clamp16(int64_t(p.x) + view.x - o.sx);
    out.y = vux_clamp16(int64_t(view.y) + p.y - o.sy);
    return out;
}

vux_layout_point vux_layout::from_screen(const vux_point& p, bool no_scroll, bool anchored) const {
    if (anchor_outside_view(anchored))
        return {vux_clamp32(int64_t(p.x) - view.x), vux_clamp32(int64_t(p.y) - view.y - view.h + pen.y)};
    const offsets o = scroll_offsets(*this, no_scroll);
    return {vux_clamp32(int64_t(p.x) - view.x + o.sx), vux_clamp32(int64_t(p.y) - view.y + o.sy)};
}

void vux_layout::draw_row_frame(int32_t y, bool no_clip, bool anchored, bool a, bool b, bool c) {
    if (is_below_view(y, no_clip, anchored) || is_above_view(y, no_clip, anchored)) return;
    draw_frame_line(to_screen({-indent, y}, false, anchored), area.w + 2 * indent, a, b, c);
}

void vux_layout::draw_row_box(int32_t y, int32_t h, bool no_clip, bool anchored, int32_t inset, int32_t s1, int32_t s2,
                              int32_t s3, int32_t s4) {
    if (is_below_view(y, no_clip, anchored) || is_above_view(y + h, no_clip, anchored)) return;
    const int64_t height = int64_t(h) - 2 * (int64_t(inset) + indent);
    if (height <= 0) return;
    draw_box(to_screen({inset, y + indent + inset}, false, anchored), view.w - 2 * inset, int32_t(height), s1, s2, s3,
             s4);
}

void vux_layout::draw_row_fill(int32_t y, int32_t h, bool no_clip, bool anchored, int32_t colour) {
    if (h <= 0 || is_below_view(y, no_clip, anchored) || is_above_view(y + h, no_clip, anchored)) return;
    fill_rect(to_screen({-indent, y}, false, anchored), area.w + 2 * indent, h, colour);
}

void vux_layout::remember_mark(const vux_string& paragraph, const vux_string& element, bool first) {
    if (paragraph.empty() || element.empty() || !mark_paragraph_1.empty()) return;
    if (first) {
        mark_paragraph_1 = paragraph;
        mark_element_1 = element;
    } else {
        mark_paragraph_2 = paragraph;
        mark_element_2 = element;
    }
}

void vux_layout::clear_marks() {
    mark_paragraph_1.clear();
    mark_paragraph_2.clear();
    mark_element_1.clear();
    mark_element_2.clear();
}

void vux_layout::publish_marks(vux_variables& environment) const {
    const vux_string* p = nullptr;
    const vux_string* e = nullptr;
    if (!mark_paragraph_1.empty()) {
        p = &mark_paragraph_1;
        e = &mark_element_1;
    } else if (!mark_paragraph_2.empty()) {
        p = &mark_paragraph_2;
        e = &mark_element_2;
    }
    if (!p) return;
    environment.assign(vux_string("__mark_paragraph"), *p);
    environment.assign(vux_string("__mark_element"), *e);
}
