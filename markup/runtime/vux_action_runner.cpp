#include "markup/runtime/vux_action_runner.h"
#include <algorithm>
#include "core/vux_decimal.h"
#include "markup/model/vux_action_animation.h"
#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_action_font.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_invoke.h"
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
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_odds.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_screen_step.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_device_results.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
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

vux_action_runner::vux_action_runner(vux_document& document, vux_screen_registry& screens, vux_machine& machine,
                                     vux_canvas& canvas, const vux_facility& facility, vux_exchange& exchange,
                                     vux_device_results& results)
    : document_(document),
      screens_(screens),
      machine_(machine),
      canvas_(canvas),
      facility_(facility),
      exchange_(exchange),
      results_(results) {}

vux_action_runner::~vux_action_runner() = default;

vux_environment& vux_action_runner::variables() { return canvas_.variables(); }

int32_t vux_action_runner::run(vux_action& action) {
    vux_environment& env = variables();
    if (!action.variable.empty()) {
        if (action.assigned.empty())
            env.remove(action.variable);
        else
            env.assign(action.variable, action.assigned);
    }
    for (int32_t i = 0; i < action.step_count(); ++i) {
        vux_prediction* step = action.step_at(i);
        if (!step->holds(env)) continue;
        const int32_t result = run_step(*step);
        if (step->stop != 0) return result;
        i += step->skip_count();
    }
    return 0;
}

int32_t vux_action_runner::run_copy(const vux_action& action) {
    auto copy = action.copy();
    if (!copy) return 0;
    if (!document_.nest()) return 0;
    const int32_t result = run(*copy);
    document_.unnest();
    return result;
}

void vux_action_runner::start_action(const vux_action& action) {
    auto copy = action.copy();
    if (!copy) return;
    open_waiting(std::move(copy));
}

// Opens what the action waits for and keeps it; an action that waits for
// nothing runs to its end.
void vux_action_runner::open_waiting(std::unique_ptr<vux_action> action) {
    vux_environment& env = variables();
    if (vux_action_input* in = action->find_pending_input(env)) {
        vux_unicode initial = in->text;
        if (in->value_3 == 1) env.get_unicode(in->variable, initial);
        int32_t maximum = in->value_1;
        if (maximum == 0) maximum = vux_decimal::parse(document_.text_of(vux_names::key_input_maximum));
        if (in->value_2 == 0) facility_.screen_reset();
        env.set_ok(vux_string(vux_names::status_input));
        const vux_unicode title = in->text_1.to_unicode();
        waiting_ = std::move(action);
        facility_.open_text_input(in->state, maximum, reinterpret_cast<const uint16_t*>(title.units()), title.length(),
                                  initial.empty() ? nullptr : reinterpret_cast<const uint16_t*>(initial.units()),
                                  initial.length());
        return;
    }
    if (vux_action_upload* up = action->find_pending_upload(env)) {
        env.set_ok(vux_string(vux_names::status_load));
        const int32_t value = up->value_2;
        const std::string kind = up->text_1.str();
        waiting_ = std::move(action);
        facility_.open_media(value, kind.c_str());
        return;
    }
    if (!document_.nest()) return;
    run(*action);
    document_.unnest();
}

bool vux_action_runner::cancel_waiting() {
    if (!waiting_) return false;
    facility_.close_text_input();
    facility_.close_media();
    drop_waiting();
    return true;
}

void vux_action_runner::drop_waiting() {
    waiting_.reset();
    results_.drop_answers();
}

const vux_action_upload* vux_action_runner::pending_upload() {
    return waiting_ ? waiting_->find_pending_upload(variables()) : nullptr;
}

bool vux_action_runner::resume_input() {
    if (!waiting_ || !results_.has_input()) return false;
    std::unique_ptr<vux_action> action = std::move(waiting_);
    const vux_unicode text = results_.take_input();
    if (!document_.in_error()) {
        action->complete_input(variables(), text);
        open_waiting(std::move(action));
    }
    if (waiting_ && waiting_->find_pending_input(variables()) == nullptr &&
        waiting_->find_pending_upload(variables()) == nullptr)
        waiting_.reset();
    machine_.settle(true);
    return true;
}

bool vux_action_runner::resume_media() {
    if (!waiting_ || !results_.has_media()) return false;
    std::unique_ptr<vux_action> action = std::move(waiting_);
    std::unique_ptr<vux_data> media = results_.take_media();
    if (!document_.in_error() && action->take_upload(variables(), *media)) {
        canvas_.drop_data(media->name);
        canvas_.variables().add_data_name(media->name);
        canvas_.images().add(media);
        open_waiting(std::move(action));
    }
    machine_.settle(true);
    return true;
}

void vux_action_runner::call_function(const vux_string& name) {
    const vux_string target = variables().target_name(name);
    const int32_t i = document_.functions.find(target.str().c_str());
    if (i < 0) return;
    start_action(static_cast<vux_function*>(document_.functions.get(i))->action);
}

void vux_action_runner::run_invoke(const vux_string& target, bool read_data) {
    if (!read_data) {
        call_function(target);
        return;
    }
    if (const vux_data* item = canvas_.images().find(target)) {
        // The stream may replace this very item: read from a copy.
        const vux_buffer bytes(item->bytes);
        document_.load(bytes.data(), bytes.length());
        machine_.settle(false);
        return;
    }
    if (!target.empty()) facility_.open_link(nullptr, target.str().c_str());
}

int32_t vux_action_runner::run_step(vux_prediction& step) {
    vux_environment& env = variables();
    switch (step.type_code()) {
    case vux_type_action_command: run_command(static_cast<vux_action_command&>(step).command); break;
    case vux_type_action_environment: {
        auto& s = static_cast<vux_action_environment&>(step);
        if (s.operation == 5) {
            vux_string v;
            for (int32_t i = 0; i < s.names.count(); ++i)
                if (env.get(s.names.item_at(i), v)) document_.private_store.variables.set_plain(s.names.item_at(i), v);
            document_.save_private();
            break;
        }
        if (s.operation == 3) {
            canvas_.note_mapped_names(s.names);
            break;
        }
        if (s.operation == 4) {
            canvas_.note_file_status(s.names);
            break;
        }
        for (int32_t i = 0; i + 1 < s.names.count(); i += 2) document_.name_changed(s.names.item_at(i));
        env.assign_pairs(s.names);
        if (s.operation == 1) document_.own_variables.assign_pairs(s.names);
        if (s.operation == 2) document_.private_store.variables.assign_pairs(s.names);
        if (s.operation == 2) document_.save_private();
        break;
    }
    case vux_type_action_go: document_.send_go(static_cast<vux_action_go&>(step)); break;
    case vux_type_action_input: {
        auto& s = static_cast<vux_action_input&>(step);
        if (s.variable.empty()) break;
        // Entered text is stored as typed, never parsed for operators.
        if (s.result.empty())
            env.remove(s.variable);
        else
            env.set_plain(s.variable, s.result.to_utf8_string());
        break;
    }
    case vux_type_action_invoke: {
        auto& s = static_cast<vux_action_invoke&>(step);
        if (!document_.nest()) break;
        run_invoke(s.target, s.mode != 0);
        document_.unnest();
        break;
    }
    default: return run_screen_step(step);
    }
    return 0;
}

void vux_action_runner::run_command(int32_t code) {
    vux_environment& env = variables();
    switch (code) {
    case 1: document_.connect(); break;
    case 2: exchange_.user_retry(); break;
    case 5:
        if (cancel_waiting()) {
            env.remove(vux_string(vux_names::status_input));
            env.remove(vux_string(vux_names::status_load));
        }
        break;
    case 3: machine_.settle(true); break;
    case 4: screens_.sweep_closing(); break;
    case 6:
        if (!document_.exit_requested) document_.logout_requested = true;
        break;
    case 7:
        if (document_.overtime) {
            std::unique_ptr<vux_overtime> fired = std::move(document_.overtime);
            variables().remove(vux_string(vux_names::status_overtime));
            run_copy(fired->action);
            machine_.settle(true);
        }
        break;
    case 8: document_.end_overtime(); break;
    case 9: document_.request_connect(); break;
    case 10:
        document_.close_dialog(vux_names::dialog_status);
        document_.send_register();
        break;
    case 11: document_.exit_requested = true; break;
    case 12:
        document_.private_store.clear();
        document_.save_private();
        break;
    case 13:
        if (env.contains(vux_string(vux_names::key_beep))) facility_.notify_user(2);
        break;
    case 14: facility_.notify_user(4); break;
    case 15: facility_.notify_user(5); break;
    case 16: results_.stop_media(false); break;
    case 17: exchange_.resend_stale_poll(); break;
    case 18:
    case 19:
    case 20: facility_.request_location(code - 18); break;
    case 21:
        document_.time_count = 0;
        document_.update_time_variables();
        break;
    case 22:
    case 23:
        screens_.default_menu_switch = code == 22;
        machine_.settle(true);
        break;
    case 24:
        if (vux_screen* m = screens_.default_menu()) screens_.menus.push(m);
        break;
    case 25: sweep_motions(true); break;
    // The machine's second switch: while it is on, input runs only actions
    // whose header asks for it.
    case 26:
    case 27: machine_.set_action_lock(code == 26 ? 1 : 0); break;
    case 28:
    case 29: document_.timed_triggers = code == 28; break;
    case 30:
        machine_.repaint();
        canvas_.repaint();
        break;
    default: break;
    }
}

void vux_action_runner::run_clear(const vux_action_clear& step) {
    const vux_string& prefix = step.target;
    vux_environment& env = variables();
    bool any = false;
    if (step.bit_10()) {
        facility_.screen_reset();
        any = true;
    }
    // An empty prefix matches nothing.
    if (!prefix.empty()) {
        if (step.bit_0()) {
            for (int32_t i = canvas_.images().count() - 1; i >= 0; --i) {
                const vux_string name = canvas_.images().at(i)->name;
                if (name.starts_with(prefix)) any |= canvas_.drop_data(name);
            }
        }
        if (step.bit_1()) any |= remove_named_prefixed<vux_function>(document_.functions, prefix, &env);
        if (step.bit_2()) any |= remove_named_prefixed<vux_odds>(document_.odds, prefix, nullptr);
        if (step.bit_3()) any |= remove_named_prefixed<vux_option>(document_.options, prefix, &env);
        const int32_t screen_bits[] = {2, 3, 1};  // bits 4, 5, 6: dialogs, menus, windows
        bool closing = false;
        for (int32_t b = 0; b < 3; ++b) {
            if (!step.bit(4 + b)) continue;
            vux_object_list& list = *screens_.screens_of(screen_bits[b]);
            for (int32_t i = 0; i < list.count(); ++i) {
                auto* s = static_cast<vux_screen*>(list.get(i));
                if (s->keep == 4 || !s->name.starts_with(prefix)) continue;
                s->keep = 3;
                closing = true;
            }
        }
        if (closing) {
            screens_.sweep_closing();
            any = true;
        }
        if (step.bit_7() && remove_prefixed(document_.private_store.variables, prefix, &env)) {
            document_.save_private();
            any = true;
        }
        if (step.bit_8()) any |= remove_prefixed(document_.own_variables, prefix, &env);
        if (step.bit_9()) any |= remove_prefixed(env, prefix);
    }
    if (any) machine_.settle(true);
}

void vux_action_runner::sweep_motions(bool finish_all) {
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

bool vux_action_runner::tick_motions() {
    if (motions.count() == 0) return false;
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

// Steps on screens, media and collections. A target that is missing,
// closing or discarded gives -1 and changes nothing.
int32_t vux_action_runner::run_screen_step(vux_prediction& step) {
    vux_environment& env = variables();
    auto window = [&](const vux_string& name) { return static_cast<vux_window*>(screens_.live_screen(1, name)); };
    auto touched = [&](vux_screen* s, int32_t kind) {
        if (screens_.stack_of(kind)->top() == s) screens_.stack_of(kind)->changed = 1;
    };
    switch (step.type_code()) {
    case vux_type_action_animation: {
        auto& s = static_cast<vux_action_animation&>(step);
        const vux_data* item = canvas_.images().find(s.name);
        if (s.name.empty() || !item || s.value_1 <= 0) return -1;
        const int32_t handle = facility_.call(&vux_facility_table::start_animation, s.value_1, s.value_2, s.value_3,
                                              s.value_4, item->bytes.data(), item->bytes.length());
        if (handle == 0) return 0;
        results_.animation_handle = handle;
        env.set_ok(vux_names::status_animation);
        results_.animation_blocking = s.value_5 != 0;
        results_.animation_end = s.end_action ? s.end_action->copy() : nullptr;
        return 0;
    }
    case vux_type_action_clear: run_clear(static_cast<vux_action_clear&>(step)); return 0;
    case vux_type_action_element:
    case vux_type_action_paragraph:
    case vux_type_action_property: {
        auto& s = static_cast<vux_screen_step&>(step);
        const int32_t kind = s.targets_window() ? 1 : 2;
        // Only a usable screen takes them.
        vux_screen* target = screens_.live_screen(kind, s.screen);
        if (!target || !target->is_kept()) return -1;
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
        if (s.message.empty() || document_.in_error()) return 0;
        document_.step_failed(s.flag != 0, s.message.to_utf8_string());
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
        facility_.open_link(s.kind.empty() ? nullptr : s.kind.str().c_str(), text.str().c_str());
        machine_.settle(true);
        return 0;
    }
    case vux_type_action_menu: {
        auto& s = static_cast<vux_action_menu&>(step);
        auto* m = static_cast<vux_menu*>(screens_.live_screen(3, s.text_1));
        if (!m) return -1;
        screens_.menus.remove(m);
        if (m->is_kept()) {
            m->apply_menu_step(s);
            screens_.menus.push(m);
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
        results_.stop_media(false);
        const vux_data* item = canvas_.images().find(s.name);
        if (!item) return -1;
        const int32_t handle = facility_.call(&vux_facility_table::play_music, s.type_text.str().c_str(),
                                              item->bytes.data(), item->bytes.length());
        if (handle == 0) return 0;
        results_.music_handle = handle;
        env.set_ok(vux_names::status_music);
        results_.music_blocking = s.value_1 != 0;
        results_.music_end = s.end_action ? s.end_action->copy() : nullptr;
        return 0;
    }
    case vux_type_action_odds: {
        auto& s = static_cast<vux_action_odds&>(step);
        const int32_t i = document_.odds.find(s.odds_name.str().c_str());
        if (i < 0) return -1;
        for (const vux_string* name :
             {&s.item_variable, &s.query_variable, &s.count_variable, &s.index_variable, &s.exact_variable})
            document_.name_changed(*name);
        static_cast<vux_odds*>(document_.odds.get(i))->apply(s, env);
        return 0;
    }
    case vux_type_action_pick: {
        auto& s = static_cast<vux_action_pick&>(step);
        const int32_t i = document_.options.find(s.option.str().c_str());
        if (i < 0) return -1;
        auto* o = static_cast<vux_option*>(document_.options.get(i));
        if (o->apply_pick_step(s)) {
            env.set_plain(o->name, o->selected_text());
            document_.name_changed(o->name);
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
        } else if (bar) {
            // By the amount from where the content stands, or from the top of
            // the named paragraph when it is shown.
            int64_t from = bar->y_offset;
            const vux_element_paragraph* p = s.paragraph.empty() ? nullptr : w->client.find_paragraph(s.paragraph);
            if (p && p->active() && p->flag(vux_element_paragraph::measured_bit)) from = p->top_y;
            const int64_t most = std::max<int64_t>(0, int64_t(bar->content_height) - bar->view_height);
            bar->scroll_to(int32_t(std::clamp<int64_t>(from + s.amount, 0, most)));
        }
        touched(w, 1);
        return 0;
    }
    case vux_type_action_show: {
        auto& s = static_cast<vux_action_show&>(step);
        return screens_.show_screen(s, env.target_name(s.target));
    }
    case vux_type_action_sms: {
        auto& s = static_cast<vux_action_sms&>(step);
        if (s.number.empty()) return 0;
        vux_unicode text = s.text;
        if (!s.text_variable.empty()) env.get_unicode(s.text_variable, text);
        if (text.empty()) return 0;
        facility_.call(&vux_facility_table::send_message, s.number.str().c_str(),
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
