#include "markup/runtime/vux_layout_impl.h"
#include <algorithm>
#include <string>
#include "core/vux_color.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_capability.h"

namespace {

vux_rect rect_at(const vux_point& pos, int32_t width, int32_t height) { return vux_rect(pos.x, pos.y, width, height); }

// The text object of a segment, box or image; null for anything else.
const vux_element_text* text_of(const vux_record& element) {
    switch (element.type_code()) {
    case vux_element_segment::code: return &static_cast<const vux_element_segment&>(element).text;
    case vux_element_box::code: return &static_cast<const vux_element_box&>(element).text;
    case vux_element_image::code: return &static_cast<const vux_element_image&>(element).text;
    default: return nullptr;
    }
}

// The brush-sheet key of a link's text: focused 37; a link segment that
// asks for a fill of its own (bit 8) 60, or 61 with bit 6; otherwise 38
// with bit 7 (a blinking link shows it in its text), 40 with bit 6, else 36.
int32_t link_text_key(const vux_hyperlink& link, bool filled) {
    if (link.is_focused()) return 37;
    if (filled) return link.bit(6) ? 61 : 60;
    return link.bit(7) ? 38 : link.bit(6) ? 40 : 36;
}

// The colour code of a box's own text: its "colora" while checked, its
// second colour while its link is focused, else its text colour.
int32_t box_text_code(const vux_element_box& box) {
    const vux_hyperlink* link = box.link();
    if (box.flag(vux_element_box::checked_bit) && vux_color::is_set(box.colour_a)) return box.colour_a;
    if (link && link->is_focused() && vux_color::is_set(box.text.second_colour)) return box.text.second_colour;
    return box.text.colour;
}

// An item split into frames shows the one the element's clock reached: the
// frame's bytes, with no name. False for an item without frames, which the
// caller draws whole.
bool draw_frame(const vux_canvas& canvas, const vux_canvas::image_ref& ref, int32_t frame, int32_t flag,
                const vux_rect& r) {
    if (!ref.item || ref.item->frame_count() == 0) return false;
    const vux_link bytes = ref.item->frame(frame);
    canvas.place(r);
    canvas.call(&vux_graphics_table::image, nullptr, flag, bytes.data(), bytes.length(), 0, 0, 0);
    return true;
}

}  // namespace

// ---- measuring

int32_t vux_layout_impl::char_width(char16_t unit) { return canvas_->char_width(uint16_t(unit)); }

int32_t vux_layout_impl::font_height() { return canvas_->text_height(); }

int32_t vux_layout_impl::emoticon_marker(int32_t index, const vux_unicode& text) {
    if (index < 0 || index >= text.length() || text.unit_at(index) != u'[') return 0;
    for (int32_t end = index + 1; end < text.length(); ++end) {
        if (text.unit_at(end) != u']') continue;
        const int32_t length = end - index + 1;
        return canvas_->emoticon_number(text, index, length) >= 0 ? length : 0;
    }
    return 0;
}

int32_t vux_layout_impl::style_marker(int32_t index, const vux_unicode& text, int32_t& out) {
    if (index < 0 || index > text.length() - 4) return 0;
    for (int32_t i = 0; i < 3; ++i)
        if (text.unit_at(index + i) != u'[') return 0;
    const char16_t d = text.unit_at(index + 3);
    if (d < u'0' || d > u'2') return 0;
    out = d - u'0';
    return 4;
}

int32_t vux_layout_impl::line_height() {
    if (cached_line_height == 0) cached_line_height = canvas_->text_height();
    return cached_line_height;
}

int32_t vux_layout_impl::line_spacing() {
    if (cached_line_spacing == 0) cached_line_spacing = canvas_->scale(canvas_->entry(3));
    return cached_line_spacing;
}

int32_t vux_layout_impl::screen_width() { return canvas_->screen_width(); }
int32_t vux_layout_impl::screen_height() { return canvas_->screen_height(); }
int32_t vux_layout_impl::item_gap() { return canvas_->metric(10); }

// ---- drawing

uint32_t vux_layout_impl::text_colour(int32_t code) const { return uint32_t(canvas_->brush_sheet().map_text(code)); }

void vux_layout_impl::draw_segment_text(const vux_element_segment& segment, const vux_point& pos, int32_t width,
                                        const char16_t* text, int32_t length) {
    vux_canvas::vux_canvas_banner& banner = canvas_->banner;
    banner.name_row(pos.y);
    if (const vux_hyperlink* link = segment.hyperlink.get()) {
        draw_link_text(*link, pos, width, text, length);
        return;
    }
    if (banner.mark != 2) banner.mark = 1;
    segment_text_at(pos.x, pos.y, text, length, text_colour(segment.text.colour), false);
}

// A segment's text with each marker of the "__key_emoticon" list drawn as its
// picture, one line high and as wide as the marker's characters; markers
// that name no emoticon stay text.
void vux_layout_impl::segment_text_at(int32_t x, int32_t y, const char16_t* text, int32_t length, uint32_t colour,
                                      bool underline) {
    if (std::find(text, text + std::max(length, 0), u'[') == text + std::max(length, 0)) {
        canvas_->text_at(x, y, text, length, colour, underline);
        return;
    }
    const vux_unicode units(text, length);
    int32_t run = 0;
    int64_t pen = x, run_x = x;
    for (int32_t i = 0; i < length;) {
        const int32_t marker = emoticon_marker(i, units);
        if (marker == 0) {
            pen += char_width(units.unit_at(i++));
            continue;
        }
        const int32_t number = canvas_->emoticon_index;
        if (i > run) canvas_->text_at(vux_clamp32(run_x), y, text + run, i - run, colour, underline);
        int64_t w = 0;
        for (int32_t k = i; k < i + marker; ++k) w += char_width(units.unit_at(k));
        canvas_->image(vux_string(vux_canvas::emoticon_image_name(number)),
                       vux_rect(vux_clamp32(pen), y, vux_clamp32(w), line_height()));
        pen += w;
        i += marker;
        run = i;
        run_x = pen;
    }
    if (run < length) canvas_->text_at(vux_clamp32(run_x), y, text + run, length - run, colour, underline);
}

void vux_layout_impl::draw_segment_line(const vux_element_segment& segment, const vux_point& pos, int32_t width) {
    canvas_->banner.clear();
    const vux_brush_sheet& sheet = canvas_->brush_sheet();
    const bool thick = segment.flag(9);
    const int32_t code = segment.text.colour;
    const uint32_t colour = uint32_t(code == 1 ? sheet.color(thick              ? 10
                                                             : segment.flag(11) ? 11
                                                                                : 9)
                                               : sheet.map_text(code));
    const int32_t s = thick ? canvas_->scale(canvas_->entry(33)) : 0;
    canvas_->call(&vux_graphics_table::set_colour, 1, colour);
    for (int32_t dy = -s; dy <= s; ++dy) {
        canvas_->call(&vux_graphics_table::move_to, pos.x, pos.y + dy);
        canvas_->call(&vux_graphics_table::set_width, width);
        canvas_->call(&vux_graphics_table::horizontal_line, draw_pass);
    }
}

// A link's underlay, then its text. A link whose mode is 1 is underlaid
// across the whole row, once per row; a row that follows another such row
// starts a metric 14 higher, so the two bands meet. Other links are
// underlaid while focused or when they ask for a fill of their own (bit 8),
// but not over a row-wide band.
void vux_layout_impl::draw_link_text(const vux_hyperlink& link, const vux_point& pos, int32_t width,
                                     const char16_t* text, int32_t length) {
    vux_canvas::vux_canvas_banner& banner = canvas_->banner;
    const vux_brush_sheet& sheet = canvas_->brush_sheet();
    const int32_t edge = canvas_->metric(14), row = row_height(), round = canvas_->metric(5);
    const bool lit = link.is_pressed() || link.bit(7);
    const bool filled = link.bit(8);
    if (link.mode == 1) {
        if (banner.mark == 0) {
            const vux_rect band = banner.previous == 2 ? vux_rect(view.x, pos.y - edge, view.w, row)
                                                       : vux_rect(view.x, pos.y + edge, view.w, row - 2 * edge);
            underlay(link, band, link.bit(9) ? round : 0, uint32_t(sheet.color(lit ? 59 : 58)));
            if (link.bit(13)) canvas_->frame(band, 42);
            banner.mark = 2;
        }
    } else if (banner.mark != 2) {
        const vux_rect under(pos.x, pos.y, width, row);
        const int32_t r = link.bit(9) || filled ? round : 0;
        if (link.is_focused())
            underlay(link, under, r, uint32_t(sheet.color(lit ? 38 : 39)));
        else if (filled)
            underlay(link, under, r, uint32_t(sheet.color(57)));
        banner.mark = 1;
    }
    const bool focused = link.is_focused();
    const int32_t key = link_text_key(link, filled);
    if (filled && link.bit(12)) {
        const int32_t d = canvas_->metric(9);
        segment_text_at(pos.x + d, pos.y + d, text, length, uint32_t(sheet.color(41)), false);
    }
    segment_text_at(pos.x, pos.y, text, length, uint32_t(sheet.color(key)), !focused && link.bit(1));
}

// A link with bit 14 is underlaid with its texture (the focus texture while
// pressed or with bit 7); without one, or without that bit, with the colour.
void vux_layout_impl::underlay(const vux_hyperlink& link, const vux_rect& r, int32_t radius, uint32_t colour) {
    if (link.bit(14)) {
        const bool lit = link.is_pressed() || link.bit(7);
        if (canvas_->texture(vux_string(lit ? "__texture_hyperlink_focus" : "__texture_hyperlink"), 0, 0, r)) return;
    }
    canvas_->fill_rounded(r, colour, radius);
}

// The segment's icon at its marker, one icon wide and high, centred in the
// row; an animated picture shows its current frame.
void vux_layout_impl::draw_segment_link(const vux_element_segment& segment, const vux_point& pos) {
    canvas_->banner.name_row(pos.y);
    const vux_icon* icon = segment.icon.get();
    if (!icon || icon->name.empty() || icon->width <= 0 || icon->height <= 0) return;
    const vux_rect r(pos.x, pos.y + (row_height() - icon->height) / 2, icon->width, icon->height);
    if (icon->bit_1() && draw_frame(*canvas_, canvas_->find_image(icon->name), icon->frame, 0, r)) return;
    canvas_->image(icon->name, r);
}

// A run of a box's text line in its state colour: the "colora" colour while
// checked, its second colour while focused, else its own. A box that is not
// flat and has a link draws its lines as link text; while focused, the call
// that opens a line underlays the line's width, from one line spacing above
// the text.
void vux_layout_impl::draw_box_text(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t,
                                    const char16_t* text, int32_t length) {
    const vux_hyperlink* link = box.link();
    if (link && !box.flag(3)) {
        const vux_brush_sheet& sheet = canvas_->brush_sheet();
        const int32_t spacing = line_spacing();
        const bool focused = link->is_focused();
        if (focused && width > 0) {
            const bool lit = link->is_pressed() || link->bit(7);
            const vux_rect under(pos.x, pos.y - spacing, width, font_height() + 2 * spacing);
            underlay(*link, under, link->bit(9) ? canvas_->metric(5) : 0, uint32_t(sheet.color(lit ? 38 : 39)));
        }
        canvas_->text_at(pos.x, pos.y, text, length, uint32_t(sheet.color(link_text_key(*link, false))),
                         !focused && link->bit(1));
        return;
    }
    canvas_->text_at(pos.x, pos.y, text, length, text_colour(box_text_code(box)), false);
}

void vux_layout_impl::draw_emoticon(const vux_record&, const vux_point& pos, int32_t width, int32_t height) {
    if (canvas_->emoticon_index < 0) return;
    const int32_t side = canvas_->scale(13);
    const vux_rect cell = rect_at(pos, width, height);
    const vux_rect r(cell.left() + (cell.width() - side) / 2, cell.top() + (cell.height() - side) / 2, side, side);
    canvas_->image(vux_string(vux_canvas::emoticon_image_name(canvas_->emoticon_index)), r);
}

void vux_layout_impl::draw_indicator(const vux_record& element, const vux_point& pos, int32_t, int32_t height) {
    canvas_->banner.clear();
    const bool selected = element.type_code() == vux_element_box::code &&
                          static_cast<const vux_element_box&>(element).flag(vux_element_box::checked_bit);
    canvas_->image(vux_string(selected ? "__image_indicator_selected" : "__image_indicator"),
                   rect_at(pos, height, height));
}

// The box's ground, then over it its focus ground ("grounds", not on a
// touch screen nor while the focus is locked) and its pressed ground ("groundf"), each rounded by "gcorner".
void vux_layout_impl::draw_box_background(const vux_element_box& box, const vux_point& pos, int32_t width,
                                          int32_t height) {
    canvas_->banner.clear();
    const vux_rect r = rect_at(pos, width, height);
    const vux_hyperlink* link = box.link();
    const int32_t radius = box.ground_corner != 0 ? scale(box.ground_corner) : 0;
    auto ground = [&](int32_t code) {
        if (vux_color::is_set(code))
            canvas_->fill_rounded(r, uint32_t(canvas_->brush_sheet().map_ground(code)), radius);
    };
    ground(box.ground);
    // A locked focus (link bit 2) holds the box still and shows no focus ground.
    if (link && link->is_focused() && !link->bit(2) && !is_touch_screen()) ground(box.ground_s);
    if (link && link->is_pressed()) ground(box.ground_f);
}

// An overlay box draws its three layers, each inset by "bindent" more than
// the one before: its border, its focus border, its pressed border. Any
// other box draws one: its border slot.
void vux_layout_impl::draw_box_frame(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) {
    if (!box.flag(vux_element_box::overlay_bit)) {
        draw_box_border(box, pos, width, height);
        return;
    }
    const vux_hyperlink* link = box.link();
    const int32_t step = scale(box.border_indent);
    const int32_t colours[3] = {box.border, link && link->is_focused() ? box.border_s : -1,
                                link && link->is_pressed() ? box.border_f : -1};
    for (int32_t layer = 0; layer < 3; ++layer) {
        const int64_t in = int64_t(step) * layer;
        outline(box,
                vux_rect(vux_clamp32(pos.x + in), vux_clamp32(pos.y + in), vux_clamp32(width - 2 * in),
                         vux_clamp32(height - 2 * in)),
                colours[layer]);
    }
}

// The border inset by "bindent", then over it the focus or pressed border.
void vux_layout_impl::draw_box_border(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) {
    const int64_t in = scale(box.border_indent);
    const vux_rect r(vux_clamp32(pos.x + in), vux_clamp32(pos.y + in), vux_clamp32(width - 2 * in),
                     vux_clamp32(height - 2 * in));
    const vux_hyperlink* link = box.link();
    outline(box, r, box.border);
    if (link && link->is_pressed() && vux_color::is_set(box.border_f))
        outline(box, r, box.border_f);
    else if (link && link->is_focused() && vux_color::is_set(box.border_s))
        outline(box, r, box.border_s);
}

// One border line in a colour code: the whole outline (rounded by
// "bcorner") when the box names all four lines or none, else the lines it names.
void vux_layout_impl::outline(const vux_element_box& box, const vux_rect& r, int32_t code) {
    if (!vux_color::is_set(code) || r.width() <= 0 || r.height() <= 0) return;
    canvas_->call(&vux_graphics_table::set_colour, 1, uint32_t(canvas_->brush_sheet().map_frame(code)));
    const int32_t lines = box.line_flags & 15;
    if (lines == 0 || box.all_lines()) {
        canvas_->place(r);
        if (box.border_corner != 0)
            canvas_->call(&vux_graphics_table::round_rectangle, 0, scale(box.border_corner));
        else
            canvas_->call(&vux_graphics_table::rectangle, 0, 0);
        return;
    }
    auto across = [&](int32_t y) {
        canvas_->place(vux_rect(r.left(), y, r.width(), 1));
        canvas_->call(&vux_graphics_table::horizontal_line, 0);
    };
    auto down = [&](int32_t x) {
        canvas_->place(vux_rect(x, r.top(), 1, r.height()));
        canvas_->call(&vux_graphics_table::vertical_line);
    };
    if (lines & 1) down(r.left());
    if (lines & 2) across(r.top());
    if (lines & 4) down(r.right() - 1);
    if (lines & 8) across(r.bottom() - 1);
}

// A note: its text in its colour, over the note's rectangle as the host's
// text drawing is given it. The second colour is the text's colour while
// focused, never a ground of its own.
void vux_layout_impl::draw_text_block(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) {
    canvas_->banner.clear();
    const vux_element_text* t = text_of(element);
    if (!t || t->text.empty()) return;
    int32_t code = element.type_code() == vux_element_box::code
                       ? box_text_code(static_cast<const vux_element_box&>(element))
                       : t->colour;
    if (!vux_color::is_set(code)) code = 1;
    canvas_->call(&vux_graphics_table::set_colour, 2, text_colour(code));
    canvas_->place(rect_at(pos, width, height));
    canvas_->call(&vux_graphics_table::text, reinterpret_cast<const uint16_t*>(t->text.units()), t->text.length(), 0);
}

// The picture is the one "primary" names (the element's own name only
// identifies it); an animated one shows the frame its clock reached.
void vux_layout_impl::draw_image(const vux_element_image& image, const vux_point& pos) {
    canvas_->banner.clear();
    const vux_rect r = rect_at(pos, scale(image.width), scale(image.height));
    if (image.flag(vux_element_image::animation_bit) &&
        draw_frame(*canvas_, canvas_->find_image(image.primary), image.frame, 0, r))
        return;
    canvas_->image(image.primary, r);
}

// The label one line spacing below pos. A linked image (flag 2 clear, a
// hyperlink present) first underlays it while focused or pressed: metric 10
// wider on each side, inset by metric 14 from the row, rounded by metric 5
// when its link asks for it (bit 9).
void vux_layout_impl::draw_image_text(const vux_element_image& image, const vux_point& pos) {
    const vux_unicode& t = image.text.text;
    const vux_hyperlink* link = image.hyperlink.get();
    if (link && !image.flag(2) && (link->is_focused() || link->is_pressed())) {
        int64_t w = 0;
        for (int32_t i = 0; i < t.length(); ++i) w += char_width(t.unit_at(i));
        const int32_t side = canvas_->metric(10), edge = canvas_->metric(14);
        const vux_rect under(pos.x - side, pos.y + edge, vux_clamp32(w + 2 * int64_t(side)), row_height() - 2 * edge);
        const bool lit = link->is_pressed() || link->bit(7);
        underlay(*link, under, link->bit(9) ? canvas_->metric(5) : 0,
                 uint32_t(canvas_->brush_sheet().color(lit ? 38 : 39)));
    }
    canvas_->text_at(pos.x, pos.y + line_spacing(), t.units(), t.length(), text_colour(image.text.colour), false);
}

void vux_layout_impl::fill_rect(const vux_point& pos, int32_t width, int32_t height, int32_t colour) {
    canvas_->banner.clear();
    if (width <= 0 || height <= 0) return;
    canvas_->fill_colour(rect_at(pos, width, height), uint32_t(canvas_->brush_sheet().map_ground(colour)));
}

void vux_layout_impl::draw_box(const vux_point& pos, int32_t width, int32_t height, int32_t style_1, int32_t style_2,
                               int32_t, int32_t) {
    const vux_rect r = rect_at(pos, width, height);
    const vux_brush_sheet& sheet = canvas_->brush_sheet();
    if (vux_color::is_set(style_1)) canvas_->fill_colour(r, uint32_t(sheet.map_ground(style_1)));
    if (vux_color::is_set(style_2)) {
        canvas_->call(&vux_graphics_table::set_colour, 1, uint32_t(sheet.map_frame(style_2)));
        canvas_->place(r);
        canvas_->call(&vux_graphics_table::rectangle, 0, 0);
    }
}

void vux_layout_impl::draw_frame_line(const vux_point& pos, int32_t width, bool a, bool b, bool c) {
    const vux_brush_sheet& sheet = canvas_->brush_sheet();
    canvas_->call(&vux_graphics_table::set_colour, 1, uint32_t(sheet.color(b ? 13 : c ? 14 : 12)));
    if (a) canvas_->call(&vux_graphics_table::set_colour, 3, uint32_t(sheet.color(12)));
    const int32_t s = b ? canvas_->scale(canvas_->entry(33)) : 0;
    for (int32_t dy = -s; dy <= s; ++dy) {
        canvas_->call(&vux_graphics_table::move_to, pos.x, pos.y + dy);
        canvas_->call(&vux_graphics_table::set_width, width);
        canvas_->call(&vux_graphics_table::horizontal_line, a ? 1 : c ? 2 : 0);
    }
}

void vux_layout_impl::draw_page_control(int32_t mode, const vux_rect& rect, int32_t) {
    canvas_->image(vux_string(mode != 0 ? "updatex.png" : "update.png"), rect);
}

// ---- services

const vux_unicode& vux_layout_impl::ellipsis_text() { return canvas_->ellipsis_text(); }
int32_t vux_layout_impl::ellipsis_width() { return canvas_->ellipsis_width(); }

void vux_layout_impl::assign_variable(const vux_string& name, const vux_string& value) {
    if (name.empty()) return;
    canvas_->name_changed(name);
    if (value.empty())
        canvas_->variables().remove(name);
    else
        canvas_->variables().assign(name, value);
}

void vux_layout_impl::remove_variable(const vux_string& name) {
    if (name.empty()) return;
    canvas_->name_changed(name);
    canvas_->variables().remove(name);
}

int32_t vux_layout_impl::scale(int32_t units) { return canvas_->scale(units); }
bool vux_layout_impl::is_touch_screen() { return canvas_->is_touch_screen(); }

void vux_layout_impl::select_font(int32_t size_class, int32_t style) {
    cached_line_height = cached_line_spacing = 0;
    canvas_->select_font(size_class, style);
}

// Tile mode 0 draws the image as it is; 1-5 are the host's texture modes
// 0-4. Nine-slice (3) needs the host's capability 7; without it the box is
// filled in its "groundt" colour instead.
void vux_layout_impl::draw_box_image(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) {
    const vux_rect r = rect_at(pos, width, height);
    const int32_t opaque = box.flag(2) ? 1 : 0;
    const vux_canvas::image_ref ref = canvas_->find_image(box.image);
    if (box.flag(vux_element_box::animation_bit) && draw_frame(*canvas_, ref, box.frame, opaque, r)) return;
    if (box.tile == 3 && !canvas_->host_supports(capability_nine_slice)) {
        canvas_->fill_rounded(r, uint32_t(canvas_->brush_sheet().map_ground(box.ground_t)),
                              box.ground_corner != 0 ? scale(box.ground_corner) : 0);
        return;
    }
    if (!ref.drawable()) return;
    const std::string item_name = ref.item ? ref.item->name.str() : ref.host_name.str();
    const uint8_t* bytes = ref.item ? ref.item->bytes.data() : nullptr;
    const int32_t length = ref.item ? ref.item->bytes.length() : 0;
    canvas_->place(r);
    if (box.tile >= 1 && box.tile <= 5)
        canvas_->call(&vux_graphics_table::texture, box.tile - 1, opaque, item_name.c_str(), bytes, length);
    else
        canvas_->call(&vux_graphics_table::image, item_name.c_str(), opaque, bytes, length, box.ground_corner, box.gap,
                      box.ground_t);
}

void vux_layout_impl::draw_triangle(const vux_element_box&, const vux_point& pos, int32_t width, int32_t height,
                                    int32_t direction) {
    canvas_->banner.clear();
    canvas_->place(rect_at(pos, width, height));
    canvas_->call(&vux_graphics_table::triangle, direction);
}
