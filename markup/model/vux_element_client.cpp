#include "markup/model/vux_element_client.h"
#include <algorithm>
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_variables.h"

namespace {
// What an entry of another code than a paragraph's reads to: nothing, kept
// only until the read ends and then dropped.
class bodiless_entry : public vux_record {
public:
    const char* class_name() const override { return "bodiless_entry"; }
    void fields(vux_field_visitor&) override {}
};

constexpr vux_record_factory paragraph_entries{true, [](int32_t code) -> std::unique_ptr<vux_record> {
                                                   if (code == vux_type_element_paragraph) return vux_model_make(code);
                                                   return std::make_unique<bodiless_entry>();
                                               }};

void drop_bodiless(vux_object_list& list) {
    for (int32_t i = list.get_count() - 1; i >= 0; --i)
        if (dynamic_cast<bodiless_entry*>(list.get(i))) list.remove_at(i);
}
}  // namespace

void vux_element_client::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("font_size", font_size);
    v.int32("last_row_colour", last_row_colour);
    v.int32("value_4", value_4);
    v.int32("row_style", row_style);
    v.int32("maximum_paragraphs", maximum_paragraphs);
    v.string("string_1", string_1);
    v.string("string_2", string_2);
    // An entry is its code, and only a paragraph's code is followed by a
    // body: a read takes entries of any other code as nothing. The list
    // itself only ever holds paragraphs.
    if (v.reading()) {
        v.records("paragraphs", paragraphs, paragraph_entries);
        drop_bodiless(paragraphs);
    } else {
        v.records("paragraphs", paragraphs, vux_model_list_of<vux_type_element_paragraph>());
    }
    v.child_as("default_action", default_action, vux_model_child_of<vux_type_action>());
    v.child_as("pull_top", pull_top, vux_model_child_of<vux_type_action>());
    v.child_as("pull_bottom", pull_bottom, vux_model_child_of<vux_type_action>());
    v.child_as("scroll_bar", scroll_bar, vux_model_child_of<vux_type_element_scrollbar>());
    v.strings("pending_names", pending_names);
    v.strings("list_2", list_2);
}

vux_element_client::vux_element_client() = default;
vux_element_client::~vux_element_client() = default;

namespace {
using P = vux_element_paragraph;
P* as_paragraph(vux_object* o) { return dynamic_cast<P*>(o); }
const vux_string& name_of(const vux_object* o) {
    static const vux_string none;
    const auto* p = dynamic_cast<const P*>(o);
    return p ? p->name : none;
}
int32_t find_index(const vux_object_list& list, const vux_string& name) {
    for (int32_t i = 0; i < list.get_count(); ++i)
        if (vux_string_equal(name_of(list.get(i)), name)) return i;
    return -1;
}
}  // namespace

void vux_element_client::forget_paragraph_pointers() {
    active_links.clear();
    if (scroll_bar) scroll_bar->paging = nullptr;
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->forget_inherited_links();
}

vux_element_paragraph* vux_element_client::find_paragraph(const vux_string& name) const {
    return paragraph(find_index(paragraphs, name));
}

void vux_element_client::remove_paragraphs_named(const vux_string& name) {
    forget_paragraph_pointers();
    for (int32_t i = count() - 1; i >= 0; --i) {
        if (!vux_string_equal(name_of(paragraphs.get(i)), name)) continue;
        if (P* p = paragraph(i)) p->reset();
        paragraphs.remove_at(i);
    }
}

void vux_element_client::append_clones(const vux_object_list& list) {
    for (int32_t k = 0; k < list.get_count(); ++k)
        if (const vux_object* o = list.get(k))
            if (auto c = o->clone()) paragraphs.append(std::move(c));
}

void vux_element_client::replace_all(const vux_object_list& list) {
    forget_paragraph_pointers();
    paragraphs.delete_all();
    append_clones(list);
}

void vux_element_client::insert_clones(int32_t index, const vux_object_list& list) {
    int32_t at = std::clamp(index, 0, count());
    for (int32_t k = 0; k < list.get_count(); ++k)
        if (const vux_object* o = list.get(k))
            if (auto c = o->clone()) paragraphs.insert_at(at++, std::move(c));
}

void vux_element_client::replace_like(const vux_object_list& list) {
    forget_paragraph_pointers();
    for (int32_t k = 0; k < list.get_count(); ++k) {
        const vux_object* item = list.get(k);
        const int32_t at = item ? find_index(paragraphs, name_of(item)) : -1;
        if (at < 0) continue;
        paragraphs.remove_at(at);
        if (auto c = item->clone()) paragraphs.insert_at(at, std::move(c));
    }
}

void vux_element_client::remove_like(const vux_object_list& list) {
    for (int32_t k = 0; k < list.get_count(); ++k)
        if (list.get(k)) remove_paragraphs_named(name_of(list.get(k)));
}

void vux_element_client::move_to(int32_t index, const vux_string& name) {
    const int32_t to = std::max(index, 0);
    const int32_t from = find_index(paragraphs, name);
    if (from < 0 || to >= count() || name.empty()) return;
    auto taken = paragraphs.remove_at(from);
    if (P* p = as_paragraph(taken.get())) p->reset();
    paragraphs.insert_at(to, std::move(taken));
}

std::vector<std::unique_ptr<vux_object>> vux_element_client::take_fixed() {
    std::vector<std::unique_ptr<vux_object>> out;
    for (int32_t i = 0; i < count();) {
        P* p = paragraph(i);
        if (p && p->flag(P::pins_bit))
            out.push_back(paragraphs.remove_at(i));
        else
            ++i;
    }
    return out;
}

void vux_element_client::trim(int32_t maximum) {
    if (maximum <= 0) return;
    forget_paragraph_pointers();
    while (count() > maximum) paragraphs.remove_at(0);
}

void vux_element_client::clear_pull_flags(int32_t bits) {
    // An action's run flag is its first run-time byte.
    if ((bits & 1) && pull_top) pull_top->runtime_a = 0;
    if ((bits & 2) && pull_bottom) pull_bottom->runtime_a = 0;
}

void vux_element_client::apply_paragraph_step(const vux_action_paragraph& step) {
    clear_pull_flags(step.clear_bits());
    for (int32_t i = 0; i < step.names.count(); ++i) pending_names.append(step.names.item_at(i));
    refresh_layout(step.keep());
    const vux_object_list& list = step.paragraphs;
    const int32_t mode = step.mode();
    if ((mode == 2 || mode == 3 || mode == 4) && step.remove_first()) remove_like(list);
    switch (mode) {
    case 1: replace_all(list); break;
    case 2: insert_clones(std::max(step.index(), 0), list); break;
    case 3:
    case 4: {
        // The fixed paragraphs themselves go back at the end, after the new ones.
        std::vector<std::unique_ptr<vux_object>> fixed;
        if (mode == 3) fixed = take_fixed();
        append_clones(list);
        if (mode == 4) fixed = take_fixed();
        for (auto& p : fixed) paragraphs.append(std::move(p));
        trim(maximum_paragraphs);
        break;
    }
    case 5: remove_like(list); break;
    case 6: replace_like(list); break;
    case 7:
        if (list.get_count() > 0) move_to(step.index(), name_of(list.get(0)));
        break;
    default: break;
    }
    forget_paragraph_pointers();
}

void vux_element_client::apply_element_step(const vux_action_element& step) {
    clear_pull_flags(step.clear_bits());
    P* p = find_paragraph(step.text_1);
    if (!p) return;
    refresh_layout(step.keep());
    p->apply_element_step(step);
    forget_paragraph_pointers();
}

void vux_element_client::apply_property_step(const vux_action_property& step, const vux_variables& environment) {
    clear_pull_flags(step.clear_bits());
    if (step.reset_links())
        for (int32_t i = 0; i < count(); ++i)
            if (P* p = paragraph(i)) p->reset_link_states();
    P* p = find_paragraph(step.text_1);
    if (!p) return;
    if (step.relayout()) refresh_layout(step.keep());
    p->apply_property_step(step, environment);
    forget_paragraph_pointers();
}

bool vux_element_client::set_paragraph_text(const vux_string& name, const vux_string& segment,
                                            const vux_unicode& text) {
    P* p = find_paragraph(name);
    if (!p || !p->set_segment_text(segment, text)) return false;
    refresh_layout(true);
    return true;
}

bool vux_element_client::paragraph_page_step(const vux_string& name, int32_t kind, int32_t index) {
    P* p = find_paragraph(name);
    return p && p->page_step(kind, index);
}

void vux_element_client::refresh_layout(bool keep) {
    forget_paragraph_pointers();
    if (!layout_) return;
    // The focus goes with the layout: the links lose their focus bit and its
    // published names, so the next layout restores the focus afresh (a link
    // that asks for it, or one a step has just focused, takes it).
    layout_->clear_focus();
    layout_->clear_items();
    layout_.reset();
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->reset();
    if (scroll_bar) scroll_bar->save(keep, vux_flag_bit(flags, bottom_bit));
}

// Font size 0 sets nothing: the layout keeps the font it was given (a
// dialog's text font, for one), selected again for measuring and painting.
void vux_element_client::apply_font(vux_layout& l) const {
    if (font_size != 0)
        l.set_mode(font_size, 0);
    else
        l.set_mode(l.size_class, l.style);
}

bool vux_element_client::layout(const vux_variables& environment) {
    if (!layout_) return false;
    vux_layout& l = *layout_;
    l.save_mode();
    apply_font(l);
    l.anchoring = vux_flag_bit(flags, 8) ? 1 : 0;
    l.centring = vux_flag_bit(flags, 9) ? 1 : 0;
    view_rect = client_rect;
    l.area = client_rect;
    l.view = client_rect;

    int32_t shown = 0;
    P* last = nullptr;
    for (int32_t i = 0; i < count(); ++i) {
        P* p = paragraph(i);
        if (!p) continue;
        p->measure(l);
        if (!p->active()) continue;
        if (p->row_colour == 2 && row_style != 0) p->row_colour_in_use = row_style == 4 ? 4 : (shown % 2 == 0 ? 5 : 4);
        ++shown;
        last = p;
    }
    filler_colour = last_row_colour;
    if (shown > 0 && row_style == 2) filler_colour = shown % 2 == 0 ? 5 : 4;
    if (shown > 0 && row_style == 3) filler_colour = shown % 2 == 0 ? 4 : 5;
    if (row_style == 4 && last) {
        if (last->row_colour == 2) last->row_colour_in_use = last_row_colour;
        if (last->row_colour != 2 && last->row_colour != 4 && last->row_colour != 5) filler_colour = last->row_colour;
    }

    active_links.clear();
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->collect_active_links(environment, active_links);

    if (scroll_bar) {
        l.scroll_bar = scroll_bar.get();
        scroll_bar->attach(l);
        if (!scroll_bar->restore()) {
            if (vux_flag_bit(flags, bottom_bit)) {
                scroll_bar->to_bottom();
            } else {
                // Both marks apply when both were recorded: the bottom one last.
                if (l.scroll_top_mark >= 0) scroll_bar->scroll_to(l.scroll_top_mark);
                if (l.scroll_bottom_mark >= 0) scroll_bar->scroll_bottom_to(l.scroll_bottom_mark);
            }
        }
    }
    l.finish_line();
    const int64_t free = int64_t(view_rect.h) - l.pen.y;
    if (!scroll_bar && free >= 1) {
        // Short content without a scroll bar sits at the bottom of the view.
        view_rect.y = vux_clamp32(view_rect.y + free);
        view_rect.h = vux_clamp32(view_rect.h - free);
        l.view = view_rect;
    }
    l.restore_mode();
    return true;
}

void vux_element_client::draw(int32_t pass) {
    if (!layout_) return;
    vux_layout& l = *layout_;
    l.draw_pass = pass;
    l.save_mode();
    apply_font(l);
    if (pass == 1 && scroll_bar) {
        const vux_element_scrollbar& s = *scroll_bar;
        const vux_layout_rect& v = l.view;
        if (pull_top && !pull_top->runtime_a && s.overscroll_top()) {
            const int32_t d = vux_clamp32(-int64_t(s.y_offset));
            l.draw_page_control(1, vux_rect(v.x, v.y, v.w, d), d);
        }
        if (pull_bottom && !pull_bottom->runtime_a && s.overscroll_bottom()) {
            const int64_t end = s.content_taller() ? int64_t(s.content_height) - s.view_height : 0;
            const int32_t d = vux_clamp32(s.y_offset - end);
            l.draw_page_control(2, vux_rect(v.x, vux_clamp32(v.bottom() - d), v.w, d), d);
        }
    }
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->paint(l);
    l.restore_mode();
    if (pass == 2) l.draw_pass = 0;
}

vux_layout_rect vux_element_client::visible_rect() const {
    vux_layout_rect r = view_rect;
    if (!layout_ || !scroll_bar || !scroll_bar->header_lock) return r;
    const vux_layout& l = *layout_;
    const int64_t band = l.band_bottom;
    if (l.anchor_outside_view(true)) r.h = vux_clamp32(int64_t(r.h) - (int64_t(l.pen.y) - l.anchor_y));
    if (band > 0) {
        r.y = vux_clamp32(r.y + band);
        r.h = vux_clamp32(std::max<int64_t>(r.h - band, 0));
    }
    return r;
}

void vux_element_client::scroll_to_target() {
    if (target_paragraph.empty() || target_element.empty()) return;
    P* p = find_paragraph(target_paragraph);
    if (p && p->active() && scroll_bar) {
        const int32_t top = p->child_top(target_element);
        if (top != -1) scroll_bar->set_offset(top);
    }
    target_paragraph.clear();
    target_element.clear();
}

// The moves since the client was last painted add up: the canvas copies by
// the distance between the offset it painted and the one it paints now,
// however many moves came between, and takes the shift whenever it paints.
void vux_element_client::note_scroll_shift() {
    if (!layout_ || !scroll_bar || scroll_bar->horizontal || scroll_bar->drag_axis == 1) return;
    layout_->set_user_value(
        vux_clamp32(int64_t(layout_->user_value) + int64_t(scroll_bar->y_offset) - scroll_bar->previous_y));
}

bool vux_element_client::repeat_down(bool first, bool fast) {
    if (!scroll_bar || !scroll_bar->repeat_down(first, fast)) return false;
    note_scroll_shift();
    return true;
}

bool vux_element_client::repeat_up(bool first, bool fast) {
    if (!scroll_bar || !scroll_bar->repeat_up(first, fast)) return false;
    note_scroll_shift();
    return true;
}

namespace {

template <typename Focus, typename Step>
bool focus_or_step(vux_layout* layout, vux_element_scrollbar* bar, Focus focus, Step step) {
    if (!layout) return false;
    if ((layout->*focus)()) return true;
    if (!bar || !(bar->*step)()) return false;
    (layout->*focus)();
    return true;
}

}  // namespace

bool vux_element_client::move_down() {
    return focus_or_step(layout_.get(), scroll_bar.get(), &vux_layout::focus_down, &vux_element_scrollbar::line_down);
}

bool vux_element_client::move_up() {
    return focus_or_step(layout_.get(), scroll_bar.get(), &vux_layout::focus_up, &vux_element_scrollbar::line_up);
}

bool vux_element_client::move_right() {
    return focus_or_step(layout_.get(), scroll_bar.get(), &vux_layout::focus_right, &vux_element_scrollbar::line_right);
}

bool vux_element_client::move_left() {
    return focus_or_step(layout_.get(), scroll_bar.get(), &vux_layout::focus_left, &vux_element_scrollbar::line_left);
}

void vux_element_client::start_drag(int32_t x, int32_t y) {
    if (!scroll_bar) return;
    const int64_t at = int64_t(y) + scroll_bar->y_offset - view_rect.y;
    scroll_bar->paging = nullptr;
    for (int32_t i = 0; i < count(); ++i) {
        P* p = paragraph(i);
        if (p && p->active() && p->flag(P::measured_bit) && p->paging_active() && at >= p->top_y &&
            at < int64_t(p->top_y) + p->height_px) {
            scroll_bar->paging = p;
            break;
        }
    }
    scroll_bar->start_drag(x, y);
}

bool vux_element_client::scroll_by_drag(int32_t x, int32_t y) {
    if (focus_locked() || !scroll_bar || !scroll_bar->drag(x, y)) return false;
    note_scroll_shift();
    return true;
}

const vux_action* vux_element_client::focused_sub_item(bool own) const {
    const vux_action* a = layout_ ? layout_->focused_item_target(own) : nullptr;
    if (!a && !own) a = default_action.get();
    return a;
}

bool vux_element_client::focused_item_activate(bool force) {
    return layout_ && layout_->count_down_press(layout_->find_focused_item(), force);
}

bool vux_element_client::focus_locked() const {
    if (!layout_) return false;
    const vux_hyperlink* h = layout_->link_at(layout_->find_focused_item());
    return h && h->bit(2);
}

bool vux_element_client::press(const vux_point& p, bool only_test) {
    press_missed = false;
    if (!layout_) return false;
    vux_layout& l = *layout_;
    const int32_t focused = l.find_focused_item();
    l.release_item(focused);
    pressed = false;
    if (scroll_bar) {
        // A press in the fixed band of a header-locked client holds the
        // content still: the header is not dragged with it.
        const bool in_band = l.in_header_band(vux_clamp32(int64_t(p.y) - l.view.y));
        scroll_bar->drag_blocked =
            scroll_bar->header_lock != 0 && (l.within_reach(p.y) || (l.anchor_outside_view(true) && in_band));
    }
    // Only a linked item takes focus and press: one without a link that
    // lies over it is a miss.
    const int32_t i = l.hit_test(p);
    if (i < 0 || !l.link_at(i)) {
        press_missed = true;
        return false;
    }
    // The old focus goes even when only testing; the new one is not taken.
    if (i != focused) {
        l.clear_focus();
        if (!only_test) l.set_focus(i, true);
    }
    if (!only_test) l.set_item_pressed(i, true);
    return true;
}

bool vux_element_client::press_focused(const vux_point& p) {
    if (pressed || !layout_) return false;
    vux_layout& l = *layout_;
    const int32_t i = l.find_focused_item();
    if (i < 0 || !l.link_at(i)) return false;
    if (scroll_bar && l.hit_test(p) == i && scroll_bar->beyond_tolerance(p.x, p.y)) return false;
    pressed = true;
    start_drag(p.x, p.y);
    return l.set_item_pressed(i, true);
}

vux_action* vux_element_client::press_action_at(const vux_point& p) const {
    if (!layout_) return nullptr;
    for (int32_t i = 0; i < count(); ++i)
        if (P* para = paragraph(i))
            if (vux_action* a = para->press_action_at(*layout_, p)) return a;
    return nullptr;
}

vux_action* vux_element_client::triggered_action(const vux_variables& environment) {
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i))
            if (vux_action* a = p->triggered_action(environment)) return a;
    return nullptr;
}

bool vux_element_client::refresh(const vux_variables& environment) {
    bool changed = false;
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i); p && p->refresh(environment)) changed = true;
    if (changed) refresh_layout(true);
    return changed;
}

bool vux_element_client::sync(const vux_variables& environment) {
    bool changed = false;
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i); p && p->sync(environment)) changed = true;
    if (changed) refresh_layout(true);
    return changed;
}

void vux_element_client::update_images(const vux_variables& environment) {
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->update_images(environment);
}

void vux_element_client::update_checked(const vux_variables& environment) {
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->update_checked(environment);
}

bool vux_element_client::links_changed(const vux_variables& environment) {
    bool match = true;
    for (int32_t i = 0; i < count() && match; ++i)
        if (P* p = paragraph(i)) match = p->active_links_match(environment, active_links);
    if (match) return false;
    active_links.clear();
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i)) p->collect_active_links(environment, active_links);
    return true;
}

bool vux_element_client::tick(int32_t ms, int32_t period) {
    bool changed = false;
    for (int32_t i = 0; i < count(); ++i)
        if (P* p = paragraph(i); p && p->tick(ms, period)) changed = true;
    return changed;
}

bool vux_element_client::pending_tick() {
    if (pending_names.count() == 0) return false;
    if (++pending_calls % 2 != 0) return false;
    pending_names.take_at(0);
    return true;
}

void vux_element_client::clear() {
    drop_focus();
    refresh_layout(false);
    forget_paragraph_pointers();
    paragraphs.delete_all();
}
