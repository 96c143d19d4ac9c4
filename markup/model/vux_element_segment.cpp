#include "markup/model/vux_element_segment.h"
#include <algorithm>
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_rules.h"
#include "markup/model/vux_element_segment_aux.h"
#include "markup/model/vux_keyword.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_model_factory.h"

vux_element_segment::vux_element_segment() = default;
vux_element_segment::~vux_element_segment() = default;

void vux_element_segment::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("align", align);
    v.int32("ground", ground);
    v.int32("bright", bright);
    v.string("name", name);
    v.record("text", text);
    v.child_as("icon", icon, vux_model_child_of<vux_type_icon>());
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

bool vux_element_segment::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }

std::unique_ptr<vux_object> vux_element_segment::clone() const {
    auto copy = vux_clone_record(*this);
    if (!copy) return nullptr;
    copy->set_flag(fixed_bit, false);
    return copy;
}

namespace {
using S = vux_element_segment;
using K = vux_keyword<S>;
const char* const align_words[] = {"left", "center", "right", nullptr};

// In the order the keywords are tested; the text's and the two colours follow.
const K keywords[] = {
    {"align", K::word, &S::align, 0, align_words, 1},
    {"gradual", K::flag, &S::flags, 1},
    {"single", K::flag, &S::flags, 2},
    {"ellipsis", K::flag, &S::flags, 3},
    {"ignore", K::flag, &S::flags, 4},
    {"waiter", K::flag, &S::flags, 5},
    {"static", K::flag, &S::flags, 6},
    {"mark", K::flag, &S::flags, 7},
    {"half", K::flag, &S::flags, 8},
    {"bar", K::flag, &S::flags, 9},
    {"hollow", K::flag, &S::flags, 10},
    {"dotted", K::flag, &S::flags, 11},
    {"long", K::flag, &S::flags, 12},
    {"stereo", K::flag, &S::flags, 13},
    {"float", K::flag, &S::flags, 15},
    {"name", K::string, nullptr, 0, nullptr, 0, &S::name},
};
const K colours[] = {
    {"ground", K::colour, &S::ground},
    {"bright", K::colour, &S::bright},
};
}  // namespace

void vux_element_segment::set_property(const vux_string& key, const vux_string& value) {
    if (vux_string_equals_cstr(key, "auto")) {
        vux_set_link_countdown(hyperlink.get(), value);
    } else if (const K* k = vux_find_keyword(keywords, key)) {
        k->apply(*this, value);
    } else if (!text.set_property(key, value)) {
        if (const K* c = vux_find_keyword(colours, key)) c->apply(*this, value);
    }
}

void vux_element_segment::clear_link(const vux_string& name) {
    vux_clear_common_link(*this, name);
    if (vux_string_equals_cstr(name, "icon")) icon.reset();
}

void vux_element_segment::apply_property_step(const vux_action_property& step, const vux_variables& environment) {
    vux_apply_property_step(*this, step, environment);
    vux_replace_link(icon, step.icon);
}

int32_t vux_element_segment::start_y() const { return aux ? aux->start.y : 0; }
int32_t vux_element_segment::last_top() const { return aux ? aux->last_top : 0; }
int32_t vux_element_segment::end_x() const { return aux ? aux->end_x : 0; }
void vux_element_segment::set_end_x(int32_t x) {
    if (aux) aux->end_x = x;
}

namespace {
int32_t unit_width(vux_layout& l, const vux_element_segment& s, int32_t i) {
    const vux_element_text& t = s.text;
    if (t.is_cr(i) || t.is_lf(i)) return 0;
    if (t.is_marker(i)) return s.icon ? s.icon->width : 0;
    return l.char_width(t.text.unit_at(i));
}

}  // namespace

void vux_element_segment::measure(vux_layout& l) {
    if (aux || flag(ignore_bit)) return;
    vux_font_scope font(l, text);
    if (icon) {
        text.ensure_marker(!icon->bit_0());
        icon->width = icon->height = icon->side(l.line_height(), l.line_spacing(), l.scale(icon->margin));
    }
    aux = std::make_unique<vux_element_segment_aux>();
    aux->margin_left = l.margin_a;
    aux->margin_right = l.margin_b;
    aux->start = l.pen;
    aux->last_top = l.pen.y;
    const int64_t line = int64_t(l.view.w) - l.margin_a - l.margin_b;

    if (flag(ellipsis_bit)) {
        int64_t room = line - l.pen.x - l.ellipsis_width();
        for (int32_t i = 0; i < text.text.length(); ++i) {
            const int32_t d = unit_width(l, *this, i);
            if (d > room) {
                text.save_full_text();
                text.text.set_length(i);
                text.text.append(l.ellipsis_text());
                break;
            }
            room -= d;
        }
    }

    const int32_t n = text.text.length();
    const int32_t bar = text.is_bar() ? 2 * l.item_gap() : 0;
    int64_t whole = 0;
    for (int32_t i = 0; i < n; ++i) whole += int64_t(unit_width(l, *this, i)) + bar;
    const bool keep_whole = flag(single_bit) || (hyperlink && hyperlink->bit(0));
    const int64_t room_for_whole = line - (flag(single_bit) ? l.line_height() : 0);
    const bool half = flag(half_bit);
    bool pending = false;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t d = vux_clamp32(int64_t(unit_width(l, *this, i)) + bar);
        aux->widths.push_back(d);
        // A unit at the line's start is never pushed on: the next line
        // would be no wider.
        const bool too_wide = l.pen.x > 0 && int64_t(d) + l.pen.x > line;
        const bool whole_moves = i == 0 && keep_whole && l.pen.x > 0 && whole + l.pen.x > room_for_whole;
        if (pending || too_wide || whole_moves) {
            // The segments before this one on the line end where it does.
            if (aux->line_starts.empty()) l.update_line_segments();
            if (pending)
                l.new_line(half);
            else
                l.finish_line();
            aux->last_top = l.pen.y;
            aux->line_starts.push_back(i);
            pending = false;
        }
        l.pen.x = vux_clamp32(int64_t(l.pen.x) + d);
        if (text.is_lf(i)) pending = true;
    }
    if (n == 0) {
        aux->last_top = l.pen.y;
        l.new_line(half);
    }
    aux->end_x = l.pen.x;
    l.add_item(this);
}

namespace {
// The lines of a measured segment: [begin, end) of each.
struct line_range {
    int32_t begin;
    int32_t end;
};
// The text may have changed since measuring (a property step without a new
// layout): no line reaches past it.
std::vector<line_range> lines_of(const vux_element_segment_aux& aux, int32_t n) {
    std::vector<line_range> out;
    int32_t begin = 0;
    for (int32_t start : aux.line_starts) {
        const int32_t s = std::clamp(start, begin, n);
        out.push_back({begin, s});
        begin = s;
    }
    out.push_back({begin, n});
    return out;
}
}  // namespace

bool vux_element_segment::in_view(vux_layout& l) const {
    if (flag(ignore_bit) || !aux) return false;
    const bool fixed = flag(fixed_bit);
    return !l.is_below_view(vux_clamp32(int64_t(aux->last_top) + l.row_height()), false, fixed) &&
           !l.is_above_view(vux_clamp32(int64_t(aux->start.y) + l.line_spacing()), false, fixed);
}

bool vux_element_segment::paint(vux_layout& l) {
    if (flag(ignore_bit) || !aux) return false;
    const int64_t row = l.row_height();
    const bool fixed = flag(fixed_bit);
    if (!vux_visible_in_pass(l, flag(float_bit), fixed, aux->start.y, aux->last_top + row)) return false;
    const int32_t n = text.text.length();
    if (flag(hollow_bit)) return true;
    vux_font_scope font(l, text);
    const int64_t line = int64_t(l.view.w) - aux->margin_left - aux->margin_right;
    if (n == 0) {
        if (!flag(rule_bit)) return true;
        const int64_t y = int64_t(aux->last_top) + (flag(half_bit) ? l.line_spacing() / 2 : 0);
        const bool wide = flag(long_bit);
        const int64_t x = wide ? -int64_t(l.indent) : aux->margin_left;
        const int64_t w = wide ? int64_t(l.view.w) + 2 * int64_t(l.indent) : line;
        l.draw_segment_line(*this, l.to_screen({vux_clamp32(x), vux_clamp32(y)}, false, fixed), vux_clamp32(w));
        return true;
    }
    const int64_t step = flag(half_bit) ? row - l.line_spacing() : row;
    const std::vector<line_range> lines = lines_of(*aux, n);
    const int32_t icon_w = icon ? icon->width : 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        const int64_t y = int64_t(aux->start.y) + int64_t(k) * step;
        if (l.is_below_view(vux_clamp32(y), false, fixed)) break;
        if (l.is_above_view(vux_clamp32(y + row), false, fixed)) continue;
        int64_t x = (k == 0 ? int64_t(aux->start.x) : 0) + aux->margin_left;
        const bool last = k + 1 == lines.size();
        if (last && align != 1) {
            const int64_t free = line - aux->end_x;
            x += align == 2 ? free / 2 : align == 3 ? free : 0;
        }
        int32_t s = lines[k].begin;
        int32_t e = lines[k].end;
        if (s < e && text.is_marker(s) && icon) {
            l.draw_segment_link(*this, l.to_screen({vux_clamp32(x), vux_clamp32(y)}, false, fixed));
            x += icon_w;
            ++s;
        }
        if (e > s && text.is_lf(e - 1)) --e;
        if (e > s && text.is_cr(e - 1)) --e;
        const bool icon_after = e > s && text.is_marker(e - 1) && icon;
        if (icon_after) --e;
        if (text.is_bar()) x += l.item_gap();
        if (last) e = std::max(s, e - aux->roll);
        int64_t w = 0;
        for (int32_t i = s; i < e && size_t(i) < aux->widths.size(); ++i) w += aux->widths[size_t(i)];
        if (e > s)
            l.draw_segment_text(*this, l.to_screen({vux_clamp32(x), vux_clamp32(y)}, false, fixed), vux_clamp32(w),
                                text.text.units() + s, e - s);
        if (icon_after) l.draw_segment_link(*this, l.to_screen({vux_clamp32(x + w), vux_clamp32(y)}, false, fixed));
    }
    return true;
}

bool vux_element_segment::hit(vux_layout& l, const vux_point& p) const {
    if (flag(ignore_bit) || !aux) return false;
    const int64_t row = l.row_height();
    const bool fixed = flag(fixed_bit);
    if (!vux_visible_in_pass(l, flag(float_bit), fixed, aux->start.y, aux->last_top + row)) return false;
    if (vux_header_blocks(l, fixed, p)) return false;
    const vux_layout_point q = l.from_screen(p, false, fixed);
    const int64_t pad = l.item_gap();
    const int64_t step = flag(half_bit) ? row - l.line_spacing() : row;
    const std::vector<line_range> lines = lines_of(*aux, text.text.length());
    const bool whole_row = hyperlink && hyperlink->mode_is_one();
    for (size_t k = 0; k < lines.size(); ++k) {
        int64_t x = (k == 0 ? int64_t(aux->start.x) : 0) + aux->margin_left;
        int64_t w = 0;
        for (int32_t i = lines[k].begin; i < lines[k].end && size_t(i) < aux->widths.size(); ++i)
            w += aux->widths[size_t(i)];
        if (whole_row) {
            x = pad;
            w = int64_t(l.view.w) - 2 * pad;
        }
        const int64_t y = int64_t(aux->start.y) + int64_t(k) * step;
        if (q.x >= x - pad && q.x <= x + w + pad && q.y >= y - pad && q.y <= y + row + pad) return true;
    }
    return false;
}

bool vux_element_segment::tick(int32_t ms, int32_t period) {
    if (flag(ignore_bit)) return false;
    const bool rolls = flag(waiter_bit) && aux && text.ends_with_ellipsis();
    int32_t none = 0;
    return vux_element_tick(icon && icon->bit_1(), icon ? icon->frame : none, icon ? icon->tick_accumulator : none,
                            icon ? icon->reserved : 0, hyperlink.get(), ms, period, rolls ? &aux->roll : nullptr);
}

void vux_element_segment::reset() { vux_reset_element(*this); }
