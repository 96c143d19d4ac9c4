#include "markup/model/vux_element_box.h"
#include <algorithm>
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_rules.h"
#include "markup/model/vux_keyword.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_model_factory.h"

vux_element_box::vux_element_box() = default;
vux_element_box::~vux_element_box() = default;

void vux_element_box::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("line_flags", line_flags);
    v.int32("left", left);
    v.int32("top", top);
    v.int32("top_rows", top_rows);
    v.int32("width", width);
    v.int32("height", height);
    v.int32("height_rows", height_rows);
    v.int32("margin_left", margin_left);
    v.int32("margin_top", margin_top);
    v.int32("margin_right", margin_right);
    v.int32("margin_bottom", margin_bottom);
    v.int32("ground", ground);
    v.int32("ground_s", ground_s);
    v.int32("ground_f", ground_f);
    v.int32("ground_t", ground_t);
    v.int32("ground_corner", ground_corner);
    v.int32("border", border);
    v.int32("border_s", border_s);
    v.int32("border_f", border_f);
    v.int32("border_corner", border_corner);
    v.int32("border_indent", border_indent);
    v.int32("align", align);
    v.int32("breadth", breadth);
    v.int32("text_left", text_left);
    v.int32("text_top", text_top);
    v.int32("text_right", text_right);
    v.int32("text_bottom", text_bottom);
    v.int32("text_align", text_align);
    v.int32("text_valign", text_valign);
    v.int32("text_interval", text_interval);
    v.int32("gap", gap);
    v.int32("index", index);
    v.int32("tile", tile);
    v.int32("fit", fit);
    v.int32("colour_a", colour_a);
    v.int32("triangle", triangle);
    v.string("name", name);
    v.string("key_mark", key_mark);
    v.string("image", image);
    v.string("image_s", image_s);
    v.string("image_f", image_f);
    v.string("image_a", image_a);
    v.record("text", text);
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.child_as("press", press, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

bool vux_element_box::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }

std::unique_ptr<vux_object> vux_element_box::clone() const {
    auto copy = vux_clone_record(*this);
    if (!copy) return nullptr;
    copy->clear_run_time_bits();
    return copy;
}

namespace {
using B = vux_element_box;
using K = vux_keyword<B>;
const char* const align_words[] = {"left", "center", "right", nullptr};
const char* const valign_words[] = {"top", "center", "bottom", nullptr};
const char* const tile_words[] = {"null",          "horizontal", "vertical", "block", "horizontal_copy",
                                  "vertical_copy", nullptr};
const char* const fit_words[] = {"null", "center", "bottom", "height", "whole", nullptr};
const char* const triangle_words[] = {"left", "top", "right", "bottom", nullptr};

// In the order the keywords are tested; the text's follow.
const K keywords[] = {
    {"wrap", K::flag, &B::flags, 0},
    {"ellipsis", K::flag, &B::flags, 1},
    {"opaque", K::flag, &B::flags, 2},
    {"flat", K::flag, &B::flags, 3},
    {"animation", K::flag, &B::flags, 4},
    {"ignore", K::flag, &B::flags, 5},
    {"trival", K::flag, &B::flags, 6},
    {"static", K::flag, &B::flags, 7},
    {"overlay", K::flag, &B::flags, 9},
    {"password", K::flag, &B::flags, 10},
    {"stick", K::flag, &B::flags, 11},
    {"mark", K::flag, &B::flags, 12},
    {"inside", K::flag, &B::flags, 13},
    {"bottom", K::flag, &B::flags, 14},
    {"follow", K::flag, &B::flags, 15},
    {"float", K::flag, &B::flags, 17},
    {"roll", K::flag, &B::flags, 18},
    {"indicator", K::flag, &B::flags, 19},
    {"note", K::flag, &B::flags, 20},
    {"emoticon", K::flag, &B::flags, 21},
    {"expand", K::flag, &B::flags, 22},
    {"waiter", K::flag, &B::flags, 23},
    {"lleft", K::flag, &B::line_flags, 0},
    {"ltop", K::flag, &B::line_flags, 1},
    {"lright", K::flag, &B::line_flags, 2},
    {"lbottom", K::flag, &B::line_flags, 3},
    {"left", K::integer, &B::left},
    {"top", K::integer, &B::top},
    {"topx", K::integer, &B::top_rows},
    {"width", K::integer, &B::width},
    {"height", K::integer, &B::height},
    {"heightx", K::integer, &B::height_rows},
    {"mleft", K::integer, &B::margin_left},
    {"mtop", K::integer, &B::margin_top},
    {"mright", K::integer, &B::margin_right},
    {"mbottom", K::integer, &B::margin_bottom},
    {"ground", K::colour, &B::ground},
    {"grounds", K::colour, &B::ground_s},
    {"groundf", K::colour, &B::ground_f},
    {"groundt", K::colour, &B::ground_t},
    {"gcorner", K::integer, &B::ground_corner},
    {"border", K::colour, &B::border},
    {"borders", K::colour, &B::border_s},
    {"borderf", K::colour, &B::border_f},
    {"bcorner", K::integer, &B::border_corner},
    {"bindent", K::integer, &B::border_indent},
    {"align", K::word, &B::align, 0, align_words, 1},
    {"breadth", K::integer, &B::breadth},
    {"tleft", K::integer, &B::text_left},
    {"ttop", K::integer, &B::text_top},
    {"tright", K::integer, &B::text_right},
    {"tbottom", K::integer, &B::text_bottom},
    {"talign", K::word, &B::text_align, 0, align_words, 1},
    {"taline", K::word, &B::text_valign, 0, valign_words, 1},
    {"tinterval", K::integer, &B::text_interval},
    {"gap", K::integer, &B::gap},
    {"index", K::integer, &B::index},
    {"tile", K::word, &B::tile, 0, tile_words, 0},
    {"pfit", K::word, &B::fit, 0, fit_words, 0},
    {"colora", K::colour, &B::colour_a},
    {"triangle", K::word, &B::triangle, 0, triangle_words, 1},
    {"name", K::string, nullptr, 0, nullptr, 0, &B::name},
    {"keym", K::string, nullptr, 0, nullptr, 0, &B::key_mark},
    {"image", K::string, nullptr, 0, nullptr, 0, &B::image},
    {"images", K::string, nullptr, 0, nullptr, 0, &B::image_s},
    {"imagef", K::string, nullptr, 0, nullptr, 0, &B::image_f},
    {"imagea", K::string, nullptr, 0, nullptr, 0, &B::image_a},
};
}  // namespace

void vux_element_box::set_property(const vux_string& key, const vux_string& value) {
    if (vux_string_equals_cstr(key, "auto")) {
        vux_set_link_countdown(hyperlink.get(), value);
        return;
    }
    if (const K* k = vux_find_keyword(keywords, key)) {
        k->apply(*this, value);
        return;
    }
    text.set_property(key, value);
}

void vux_element_box::clear_link(const vux_string& name) {
    vux_clear_common_link(*this, name);
    if (vux_string_equals_cstr(name, "press")) press.reset();
}

void vux_element_box::apply_property_step(const vux_action_property& step, const vux_variables& environment) {
    vux_apply_property_step(*this, step, environment);
    vux_replace_link(press, step.action_2);
}

void vux_element_box::update_checked(const vux_variables& environment) {
    set_flag(checked_bit, vux_mark_state(environment, key_mark, index) == 1);
}

bool vux_element_box::placed() const { return aux && aux->placed; }
int32_t vux_element_box::top_y() const { return placed() ? aux->top_left.y : 0; }
int32_t vux_element_box::bottom_y() const { return placed() ? aux->bottom_right.y : 0; }
int32_t vux_element_box::left_x() const {
    return placed() ? vux_clamp32(int64_t(aux->top_left.x) + aux->scroll_offset) : 0;
}
int32_t vux_element_box::right_x() const {
    return placed() ? vux_clamp32(int64_t(aux->bottom_right.x) + aux->scroll_offset) : 0;
}
void vux_element_box::set_scroll_offset(int32_t x) {
    if (aux) aux->scroll_offset = x;
}
const std::vector<int32_t>& vux_element_box::line_starts() const {
    static const std::vector<int32_t> none;
    return aux ? aux->lines : none;
}

namespace {
// What starts at unit i of a box's text. With "emoticon", a '[' may open a
// token: an emoticon known to the layout (bracket to bracket) or a style
// token ("[[[" and a digit). Every other unit stands alone. Measuring and
// painting walk the text by these tokens alike; asking for an emoticon also
// tells the layout its number, which the emoticon drawing takes.
struct text_token {
    enum kind_t { unit, emoticon, style } kind;
    int32_t length;
};

text_token token_at(vux_layout& l, const vux_element_box& box, int32_t i) {
    const vux_unicode& t = box.text.text;
    if (box.flag(B::emoticon_bit) && t.unit_at(i) == u'[') {
        if (const int32_t k = l.emoticon_marker(i, t); k > 0) return {text_token::emoticon, k};
        int32_t digit = 0;
        if (const int32_t k = l.style_marker(i, t, digit); k > 0) return {text_token::style, k};
    }
    return {text_token::unit, 1};
}

// The width of every unit: line ends are 0 wide; an emoticon is one line
// height wide at its '[', the rest of it and a style token 0 wide.
std::vector<int32_t> unit_widths(vux_layout& l, const vux_element_box& box) {
    const vux_unicode& t = box.text.text;
    const int32_t n = t.length();
    std::vector<int32_t> w(size_t(n), 0);
    for (int32_t i = 0; i < n;) {
        const text_token k = token_at(l, box, i);
        const char16_t u = t.unit_at(i);
        if (k.kind == text_token::emoticon)
            w[size_t(i)] = l.line_height();
        else if (k.kind == text_token::unit && u != vux_element_text::cr && u != vux_element_text::lf)
            w[size_t(i)] = l.char_width(u);
        i += k.length;
    }
    return w;
}

// Where the line that starts at `start` ends: after a line feed, or before
// the unit whose width would carry the line past f. A unit of no width (the
// rest of an emoticon token, a line end) never passes, so it stays with what
// precedes it; nor does a line break before its first unit (painting cuts a
// unit wider than the box).
int32_t next_line(const std::vector<int32_t>& widths, const vux_unicode& t, int32_t start, int64_t f) {
    const int32_t n = int32_t(widths.size());
    int64_t w = 0;
    for (int32_t i = start; i < n; ++i) {
        if (i > start && t.unit_at(i - 1) == vux_element_text::lf) return i;
        if (i > start && widths[size_t(i)] > 0 && w + widths[size_t(i)] > f) return i;
        w += widths[size_t(i)];
    }
    return n;
}

void cut_text(vux_element_text& text, int32_t length) {
    text.save_full_text();
    text.text.set_length(std::clamp(length, 0, text.text.length()));
}

// The text cut to the n lines of width f that the box holds.
void cut_to_lines(vux_layout& l, vux_element_box& box, int64_t n, int64_t f) {
    vux_element_text& text = box.text;
    if (n < 1) {
        if (!text.text.empty()) cut_text(text, 0);
        return;
    }
    if (!box.flag(B::wrap_bit)) n = 1;
    const std::vector<int32_t> widths = unit_widths(l, box);
    const int32_t len = int32_t(widths.size());
    int32_t start = 0;
    for (int64_t k = 0; k + 1 < n; ++k) {
        start = next_line(widths, text.text, start, f);
        if (start >= len) return;
    }
    // The last line: it ends at a line end, or where it passes f.
    int64_t sum = 0;
    int32_t over = -1;
    int32_t end = len;
    for (int32_t j = start; j < len; ++j) {
        if (text.is_cr(j) || text.is_lf(j)) {
            end = j;
            break;
        }
        sum += widths[size_t(j)];
        if (sum > f) {
            over = j;
            break;
        }
    }
    if (over < 0) {
        if (end < len) cut_text(text, end);
        return;
    }
    if (!box.flag(B::ellipsis_bit)) {
        cut_text(text, over);
        return;
    }
    // The cut keeps whole tokens: an emoticon that does not fit before the
    // ellipsis goes with its brackets, never leaving a lone '['.
    const int64_t ellipsis = l.ellipsis_width();
    int64_t used = 0;
    int32_t keep = start;
    for (int32_t j = start; j < over;) {
        const int32_t end = std::min(j + token_at(l, box, j).length, len);
        int64_t w = 0;
        for (int32_t i = j; i < end; ++i) w += widths[size_t(i)];
        if (used + w + ellipsis > f) break;
        used += w;
        if (w > 0) keep = end;
        j = end;
    }
    cut_text(text, keep);
    text.text.append(l.ellipsis_text());
}

int64_t right_edge(vux_layout& l, int32_t left, int32_t width) {
    const int64_t w = l.view.w;
    if (width < 0) return w + l.scale(width);
    if (width > 0) return l.scale(vux_clamp32(int64_t(left) + width)) + (left < 0 ? w : 0);
    return w;
}

int32_t scaled_sum(vux_layout& l, int64_t a, int64_t b, int64_t c, int64_t d) {
    return l.scale(vux_clamp32(a + b + c + d));
}

// Units s to e of the text as one line at (x, y): the runs of text between
// tokens by the text-run drawing, each emoticon as its picture in a cell of
// the width measuring gave it; a style token draws nothing. Each piece starts
// where the measured widths before it end. The call that opens the line
// gives the line's whole width (a line in link colours is underlaid across
// it), the runs after an emoticon 0.
void paint_line(vux_layout& l, const vux_element_box& box, int32_t s, int32_t e, int64_t x, int64_t y) {
    const std::vector<int32_t>& widths = box.aux->widths;
    // The text may have changed since measuring: units past it are 0 wide.
    auto width_of = [&](int32_t i) -> int64_t { return size_t(i) < widths.size() ? widths[size_t(i)] : 0; };
    const bool fixed = box.flag(B::fixed_bit);
    auto at = [&](int64_t px) { return l.to_screen({vux_clamp32(px), vux_clamp32(y)}, false, fixed); };
    const int32_t height = l.line_height();
    int64_t line_w = 0;
    for (int32_t i = s; i < e; ++i) line_w += width_of(i);
    int32_t run = s;
    int64_t run_x = x, pen = x;
    bool opened = false;
    auto draw_run = [&](int32_t end) {
        if (opened && end <= run) return;
        l.draw_box_text(box, at(run_x), opened ? 0 : vux_clamp32(line_w), height, box.text.text.units() + run,
                        end - run);
        opened = true;
    };
    for (int32_t i = s; i < e;) {
        const text_token t = token_at(l, box, i);
        if (t.kind == text_token::unit) {
            pen += width_of(i++);
            continue;
        }
        draw_run(i);
        if (t.kind == text_token::emoticon) l.draw_emoticon(box, at(pen), vux_clamp32(width_of(i)), height);
        for (const int32_t end = std::min(i + t.length, e); i < end; ++i) pen += width_of(i);
        run = i;
        run_x = pen;
    }
    draw_run(e);
}

}  // namespace

void vux_element_box::measure(vux_layout& l, int32_t y, vux_element_paragraph* owner) {
    if (aux) return;
    paragraph = owner;
    aux = std::make_unique<vux_element_box_aux>();
    if (press) press->fill_copy_text(text.text);
    vux_font_scope font(l, text);

    const int64_t view_w = l.view.w;
    const int64_t x0 = int64_t(l.scale(left)) + (left < 0 ? view_w : 0);
    const int64_t x1 = right_edge(l, left, width);
    const int64_t f = x1 - x0 - scaled_sum(l, margin_left, margin_right, text_left, text_right);
    if (f <= 0) return;

    const int64_t line = l.line_height();
    const int64_t interval2 = 2 * int64_t(l.scale(text_interval));
    const int64_t vertical = scaled_sum(l, margin_top, margin_bottom, text_top, text_bottom);
    const int64_t row = l.row_height();
    if (height == 0 && height_rows == 0 && !flag(wrap_bit) && !text.text.empty())
        aux->text_height = vux_clamp32(line + interval2 + vertical);
    if (height > 0 || height_rows > 0 || aux->text_height > 0) {
        const int64_t divisor = line + interval2;
        // A line that takes no height leaves nothing to count lines by: no cut.
        if (divisor > 0)
            cut_to_lines(l, *this,
                         (row * height_rows + l.scale(height) + aux->text_height + interval2 - vertical) / divisor, f);
    }
    aux->widths = unit_widths(l, *this);
    for (int32_t s = 0; s < text.text.length(); s = next_line(aux->widths, text.text, s, f)) aux->lines.push_back(s);
    if (height == 0 && height_rows == 0 && aux->text_height == 0)
        aux->text_height = vux_clamp32((line + interval2) * int64_t(aux->lines.size()) + vertical);

    if (height <= 0 && height_rows <= 0 && aux->text_height <= 0) return;
    const int64_t base = flag(follow_bit) ? l.running_bottom : y;
    const int64_t t = base + l.scale(top) + row * top_rows;
    const int64_t b =
        base + row * top_rows + l.scale(vux_clamp32(int64_t(top) + height)) + row * height_rows + aux->text_height;
    if (t >= b) return;
    aux->placed = true;
    // A placed box is an item: it takes focus and presses through its link.
    l.add_item(this);
    const int64_t extent = breadth != 0 ? l.scale(breadth) : x1;
    const int64_t free = view_w - std::min(view_w, extent);
    const int64_t shift = align == 2 ? free / 2 : align == 3 ? free : 0;
    aux->top_left = {vux_clamp32(x0 + shift), vux_clamp32(t)};
    aux->bottom_right = {vux_clamp32(x1 + shift), vux_clamp32(b)};
    if (!flag(fixed_bit)) {
        l.note_content_top(aux->top_left.y);
        l.note_content_bottom(aux->bottom_right.y);
    }
    l.note_content_right(aux->bottom_right.x);
    const int64_t rounded = flag(stick_bit) || row <= 0 ? b : (b + row - 1) / row * row;
    l.row_bottom = std::max(l.row_bottom, vux_clamp32(rounded));
    if (flag(bottom_bit)) l.running_bottom = aux->bottom_right.y;
}

bool vux_element_box::visible(const vux_layout& l) const {
    if (flag(ignore_bit) || !placed()) return false;
    return vux_visible_in_pass(l, flag(float_bit), flag(fixed_bit), aux->top_left.y, aux->bottom_right.y);
}

bool vux_element_box::in_view(const vux_layout& l) const {
    if (flag(ignore_bit) || !placed()) return false;
    return !l.is_below_view(aux->top_left.y, false, flag(fixed_bit)) &&
           !l.is_above_view(aux->bottom_right.y, false, flag(fixed_bit));
}

bool vux_element_box::paint(vux_layout& l) {
    if (!visible(l)) return false;
    const int32_t grow = flag(expand_bit) ? 1 : 0;
    const int64_t cx = int64_t(aux->top_left.x) + aux->scroll_offset + l.scale(margin_left);
    const int64_t cy = int64_t(aux->top_left.y) + l.scale(margin_top);
    const int64_t cw = int64_t(aux->bottom_right.x) + aux->scroll_offset - l.scale(margin_right) - cx + grow;
    const int64_t ch = int64_t(aux->bottom_right.y) - l.scale(margin_bottom) - cy + grow;
    const bool fixed = flag(fixed_bit);
    const vux_point pos = l.to_screen({vux_clamp32(cx), vux_clamp32(cy)}, false, fixed);
    if (triangle != 0) {
        l.draw_triangle(*this, pos, vux_clamp32(cw), vux_clamp32(ch), triangle);
        return true;
    }
    vux_font_scope font(l, text);
    if (flag(indicator_bit)) {
        if (paragraph && paragraph->flag(vux_element_paragraph::shown_bit))
            l.draw_indicator(*this, pos, vux_clamp32(cw), vux_clamp32(ch));
    } else if (flag(note_bit)) {
        // The note's drawing writes its text: no lines follow.
        l.draw_text_block(*this, pos, vux_clamp32(cw), vux_clamp32(ch));
        return true;
    } else {
        l.draw_box_background(*this, pos, vux_clamp32(cw), vux_clamp32(ch));
        l.draw_box_frame(*this, pos, vux_clamp32(cw), vux_clamp32(ch));
        if (!image.empty()) l.draw_box_image(*this, pos, vux_clamp32(cw), vux_clamp32(ch));
    }

    // The text block, placed by "taline"; its last line by "talign".
    const int64_t tx = cx + l.scale(text_left);
    const int64_t ty = cy + l.scale(text_top);
    const int64_t tw = cw - l.scale(text_right) - l.scale(text_left);
    const int64_t th = ch - l.scale(text_bottom) - l.scale(text_top);
    const int64_t interval = l.scale(text_interval);
    const int64_t line_h = int64_t(l.line_height()) + 2 * interval;
    const int32_t lines = int32_t(aux->lines.size());
    const int64_t free = th - line_h * lines;
    const int64_t y0 = ty + (text_valign == 2 ? free / 2 : text_valign == 3 ? free : 0);
    const int32_t n = text.text.length();
    for (int32_t k = 0; k < lines; ++k) {
        const int64_t y = y0 + line_h * k + interval;
        if (l.is_below_view(vux_clamp32(y), false, fixed)) break;
        // A property step may change the text without a new layout: the
        // line starts then never reach past it.
        const int32_t s = std::clamp(aux->lines[size_t(k)], 0, n);
        int32_t e = std::clamp(k + 1 < lines ? aux->lines[size_t(k) + 1] : n, s, n);
        if (e > s && text.is_lf(e - 1)) --e;
        if (e > s && text.is_cr(e - 1)) --e;
        const bool last = k + 1 == lines;
        if (last) e = std::max(s, e - aux->roll);
        if (e <= s) continue;
        int64_t x = tx;
        if (last && text_align != 1) {
            int64_t w = 0;
            for (int32_t i = s; i < e && size_t(i) < aux->widths.size(); ++i) w += aux->widths[size_t(i)];
            x += text_align == 2 ? (tw - w) / 2 : text_align == 3 ? tw - w : 0;
        }
        paint_line(l, *this, s, e, x, y);
    }
    return true;
}

bool vux_element_box::hit(vux_layout& l, const vux_point& p) const {
    if (!visible(l) || vux_header_blocks(l, flag(fixed_bit), p)) return false;
    const vux_layout_point q = l.from_screen(p, false, flag(fixed_bit));
    const vux_layout_rect r{left_x(), aux->top_left.y, vux_clamp32(int64_t(right_x()) - left_x()),
                            vux_clamp32(int64_t(aux->bottom_right.y) - aux->top_left.y)};
    return r.contains(q);
}

bool vux_element_box::tick(int32_t ms, int32_t period) {
    if (flag(ignore_bit)) return false;
    const bool rolls = flag(waiter_bit) && aux && text.ends_with_ellipsis();
    return vux_element_tick(flag(animation_bit) && !image.empty(), frame, tick_accumulator, gap, hyperlink.get(), ms,
                            period, rolls ? &aux->roll : nullptr);
}

void vux_element_box::reset() {
    // A link inherited from a sibling may not outlive the next edit.
    inherited_link = nullptr;
    vux_reset_element(*this);
}

void vux_element_box::fit_rows(vux_layout& l, int32_t paragraph_top, int32_t paragraph_height) {
    if (!placed()) return;
    const int64_t box_h = int64_t(aux->bottom_right.y) - aux->top_left.y;
    const int64_t t = paragraph_top;
    const int64_t h = paragraph_height;
    if (fit == 1) {
        aux->top_left.y = vux_clamp32(t + (h - box_h) / 2);
        aux->bottom_right.y = vux_clamp32(aux->top_left.y + box_h);
    } else if (fit == 2) {
        aux->top_left.y = vux_clamp32(t + h - box_h);
        aux->bottom_right.y = vux_clamp32(t + h);
    } else if (fit == 3 || fit == 4) {
        aux->top_left.y = vux_clamp32(t);
        aux->bottom_right.y = vux_clamp32(t + h);
    }
    if (fit == 4) {
        aux->top_left.x = -l.indent;
        aux->bottom_right.x = vux_clamp32(int64_t(l.view.w) + l.indent);
    }
    if (!flag(fixed_bit)) {
        l.note_content_top(aux->top_left.y);
        l.note_content_bottom(aux->bottom_right.y);
    }
}
