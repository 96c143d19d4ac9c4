#include "markup/model/vux_element_paragraph.h"
#include <algorithm>
#include <type_traits>
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_clamp.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_rules.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_model_factory.h"

void vux_element_paragraph::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("row_colour", row_colour);
    v.int32("countdown", countdown);
    v.int32("lines", lines);
    v.int32("row_box_a", row_box_a);
    v.int32("row_box_b", row_box_b);
    v.int32("row_box_c", row_box_c);
    v.int32("row_box_d", row_box_d);
    v.int32("top_space", top_space);
    v.int32("top_rows", top_rows);
    v.int32("margin_left", margin_left);
    v.int32("margin_right", margin_right);
    v.int32("bottom_space", bottom_space);
    v.int32("minimum_height", minimum_height);
    v.int32("page_index", page_index);
    v.int32("page_width", page_width);
    v.int32("page_switch", page_switch);
    v.int32("page_count", page_count);
    v.string("name", name);
    v.records("children", children, vux_model_paragraph_children);
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("list", list);
}

std::unique_ptr<vux_object> vux_element_paragraph::clone() const {
    auto copy = vux_clone_record(*this);
    if (!copy) return nullptr;
    copy->set_flag(measured_bit, false);
    for (int32_t i = 0; i < copy->children.get_count(); ++i) {
        vux_object* child = copy->children.get(i);
        if (auto* box = dynamic_cast<vux_element_box*>(child)) box->clear_run_time_bits();
        if (auto* segment = dynamic_cast<vux_element_segment*>(child))
            segment->set_flag(vux_element_segment::fixed_bit, false);
        if (auto* image = dynamic_cast<vux_element_image*>(child)) image->set_flag(vux_element_image::fixed_bit, false);
    }
    return copy;
}

namespace {
using P = vux_element_paragraph;
using box_t = vux_element_box;
using segment_t = vux_element_segment;
using image_t = vux_element_image;

// Calls f with the child as the class its code makes it.
template <class F>
auto visit(vux_object* o, F&& f) {
    if (auto* s = dynamic_cast<segment_t*>(o)) return f(*s);
    if (auto* b = dynamic_cast<box_t*>(o)) return f(*b);
    return f(*static_cast<image_t*>(o));
}

int32_t kind_of(const vux_object* o) {
    const int32_t code = o ? o->type_code() : 0;
    return code == vux_type_element_segment || code == vux_type_element_box ? code : vux_type_element_image;
}
bool named(const vux_object* o, int32_t kind, const vux_string& name) {
    if (!o || kind_of(o) != kind) return false;
    return visit(const_cast<vux_object*>(o), [&](auto& c) { return vux_string_equal(c.name, name); });
}
bool ignored(vux_object* o) {
    return visit(o, [](auto& c) { return c.flag(std::decay_t<decltype(c)>::ignore_bit); });
}
vux_hyperlink* link_of(vux_object* o) {
    return visit(o, [](auto& c) -> vux_hyperlink* { return c.hyperlink.get(); });
}
std::unique_ptr<vux_object> clone_of(const vux_object* o) { return o ? o->clone() : nullptr; }
}  // namespace

int32_t vux_element_paragraph::find(int32_t kind, const vux_string& name) const {
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (named(children.get(i), kind, name)) return i;
    return -1;
}

void vux_element_paragraph::remove_named(int32_t kind, const vux_string& name) {
    forget_inherited_links();
    for (int32_t i = children.get_count() - 1; i >= 0; --i)
        if (named(children.get(i), kind, name)) children.remove_at(i);
}

void vux_element_paragraph::remove_like(const vux_object_list& list) {
    for (int32_t k = 0; k < list.get_count(); ++k) {
        const vux_object* item = list.get(k);
        if (!item) continue;
        visit(const_cast<vux_object*>(item), [&](auto& c) { remove_named(kind_of(item), c.name); });
    }
}

void vux_element_paragraph::append_clones(const vux_object_list& list) {
    for (int32_t k = 0; k < list.get_count(); ++k)
        if (auto c = clone_of(list.get(k))) children.append(std::move(c));
}

void vux_element_paragraph::insert_clones(int32_t index, const vux_object_list& list) {
    int32_t at = std::clamp(index, 0, children.get_count());
    for (int32_t k = 0; k < list.get_count(); ++k)
        if (auto c = clone_of(list.get(k))) children.insert_at(at++, std::move(c));
}

void vux_element_paragraph::replace_all(const vux_object_list& list) {
    forget_inherited_links();
    children.delete_all();
    append_clones(list);
}

void vux_element_paragraph::replace_like(const vux_object_list& list) {
    forget_inherited_links();
    for (int32_t k = 0; k < list.get_count(); ++k) {
        const vux_object* item = list.get(k);
        if (!item) continue;
        const int32_t at = visit(const_cast<vux_object*>(item), [&](auto& c) { return find(kind_of(item), c.name); });
        if (at < 0) continue;
        children.remove_at(at);
        if (auto c = clone_of(item)) children.insert_at(at, std::move(c));
    }
}

void vux_element_paragraph::move_like(int32_t index, const vux_object_list& list) {
    const int32_t at = std::max(index, 0);
    if (at >= children.get_count()) return;
    std::vector<std::unique_ptr<vux_object>> taken;
    for (int32_t k = 0; k < list.get_count(); ++k) {
        const vux_object* item = list.get(k);
        if (!item) continue;
        const int32_t kind = kind_of(item);
        const vux_string name = visit(const_cast<vux_object*>(item), [](auto& c) { return c.name; });
        for (int32_t i = 0; i < children.get_count();)
            if (named(children.get(i), kind, name))
                taken.push_back(children.remove_at(i));
            else
                ++i;
    }
    int32_t to = std::min(at, children.get_count());
    for (auto& c : taken) children.insert_at(to++, std::move(c));
}

void vux_element_paragraph::apply_element_step(const vux_action_element& step) {
    const vux_object_list& list = step.elements;
    switch (step.mode()) {
    case 1: replace_all(list); break;
    case 2:
        if (step.remove_first()) remove_like(list);
        insert_clones(std::max(step.index(), 0), list);
        break;
    case 3:
        if (step.remove_first()) remove_like(list);
        append_clones(list);
        break;
    case 4: remove_like(list); break;
    case 5: replace_like(list); break;
    case 6: move_like(step.index(), list); break;
    default: break;
    }
}

bool vux_element_paragraph::apply_property_step(const vux_action_property& step, const vux_variables& environment) {
    vux_string name;
    if (!vux_resolve_name(environment, step.text_2, name)) return false;
    const int32_t kind =
        step.element_kind() == vux_type_element_image || step.element_kind() == vux_type_element_segment
            ? step.element_kind()
            : vux_type_element_box;
    const int32_t at = find(kind, name);
    if (at < 0) return false;
    // A link the step deletes may be one a sibling box inherited.
    forget_inherited_links();
    visit(children.get(at), [&](auto& c) { c.apply_property_step(step, environment); });
    return true;
}

bool vux_element_paragraph::set_segment_text(const vux_string& name, const vux_unicode& text) {
    auto* s = children.get_as<segment_t>(find_segment(name));
    if (!s) return false;
    s->text.text = text;
    s->text.drop_full_text();
    return true;
}

int32_t vux_element_paragraph::child_top(const vux_string& name) const {
    if (auto* s = children.get_as<segment_t>(find_segment(name)); s && s->aux && !s->flag(segment_t::ignore_bit))
        return s->start_y();
    if (auto* b = children.get_as<box_t>(find_box(name)); b && b->placed() && !b->flag(box_t::ignore_bit))
        return b->top_y();
    if (auto* i = children.get_as<image_t>(find_image(name)); i && i->aux && !i->flag(image_t::ignore_bit))
        return i->start_y();
    return -1;
}

bool vux_element_paragraph::mentions(const vux_string& name) const {
    if (guard && guard->refers_to(name)) return true;
    if (!active()) return false;
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        if (visit(o, [&](auto& c) { return vux_string_equal(c.text.key, name); })) return true;
        if (auto* b = dynamic_cast<box_t*>(o); b && vux_string_equal(b->key_mark, name)) return true;
        if (auto* im = dynamic_cast<image_t*>(o); im && vux_string_equal(im->key_mark, name)) return true;
        const vux_hyperlink* link = link_of(o);
        if (link && link->guard && link->guard->refers_to(name)) return true;
    }
    return false;
}

vux_hyperlink* vux_element_paragraph::hyperlink_container(const vux_element_box& box) const {
    for (int32_t i = 0; i < children.get_count(); ++i) {
        auto* b = children.get_as<box_t>(i);
        if (!b || b == &box || !b->hyperlink || !b->placed() || !box.placed()) continue;
        if (b->left_x() <= box.left_x() && box.right_x() <= b->right_x() && b->top_y() <= box.top_y() &&
            box.bottom_y() <= b->bottom_y())
            return b->hyperlink.get();
    }
    return nullptr;
}

vux_action* vux_element_paragraph::press_action_at(vux_layout& layout, const vux_point& p) const {
    if (!active()) return nullptr;
    for (int32_t i = 0; i < children.get_count(); ++i) {
        auto* b = children.get_as<box_t>(i);
        if (b && b->press && b->hit(layout, p)) return b->press.get();
    }
    return nullptr;
}

vux_action* vux_element_paragraph::triggered_action(const vux_variables& environment) {
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_hyperlink* link = link_of(children.get(i));
        if (vux_action* a = link ? link->trigger(environment) : nullptr) return a;
    }
    return nullptr;
}

bool vux_element_paragraph::paging_active() const {
    return flag(paging_bit) && page_width > 0 && page_switch > 0 && page_count > 0;
}

void vux_element_paragraph::apply_box_offsets() {
    const int64_t offset = -int64_t(std::max(page_index, 0)) * page_width_px - drag_offset;
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (auto* b = children.get_as<box_t>(i); b && b->flag(box_t::roll_bit))
            b->set_scroll_offset(vux_clamp32(offset));
}

bool vux_element_paragraph::page_step(int32_t kind, int32_t index) {
    // Works whether or not paging is enabled; a page count of 0 or less has
    // no page to go to.
    const int64_t last = int64_t(page_count) - 1;
    const int64_t at = last >= 0 ? std::clamp<int64_t>(page_index, 0, last) : std::max(page_index, 0);
    int64_t to = at;
    switch (kind) {
    case 1: to = at + 1; break;
    case 2: to = at >= last ? 0 : at + 1; break;
    case 3: to = at - 1; break;
    case 4: to = at <= 0 ? last : at - 1; break;
    case 5: to = index; break;
    default: return false;
    }
    if (to < 0 || to > last || to == at) return false;
    page_index = int32_t(to);
    apply_box_offsets();
    return true;
}

bool vux_element_paragraph::drag(int32_t dx) {
    const int64_t width = page_width_px;
    const int64_t base = int64_t(std::max(page_index, 0)) * width;
    const int64_t c = int64_t(dx) + base;
    const int64_t e = (int64_t(page_count) - 1) * width;
    const int64_t offset = c < 0 ? c / 3 - base : c > e ? e + (c - e) / 3 - base : dx;
    if (offset == drag_offset) return false;
    drag_offset = vux_clamp32(offset);
    apply_box_offsets();
    return true;
}

bool vux_element_paragraph::end_drag() {
    if (page_switch_px > 0 && drag_offset >= page_switch_px && int64_t(page_index) < int64_t(page_count) - 1)
        page_index = std::max(page_index, 0) + 1;
    else if (page_switch_px > 0 && drag_offset <= -page_switch_px && page_index > 0)
        --page_index;
    // Nothing moved when the drag left the pages where they were.
    if (drag_offset == 0) return false;
    drag_offset = 0;
    apply_box_offsets();
    return true;
}

void vux_element_paragraph::measure(vux_layout& l) {
    if (flag(measured_bit)) return;
    set_flag(measured_bit, true);
    height_px = 0;
    row_colour_in_use = row_colour;
    page_width_px = l.scale(page_width);
    page_switch_px = l.scale(page_switch);
    page_index = std::max(page_index, 0);
    if (!active()) return;
    if (flag(scroll_top_bit)) {
        l.scroll_top_mark = l.pen.y;
        set_flag(scroll_top_bit, false);
    }
    l.set_scaled_margins(margin_left, margin_right);
    if (flag(pins_bit)) l.mark_scroll_origin();
    top_y = l.pen.y;
    l.row_top = l.row_bottom = l.pen.y;
    const int64_t row = l.row_height();
    l.pen.y = vux_clamp32(int64_t(l.pen.y) + l.scale(top_space) + row * top_rows);
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        if (auto* b = dynamic_cast<box_t*>(o)) {
            if (flag(fixed_bit)) b->set_flag(box_t::float_bit, true);
            b->set_flag(box_t::fixed_bit, flag(pins_bit));
            b->measure(l, top_y, this);
        } else if (auto* s = dynamic_cast<segment_t*>(o)) {
            if (flag(fixed_bit)) s->set_flag(segment_t::float_bit, true);
            s->set_flag(segment_t::fixed_bit, flag(pins_bit));
            s->measure(l);
        } else if (auto* im = dynamic_cast<image_t*>(o)) {
            if (flag(fixed_bit)) im->set_flag(image_t::float_bit, true);
            im->set_flag(image_t::fixed_bit, flag(pins_bit));
            im->measure(l);
        }
    }
    l.finish_line();
    int64_t y = std::max(l.pen.y, l.row_bottom);
    y += l.scale(bottom_space);
    if (minimum_height > 0 && y - top_y < minimum_height) y = int64_t(top_y) + minimum_height;
    l.pen.y = vux_clamp32(y);
    height_px = vux_clamp32(int64_t(l.pen.y) - top_y);
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (auto* b = children.get_as<box_t>(i)) b->fit_rows(l, top_y, height_px);
    if (flag(fixed_bit)) l.band_bottom = std::max(l.band_bottom, l.pen.y);
    if (paging_active() && page_index != 0) apply_box_offsets();
    if (flag(scroll_bottom_bit)) {
        l.scroll_bottom_mark = l.pen.y;
        set_flag(scroll_bottom_bit, false);
    }
}

bool vux_element_paragraph::paint(vux_layout& l) {
    if (!active() || !flag(measured_bit)) return false;
    const bool first_pass = l.draw_pass == 1;
    // The row drawings are clipped and placed as the children are: a fixed
    // paragraph's rows are never clipped, a pinned one's stand at its anchor.
    const bool fixed = flag(fixed_bit), pinned = flag(pins_bit);
    if (first_pass) {
        if (row_colour_in_use != 2) l.draw_row_fill(top_y, height_px, fixed, pinned, row_colour_in_use);
        if (row_box_b != 0)
            l.draw_row_box(top_y, height_px, fixed, pinned, 0, row_box_a, row_box_b, row_box_c, row_box_d);
    }
    bool drew_any = false;
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        if (auto* b = dynamic_cast<box_t*>(o); b && b->flag(box_t::inside_bit) && !b->hyperlink)
            b->inherited_link = hyperlink_container(*b);
        const bool drew = visit(o, [&](auto& c) { return c.paint(l); });
        drew_any = drew_any || drew;
        const bool marked = visit(o, [](auto& c) { return c.flag(std::decay_t<decltype(c)>::mark_bit); });
        if (marked && flag(marks_bit)) visit(o, [&](auto& c) { l.remember_mark(name, c.name, drew); });
        if (auto* im = dynamic_cast<image_t*>(o)) im->paint_label(l);
    }
    if (first_pass) {
        const bool a = flag(3), b = flag(8), c = flag(9);
        if (lines == 1 || lines == 3) l.draw_row_frame(top_y, fixed, pinned, a, b, c);
        if (lines == 2 || lines == 3) l.draw_row_frame(vux_clamp32(int64_t(top_y) + height_px), fixed, pinned, a, b, c);
    }
    return drew_any;
}

bool vux_element_paragraph::tick(int32_t ms, int32_t period) {
    if (!active() || flag(expired_bit)) return false;
    bool changed = false;
    if (period > 0 && ms % period == 0 && countdown >= 1 && --countdown == 0) {
        set_flag(expired_bit, true);
        changed = true;
    }
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (visit(children.get(i), [&](auto& c) { return c.tick(ms, period); })) changed = true;
    return changed;
}

bool vux_element_paragraph::refresh(const vux_variables& environment) {
    const bool shown = flag(shown_bit);
    if (flag(expired_bit)) {
        if (!shown) return false;
        set_flag(shown_bit, false);
        return true;
    }
    if (!guard) return false;
    const bool holds = environment.check_conditions(guard.get());
    if (holds == shown) return false;
    set_flag(shown_bit, holds);
    return true;
}

bool vux_element_paragraph::sync(const vux_variables& environment) {
    if (!active()) return false;
    bool changed = false;
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        if (auto* b = dynamic_cast<box_t*>(o)) {
            if (b->flag(box_t::note_bit)) continue;
            if ((b->text.text.empty() || !b->flag(box_t::static_bit)) &&
                b->text.sync(b->flag(box_t::password_bit), environment))
                changed = true;
            continue;
        }
        const bool synced = visit(o, [&](auto& c) {
            using C = std::decay_t<decltype(c)>;
            return (c.text.text.empty() || !c.flag(C::static_bit)) && c.text.sync(false, environment);
        });
        if (synced) changed = true;
    }
    return changed;
}

void vux_element_paragraph::update_images(const vux_variables& environment) {
    if (!active()) return;
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (auto* im = children.get_as<image_t>(i)) im->update_raised(environment);
}

void vux_element_paragraph::update_checked(const vux_variables& environment) {
    if (!active()) return;
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (auto* b = children.get_as<box_t>(i)) b->update_checked(environment);
}

void vux_element_paragraph::forget_inherited_links() {
    for (int32_t i = 0; i < children.get_count(); ++i)
        if (auto* b = children.get_as<box_t>(i)) b->inherited_link = nullptr;
}

void vux_element_paragraph::reset() {
    forget_inherited_links();
    if (!flag(measured_bit)) return;
    set_flag(measured_bit, false);
    for (int32_t i = 0; i < children.get_count(); ++i) visit(children.get(i), [](auto& c) { c.reset(); });
}

bool vux_element_paragraph::active_links_match(const vux_variables& environment,
                                               const std::vector<vux_record*>& list) const {
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        const vux_hyperlink* link = link_of(o);
        const bool wanted = active() && !ignored(o) && link && environment.check_conditions(link->guard.get());
        const bool listed = std::find(list.begin(), list.end(), o) != list.end();
        if (wanted != listed) return false;
    }
    return true;
}

void vux_element_paragraph::collect_active_links(const vux_variables& environment, std::vector<vux_record*>& list) {
    for (int32_t i = 0; i < children.get_count(); ++i) {
        vux_object* o = children.get(i);
        vux_hyperlink* link = link_of(o);
        if (!link) continue;
        link->set_pressed(false);
        if (!active() || ignored(o) || !environment.check_conditions(link->guard.get())) {
            link->set_bit_6(true);
            link->set_bit_2(false);
            link->set_focused(false);
            link->set_bit_7(false);
        } else {
            link->set_bit_6(false);
            list.push_back(static_cast<vux_record*>(o));
        }
    }
}

void vux_element_paragraph::reset_link_states() {
    for (int32_t i = 0; i < children.get_count(); ++i) {
        if (vux_hyperlink* link = link_of(children.get(i))) {
            link->set_focused(false);
            link->set_bit_2(false);
            link->set_pressed(false);
        }
    }
}
