#include <algorithm>
#include "markup/model/vux_action_animation.h"
#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_action_font.h"
#include "markup/model/vux_action_launch.h"
#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_action_music.h"
#include "markup/model/vux_action_odds.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_action_scroll.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_action_sms.h"
#include "markup/model/vux_action_softkey.h"
#include "markup/model/vux_action_title.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_odds.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_screen_step.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_manager.h"
#include "markup/runtime/vux_reserved_names.h"
#include "markup/runtime/vux_screen_registry.h"

namespace {

// Removes every variable whose name begins with the prefix; true when any went.
bool remove_prefixed(vux_environment& env, const vux_string& prefix, vux_environment* also = nullptr) {
    bool any = false;
    for (int32_t i = env.count() - 1; i >= 0; --i) {
        const vux_string name = env.name_at(i);
        if (!name.starts_with(prefix)) continue;
        env.remove(name);
        if (also) also->remove(name);
        any = true;
    }
    return any;
}

template <class T>
bool remove_named_prefixed(vux_object_list& list, const vux_string& prefix, vux_environment* env) {
    bool any = false;
    for (int32_t i = list.count() - 1; i >= 0; --i) {
        auto* r = static_cast<T*>(list.get(i));
        if (!r->name.starts_with(prefix)) continue;
        if (env) env->remove(r->name);
        list.remove_at(i);
        any = true;
    }
    return any;
}

}  // namespace

void vux_document::run_clear(const vux_action_clear& step) {
    const vux_string& prefix = step.target;
    vux_environment& env = variables();
    vux_canvas& canvas = manager_->canvas();
    bool any = false;
    if (step.bit_10()) {
        manager_->facility().screen_reset();
        any = true;
    }
    // An empty prefix matches nothing.
    if (!prefix.empty()) {
        if (step.bit_0()) {
            for (int32_t i = canvas.images().count() - 1; i >= 0; --i) {
                const vux_string name = canvas.images().at(i)->name;
                if (name.starts_with(prefix)) any |= canvas.drop_data(name);
            }
        }
        if (step.bit_1()) any |= remove_named_prefixed<vux_function>(functions, prefix, &env);
        if (step.bit_2()) any |= remove_named_prefixed<vux_odds>(odds, prefix, nullptr);
        if (step.bit_3()) any |= remove_named_prefixed<vux_option>(options, prefix, &env);
        const int32_t screen_bits[] = {2, 3, 1};  // bits 4, 5, 6: dialogs, menus, windows
        bool closing = false;
        for (int32_t b = 0; b < 3; ++b) {
            if (!step.bit(4 + b)) continue;
            vux_object_list& list = *manager_->screens().screens_of(screen_bits[b]);
            for (int32_t i = 0; i < list.count(); ++i) {
                auto* s = static_cast<vux_screen*>(list.get(i));
                if (s->keep == 4 || !s->name.starts_with(prefix)) continue;
                s->keep = 3;
                closing = true;
            }
        }
        if (closing) {
            manager_->screens().sweep_closing();
            any = true;
        }
        if (step.bit_7() && remove_prefixed(private_store.variables, prefix, &env)) {
            save_private();
            any = true;
        }
        if (step.bit_8()) any |= remove_prefixed(own_variables, prefix, &env);
        if (step.bit_9()) any |= remove_prefixed(env, prefix);
    }
    if (any) manager_->machine().settle(true);
}

void vux_document::stop_media(bool run_end) {
    vux_environment& env = variables();
    const vux_facility& f = manager_->facility();
    std::unique_ptr<vux_action> ends[2];
    const bool was_animation = animation_handle != 0;
    if (music_handle) {
        env.remove(vux_names::status_music);
        f.stop_music(1);
        music_handle = 0;
    }
    if (animation_handle) {
        env.remove(vux_names::status_animation);
        f.stop_music(2);
        animation_handle = 0;
    }
    music_blocking = animation_blocking = false;
    ends[0] = std::move(music_end);
    ends[1] = std::move(animation_end);
    if (run_end)
        for (auto& a : ends)
            if (a) start_action(*a);
    if (run_end && was_animation) manager_->machine().settle(true);
}

void vux_document::sweep_motions(bool finish_all) {
    for (int32_t i = 0; i < motions.count(); ++i) {
        auto* m = static_cast<vux_action_motion*>(motions.get(i));
        if (!finish_all || m->is_finished()) continue;
        m->state = 2;
        if (m->end_action) run_copy(*m->end_action);
    }
    bool any = false;
    for (int32_t i = motions.count() - 1; i >= 0; --i) {
        if (!static_cast<vux_action_motion*>(motions.get(i))->is_finished()) continue;
        motions.remove_at(i);
        any = true;
    }
    if (any && motions.count() == 0) variables().remove(vux_names::status_motion);
}

bool vux_document::tick_work() {
    bool did = pull_step();
    if (deferred_settle) {
        deferred_settle = false;
        manager_->machine().settle(true);
        did = true;
    }
    if (motions.count() == 0) return did;
    // Actions a motion yields may add or end motions: walk by index, and
    // run copies, as the motion owns what it yields.
    for (int32_t i = 0; i < motions.count(); ++i) {
        auto* m = static_cast<vux_action_motion*>(motions.get(i));
        if (m->is_finished()) continue;
        if (vux_action* a = m->advance(142, variables())) run_copy(*a);
        m = static_cast<vux_action_motion*>(motions.get(i));
        if (m && m->is_finished() && m->end_action) run_copy(*m->end_action);
    }
    sweep_motions(false);
    return true;
}

// The top window's scroll bar settles one step; an over-scroll it ends runs
// that edge's pull action, once until the client is refilled.
bool vux_document::pull_step() {
    vux_machine& machine = manager_->machine();
    auto* w = static_cast<vux_window*>(machine.windows.top());
    vux_element_scrollbar* bar = w ? w->client.scroll_bar.get() : nullptr;
    if (!bar || !machine.window_in_front()) return false;
    const bool over_top = bar->overscroll_top(), over_bottom = bar->overscroll_bottom();
    if (!bar->settle_step()) return false;
    std::unique_ptr<vux_action> pull;
    if (over_top && !bar->overscroll_top() && w->client.pull_top && !w->client.pull_top->runtime_a) {
        w->client.pull_top->runtime_a = 1;
        pull = w->client.pull_top->copy();
    } else if (over_bottom && !bar->overscroll_bottom() && w->client.pull_bottom && !w->client.pull_bottom->runtime_a) {
        w->client.pull_bottom->runtime_a = 1;
        pull = w->client.pull_bottom->copy();
    }
    machine.repaint_full();
    if (pull) start_action(*pull);
    return true;
}

void vux_document::idle_work() {
    vux_machine& machine = manager_->machine();
    if (overtime || is_blocked() || !machine.window_in_front() || !machine.windows.top()) return;
    if (action_queue.count() > 0 || motions.count() > 0) return;
    if (!subtitles.active() && subtitles.queued() == 0) return;
    subtitles.start();
    if (!subtitles.current()) return;
    vux_canvas& canvas = manager_->canvas();
    subtitles.advance(canvas.metric(18), canvas.screen_width());
    machine.repaint_full();
}

void vux_document::end_subtitle() {
    if (!subtitles.active()) return;
    const bool shown = subtitles.current() != nullptr;
    subtitles.stop();
    if (shown) manager_->machine().repaint_full();
}

// Steps on screens, media and collections. A target that is missing,
// closing or discarded gives -1 and changes nothing.
int32_t vux_document::run_screen_step(vux_prediction& step) {
    vux_environment& env = variables();
    vux_canvas& canvas = manager_->canvas();
    const vux_facility& f = manager_->facility();
    vux_machine& machine = manager_->machine();
    vux_screen_registry& screens = manager_->screens();
    auto window = [&](const vux_string& name) { return static_cast<vux_window*>(screens.live_screen(1, name)); };
    auto touched = [&](vux_screen* s, int32_t kind) {
        if (screens.stack_of(kind)->top() == s) screens.stack_of(kind)->changed = 1;
    };
    switch (step.type_code()) {
    case vux_type_action_animation: {
        auto& s = static_cast<vux_action_animation&>(step);
        const vux_data* item = canvas.images().find(s.name);
        if (s.name.empty() || !item || s.value_1 <= 0) return -1;
        const int32_t handle = f.call(&vux_facility_table::start_animation, s.value_1, s.value_2, s.value_3, s.value_4,
                                      item->bytes.data(), item->bytes.length());
        if (handle == 0) return 0;
        animation_handle = handle;
        env.set_ok(vux_names::status_animation);
        animation_blocking = s.value_5 != 0;
        animation_end = s.end_action ? s.end_action->copy() : nullptr;
        return 0;
    }
    case vux_type_action_clear: run_clear(static_cast<vux_action_clear&>(step)); return 0;
    case vux_type_action_element:
    case vux_type_action_paragraph:
    case vux_type_action_property: {
        auto& s = static_cast<vux_screen_step&>(step);
        const int32_t kind = s.targets_window() ? 1 : 2;
        vux_screen* target = screens.live_screen(kind, s.screen);
        if (!target) return -1;
        vux_element_client& client =
            kind == 1 ? static_cast<vux_window*>(target)->client : static_cast<vux_dialog*>(target)->client;
        if (step.type_code() == vux_type_action_element)
            client.apply_element_step(static_cast<vux_action_element&>(step));
        else if (step.type_code() == vux_type_action_paragraph)
            client.apply_paragraph_step(static_cast<vux_action_paragraph&>(step));
        else
            client.apply_property_step(static_cast<vux_action_property&>(step), env);
        touched(target, kind);
        return 0;
    }
    case vux_type_action_error: {
        auto& s = static_cast<vux_action_error&>(step);
        if (s.message.empty() || in_error()) return 0;
        state_ = state_step_error;
        show_dialog(s.flag ? vux_names::dialog_fatal : vux_names::dialog_error, s.message.to_utf8_string());
        return 0;
    }
    case vux_type_action_font: {
        auto& s = static_cast<vux_action_font&>(step);
        vux_window* w = window(s.window);
        if (!w) return -1;
        if (w->client.font_size != s.font) {
            w->client.font_size = s.font;
            w->client.refresh_layout(false);
            touched(w, 1);
        }
        return 0;
    }
    case vux_type_action_launch: {
        auto& s = static_cast<vux_action_launch&>(step);
        vux_string text = s.argument;
        if (!s.variable.empty() && !env.get(s.variable, text)) return 0;
        f.open_link(s.kind.empty() ? nullptr : s.kind.str().c_str(), text.str().c_str());
        machine.settle(true);
        return 0;
    }
    case vux_type_action_menu: {
        auto& s = static_cast<vux_action_menu&>(step);
        auto* m = static_cast<vux_menu*>(screens.live_screen(3, s.text_1));
        if (!m) return -1;
        machine.menus.remove(m);
        if (m->is_kept()) {
            m->apply_menu_step(s);
            machine.menus.push(m);
        }
        return 0;
    }
    case vux_type_action_motion: {
        env.set_ok(vux_names::status_motion);
        if (auto copy = vux_prediction::clone_step(step)) motions.append(std::move(copy));
        return 0;
    }
    case vux_type_action_music: {
        auto& s = static_cast<vux_action_music&>(step);
        if (s.name.empty()) return 0;
        stop_media(false);
        const vux_data* item = canvas.images().find(s.name);
        if (!item) return -1;
        const int32_t handle = f.call(&vux_facility_table::play_music, s.type_text.str().c_str(), item->bytes.data(),
                                      item->bytes.length());
        if (handle == 0) return 0;
        music_handle = handle;
        env.set_ok(vux_names::status_music);
        music_blocking = s.value_1 != 0;
        music_end = s.end_action ? s.end_action->copy() : nullptr;
        return 0;
    }
    case vux_type_action_odds: {
        auto& s = static_cast<vux_action_odds&>(step);
        const int32_t i = odds.find(s.odds_name.str().c_str());
        if (i < 0) return -1;
        screens.mark_stacks_changed();
        static_cast<vux_odds*>(odds.get(i))->apply(s, env);
        return 0;
    }
    case vux_type_action_pick: {
        auto& s = static_cast<vux_action_pick&>(step);
        const int32_t i = options.find(s.option.str().c_str());
        if (i < 0) return -1;
        auto* o = static_cast<vux_option*>(options.get(i));
        if (o->apply_pick_step(s)) {
            env.set_plain(o->name, o->selected_text());
            screens.mark_stacks_changed();
        }
        return 0;
    }
    case vux_type_action_scroll: {
        auto& s = static_cast<vux_action_scroll&>(step);
        vux_window* w = window(s.window);
        if (!w) return -1;
        vux_element_scrollbar* bar = w->client.scroll_bar.get();
        if (s.mode == 0) {
            // Where the next painting scrolls to.
            w->client.target_paragraph = s.paragraph;
            w->client.target_element = s.element;
        } else if (s.amount != 0 && bar) {
            const int64_t most = std::max<int64_t>(0, int64_t(bar->content_height) - bar->view_height);
            bar->y_offset = int32_t(std::clamp<int64_t>(int64_t(bar->y_offset) + s.amount, 0, most));
        }
        touched(w, 1);
        return 0;
    }
    case vux_type_action_show: {
        auto& s = static_cast<vux_action_show&>(step);
        return screens.show_screen(s, env.target_name(s.target));
    }
    case vux_type_action_sms: {
        auto& s = static_cast<vux_action_sms&>(step);
        if (s.number.empty()) return 0;
        vux_unicode text = s.text;
        if (!s.text_variable.empty()) env.get_unicode(s.text_variable, text);
        if (text.empty()) return 0;
        f.call(&vux_facility_table::send_message, s.number.str().c_str(),
               reinterpret_cast<const uint16_t*>(text.units()), text.length());
        return 0;
    }
    case vux_type_action_softkey: {
        auto& s = static_cast<vux_action_softkey&>(step);
        vux_window* w = window(s.window);
        if (!w) return -1;
        w->commandbar.apply_softkey_step(s);
        touched(w, 1);
        return 0;
    }
    case vux_type_action_title: {
        auto& s = static_cast<vux_action_title&>(step);
        vux_window* w = window(s.window);
        if (!w) return -1;
        if (!s.text.empty()) {
            w->titlebar.set_title(s.text);
            touched(w, 1);
        }
        return 0;
    }
    default: return 0;  // the upload step does nothing when run
    }
}
