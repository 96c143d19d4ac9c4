#pragma once
#include <cstdint>
#include <functional>
#include "core/vux_object_list.h"
#include "core/vux_string.h"
#include "markup/runtime/vux_stack_dialog.h"
#include "markup/runtime/vux_stack_menu.h"
#include "markup/runtime/vux_stack_window.h"

class vux_action_show;
class vux_screen;

// The screens the document's streams defined (kind 1 windows, 2 dialogs,
// 3 menus), the three stacks that show them, and their closing: a screen
// marked closing goes with the next sweep, and with it every screen it owns.
// The records are owned here; the stacks only point at them.
class vux_screen_registry {
public:
    // Told of each screen as it closes, after it left its stack and before
    // the screens it owns close: the document drops what the screen owned.
    using closed_hook = std::function<void(const vux_screen& screen, int32_t kind)>;

    // Deepest chain of owners closed in one descent; deeper ones are marked
    // closing and taken by the sweep's next round.
    static constexpr int32_t max_close_depth = 16;

    explicit vux_screen_registry(closed_hook closed);
    vux_screen_registry(const vux_screen_registry&) = delete;
    vux_screen_registry& operator=(const vux_screen_registry&) = delete;

    vux_object_list* screens_of(int32_t kind);
    vux_stack* stack_of(int32_t kind);
    vux_screen* find_screen(int32_t kind, const vux_string& name);
    // A screen a step may act on: present and neither closing nor discarded.
    vux_screen* live_screen(int32_t kind, const vux_string& name);
    // Closes every screen marked closing, with what it owns, then drops the
    // closed records from their collections.
    void sweep_closing();
    // The show step, with its target name already resolved; -1 when it
    // cannot act.
    int32_t show_screen(const vux_action_show& step, const vux_string& name);
    void mark_stacks_changed();
    // The first kept, closed menu marked as default (null while the switch is off).
    vux_screen* default_menu();
    // Deletes every screen and turns the default-menu switch on again.
    void clear();

    // The defined screens, in arrival order.
    vux_object_list window_records, dialog_records, menu_records;
    // The open screens, bottom first; the front one is the top menu, else
    // the top dialog, else the top window.
    vux_stack_dialog dialogs;
    vux_stack_menu menus;
    vux_stack_window windows;
    bool default_menu_switch = true;

private:
    void close_screen(vux_screen& screen, int32_t depth);

    closed_hook closed_;
};
