#pragma once
#include <cstdint>
#include "core/vux_object.h"
#include "core/vux_point.h"
#include "markup/runtime/vux_screen_registry.h"

class vux_action;
class vux_action_runner;
class vux_canvas;
class vux_device_results;
class vux_document;
class vux_exchange;
class vux_facility;
class vux_element_client;
class vux_element_commandbar;
class vux_menu;
class vux_overtime;

// Input routing: turns keys, pointer events, drag steps and ticks into
// operations on the front screen, runs what they yield and settles the
// registry's stacks. The front screen is the top menu, else the top dialog,
// else the top window.
class vux_machine : public vux_object {
public:
    // Ticks a tap candidate must be held before it counts as a long press.
    static constexpr int32_t long_press_ticks = 7;
    // Host ticks a second (the rate the document starts the host timer with).
    static constexpr int32_t clock_rate = 7;

    vux_machine(vux_screen_registry& screens, vux_document& document, vux_action_runner& runner, vux_canvas& canvas,
                const vux_facility& facility, vux_exchange& exchange, vux_device_results& results);
    vux_machine(const vux_machine&) = delete;
    vux_machine& operator=(const vux_machine&) = delete;

    void key(int32_t code);
    void pointer(int32_t kind, int32_t x, int32_t y);
    int32_t drag_step(int32_t restart, int32_t direction, int32_t fast);
    bool hold_tick();
    // The last of the per-tick work: the element clocks with the tick count.
    void frame_step(int32_t t);
    bool timed_tick();
    bool deferred_repaint();
    void settle(bool force);
    int32_t run_action(const vux_action& action, bool direct);
    void perform(const vux_action& action);
    bool pointer_busy() const { return pointer_down != 0 || activation_countdown > 0; }
    bool window_in_front() const { return screens_.menus.count() == 0 && screens_.dialogs.count() == 0; }
    void reset();
    void reset_overtimes();
    void user_activity() { reset_overtimes(); }
    void set_action_lock(uint8_t on) { action_lock = on; }
    void set_snapshot(bool on) { snapshot = on ? 1 : 0; }
    void repaint();
    void repaint_full();
    vux_screen* front() const;

    uint8_t snapshot = 0;
    int32_t drag_release_countdown = 0;
    int32_t activation_countdown = 0;
    uint8_t full_paint = 0;
    uint8_t action_lock = 0;
    uint8_t in_input = 0;
    uint8_t pointer_down = 0;
    uint8_t dragging = 0;
    uint8_t drag_moved = 0;
    uint8_t repaint_pending = 0;
    uint8_t press_recorded = 0;
    int32_t press_x = 0;
    int32_t press_y = 0;
    int32_t press_ticks = 0;

private:
    bool select();
    void back();
    void soft_key(int32_t slot);
    const vux_action* soft_key_action(int32_t slot);
    const vux_overtime* overtime_on_top_window() const;
    bool overtime_owns_soft_keys() const;
    // Pops the front menu, dialog or window with the document's marking;
    // kind 3 also takes the window below a menu.
    void pop_menu(bool with_window);
    void pop_front_screen();
    void run_closing(vux_screen* s, const vux_action& action);
    void take_menu_command();
    bool scroll_key(int32_t code);
    bool move_menu(vux_menu& menu, int32_t code);
    bool move_focus(int32_t code);
    bool long_press();
    bool pointer_press(const vux_point& p);
    void pointer_move(const vux_point& p);
    void pointer_release(const vux_point& p);
    void present();
    // Settles what the frame shows before the canvas paints it.
    void prepare_frame();
    bool swallowed();
    void write_snapshot();
    int32_t tolerance() const;

    vux_screen_registry& screens_;
    vux_document& document_;
    vux_action_runner& runner_;
    vux_canvas& canvas_;
    const vux_facility& facility_;
    vux_exchange& exchange_;
    vux_device_results& results_;
};
