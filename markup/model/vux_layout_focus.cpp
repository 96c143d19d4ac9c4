#include <algorithm>
#include <cstdlib>
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_element_segment_aux.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_layout.h"

// The take-focus flag of a hyperlink: the item wants the focus when the
// layout first restores it.
namespace {

constexpr int32_t take_focus_bit = 15;

vux_element_segment* as_segment(vux_record* r) {
    return r && r->type_code() == vux_element_segment::code ? static_cast<vux_element_segment*>(r) : nullptr;
}
vux_element_box* as_box(vux_record* r) {
    return r && r->type_code() == vux_element_box::code ? static_cast<vux_element_box*>(r) : nullptr;
}
// Anything else placed is an image.
vux_element_image* as_image(vux_record* r) {
    return r && r->type_code() == vux_element_image::code ? static_cast<vux_element_image*>(r) : nullptr;
}

vux_hyperlink* link_of(vux_record* r) {
    if (vux_element_segment* s = as_segment(r)) return s->hyperlink.get();
    if (vux_element_box* b = as_box(r)) return b->link();
    if (vux_element_image* im = as_image(r)) return im->hyperlink.get();
    return nullptr;
}

vux_action* own_action_of(vux_record* r) {
    if (vux_element_segment* s = as_segment(r)) return s->action.get();
    if (vux_element_box* b = as_box(r)) return b->action.get();
    if (vux_element_image* im = as_image(r)) return im->action.get();
    return nullptr;
}

const vux_unicode* text_of(vux_record* r) {
    if (vux_element_segment* s = as_segment(r)) return &s->text.text;
    if (vux_element_box* b = as_box(r)) return &b->text.text;
    if (vux_element_image* im = as_image(r)) return &im->text.text;
    return nullptr;
}

}  // namespace

// ---- per-item geometry

int32_t vux_layout::item_top(int32_t i) {
    vux_record* r = i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr;
    if (vux_element_segment* s = as_segment(r)) return s->start_y();
    if (vux_element_box* b = as_box(r)) return b->top_y();
    if (vux_element_image* im = as_image(r)) return im->picture_rect(*this).y;
    return 0;
}

int32_t vux_layout::item_bottom(int32_t i) {
    vux_record* r = i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr;
    if (vux_element_segment* s = as_segment(r)) return s->last_top();
    if (vux_element_box* b = as_box(r)) return b->bottom_y();
    if (vux_element_image* im = as_image(r)) return im->picture_rect(*this).y;  // an image is one row
    return 0;
}

int32_t vux_layout::item_left(int32_t i) {
    vux_record* r = i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr;
    if (vux_element_segment* s = as_segment(r)) return s->aux ? s->aux->start.x : 0;
    if (vux_element_box* b = as_box(r)) return b->left_x();
    if (vux_element_image* im = as_image(r)) return im->picture_rect(*this).x;
    return 0;
}

bool vux_layout::item_in_view(int32_t i) {
    vux_record* r = i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr;
    if (vux_element_segment* s = as_segment(r)) return s->in_view(*this);
    if (vux_element_box* b = as_box(r)) return b->in_view(*this);
    if (vux_element_image* im = as_image(r)) return im->in_view(*this);
    return false;
}

// ---- presses and targets

namespace {

// The item placed last wins where items overlap, linked or not: an item
// without a link covers one with a link beneath it.
int32_t last_hit(vux_layout& l, const vux_point& p) {
    for (int32_t i = int32_t(l.items.size()) - 1; i >= 0; --i) {
        vux_record* r = l.items[size_t(i)];
        if (vux_element_segment* s = as_segment(r); s && s->hit(l, p)) return i;
        if (vux_element_box* b = as_box(r); b && b->hit(l, p)) return i;
        if (vux_element_image* im = as_image(r); im && im->hit(l, p)) return i;
    }
    return -1;
}

}  // namespace

int32_t vux_layout::hit_test(const vux_point& p) { return last_hit(*this, p); }

int32_t vux_layout::find_focused_item() const {
    for (size_t i = 0; i < items.size(); ++i)
        if (const vux_hyperlink* h = link_of(items[i]); h && h->is_focused()) return int32_t(i);
    return -1;
}

int32_t vux_layout::find_pressed_item() const {
    for (size_t i = 0; i < items.size(); ++i)
        if (const vux_hyperlink* h = link_of(items[i]); h && h->is_pressed()) return int32_t(i);
    return -1;
}

bool vux_layout::is_item_pressed(int32_t i) const {
    const vux_hyperlink* h = i >= 0 && i < int32_t(items.size()) ? link_of(items[size_t(i)]) : nullptr;
    return h && h->is_pressed();
}

bool vux_layout::set_item_pressed(int32_t i, bool on) {
    vux_hyperlink* h = i >= 0 && i < int32_t(items.size()) ? link_of(items[size_t(i)]) : nullptr;
    if (!h) return false;
    h->set_pressed(on);
    return true;
}

void vux_layout::release_all_pressed() {
    for (int32_t i = find_pressed_item(); i >= 0; i = find_pressed_item()) set_item_pressed(i, false);
}

bool vux_layout::release_item(int32_t i) {
    if (!is_item_pressed(i)) return false;
    return set_item_pressed(i, false);
}

vux_hyperlink* vux_layout::link_at(int32_t i) const {
    return i >= 0 && i < int32_t(items.size()) ? link_of(items[size_t(i)]) : nullptr;
}

bool vux_layout::count_down_press(int32_t i, bool zero) {
    vux_hyperlink* h = i >= 0 && i < int32_t(items.size()) ? link_of(items[size_t(i)]) : nullptr;
    return h && h->count_down_press(zero);
}

vux_action* vux_layout::find_pressed_target() const {
    const int32_t i = find_pressed_item();
    return i < 0 ? nullptr : link_of(items[size_t(i)])->action.get();
}

vux_action* vux_layout::focused_item_target(bool second) {
    const int32_t i = find_focused_item();
    if (i < 0 || !item_in_view(i)) return nullptr;
    vux_record* r = items[size_t(i)];
    return second ? own_action_of(r) : link_of(r)->action.get();
}

// ---- focus

// Gaining the focus publishes the item's name and pairs; losing it takes them back.
void vux_layout::set_focus(int32_t i, bool on) {
    vux_record* r = i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr;
    vux_hyperlink* h = link_of(r);
    if (!h) {
        if (!on) focus_index = -1;
        return;
    }
    focus_index = on ? i : -1;
    h->set_focused(on);
    if (on) {
        const vux_unicode* text = text_of(r);
        if (!h->target.empty() && text && !text->empty()) assign_variable(h->target, text->to_utf8_string());
        for (int32_t k = 0; k + 1 < h->values.count(); k += 2)
            assign_variable(h->values.item_at(k), h->values.item_at(k + 1));
    } else {
        remove_variable(h->target);
        for (int32_t k = 0; k < h->values.count(); k += 2) remove_variable(h->values.item_at(k));
    }
}

void vux_layout::clear_focus() {
    for (int32_t i = find_focused_item(); i >= 0; i = find_focused_item()) set_focus(i, false);
}

void vux_layout::restore_focus() {
    if (find_focused_item() >= 0) return;
    const int32_t n = int32_t(items.size());
    int32_t wanted = -1;
    for (int32_t i = 0; i < n; ++i) {
        vux_hyperlink* h = link_of(items[size_t(i)]);
        if (!h || !h->bit(take_focus_bit)) continue;
        h->flags = int32_t(uint32_t(h->flags) & ~(1u << take_focus_bit));
        if (wanted < 0) wanted = i;
    }
    if (wanted >= 0) {
        set_focus(wanted, true);
        return;
    }
    auto focusable = [&](int32_t i) { return link_of(items[size_t(i)]) && item_in_view(i); };
    if (focus_index < 0) {
        for (int32_t i = 0; i < n; ++i)
            if (focusable(i)) return set_focus(i, true);
        return;
    }
    for (int32_t i = focus_index; i < n; ++i)
        if (focusable(i)) return set_focus(i, true);
    for (int32_t i = std::min(focus_index, n - 1); i >= 0; --i)
        if (focusable(i)) return set_focus(i, true);
    focus_index = -1;
}

namespace {

// Without a usable focus, the first (or last) focusable item in view.
bool focus_first(vux_layout& l, bool from_end) {
    const int32_t n = int32_t(l.items.size());
    for (int32_t k = 0; k < n; ++k) {
        const int32_t i = from_end ? n - 1 - k : k;
        if (!link_of(l.items[size_t(i)]) || !l.item_in_view(i)) continue;
        l.clear_focus();
        l.set_focus(i, true);
        return true;
    }
    return false;
}

}  // namespace

// A vertical move: forward (down) or backward (up) to the first row past the
// focused one, then the item of that row nearest to the focused x.
bool vux_layout::focus_down() { return focus_vertical(true); }
bool vux_layout::focus_up() { return focus_vertical(false); }

bool vux_layout::focus_vertical(bool down) {
    const int32_t n = int32_t(items.size());
    if (n == 0) return false;
    const int32_t f = find_focused_item();
    if (f < 0) return focus_first(*this, !down);
    if (!item_in_view(f)) {
        set_focus(f, false);
        return focus_first(*this, !down);
    }
    const int32_t x = item_left(f);
    const int32_t edge = down ? item_top(f) : item_bottom(f);
    const int32_t step = down ? 1 : -1;
    int32_t j = -1;
    for (int32_t i = f + step; i >= 0 && i < n; i += step) {
        if (!link_of(items[size_t(i)]) || !item_in_view(i)) continue;
        if (down ? item_top(i) > edge : item_bottom(i) < edge) {
            j = i;
            break;
        }
    }
    if (j < 0) return false;
    const int32_t row = item_bottom(j);
    int32_t best = j;
    int64_t best_d = std::llabs(int64_t(item_left(j)) - x);
    for (int32_t i = j + step; i >= 0 && i < n; i += step) {
        if (item_bottom(i) != row) break;
        if (!link_of(items[size_t(i)]) || !item_in_view(i)) continue;
        const int64_t d = std::llabs(int64_t(item_left(i)) - x);
        if (d < best_d) {
            best = i;
            best_d = d;
        }
    }
    clear_focus();
    set_focus(best, true);
    return true;
}

bool vux_layout::focus_right() { return focus_sideways(true); }
bool vux_layout::focus_left() { return focus_sideways(false); }

// A sideways move: a paging box turns its page first; then the next item
// that shares the focused item's rows takes the focus.
bool vux_layout::focus_sideways(bool right) {
    const int32_t n = int32_t(items.size());
    if (n == 0) return false;
    const int32_t f = find_focused_item();
    if (f < 0) return focus_first(*this, !right);
    const bool turned = right ? page_forward(f) : page_back(f);
    if (!item_in_view(f)) {
        set_focus(f, false);
        return focus_first(*this, !right);
    }
    const int32_t top = item_top(f), bottom = item_bottom(f);
    const int32_t step = right ? 1 : -1;
    for (int32_t i = f + step; i >= 0 && i < n; i += step) {
        if (!link_of(items[size_t(i)]) || !item_in_view(i)) continue;
        if (item_bottom(i) >= top && item_top(i) <= bottom) {
            clear_focus();
            set_focus(i, true);
            return true;
        }
    }
    return turned;
}

bool vux_layout::page_forward(int32_t i) {
    vux_element_box* b = as_box(i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr);
    return b && b->paragraph && b->paragraph->paging_active() && b->paragraph->next_page();
}

bool vux_layout::page_back(int32_t i) {
    vux_element_box* b = as_box(i >= 0 && i < int32_t(items.size()) ? items[size_t(i)] : nullptr);
    return b && b->paragraph && b->paragraph->paging_active() && b->paragraph->previous_page();
}
