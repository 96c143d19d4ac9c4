#include "markup/model/vux_element_image.h"
#include <algorithm>
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_image_aux.h"
#include "markup/model/vux_element_rules.h"
#include "markup/model/vux_keyword.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_model_factory.h"

vux_element_image::vux_element_image() = default;
vux_element_image::~vux_element_image() = default;

void vux_element_image::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("align", align);
    v.int32("label_align", label_align);
    v.int32("vertical_nudge", vertical_nudge);
    v.int32("width", width);
    v.int32("height", height);
    v.int32("outer", outer);
    v.int32("inner", inner);
    v.int32("count", count);
    v.int32("position", position);
    v.int32("interval", interval);
    v.int32("gap", gap);
    v.int32("index", index);
    v.string("name", name);
    v.string("key_mark", key_mark);
    v.string("primary", primary);
    v.string("secondary", secondary);
    v.record("text", text);
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

std::unique_ptr<vux_object> vux_element_image::clone() const {
    auto copy = vux_clone_record(*this);
    if (!copy) return nullptr;
    copy->set_flag(fixed_bit, false);
    return copy;
}

namespace {
using I = vux_element_image;
using K = vux_keyword<I>;
const char* const align_words[] = {"left", "center", "right", nullptr};
const char* const valign_words[] = {"top", "center", "bottom", nullptr};

// In the order the keywords are tested; the label's follow.
const K keywords[] = {
    {"opaque", K::flag, &I::flags, 0},
    {"follow", K::flag, &I::flags, 1},
    {"flat", K::flag, &I::flags, 2},
    {"animation", K::flag, &I::flags, 3},
    {"ignore", K::flag, &I::flags, 4},
    {"trival", K::flag, &I::flags, 5},
    {"static", K::flag, &I::flags, 6},
    {"mark", K::flag, &I::flags, 7},
    {"float", K::flag, &I::flags, 9},
    {"align", K::word, &I::align, 0, align_words, 1},
    {"talign", K::word, &I::label_align, 0, align_words, 1},
    {"aline", K::word, &I::vertical_nudge, 0, valign_words, 1},
    {"width", K::integer, &I::width},
    {"height", K::integer, &I::height},
    {"outer", K::colour, &I::outer},
    {"inner", K::colour, &I::inner},
    {"count", K::integer, &I::count},
    {"position", K::integer, &I::position},
    {"interval", K::integer, &I::interval},
    {"gap", K::integer, &I::gap},
    {"index", K::integer, &I::index},
    {"name", K::string, nullptr, 0, nullptr, 0, &I::name},
    {"keym", K::string, nullptr, 0, nullptr, 0, &I::key_mark},
    {"primary", K::string, nullptr, 0, nullptr, 0, &I::primary},
    {"secondary", K::string, nullptr, 0, nullptr, 0, &I::secondary},
};

// The image's place in its grid row; a negative position counts as 0.
int32_t column_of(const vux_element_image& image, int32_t columns) {
    return std::max(image.position, 0) % std::max(columns, 1);
}
}  // namespace

void vux_element_image::set_property(const vux_string& key, const vux_string& value) {
    if (vux_string_equals_cstr(key, "auto")) {
        vux_set_link_countdown(hyperlink.get(), value);
    } else if (const K* k = vux_find_keyword(keywords, key)) {
        k->apply(*this, value);
    } else {
        text.set_property(key, value);
    }
}

void vux_element_image::clear_link(const vux_string& name) { vux_clear_common_link(*this, name); }

void vux_element_image::apply_property_step(const vux_action_property& step, const vux_variables& environment) {
    vux_apply_property_step(*this, step, environment);
}

void vux_element_image::update_raised(const vux_variables& environment) {
    const int32_t s = vux_mark_state(environment, key_mark, index);
    if (s >= 0) vertical_nudge = s == 1 ? 1 : 2;
}

int32_t vux_element_image::start_y() const { return aux ? aux->start.y : 0; }
int32_t vux_element_image::rows() const { return aux ? aux->rows : 0; }

void vux_element_image::measure(vux_layout& l) {
    if (aux || (flag(ignore_bit) && count == 0)) return;
    aux = std::make_unique<vux_element_image_aux>();
    l.finish_line();
    vux_font_scope font(l, text);
    aux->start = l.pen;
    aux->margin_left = l.margin_a;
    aux->margin_right = l.margin_b;
    const int64_t row = l.row_height();
    const int64_t w = l.scale(width);
    const int64_t h = l.scale(height);
    if (count > 0) {
        // Spread evenly, a picture needs a width and the view room for two:
        // otherwise the group is one column.
        const int64_t fit = w > 0 ? (int64_t(l.view.w) - w) / w : 1;
        aux->columns = int32_t(std::clamp<int64_t>(interval > 0 ? count : std::min<int64_t>(fit, count), 1, count));
    }
    int64_t rows = row > 0 ? (h + row - 1) / row : 0;
    if (!flag(follow_bit)) {
        int64_t lw = 0;
        for (int32_t i = 0; i < text.text.length(); ++i)
            if (!text.is_cr(i) && !text.is_lf(i)) lw += l.char_width(text.text.unit_at(i));
        aux->label_width = vux_clamp32(lw);
        if (!text.text.empty()) ++rows;
    }
    aux->rows = vux_clamp32(std::max<int64_t>(rows, 0));
    l.pen.y = vux_clamp32(int64_t(l.pen.y) + row * aux->rows);
    if (count > 0 && position != count - 1 && column_of(*this, aux->columns) != aux->columns - 1)
        l.pen.y = aux->start.y;
    l.add_item(this);
}

vux_layout_rect vux_element_image::picture_rect(vux_layout& l) const {
    if (!aux) return {};
    const int64_t row = l.row_height();
    const int64_t w = l.scale(width);
    const int64_t h = l.scale(height);
    const int64_t view_w = int64_t(l.view.w) - aux->margin_left - aux->margin_right;
    int64_t x = int64_t(aux->start.x) + aux->margin_left;
    if (count <= 0) {
        x += align == 2 ? (view_w - w) / 2 : align == 3 ? view_w - w : 0;
    } else if (interval > 0) {
        const int64_t step = l.scale(interval);
        const int64_t free = view_w - (w + (int64_t(aux->columns) - 1) * step);
        x += (align == 2 ? free / 2 : align == 3 ? free : 0) + step * std::max(position, 0);
    } else {
        const int64_t g = (view_w - w * aux->columns) / aux->columns;
        x += column_of(*this, aux->columns) * (g + w) + (align == 2 ? g / 2 : align == 3 ? g : 0);
    }
    const bool label_row = !flag(follow_bit) && !text.text.empty();
    int64_t y = aux->start.y + (label_row ? ((int64_t(aux->rows) - 1) * row - h) / 2 : (row * aux->rows - h) / 2);
    if (vertical_nudge == 1) y -= l.scale(5);
    if (vertical_nudge == 3) y += l.scale(5);
    return {vux_clamp32(x), vux_clamp32(y), vux_clamp32(w), vux_clamp32(h)};
}

vux_layout_rect vux_element_image::label_rect(vux_layout& l) const {
    if (!aux) return {};
    const vux_layout_rect p = picture_rect(l);
    const int64_t row = l.row_height();
    if (flag(follow_bit))
        return {vux_clamp32(p.right()), vux_clamp32(p.y + (int64_t(p.h) - row) / 2), 0, vux_clamp32(row)};
    const int64_t lw = aux->label_width;
    const int64_t x = p.x + (label_align == 2 ? (p.w - lw) / 2 : label_align == 3 ? p.w - lw : 0);
    return {vux_clamp32(x), vux_clamp32(aux->start.y + (int64_t(aux->rows) - 1) * row), aux->label_width,
            vux_clamp32(row)};
}

namespace {
bool image_visible(vux_layout& l, const vux_element_image& image, const vux_element_image_aux& aux) {
    const int64_t last_row = aux.start.y + (int64_t(aux.rows) - 1) * l.row_height();
    return vux_visible_in_pass(l, image.flag(I::float_bit), image.flag(I::fixed_bit), aux.start.y, last_row);
}
}  // namespace

bool vux_element_image::in_view(vux_layout& l) const {
    if (flag(ignore_bit) || !aux) return false;
    const int64_t last_row = aux->start.y + (int64_t(aux->rows) - 1) * l.row_height();
    return !l.is_below_view(vux_clamp32(last_row), false, flag(fixed_bit)) &&
           !l.is_above_view(aux->start.y, false, flag(fixed_bit));
}

bool vux_element_image::paint(vux_layout& l) {
    if (flag(ignore_bit) || !aux || !image_visible(l, *this, *aux)) return false;
    vux_font_scope font(l, text);
    const bool fixed = flag(fixed_bit);
    const vux_layout_rect p = picture_rect(l);
    l.draw_image(*this, l.to_screen({p.x, p.y}, false, fixed));
    if (flag(follow_bit) && !text.text.empty()) {
        const vux_layout_rect t = label_rect(l);
        l.draw_image_text(*this, l.to_screen({t.x, t.y}, false, fixed));
    }
    return true;
}

bool vux_element_image::paint_label(vux_layout& l) {
    if (flag(ignore_bit) || !aux || aux->label_width <= 0 || !image_visible(l, *this, *aux)) return false;
    const vux_layout_rect t = label_rect(l);
    if (!l.is_row_visible(t.y)) return false;
    vux_font_scope font(l, text);
    l.draw_image_text(*this, l.to_screen({t.x, t.y}, false, flag(fixed_bit)));
    return true;
}

bool vux_element_image::hit(vux_layout& l, const vux_point& p) const {
    if (flag(ignore_bit) || !aux || !image_visible(l, *this, *aux)) return false;
    if (vux_header_blocks(l, flag(fixed_bit), p)) return false;
    const vux_layout_point q = l.from_screen(p, false, flag(fixed_bit));
    if (picture_rect(l).contains(q)) return true;
    const vux_layout_rect t = label_rect(l);
    const int64_t pad = l.item_gap();
    return t.w > 0 && q.x >= t.x - pad && q.x <= t.right() + pad && q.y >= t.y - pad && q.y <= t.bottom() + pad;
}

bool vux_element_image::tick(int32_t ms, int32_t period) {
    if (flag(ignore_bit)) return false;
    return vux_element_tick(flag(animation_bit) && !primary.empty(), frame, tick_accumulator, gap, hyperlink.get(), ms,
                            period, nullptr);
}

void vux_element_image::reset() { vux_reset_element(*this); }
