#include <algorithm>
#include <cstdio>
#include "core/vux_color.h"
#include "core/vux_decimal.h"
#include "core/vux_file_name.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_subtitle.h"
#include "markup/model/vux_switch.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_capability.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_layout_impl.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_receiver.h"
#include "markup/runtime/vux_reserved_names.h"

namespace {

// Texture modes of the host: 0 horizontal three-slice, 1 vertical
// three-slice, 2 nine-slice, 3 horizontal tiling, 4 vertical tiling, 5 bottom crop.
constexpr int32_t three_slice = 0, nine_slice = 2, tiled = 3, bottom_crop = 5;

const vux_string texture_titlebar("__texture_titlebar");
const vux_string texture_commandbar("__texture_commandbar");
const vux_string texture_commandbar_focus("__texture_commandbar_focus");
const vux_string texture_dialog("__texture_dialog");
const vux_string texture_menu("__texture_menu");
const vux_string texture_menuitem("__texture_menuitem");
const vux_string texture_sending("__texture_sending");
const vux_string texture_progress("__texture_progress");
const vux_string texture_proceed("__texture_proceed");
const vux_string texture_scrollbar_vertical("__texture_scrollbar_vertical");
const vux_string texture_scrollbar_horizontal("__texture_scrollbar_horizontal");

const vux_string& or_default(const vux_string& own, const vux_string& fallback) { return own.empty() ? fallback : own; }

}  // namespace

// ---- names

vux_canvas::image_ref vux_canvas::find_image(const vux_string& name) const {
    image_ref ref;
    const vux_string resolved = variables_.target_name(name);
    if (resolved.empty()) return ref;
    if ((ref.item = images_.find(resolved))) return ref;
    const int32_t i = resources_.index_of(resolved);
    if (i >= 0) {
        ref.mapped = true;
        ref.host_name = resources_.value_at(i);
    } else {
        ref.host_name = vux_string("_");
        ref.host_name.append(resolved);
    }
    if (!vux_file_name_safe(resolved.view()) || !vux_file_name_safe(ref.host_name.view())) {
        ref.host_name.clear();
        ref.mapped = false;
    }
    return ref;
}

int32_t vux_canvas::emoticon_number(const vux_unicode& text, int32_t start, int32_t length) {
    if (!emoticons_read_) {
        emoticons_read_ = true;
        emoticon_keys_ = text_of(vux_string(vux_names::key_emoticon)).to_unicode();
    }
    const int32_t n = emoticon_keys_.length();
    // The marker must lie inside the text, and each comparison inside the list.
    if (start < 0 || length <= 0 || start > text.length() - length) return -1;
    const char16_t* marker = text.units() + start;
    int32_t number = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (emoticon_keys_.units()[i] != u'[') continue;
        if (i <= n - length &&
            std::char_traits<char16_t>::compare(emoticon_keys_.units() + i, marker, size_t(length)) == 0) {
            emoticon_index = number;
            return number;
        }
        ++number;
    }
    return -1;
}

std::string vux_canvas::emoticon_image_name(int32_t number) {
    char name[24];
    std::snprintf(name, sizeof name, "em%03d.png", number < 0 ? 0 : number);
    return name;
}

bool vux_canvas::clock_changed() const {
    return facility_.query(2) != clock_hour || facility_.query(1) != clock_minute;
}

// ---- primitives

void vux_canvas::place(const vux_rect& r) const {
    call(&vux_graphics_table::move_to, r.left(), r.top());
    call(&vux_graphics_table::set_width, r.width());
    call(&vux_graphics_table::set_height, r.height());
}

void vux_canvas::clip(const vux_rect& r) const {
    call(&vux_graphics_table::set_clip, r.left(), r.top(), r.width(), r.height());
}

void vux_canvas::fill(const vux_rect& r, int32_t top_key, int32_t bottom_key) const {
    const uint32_t top = uint32_t(brush_sheet_.color(top_key)), bottom = uint32_t(brush_sheet_.color(bottom_key));
    call(&vux_graphics_table::set_colour, 0, bottom);
    if (top != bottom) call(&vux_graphics_table::set_colour, 3, top);
    place(r);
    call(&vux_graphics_table::rectangle, 1, top != bottom ? 1 : 0);
}

void vux_canvas::fill_colour(const vux_rect& r, uint32_t colour) const {
    call(&vux_graphics_table::set_colour, 0, colour);
    place(r);
    call(&vux_graphics_table::rectangle, 1, 0);
}

void vux_canvas::fill_rounded(const vux_rect& r, uint32_t colour, int32_t radius) const {
    call(&vux_graphics_table::set_colour, 0, colour);
    place(r);
    if (radius > 0)
        call(&vux_graphics_table::round_rectangle, 1, radius);
    else
        call(&vux_graphics_table::rectangle, 1, 0);
}

void vux_canvas::text_at(int32_t x, int32_t y, const char16_t* text, int32_t length, uint32_t colour,
                         bool underline) const {
    if (!text || length <= 0) return;
    call(&vux_graphics_table::set_colour, 2, colour);
    call(&vux_graphics_table::move_to, x, y);
    call(&vux_graphics_table::text, reinterpret_cast<const uint16_t*>(text), length, underline ? 1 : 0);
}

const vux_unicode& vux_canvas::ellipsis_text() {
    if (!ellipsis_read_) {
        ellipsis_read_ = true;
        ellipsis_text_ = text_of(vux_string(vux_names::key_ellipsis)).to_unicode();
        int64_t w = 0;
        for (int32_t i = 0; i < ellipsis_text_.length(); ++i) w += char_width(uint16_t(ellipsis_text_.units()[i]));
        ellipsis_width_ = int32_t(std::min<int64_t>(w, INT32_MAX));
    }
    return ellipsis_text_;
}

int32_t vux_canvas::ellipsis_width() {
    ellipsis_text();
    return ellipsis_width_;
}

void vux_canvas::round_fill(const vux_rect& r, int32_t key, int32_t radius) const {
    call(&vux_graphics_table::set_colour, 0, uint32_t(brush_sheet_.color(key)));
    place(r);
    call(&vux_graphics_table::round_rectangle, 1, radius);
}

void vux_canvas::frame(const vux_rect& r, int32_t key) const {
    call(&vux_graphics_table::set_colour, 1, uint32_t(brush_sheet_.color(key)));
    place(r);
    call(&vux_graphics_table::rectangle, 0, 0);
}

bool vux_canvas::texture(const vux_string& name, int32_t mode, int32_t flag, const vux_rect& r) const {
    const image_ref ref = find_image(name);
    if (ref.item && !ref.item->drawable()) return false;
    if (!ref.item && !ref.mapped) return false;
    place(r);
    if (ref.item)
        call(&vux_graphics_table::texture, mode, flag, ref.item->name.str().c_str(), ref.item->bytes.data(),
             ref.item->bytes.length());
    else
        call(&vux_graphics_table::texture, mode, flag, ref.host_name.str().c_str(), nullptr, 0);
    return true;
}

bool vux_canvas::image(const vux_string& name, const vux_rect& r) const {
    const image_ref ref = find_image(name);
    if (!ref.drawable()) return false;
    place(r);
    if (ref.item)
        call(&vux_graphics_table::image, ref.item->name.str().c_str(), 0, ref.item->bytes.data(),
             ref.item->bytes.length(), 0, 0, 0);
    else
        call(&vux_graphics_table::image, ref.host_name.str().c_str(), 0, nullptr, 0, 0, 0, 0);
    return true;
}

void vux_canvas::text_in(const vux_rect& r, const vux_unicode& text, int32_t align, int32_t key) const {
    int64_t w = 0;
    for (int32_t i = 0; i < text.length(); ++i) w += char_width(uint16_t(text.units()[i]));
    int64_t x = r.left();
    if (align == 2) x += (r.width() - w) / 2;
    if (align == 3) x += r.width() - w;
    const int64_t y = r.top() + (int64_t(r.height()) - text_height()) / 2;
    call(&vux_graphics_table::set_colour, 2, uint32_t(brush_sheet_.color(key)));
    call(&vux_graphics_table::move_to, int32_t(x), int32_t(y));
    call(&vux_graphics_table::text, reinterpret_cast<const uint16_t*>(text.units()), text.length(), 0);
}

// ---- clients

// A client that asks not to be painted while its command bar is hidden (its
// flag bit 11) is left out, ground and all.
bool vux_canvas::client_skipped(const vux_element_client& client, bool bar_shown) {
    return !bar_shown && (client.flags >> 11 & 1);
}

// A dialog's extra texts carry two numbers in design units: the first its
// corner radius, the second its side margin. Absent or not a number: 0.
int32_t vux_canvas::dialog_number(const vux_dialog& dialog, int32_t i) {
    if (dialog.extras.count() <= i) return 0;
    const vux_string& text = dialog.extras.item_at(i);
    return vux_decimal::is_decimal(text) ? std::clamp(vux_decimal::parse(text), 0, int32_t(INT16_MAX)) : 0;
}

// Lays the client out when it has no layout yet, then paints it into the
// rectangle: background, content in two passes, scroll bars, and the marks.
void vux_canvas::paint_client(vux_element_client& client, const vux_rect& rect, bool window_client) {
    const vux_environment& env = variables_;
    // No row of another frame or client runs on into this one.
    banner.clear();
    // While the pointer is busy the paragraphs stay as they are (a layout
    // dropped now would end the drag); the passes run on the repaint asked
    // for here once it is up.
    if (machine_.pointer_busy() && client.current_layout()) {
        redraw_requested = true;
    } else {
        redraw_requested = false;
        client.update_checked(env);
        client.update_images(env);
        // Visibility first, so the first layout leaves out a paragraph
        // whose condition fails.
        client.refresh(env);
        // Texts that follow a variable take its current value before they
        // are measured; one that changed since the last layout drops that
        // layout so the box is measured (and placed) again with its new text.
        client.sync(env);
        if (client.current_layout()) client.links_changed(env);
    }
    const int32_t indent = metric(12);
    // The layout's area is the rectangle narrowed by the indent at its sides;
    // a window's list comes already inset on every side, so it keeps it.
    const int32_t side = window_client && !client.scroll_bar ? 0 : indent;
    const vux_layout_rect area{rect.left() + side, rect.top(), rect.width() - 2 * side, rect.height()};
    // A window's list follows its area (the whole screen or not): once that
    // moved, it is laid out again.
    const vux_layout_rect& was = client.client_rect;
    if (window_client && !client.scroll_bar && client.current_layout() && !redraw_requested &&
        (was.x != area.x || was.y != area.y || was.w != area.w || was.h != area.h))
        client.refresh_layout(true);
    if (!client.current_layout()) {
        auto layout = std::make_unique<vux_layout_impl>(*this);
        layout->indent = indent;
        layout->copy_allowed = window_client && host_supports(capability_scroll_copy) ? 1 : 0;
        // A dialog's text stands in the dialog font unless its client names one.
        if (!window_client) layout->set_mode(dialog_text_class, 0);
        client.set_layout(std::move(layout));
        client.client_rect = area;
        client.layout(env);
        client.current_layout()->restore_focus();
    }
    client.scroll_to_target();
    vux_layout& layout = *client.current_layout();
    // A client that asked for a clip of its own is painted inside it for
    // the first pass.
    const vux_layout_rect& own = client.third_rect;
    clip(own.w > 0 && own.h > 0 ? vux_rect(own.x, own.y, own.w, own.h) : rect);
    // Scroll by copying: what stays in view moves with the host's copy, and
    // only the strip that comes into view is painted again. The host copies
    // from its save buffer, so the screen as it stands goes there first.
    // The shift is the distance moved since the client was painted last; it
    // is taken on every paint, copied or not, so a full paint leaves none.
    const int32_t shift = layout.user_value;
    layout.user_value = 0;
    if (shift != 0 && layout.copy_allowed && shift > -rect.height() && shift < rect.height()) {
        const int32_t keep = rect.height() - (shift > 0 ? shift : -shift);
        call(&vux_graphics_table::save_area, rect.left(), rect.top(), rect.width(), rect.height());
        ground_.held = false;  // the save buffer now holds this client, not a picture
        if (shift > 0) {
            call(&vux_graphics_table::restore_area, rect.left(), rect.top() + shift, rect.width(), keep, rect.left(),
                 rect.top());
            clip(vux_rect(rect.left(), rect.top() + keep, rect.width(), shift));
        } else {
            call(&vux_graphics_table::restore_area, rect.left(), rect.top(), rect.width(), keep, rect.left(),
                 rect.top() - shift);
            clip(vux_rect(rect.left(), rect.top(), rect.width(), -shift));
        }
    }
    // The scroll bar's clip tests leave out what the copy kept.
    vux_element_scrollbar* bar = client.scroll_bar.get();
    if (bar && layout.copy_allowed && shift > -rect.height() && shift < rect.height()) bar->blit_shift = shift;
    if (window_client) paint_window_ground(client, layout, rect);
    client.draw(1);
    // Fixed and floating items of the second pass stand over the whole client.
    client.third_rect = {};
    clip(rect);
    client.draw(2);
    if (bar) {
        bar->blit_shift = 0;
        // The bars stand in the client's visible rectangle: beside what
        // scrolls, not beside a fixed band. Across, that is the client's
        // whole rectangle, the indent of its content included.
        const vux_layout_rect v = client.visible_rect();
        paint_scroll_bars(*bar, vux_rect(rect.left(), v.y, rect.width(), v.h));
    }
    layout.publish_marks(variables_);
}

// A window client's ground: its picture (bottom-cropped), or a plain fill.
// A host that keeps areas (capability 4) saves the drawn picture and copies
// it back when the same picture fills the same rectangle again; a client
// over a picture never scrolls by copying, as the picture stays put.
void vux_canvas::paint_window_ground(const vux_element_client& client, vux_layout& layout, const vux_rect& rect) {
    const vux_string& name = client.string_1;
    const image_ref picture = name.empty() ? image_ref() : find_image(name);
    if (!picture.drawable()) {
        fill(rect, 1, 1);
        return;
    }
    if (host_supports(capability_window_image)) return;  // the host shows the window's picture itself
    if (!host_supports(capability_background_image) && !(client.flags >> 7 & 1)) {
        fill(rect, 1, 1);
        return;
    }
    layout.copy_allowed = 0;
    const bool keeps = host_supports(capability_scroll_copy);
    if (keeps && ground_.held && ground_.item == picture.item && vux_string_equal(ground_.name, name) &&
        ground_.rect.equals(rect)) {
        call(&vux_graphics_table::restore_area, rect.left(), rect.top(), rect.width(), rect.height(), rect.left(),
             rect.top());
        return;
    }
    if (!texture(name, bottom_crop, 1, rect)) fill(rect, 1, 1);
    if (!keeps) return;
    ground_.held = true;
    ground_.name = name;
    ground_.item = picture.item;
    ground_.rect = rect;
    ground_.owner = last_window_name;
    call(&vux_graphics_table::save_area, rect.left(), rect.top(), rect.width(), rect.height());
}

// The tracks over their textures (or filled in the track colour) and the
// thumbs over them in a colour of their own, the text colour.
void vux_canvas::paint_scroll_bars(vux_element_scrollbar& bar, const vux_rect& area) {
    const uint32_t thumb_colour = uint32_t(brush_sheet_.text_color());
    if (bar.content_taller()) {
        bar.track_v = scroll_track(area, true, false);
        if (!texture(texture_scrollbar_vertical, 1, 0, bar.track_v)) fill(bar.track_v, 28, 28);
        const vux_rect thumb = bar.thumb_vertical();
        if (!thumb.is_empty()) fill_colour(thumb, thumb_colour);
    }
    if (bar.horizontal_overflow()) {
        bar.track_h = scroll_track(area, false, false);
        if (!texture(texture_scrollbar_horizontal, 0, 0, bar.track_h)) fill(bar.track_h, 28, 28);
        const vux_rect thumb = bar.thumb_horizontal();
        if (!thumb.is_empty()) fill_colour(thumb, thumb_colour);
    }
}

// The text as it fits the width: whole, or cut after the last unit that
// leaves room for the ellipsis text, which completes it.
vux_unicode vux_canvas::fit_text(const vux_unicode& text, int32_t width) {
    int64_t w = 0;
    for (int32_t i = 0; i < text.length(); ++i) w += char_width(uint16_t(text.units()[i]));
    if (w <= width) return text;
    const vux_unicode& dots = ellipsis_text();
    const int64_t room = int64_t(width) - ellipsis_width();
    int64_t used = 0;
    int32_t keep = 0;
    while (keep < text.length()) {
        const int32_t cw = char_width(uint16_t(text.units()[keep]));
        if (used + cw > room) break;
        used += cw;
        ++keep;
    }
    std::u16string cut(text.units(), size_t(keep));
    cut.append(dots.units(), size_t(dots.length()));
    return vux_unicode(cut);
}

// ---- screens

void vux_canvas::paint_window(vux_window& window, bool full) {
    if (!vux_string_equal(window.name, last_window_name)) {
        last_window_name = window.name;
        facility_.open_link("tidy", window.name.str().c_str());
    }
    // On a touch screen a touch-hide window shows its soft keys in the title
    // bar, and its client reaches down to the bottom of the screen.
    const bool touch_keys = window.commandbar.value_3 != 0 && is_touch_screen();
    // A bar that is not shown takes no room from a scrolling client.
    const bool title_shown = !window.titlebar.is_blank();
    const bool bar_shown = !window.commandbar.is_empty() && !touch_keys;
    vux_rect area = scrolling_client_rect(title_shown, bar_shown, switch_height(prepared.window_switch));
    if (!window.client.scroll_bar) {
        // A client that does not scroll is a list: inset on every side.
        const vux_rect list = list_area((window.client.flags >> 4 & 1) && bar_shown);
        const int32_t in = metric(12);
        area = vux_rect(list.left() + in, list.top() + in, list.width() - 2 * in, list.height() - 2 * in);
    }
    if (!client_skipped(window.client, bar_shown)) paint_client(window.client, area, true);
    if (!full) return;
    // The document's overtime, when it runs on this window, shows the seconds
    // left in a box at the client's top right.
    {
        const vux_overtime* o = prepared.overtime;
        if (o) {
            const vux_rect c = client_rect();
            const int32_t w = metric(21), h = metric(22), gap = metric(5);
            const vux_rect box(c.right() - w - gap, c.top() + gap, w, h);
            clip(box);
            const vux_string picture("__image_overtime");
            if (images_.find(picture))
                image(picture, box);
            else
                round_fill(box, 44, metric(5));
            text_in(box, vux_string(std::to_string(o->remaining())).to_unicode(), 2, 43);
        }
    }
    // The corner image (the window's third extra) marks the screen's corner.
    if (window.extras.count() > 2 && images_.find(window.extras.item_at(2))) {
        const vux_rect corner = corner_rect();
        image(window.extras.item_at(2), corner);
        frame(corner, 56);
    }
    // A subtitle takes the title bar's strip: neither the title nor the
    // touch soft keys are drawn under it.
    if (!prepared.subtitle && title_shown) {
        paint_title_bar(window);
        if (touch_keys) paint_touch_soft_keys(window.commandbar, prepared.soft_keys_taken);
    }
    if (window.extras.count() > 0 && !window.extras.item_at(0).empty()) {
        const vux_rect strip = notice_rect();
        clip(strip);
        fill(strip, 63, 63);
        frame(strip, 64);
        text_in(strip, fit_text(window.extras.item_at(0).to_unicode(), strip.width()), 2, 62);
    }
    paint_subtitle();
    if (!touch_keys) paint_command_bar(window.commandbar, prepared.soft_keys_taken);
    if (window.value_3 != 0) paint_clock();
    if (!window.third.empty()) paint_switch(window);
}

// The current subtitle scrolls through the title-bar strip while the
// window is in front.
void vux_canvas::paint_subtitle() {
    vux_subtitle* sub = prepared.subtitle;
    if (!sub) return;
    if (sub->widths.count() != sub->text.length()) {
        sub->widths.clear();
        for (int32_t i = 0; i < sub->text.length(); ++i) sub->widths.append(char_width(uint16_t(sub->text.unit_at(i))));
    }
    const vux_rect strip = title_bar_rect();
    clip(strip);
    if (!texture(vux_string("__texture_subtitle"), three_slice, 1, strip)) fill(strip, 19, 20);
    if (sub->place(strip.width()))
        text_at(strip.left() + sub->offset, strip.top() + (strip.height() - text_height()) / 2,
                sub->text.units() + sub->first_visible, sub->visible_count, uint32_t(brush_sheet_.color(18)), false);
}

void vux_canvas::paint_title_bar(vux_window& window) {
    vux_element_titlebar& bar = window.titlebar;
    const vux_rect strip = title_bar_rect();
    select_bar_font();
    clip(strip);
    if (!texture(or_default(bar.string_2, texture_titlebar), tiled, 1, strip)) fill(strip, 16, 17);
    if (!bar.is_blank()) {
        const int32_t side = metric(16);
        const vux_rect area(strip.left() + side, strip.top(), strip.width() - 2 * side, strip.height());
        // Cut once for the title it shows; a new title clears the cut.
        if (bar.display_cache.empty() && !bar.title.empty()) bar.display_cache = fit_text(bar.title, area.width());
        text_in(area, bar.display_cache, bar.value, 15);
    }
    select_font(3, 0);
}

int32_t vux_canvas::mark_commands(vux_element_commandbar& bar) const {
    int32_t n = 0;
    for (int32_t i = 0; i < 2; ++i) {
        vux_element_command* c = bar.shown_command(i);
        if (!c) continue;
        c->hidden = variables_.check_conditions(c->guard.get()) ? 0 : 1;
        c->rect.clear();
        n += c->hidden ? 0 : 1;
    }
    return n;
}

bool vux_canvas::paint_command_bar(vux_element_commandbar& bar, bool keys_taken) {
    const vux_rect strip = command_bar_rect();
    const vux_environment& env = variables_;
    const int32_t shown = mark_commands(bar);
    // A touch-hide bar is not shown on a touch screen, on any screen: its
    // commands keep no rectangle to be pressed in.
    if (bar.value_3 != 0 && is_touch_screen()) return false;
    const int32_t n = keys_taken ? 0 : shown;
    if (n == 0 && bar.value_1 != 0) return false;
    if (!bar.shown_command(0) && !bar.shown_command(1)) return false;
    select_bar_font();
    clip(strip);
    if (!texture(or_default(bar.image, texture_commandbar), tiled, 1, strip)) fill(strip, 23, 22);
    for (int32_t i = 0; i < 2 && n > 0; ++i) {
        vux_element_command* c = bar.shown_command(i);
        if (!c || c->hidden) continue;
        const vux_rect r = soft_key_rect(i, n == 2);
        c->rect = r;
        if (bar.pressed_slot == i && !texture(or_default(bar.focus_image, texture_commandbar_focus), tiled, 1, r))
            fill(r, 24, 24);
        // Icon and text from the slot's outer edge, inset by metric 17: the
        // left slot's from its left, the right slot's from its right.
        const int32_t inset = metric(17), icon_w = metric(6), gap = metric(7);
        const vux_rect inner(r.left() + inset, r.top(), r.width() - 2 * inset, r.height());
        const bool icon = !c->icon.empty() && find_image(c->icon).drawable();
        int64_t text_w = 0;
        for (int32_t k = 0; k < c->label.length(); ++k) text_w += char_width(uint16_t(c->label.unit_at(k)));
        const int64_t used = (icon ? int64_t(icon_w) + gap : 0) + text_w;
        const int64_t x = i == 0 ? inner.left() : std::max<int64_t>(inner.left(), int64_t(inner.right()) - used);
        if (icon) {
            const int32_t side = std::min(icon_w, inner.height());
            image(c->icon, vux_rect(int32_t(x), inner.top() + (inner.height() - side) / 2, icon_w, side));
        }
        const int64_t text_x = x + (icon ? int64_t(icon_w) + gap : 0);
        const int64_t text_room = int64_t(inner.right()) - text_x;
        if (text_room > 0)
            text_in(vux_rect(int32_t(text_x), inner.top(), int32_t(text_room), inner.height()),
                    fit_text(c->label, int32_t(text_room)), 1, env.contains(c->name) ? 25 : 21);
    }
    select_font(3, 0);
    return true;
}

void vux_canvas::paint_touch_soft_keys(vux_element_commandbar& bar, bool keys_taken) {
    if (mark_commands(bar) == 0 || keys_taken) return;
    const vux_rect strip = title_bar_rect();
    const int32_t pad = metric(28);
    select_font(3, 0);
    clip(strip);
    for (int32_t i = 0; i < 2; ++i) {
        vux_element_command* c = bar.shown_command(i);
        if (!c || c->hidden) continue;
        int64_t text_w = 0;
        for (int32_t k = 0; k < c->label.length(); ++k) text_w += char_width(uint16_t(c->label.unit_at(k)));
        const int64_t w = std::min<int64_t>(text_w + 2 * int64_t(pad), strip.width());
        const int64_t h = std::min<int64_t>(int64_t(text_height()) + 2 * int64_t(pad), strip.height());
        const int64_t x = i == 0 ? strip.left() : int64_t(strip.right()) - w;
        c->rect = vux_rect(int32_t(x), int32_t(strip.top() + (strip.height() - h) / 2), int32_t(w), int32_t(h));
        const bool pressed = bar.pressed_slot == i;
        const bool over_image = texture(pressed ? c->pressed_image : c->normal_image, three_slice, 0, c->rect);
        if (!over_image) fill(c->rect, pressed ? 74 : 73, pressed ? 74 : 73);
        const vux_rect text_area(c->rect.left() + pad, c->rect.top(), c->rect.width() - 2 * pad, c->rect.height());
        // The pressed colour goes with the pressed fill; over a picture the
        // text keeps its released colour.
        text_in(text_area, c->label, 1, pressed && !over_image ? 76 : 75);
    }
}

void vux_canvas::paint_clock() {
    clock_hour = prepared.hour;
    clock_minute = prepared.minute;
    const vux_rect box = centred_box();
    round_fill(box, 27, metric(5));
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", clock_hour % 100, clock_minute % 100);
    text_in(box, vux_string(text).to_unicode(), 2, 26);
}

// The strip a switch takes at the foot of the screen: its items' height
// and a margin above and below them (0 without a switch).
int32_t vux_canvas::switch_height(const vux_switch* sw) const {
    if (!sw) return 0;
    const int64_t h = int64_t(scale(sw->values[5])) + 2 * int64_t(scale(sw->values[8]));
    return int32_t(std::clamp<int64_t>(h, 0, INT16_MAX));
}

// The switch's integers, scaled: 0-3 its rectangle; 4 and 5 an item's width
// and height, 6 their alignment, 7 the gap between them, 8 the margin, 9 the
// items' offset from the top, 10 the corner radius; 11 and 12 the fills of
// the pressed and the selected item.
void vux_canvas::paint_switch(vux_window& window) {
    vux_switch* sw = prepared.window_switch;
    if (!sw) return;
    // The selection comes from the document: outside the items it selects nothing.
    sw->current = window.value_4 >= 0 && window.value_4 < sw->item_count() ? window.value_4 : -1;
    const auto& v = sw->values;
    sw->bounds = vux_rect(scale(v[0]), scale(v[1]), scale(v[2]), scale(v[3]));
    const int32_t n = sw->item_count(), radius = scale(v[10]);
    clip(sw->bounds);
    for (int32_t i = 0; i < n; ++i) {
        auto* c = static_cast<vux_element_command*>(sw->commands.get(i));
        if (!c || c->type_code() != vux_element_command::code) continue;
        c->rect = slot_rect(sw->bounds, i, n, v[6], scale(v[4]), scale(v[5]), scale(v[7]), scale(v[8]), scale(v[9]));
        const bool pressed = sw->pressed == i, selected = sw->pressed < 0 && sw->current == i;
        const int32_t ground = pressed ? v[11] : selected ? v[12] : -1;
        if (vux_color::is_set(ground)) fill_rounded(c->rect, uint32_t(brush_sheet_.map_ground(ground)), radius);
        const vux_string& name = pressed ? c->pressed_image : sw->current == i ? c->focus_image : c->normal_image;
        if (!name.empty()) image(name, c->rect);
        paint_badge(*c);
    }
}

// The item's badge: the value of its badge variable in a red box of
// scale(13) whose centre sits on the item's top right corner.
void vux_canvas::paint_badge(const vux_element_command& item) {
    vux_string value;
    if (item.badge.empty() || !variables_.get(item.badge, value) || value.empty()) return;
    const int32_t side = scale(13);
    const vux_rect box(item.rect.right() - side / 2, item.rect.top() - side / 2, side, side);
    clip(screen_rect());
    call(&vux_graphics_table::set_colour, 0, 0x00EF0000u);
    place(box);
    call(&vux_graphics_table::round_rectangle, 1, scale(1));
    call(&vux_graphics_table::set_colour, 1, 0x00FFFFFFu);
    call(&vux_graphics_table::round_rectangle, 0, scale(1));
    const vux_unicode text = value.to_unicode();
    int64_t w = 0;
    for (int32_t i = 0; i < text.length(); ++i) w += char_width(uint16_t(text.units()[i]));
    text_at(int32_t(box.left() + (box.width() - w) / 2), box.top() + (box.height() - text_height()) / 2, text.units(),
            text.length(), 0x00FFFFFFu, false);
}

void vux_canvas::paint_dialog(vux_dialog& dialog) {
    vux_rect box;
    bool bar = false;
    if (dialog.value_1 != 0) {
        const int64_t w = scale(dialog.value_3), h = scale(dialog.value_4);
        box = vux_rect(int32_t((screen_width() - w) / 2), scale(dialog.value_2), int32_t(w), int32_t(h));
    } else {
        bar =
            (!dialog.guard || variables_.check_conditions(dialog.guard.get())) && paint_command_bar(dialog.commandbar);
        // The text column, or the screen less the dialog's side margin on
        // each side when its client asks for that.
        vux_rect col = text_column();
        if (dialog.client.flags >> side_margin_bit & 1) {
            const int64_t side = scale(dialog_number(dialog, 1));
            col = vux_rect(int32_t(std::min<int64_t>(side, INT16_MAX)), 0,
                           int32_t(std::clamp<int64_t>(int64_t(screen_width()) - 2 * side, 0, INT16_MAX)),
                           screen_height());
        }
        box = vux_rect(col.left(), title_bar_height(), col.width(),
                       (bar ? command_bar_rect().top() : screen_height()) - title_bar_height());
    }
    if (client_skipped(dialog.client, bar)) return;
    clip(box);
    const int32_t inset = metric(8);
    const vux_rect inner(box.left() + inset, box.top() + inset, box.width() - 2 * inset, box.height() - 2 * inset);
    // Without a picture: style 1 is one colour, rounded by the dialog's
    // corner radius when that is set; other styles run from one colour to
    // another.
    if (!texture(or_default(dialog.client.string_1, texture_dialog), nine_slice, 0, inner)) {
        const int32_t radius = scale(dialog_number(dialog, 0));
        if (dialog.client.value_4 == 1 && radius > 0)
            round_fill(inner, 16, radius);
        else if (dialog.client.value_4 == 1)
            fill(inner, 16, 16);
        else
            fill(inner, 16, 17);
    }
    if (dialog.client.flags & 1) frame(inner, 7);
    // A dialog that shows progress fills its share of the main reply.
    if (dialog.client.flags >> 6 & 1) {
        const int32_t done = main_.progress(inner.width());
        if (done > 0) fill(vux_rect(inner.left(), inner.bottom() - metric(8), done, metric(8)), 8, 8);
    }
    paint_client(dialog.client, inner, false);
}

void vux_canvas::paint_menu(vux_menu& menu) {
    if (menu.style != 6) paint_command_bar(menu.commandbar);
    select_font(menu.value_5, 0);
    menu.bounds = menu_rect(menu, menu_anchor_top, menu_anchor_bottom);
    if (menu.style == vux_menu::grid_style) menu.row_step = grid_columns();
    if (menu.bounds.is_empty()) {
        select_font(3, 0);
        return;
    }
    clip(menu.bounds);
    const bool own_ground = menu.style >= 6 && menu.style <= 8;
    const int32_t inset = metric(8);
    const vux_rect inner(menu.bounds.left() + inset, menu.bounds.top() + inset, menu.bounds.width() - 2 * inset,
                         menu.bounds.height() - 2 * inset);
    if (own_ground) {
        texture(menu.third, nine_slice, 0, menu.bounds);
    } else if (!texture(or_default(menu.third, texture_menu), nine_slice, 0, inner)) {
        fill(menu.bounds, 34, 34);
        frame(inner, 35);
    }
    int32_t slot = 0;
    const bool corner_style = menu.style == 7 || menu.style == 8;
    for (int32_t i = 0; i < menu.count(); ++i) {
        vux_element_command* c = menu.command(i);
        if (c->hidden) continue;
        c->rect = menu_item_rect(menu, menu.bounds, slot++);
        const bool lit = i == menu.selected && (!corner_style || menu.is_pressed());
        const int32_t text_key = variables_.contains(c->name) ? 32 : lit ? 30 : 29;
        if (menu.style == vux_menu::grid_style) {
            image(c->icon, c->rect);
        } else if (menu.style == 6) {
            // A cell shows its picture for its state and its text centred.
            const vux_string& picture = !lit                ? c->normal_image
                                        : menu.is_pressed() ? c->pressed_image
                                        : is_touch_screen() ? c->normal_image
                                                            : c->focus_image;
            if (!picture.empty()) image(picture, c->rect);
            text_in(c->rect, c->label, 2, text_key);
        } else if (corner_style) {
            paint_corner_menu_item(menu, i, lit, text_key);
        } else {
            if (lit && !texture(or_default(c->focus_image, texture_menuitem), three_slice, 0, c->rect))
                fill(c->rect, menu.is_pressed() ? 31 : 33, menu.is_pressed() ? 31 : 33);
            // The text keeps the menu's margin from the item's edges.
            const int32_t m = metric(11);
            text_in(vux_rect(c->rect.left() + m, c->rect.top(), std::max(0, c->rect.width() - 2 * m), c->rect.height()),
                    c->label, 1, text_key);
        }
    }
    select_font(3, 0);
}

// An item of a corner menu (styles 7 and 8): lit, it is filled in the
// menu's selection colour (its thirteenth integer, else colour 31), rounded
// by its corner radius; its icon one line high at its left, its text two
// line heights in, in the menu's text colour (its fourteenth integer, else
// the item colours); a separator in the menu's fifteenth colour (else the
// menu frame's) under it unless every item after it is hidden.
void vux_canvas::paint_corner_menu_item(const vux_menu& menu, int32_t i, bool lit, int32_t text_key) {
    const vux_element_command* c = menu.command(i);
    const vux_rect& r = c->rect;
    auto colour = [&](int32_t code, int32_t key) {
        return uint32_t(vux_color::is_set(code) ? brush_sheet_.map_ground(code) : brush_sheet_.color(key));
    };
    if (lit) fill_rounded(r, colour(menu.value_13, 31), scale(menu.layout_7));
    const int32_t line = text_height();
    if (!c->icon.empty()) image(c->icon, vux_rect(r.left(), r.top() + (r.height() - line) / 2, line, line));
    const int32_t indent = 2 * line;
    const vux_rect text_area(r.left() + indent, r.top(), std::max(0, r.width() - indent), r.height());
    const uint32_t ink = vux_color::is_set(menu.value_14) && !variables_.contains(c->name)
                             ? uint32_t(brush_sheet_.map_text(menu.value_14))
                             : uint32_t(brush_sheet_.color(text_key));
    text_at(text_area.left(), text_area.top() + (text_area.height() - line) / 2, c->label.units(), c->label.length(),
            ink, false);
    if (menu.all_hidden_from(i + 1)) return;
    call(&vux_graphics_table::set_colour, 1, colour(menu.value_15, 35));
    call(&vux_graphics_table::move_to, r.left(), r.bottom() + scale(menu.layout_2) / 2);
    call(&vux_graphics_table::set_width, r.width());
    call(&vux_graphics_table::horizontal_line, 0);
}

void vux_canvas::finish_frame() {
    // A document in an error state runs no exchange, though the one it
    // waited for still counts as waiting until input ends it.
    const bool running = exchange_.main_waiting && !document_.in_error();
    if (facility_.supports(capability_host_progress)) {
        if (running) {
            const int32_t p = main_.progress(100);
            progress_state = p < 0 ? 1 : 2;
            call(&vux_graphics_table::busy, progress_state, p < 0 ? 0 : p);
        } else if (progress_state != 0) {
            progress_state = 0;
            call(&vux_graphics_table::busy, 0, 0);
        }
        return;
    }
    if (!running) return;
    const vux_rect r = busy_rect();
    clip(r);
    const int32_t p = main_.progress(r.width());
    if (p < 0) {
        texture(texture_sending, three_slice, 0, r);
        return;
    }
    texture(texture_progress, three_slice, 0, r);
    if (p > 0) {
        const int64_t w = std::min<int64_t>(int64_t(p) + r.height(), r.width());
        texture(texture_proceed, three_slice, 0, vux_rect(r.left(), r.top(), int32_t(w), r.height()));
    }
}
