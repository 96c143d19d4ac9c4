#include "markup/runtime/vux_machine.h"
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_switch.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_capability.h"
#include "markup/runtime/vux_device_results.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_key_code.h"

namespace {

vux_window* as_window(vux_screen* s) {
    return s && s->type_code() == vux_window::code ? static_cast<vux_window*>(s) : nullptr;
}
vux_dialog* as_dialog(vux_screen* s) {
    return s && s->type_code() == vux_dialog::code ? static_cast<vux_dialog*>(s) : nullptr;
}
vux_menu* as_menu(vux_screen* s) { return s && s->type_code() == vux_menu::code ? static_cast<vux_menu*>(s) : nullptr; }

vux_element_client* client_of(vux_screen* s) {
    if (vux_window* w = as_window(s)) return &w->client;
    if (vux_dialog* d = as_dialog(s)) return &d->client;
    return nullptr;
}

vux_element_commandbar* bar_of(vux_screen* s) {
    if (vux_window* w = as_window(s)) return &w->commandbar;
    if (vux_dialog* d = as_dialog(s)) return &d->commandbar;
    if (vux_menu* m = as_menu(s)) return &m->commandbar;
    return nullptr;
}

// The slot's shown command when the slot is visible and its conditions hold.
vux_element_command* usable_slot(vux_element_commandbar& bar, int32_t i, const vux_variables& env) {
    if (i < 0 || i > 1 || !bar.slot_visible(i)) return nullptr;
    vux_element_command* c = bar.shown_command(i);
    return env.check_conditions(c->guard.get()) ? c : nullptr;
}

// The client's view as it was laid out; a client not yet laid out has none.
bool view_holds(const vux_element_client& client, const vux_point& p) {
    return client.current_layout() && client.view_rect.contains(vux_layout_point{p.x, p.y});
}

vux_layout* layout_of(vux_element_client* client) { return client ? client->current_layout() : nullptr; }

// The focused item shows itself pressed while the pointer is on it; true
// when that changed. Coming back onto it presses it again through the
// client, which refuses once the pointer has wandered too far to be a tap.
bool track_focused(vux_element_client& client, const vux_point& p) {
    vux_layout* l = client.current_layout();
    const int32_t i = l ? l->find_focused_item() : -1;
    if (i < 0) return false;
    const bool on = l->hit_test(p) == i;
    if (on == l->is_item_pressed(i)) return false;
    if (on) return client.press_focused(p);
    client.release_pressed();
    return true;
}

}  // namespace

vux_machine::vux_machine(vux_screen_registry& screens, vux_document& document, vux_action_runner& runner,
                         vux_canvas& canvas, const vux_facility& facility, vux_exchange& exchange,
                         vux_device_results& results)
    : screens_(screens),
      document_(document),
      runner_(runner),
      canvas_(canvas),
      facility_(facility),
      exchange_(exchange),
      results_(results) {}

vux_screen* vux_machine::front() const {
    if (vux_screen* m = screens_.menus.top()) return m;
    if (vux_screen* d = screens_.dialogs.top()) return d;
    return screens_.windows.top();
}

void vux_machine::reset() {
    screens_.dialogs.clear();
    screens_.menus.clear();
    screens_.windows.clear();
    drag_release_countdown = 0;
    action_lock = in_input = pointer_down = dragging = 0;
}

void vux_machine::reset_overtimes() {
    screens_.dialogs.reset_overtimes();
    screens_.menus.reset_overtimes();
    screens_.windows.reset_overtimes();
}

int32_t vux_machine::tolerance() const { return canvas_.scale(10); }

// ---- running actions

int32_t vux_machine::run_action(const vux_action& action, bool direct) {
    if (action_lock && action.value_1 == 0) return 0;
    in_input = 0;  // the input-start hook adds nothing to the activity already noted
    if (direct) return runner_.run_copy(action);
    runner_.start_action(action);
    return 0;
}

void vux_machine::pop_menu(bool with_window) {
    screens_.menus.pop();
    screens_.sweep_closing();
    if (with_window) {
        screens_.windows.pop();
        screens_.sweep_closing();
    }
}

void vux_machine::pop_front_screen() {
    if (screens_.dialogs.count() > 0)
        screens_.dialogs.pop();
    else
        screens_.windows.pop();
    screens_.sweep_closing();
}

// The top menu's selected command, taken: the menu closes (and with a
// kind-3 command the window too) before the command's action runs.
void vux_machine::take_menu_command() {
    vux_element_command* c = screens_.menus.selected_command();
    if (!c) return;
    auto copy = c->action.copy();
    pop_menu(copy && copy->value_1 == 3);
    if (copy) run_action(*copy, false);
}

// An action the front screen yields for a key or a timer: a menu closes
// before it runs (with a kind-3 action the window below it too); a dialog or
// a window closes only for a kind-3 action.
void vux_machine::run_closing(vux_screen* s, const vux_action& action) {
    // The action belongs to the screen that may close: keep a copy.
    auto copy = action.copy();
    if (!copy) return;
    if (as_menu(s))
        pop_menu(copy->value_1 == 3);
    else if (copy->value_1 == 3)
        pop_front_screen();
    run_action(*copy, false);
}

void vux_machine::perform(const vux_action& action) {
    // The action may belong to a screen that closes below: keep a copy.
    auto copy = action.copy();
    if (!copy) return;
    if (screens_.menus.count() > 0) {
        if (copy->value_1 == 2) {
            take_menu_command();
        } else {
            if (copy->value_1 == 3) pop_menu(false);
            run_action(*copy, false);
        }
    } else if (copy->value_1 == 2 && copy->step_count() == 0) {
        select();
    } else {
        if (copy->value_1 == 3 && front()) pop_front_screen();
        run_action(*copy, false);
    }
    settle(false);
}

// ---- keys

// The document's overtime runs on the top window while it is not stopped and
// is bound to that window or to none; its box shows there, and with its
// fourth integer set it holds the window's soft keys.
const vux_overtime* vux_machine::overtime_on_top_window() const {
    const vux_overtime* o = document_.overtime.get();
    const vux_screen* top = screens_.windows.top();
    if (!o || o->stopped || !top) return nullptr;
    return o->title.empty() || vux_string_equal(o->title, top->name) ? o : nullptr;
}

bool vux_machine::overtime_owns_soft_keys() const {
    const vux_overtime* o = overtime_on_top_window();
    return o && o->value_b != 0;
}

const vux_action* vux_machine::soft_key_action(int32_t slot) {
    vux_screen* s = front();
    vux_element_commandbar* bar = bar_of(s);
    if (!bar) return nullptr;
    if (as_window(s) && overtime_owns_soft_keys()) return nullptr;
    vux_element_command* c = usable_slot(*bar, slot, canvas_.variables());
    return c ? &c->action : nullptr;
}

void vux_machine::soft_key(int32_t slot) {
    if (const vux_action* a = soft_key_action(slot)) perform(*a);
}

bool vux_machine::select() {
    bool took = false;
    if (screens_.menus.count() > 0) {
        if (screens_.menus.selected_command()) {
            take_menu_command();
            took = true;
        }
    } else if (vux_element_client* client = client_of(front())) {
        // The focused item's own action runs at once, from a copy.
        if (const vux_action* own = client->focused_sub_item(true)) {
            run_action(*own->copy(), true);
            took = true;
        }
        // Its link's action, else the client's own, may close the screen first.
        client = client_of(front());
        if (const vux_action* a = client ? client->focused_sub_item(false) : nullptr) {
            auto copy = a->copy();
            if (copy->value_1 == 3) pop_front_screen();
            run_action(*copy, false);
            took = true;
        }
    }
    settle(false);
    return took;
}

void vux_machine::back() {
    vux_screen* s = front();
    if (!s) {
        settle(false);
        return;
    }
    vux_element_commandbar* bar = bar_of(s);
    const vux_action* found = bar ? bar->triggered_action(canvas_.variables()) : nullptr;
    // A dialog or window whose bar has nothing for the key takes the
    // pressed item's target.
    if (!found && !as_menu(s))
        if (vux_element_client* c = client_of(s)) found = c->pressed_target();
    if (found) {
        run_closing(s, *found);
    } else {
        if (s->closable()) {
            if (as_menu(s))
                pop_menu(false);
            else
                pop_front_screen();
        }
    }
    settle(false);
}

bool vux_machine::move_menu(vux_menu& menu, int32_t code) {
    switch (code) {
    case key_left: return menu.select_left();
    case key_right: return menu.select_right();
    case key_up: return menu.select_previous();
    default: return menu.select_next();
    }
}

// An arrow on a client: its own direction first, then the next one round;
// the client scrolls when no link lies that way.
bool vux_machine::move_focus(int32_t code) {
    vux_element_client* c = client_of(front());
    if (!c || !c->current_layout()) return false;
    switch (code) {
    case key_left: return c->move_left_or_up();
    case key_right: return c->move_right_or_down();
    case key_up: return c->move_up_or_left();
    default: return c->move_down_or_right();
    }
}

// Keys 8-13 scroll the window's client; they mean nothing over a menu or dialog.
bool vux_machine::scroll_key(int32_t code) {
    if (!window_in_front()) return false;
    vux_window* w = as_window(screens_.windows.top());
    if (!w) return false;
    vux_element_client& c = w->client;
    switch (code) {
    case key_page_up: return c.page_up();
    case key_page_down: return c.page_down();
    case key_to_top: return c.to_top();
    case key_to_bottom: return c.to_bottom();
    case key_line_up: return c.line_up();
    case key_line_down: return c.line_down();
    default: return false;
    }
}

// Only a waiting main exchange takes the input, and is cancelled by it; a
// blocking music or animation is stopped by it. Either way the event goes
// no further. A document in an error state does no more network work: the
// exchange it still waits for is ended, and the input goes on to the error's
// dialog, so its soft key answers the first press.
bool vux_machine::swallowed() {
    if (exchange_.main_waiting) {
        exchange_.abort_main();
        if (document_.in_error()) return false;
    } else if (results_.media_blocking())
        results_.stop_media(true);
    else
        return false;
    settle(false);
    return true;
}

void vux_machine::key(int32_t code) {
    if (swallowed()) return;
    in_input = 1;
    bool moved = false;
    vux_menu* menu = as_menu(screens_.menus.top());
    switch (code) {
    case key_select:
        if (!select()) soft_key(0);
        break;
    case key_left_soft:
    case key_right_soft: soft_key(code - key_left_soft); break;
    case key_left:
    case key_right:
    case key_up:
    case key_down: moved = menu ? move_menu(*menu, code) : move_focus(code); break;
    case key_back: back(); break;
    default: moved = scroll_key(code); break;
    }
    if (moved) {
        repaint_full();
    }
    in_input = 0;
    settle(false);
}

// ---- pointer

void vux_machine::pointer(int32_t kind, int32_t x, int32_t y) {
    canvas_.pointer_seen = true;
    if (swallowed()) return;
    const vux_point p{x, y};
    switch (kind) {
    case 0:
        // A press that closed a menu reaches the screen now in front.
        if (pointer_press(p)) pointer_press(p);
        break;
    case 1:
        in_input = 1;
        pointer_release(p);
        in_input = 0;
        break;
    case 2: pointer_move(p); break;
    default: break;
    }
}

bool vux_machine::pointer_press(const vux_point& p) {
    press_recorded = 0;
    pointer_down = 1;
    dragging = 0;
    activation_countdown = 0;
    auto done = [&](bool r) {
        drag_moved = 0;
        return r;
    };
    if (vux_menu* m = as_menu(screens_.menus.top())) {
        drag_moved = 0;
        if (m->press(p) || m->commandbar.press(p)) {
            repaint_full();
            return done(false);
        }
        if (!m->closable()) return done(false);
        if (!m->contains(p)) {
            screens_.menus.pop();
            screens_.sweep_closing();
            settle(false);
            return done(true);
        }
        return done(false);
    }
    if (vux_dialog* d = as_dialog(screens_.dialogs.top())) {
        if (d->commandbar.press(p)) {
            repaint_full();
            return done(false);
        }
        if (view_holds(d->client, p)) {
            d->client.start_drag(p.x, p.y);
            if (d->client.press(p, drag_moved != 0))
                repaint_full();
            else
                dragging = 1;
            return done(false);
        }
        if (d->closable()) {
            screens_.dialogs.pop();
            screens_.sweep_closing();
            settle(false);
        }
        return done(false);
    }
    vux_window* w = as_window(screens_.windows.top());
    if (!w) return done(false);
    w->client.end_drag();  // a fling in progress stops where it is
    const bool deferred = facility_.supports(capability_deferred_press);
    auto hit = [&] {
        if (deferred) {
            repaint_pending = 1;
            full_paint = 1;
        } else {
            repaint_full();
        }
    };
    if (!overtime_owns_soft_keys() && w->commandbar.press(p)) {
        hit();
        return done(false);
    }
    if (view_holds(w->client, p)) {
        // Any item is a tap candidate, linked or not: a held box runs its
        // press action (long_press).
        vux_layout& layout = *w->client.current_layout();
        if (layout.hit_test(p) >= 0) {
            press_recorded = 1;
            press_x = p.x;
            press_y = p.y;
            press_ticks = 0;
        }
        w->client.start_drag(p.x, p.y);
        if (!w->client.press(p, false)) {
            dragging = 1;
            return done(false);
        }
        hit();
        return done(false);
    }
    if (!w->third.empty()) {
        const int32_t i = document_.switches.find(w->third.str().c_str());
        auto* sw = static_cast<vux_switch*>(document_.switches.get(i));
        if (sw && !sw->bounds.is_empty() && sw->bounds.contains(p) && sw->press(p)) {
            repaint_full();
        }
    }
    return done(false);
}

void vux_machine::pointer_move(const vux_point& p) {
    if (!pointer_down) {
        press_recorded = 0;
        return;
    }
    if (press_recorded) {
        const int64_t dx = int64_t(p.x) - press_x, dy = int64_t(p.y) - press_y;
        const int32_t t = tolerance();
        if (dx > t || dx < -t || dy > t || dy < -t) press_recorded = 0;
    }
    bool changed = false;
    if (vux_menu* m = as_menu(screens_.menus.top())) {
        if (m->is_pressed())
            changed = m->track_pointer(p) != 0;
        else if (m->commandbar.pressed_slot >= 0)
            changed = m->commandbar.track(p);
    } else {
        vux_screen* s = front();
        vux_element_commandbar* bar = bar_of(s);
        vux_element_client* client = client_of(s);
        if (bar && bar->pressed_slot >= 0) {
            changed = bar->track(p);
        } else if (client && client->scroll_by_drag(p.x, p.y)) {
            // The content follows the pointer: the press is a drag now.
            dragging = 1;
            drag_moved = 0;
            drag_release_countdown = 4;
            if (vux_layout* l = layout_of(client)) l->release_all_pressed();
            if (!as_window(s) || facility_.supports(capability_host_paints) ||
                !facility_.supports(capability_deferred_drag)) {
                full_paint = as_window(s) ? 0 : 1;
                repaint();
                present();
            } else {
                repaint_pending = 1;
                full_paint = 0;
            }
            return;
        } else if (client && track_focused(*client, p)) {
            changed = true;
        } else if (vux_window* w = as_window(s); w && !w->third.empty()) {
            const int32_t i = document_.switches.find(w->third.str().c_str());
            auto* sw = static_cast<vux_switch*>(document_.switches.get(i));
            changed = sw && sw->release(p);
        }
    }
    if (!changed) return;
    repaint_full();
}

void vux_machine::pointer_release(const vux_point& p) {
    press_recorded = 0;
    if (!pointer_down) return;
    pointer_down = 0;
    vux_screen* s = front();
    vux_element_commandbar* bar = bar_of(s);
    if (vux_menu* m = as_menu(s); m && m->is_pressed()) {
        const bool on = m->pointer_on_selection(p);
        m->clear_press();
        repaint_full();
        if (!on) return;
        if (m->style >= 6 && m->style <= 8) {
            take_menu_command();
            settle(false);
        } else {
            soft_key(0);
        }
        return;
    }
    if (bar && bar->pressed_slot >= 0) {
        const int32_t slot = bar->pressed_slot_at(p);
        bar->release();
        repaint_full();
        if (slot >= 0) soft_key(slot);
        return;
    }
    // A release on the focused item selects it; anywhere else it only lets
    // go. On a window a pressed item first shows its press for the rest of
    // its countdown: the selection follows two ticks later (hold_tick).
    vux_element_client* client = as_menu(s) ? nullptr : client_of(s);
    if (vux_layout* l = layout_of(client); l && client->has_focus()) {
        const bool on_focus = l->hit_test(p) == l->find_focused_item() && !dragging;
        if (on_focus && as_window(s) && client->focused_item_activate(true)) {
            activation_countdown = 2;
            return;
        }
        client->release_pressed();
        if (!on_focus) {
            repaint_full();
            return;
        }
        (as_window(s) ? static_cast<vux_stack&>(screens_.windows) : static_cast<vux_stack&>(screens_.dialogs)).changed =
            1;
        select();
        return;
    }
    if (vux_window* w = as_window(s); w && !w->third.empty()) {
        auto* sw = static_cast<vux_switch*>(document_.switches.get(document_.switches.find(w->third.str().c_str())));
        if (!sw) return;
        if (vux_object* item = sw->pressed_item_at(p)) {
            sw->pressed = -1;
            screens_.windows.changed = 1;
            if (item->type_code() == vux_element_command::code) {
                auto copy = static_cast<vux_element_command*>(item)->action.copy();
                if (copy) run_action(*copy, false);
            }
            settle(false);
        } else if (sw->pressed >= 0) {
            sw->pressed = -1;
            full_paint = 1;
            repaint();
        }
    }
}

int32_t vux_machine::drag_step(int32_t restart, int32_t direction, int32_t fast) {
    if (!dragging || !window_in_front()) return 0;
    vux_window* w = as_window(screens_.windows.top());
    vux_element_scrollbar* bar = w ? w->client.scroll_bar.get() : nullptr;
    if (!bar) return 0;
    const int32_t before = bar->y_offset;
    const bool more =
        direction != 0 ? w->client.repeat_up(restart != 0, fast != 0) : w->client.repeat_down(restart != 0, fast != 0);
    drag_moved = more ? 1 : 0;
    if (bar->y_offset != before) {
        full_paint = 0;
        repaint();
        present();
    }
    return more ? 1 : 0;
}

// ---- ticks

bool vux_machine::deferred_repaint() {
    if (!repaint_pending) return false;
    repaint_pending = 0;
    if (screens_.windows.count() == 0) return false;
    repaint();
    present();
    return true;
}

bool vux_machine::hold_tick() {
    if (canvas_.redraw_requested && !pointer_busy()) {
        canvas_.redraw_requested = false;
        // What the clocks moved is shown, not only painted.
        repaint();
        present();
        return true;
    }
    if (drag_release_countdown > 0) {
        if (--drag_release_countdown == 0 && window_in_front()) {
            repaint_full();
            return true;
        }
        return false;
    }
    if (press_recorded && ++press_ticks > long_press_ticks && long_press()) {
        settle(true);
        return true;
    }
    vux_window* w = window_in_front() ? as_window(screens_.windows.top()) : nullptr;
    if (!w) return false;
    if (activation_countdown > 0) {
        if (--activation_countdown > 0 || !w->client.has_focus()) return false;
        w->client.release_pressed();
        screens_.windows.changed = 1;
        return select();
    }
    // A press held on the focused item: its look changes when its own
    // countdown runs out.
    if (w->client.focused_item_activate(false)) {
        repaint_full();
        return true;
    }
    return false;
}

// A tap candidate held past the eighth tick: the box under it runs its
// press action.
bool vux_machine::long_press() {
    vux_window* w = as_window(screens_.windows.top());
    if (!w || !w->client.current_layout() || !window_in_front()) return false;
    const vux_action* action = w->client.press_action_at(vux_point(press_x, press_y));
    if (!action) return false;
    auto copy = action->copy();
    w->client.release_pressed();
    w->client.end_drag();
    press_recorded = 0;
    pointer_down = 0;
    run_action(*copy, false);
    return true;
}

void vux_machine::frame_step(int32_t t) {
    // The clocks of the clients painted on each frame: the top window's and
    // the top dialog's. A change asks for a repaint on the next tick.
    bool changed = false;
    for (vux_screen* s : {screens_.windows.top(), screens_.dialogs.top()})
        if (vux_element_client* c = client_of(s); c && c->tick(t, clock_rate)) changed = true;
    if (changed) canvas_.redraw_requested = true;
}

bool vux_machine::timed_tick() {
    if (document_.is_blocked()) return false;
    vux_screen* f = front();
    if (document_.timed_triggers && f) {
        const vux_variables& env = canvas_.variables();
        vux_action* a = nullptr;
        if (vux_menu* m = as_menu(f)) a = m->count_down(env);
        if (vux_dialog* d = as_dialog(f)) a = d->find_triggered_action(env);
        if (vux_window* w = as_window(f)) a = w->find_triggered_action(env);
        if (a) {
            run_closing(f, *a);
            return true;
        }
    }
    if (vux_window* w = as_window(f);
        w && window_in_front() && !pointer_busy() && w->value_3 != 0 && canvas_.clock_changed()) {
        repaint_full();
        return true;
    }
    if (!f) return false;
    // The front screen's overtime ticks first; the others only when it fired.
    vux_overtime* o = vux_stack::overtime_of(*f);
    if (!o || o->stopped || !o->tick()) return false;
    o->reset(true);
    perform(o->action);
    for (vux_stack* stack : {static_cast<vux_stack*>(&screens_.menus), static_cast<vux_stack*>(&screens_.dialogs),
                             static_cast<vux_stack*>(&screens_.windows)}) {
        for (int32_t i = stack->count() - 1; i >= 0; --i) {
            vux_screen* s = stack->at(i);
            if (!s || s == f) continue;
            vux_overtime* other = vux_stack::overtime_of(*s);
            if (!other || other->stopped || !other->tick()) continue;
            other->reset(true);
            perform(other->action);
        }
    }
    return true;
}

// ---- painting and settling

void vux_machine::repaint() {
    repaint_pending = 0;
    if (facility_.supports(capability_window_image)) {
        const vux_window* top = as_window(screens_.windows.top());
        canvas_.show_window_image(top && top->extras.count() > 1 ? top->extras.item_at(1) : vux_string());
    }
    if (facility_.supports(capability_host_paints)) return;
    prepare_frame();
    const bool full = full_paint != 0 || !facility_.supports(capability_partial_paint);
    if (vux_window* w = as_window(screens_.windows.top())) {
        // A title bound to a variable follows it.
        w->titlebar.refresh(canvas_.variables());
        canvas_.paint_window(*w, full);
    }
    if (vux_dialog* d = as_dialog(screens_.dialogs.top())) canvas_.paint_dialog(*d);
    if (vux_menu* m = as_menu(screens_.menus.top())) canvas_.paint_menu(*m);
    canvas_.finish_frame();
}

void vux_machine::present() { canvas_.present(); }

// The soft keys of the screens in front are resolved against their menus;
// the overtime, the subtitle, the switch and the clock are looked up once.
void vux_machine::prepare_frame() {
    vux_canvas::frame_input& in = canvas_.prepared;
    in = vux_canvas::frame_input();
    for (vux_screen* s : {screens_.windows.top(), screens_.dialogs.top(), screens_.menus.top()})
        if (vux_element_commandbar* bar = bar_of(s)) document_.resolve_soft_keys(*bar);
    in.overtime = overtime_on_top_window();
    in.soft_keys_taken = overtime_owns_soft_keys();
    if (window_in_front()) in.subtitle = document_.subtitles.current();
    vux_window* w = as_window(screens_.windows.top());
    if (!w) return;
    if (!w->third.empty())
        in.window_switch =
            static_cast<vux_switch*>(document_.switches.get(document_.switches.find(w->third.str().c_str())));
    if (w->value_3 != 0) {
        in.hour = facility_.query(2);
        in.minute = facility_.query(1);
    }
}

void vux_machine::repaint_full() {
    full_paint = 1;
    repaint();
    present();
}

void vux_machine::settle(bool force) {
    screens_.sweep_closing();
    if (force || screens_.dialogs.changed || screens_.menus.changed || screens_.windows.changed) {
        screens_.dialogs.changed = screens_.menus.changed = screens_.windows.changed = 0;
        // What was pressed lets go, and a drag or a fling in progress ends:
        // the host's drag repeats stop here.
        pointer_down = 0;
        dragging = 0;
        for (vux_screen* s : {screens_.windows.top(), screens_.dialogs.top()}) {
            if (vux_element_commandbar* bar = bar_of(s)) bar->release();
            vux_element_client* client = client_of(s);
            if (vux_layout* l = layout_of(client)) l->release_all_pressed();
            if (client) client->end_drag();
        }
        if (vux_menu* m = as_menu(screens_.menus.top())) {
            m->commandbar.release();
            if (!m->refresh(canvas_.variables())) {
                screens_.menus.pop();
                screens_.sweep_closing();
                screens_.menus.changed = 0;
            }
        }
        repaint_full();
    }
    if (snapshot) write_snapshot();
}

void vux_machine::write_snapshot() {
    vux_buffer bytes;
    vux_writer w(bytes);
    const std::pair<int32_t, vux_stack*> sections[] = {
        {5, &screens_.dialogs}, {7, &screens_.menus}, {9, &screens_.windows}};
    for (const auto& [marker, stack] : sections) {
        w.write_int32(marker);
        w.write_int32(stack->count());
        for (vux_screen* s : stack->screens) w.write_string(s->describe());
    }
    document_.write_state(w);
    w.write_int32(1);
    canvas_.images().write_labels(w);
    w.write_int32(12);
    canvas_.variables().write(w);
    facility_.call(&vux_facility_table::machine_settled, bytes.data(), bytes.length());
}
