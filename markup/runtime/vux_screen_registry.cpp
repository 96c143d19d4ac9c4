#include "markup/runtime/vux_screen_registry.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"

// Lifecycle states of a screen's keep field.
namespace {
constexpr int32_t closing = 3;
constexpr int32_t discarded = 4;

constexpr int32_t screen_kinds[] = {2, 1, 3};  // sweep order: dialogs, windows, menus
}  // namespace

vux_screen_registry::vux_screen_registry(closed_hook closed) : closed_(std::move(closed)) {}

vux_object_list* vux_screen_registry::screens_of(int32_t kind) {
    switch (kind) {
    case 1: return &window_records;
    case 2: return &dialog_records;
    case 3: return &menu_records;
    default: return nullptr;
    }
}

vux_stack* vux_screen_registry::stack_of(int32_t kind) {
    switch (kind) {
    case 1: return &windows;
    case 2: return &dialogs;
    case 3: return &menus;
    default: return nullptr;
    }
}

vux_screen* vux_screen_registry::find_screen(int32_t kind, const vux_string& name) {
    vux_object_list* list = screens_of(kind);
    if (!list || name.empty()) return nullptr;
    // The newest of equal names wins: a later stream may define a screen again.
    for (int32_t i = list->count() - 1; i >= 0; --i) {
        auto* s = static_cast<vux_screen*>(list->get(i));
        if (s->keep != discarded && vux_string_equal(s->name, name)) return s;
    }
    return nullptr;
}

vux_screen* vux_screen_registry::live_screen(int32_t kind, const vux_string& name) {
    vux_screen* s = find_screen(kind, name);
    return s && s->keep != closing && s->keep != discarded ? s : nullptr;
}

void vux_screen_registry::mark_stacks_changed() {
    for (int32_t k : screen_kinds) stack_of(k)->changed = 1;
}

vux_screen* vux_screen_registry::default_menu() {
    if (!default_menu_switch) return nullptr;
    for (int32_t i = 0; i < menu_records.count(); ++i) {
        auto* m = static_cast<vux_menu*>(menu_records.get(i));
        if (m->value_1 != 0 && m->is_kept() && !menus.contains(m)) return m;
    }
    return nullptr;
}

void vux_screen_registry::clear() {
    for (vux_object_list* list : {&window_records, &dialog_records, &menu_records}) list->delete_all();
    default_menu_switch = true;
}

// The screen is marked discarded before anything it owns is closed, so an
// owner cycle finds it already closed and stops; the depth bound keeps a long
// chain from growing the stack: what lies deeper is only marked closing and
// the sweep takes it in its next round.
void vux_screen_registry::close_screen(vux_screen& screen, int32_t depth) {
    screen.keep = discarded;
    const int32_t kind = screen.type_code() == vux_window::code ? 1 : screen.type_code() == vux_dialog::code ? 2 : 3;
    stack_of(kind)->remove(&screen);
    if (closed_) closed_(screen, kind);
    if (screen.name.empty()) return;
    for (int32_t k : screen_kinds) {
        vux_object_list& list = *screens_of(k);
        for (int32_t i = 0; i < list.count(); ++i) {
            auto* s = static_cast<vux_screen*>(list.get(i));
            if (s->keep == discarded || !vux_string_equal(s->title, screen.name)) continue;
            if (depth + 1 >= max_close_depth)
                s->keep = closing;
            else
                close_screen(*s, depth + 1);
        }
    }
}

void vux_screen_registry::sweep_closing() {
    // Each round closes at least one screen, so the rounds end.
    for (bool again = true; again;) {
        again = false;
        for (int32_t k : screen_kinds) {
            vux_object_list& list = *screens_of(k);
            for (int32_t i = 0; i < list.count(); ++i) {
                auto* s = static_cast<vux_screen*>(list.get(i));
                if (s->keep != closing) continue;
                close_screen(*s, 0);
                again = true;
            }
        }
    }
    for (int32_t k : screen_kinds) {
        vux_object_list& list = *screens_of(k);
        for (int32_t i = list.count() - 1; i >= 0; --i)
            if (static_cast<vux_screen*>(list.get(i))->keep == discarded) list.remove_at(i);
    }
}

int32_t vux_screen_registry::show_screen(const vux_action_show& step, const vux_string& name) {
    vux_stack* stack = stack_of(step.kind);
    vux_screen* s = live_screen(step.kind, name);
    if (!stack || !s || !s->is_kept()) return -1;
    const bool on_stack = stack->contains(s);
    switch (step.operation) {
    case 1:
        if (step.kind == 3 && on_stack) break;
        stack->pop_all();
        stack->push(s);
        break;
    case 2:
        if (!on_stack) stack->push(s);
        break;
    case 3:
        stack->remove(s);
        sweep_closing();
        break;
    case 4:
        s->keep = closing;
        sweep_closing();
        break;
    case 6:
        // The screen closes with the next sweep (command 4, or the settle
        // that ends the event), not at once as with operation 4.
        if (step.kind == 3) return -1;
        s->keep = closing;
        if (stack->top() == s) stack->changed = 1;
        break;
    case 5:
    case 8:
    case 9: {
        if (step.kind == 3) return -1;
        vux_element_client& client =
            step.kind == 1 ? static_cast<vux_window*>(s)->client : static_cast<vux_dialog*>(s)->client;
        if (step.operation == 5) {
            client.clear();
            sweep_closing();
        } else if (step.kind != 1) {
            return -1;
        } else if (step.operation == 8) {
            client.to_top();
        } else {
            client.to_bottom();
        }
        if (stack->top() == s) stack->changed = 1;
        break;
    }
    case 7:
        if (step.kind != 1) return -1;
        windows.pop_until_named(s->name);
        break;
    default: return -1;
    }
    return 0;
}
