#include "core/vux_decimal.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_invoke.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_function.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_manager.h"
#include "markup/runtime/vux_reserved_names.h"

namespace {

// The variable and the function of each location kind.
struct location_kind {
    const char* variable;
    const char* function;
};
constexpr location_kind location_kinds[] = {
    {vux_names::key_gps, vux_names::function_on_gps},
    {vux_names::key_cid, vux_names::function_on_cid},
    {vux_names::key_mac, vux_names::function_on_mac},
};

}  // namespace

int32_t vux_document::run(vux_action& action) {
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

int32_t vux_document::run_copy(const vux_action& action) {
    auto copy = action.copy();
    if (!copy) return 0;
    if (depth_ >= max_depth) {
        script_error("SCRIPT ERROR!");
        return 0;
    }
    ++depth_;
    const int32_t result = run(*copy);
    --depth_;
    return result;
}

void vux_document::start_action(const vux_action& action) {
    auto copy = action.copy();
    if (!copy) return;
    open_waiting(std::move(copy));
}

// Opens what the action waits for and keeps it; an action that waits for
// nothing runs to its end.
void vux_document::open_waiting(std::unique_ptr<vux_action> action) {
    vux_environment& env = variables();
    const vux_facility& f = manager_->facility();
    if (vux_action_input* in = action->find_pending_input(env)) {
        vux_unicode initial = in->text;
        if (in->value_3 == 1) env.get_unicode(in->variable, initial);
        int32_t maximum = in->value_1;
        if (maximum == 0) maximum = vux_decimal::parse(text_of(vux_names::key_input_maximum));
        if (in->value_2 == 0) f.screen_reset();
        env.set_ok(vux_string(vux_names::status_input));
        const vux_unicode title = in->text_1.to_unicode();
        waiting_ = std::move(action);
        f.open_text_input(in->state, maximum, reinterpret_cast<const uint16_t*>(title.units()), title.length(),
                          initial.empty() ? nullptr : reinterpret_cast<const uint16_t*>(initial.units()),
                          initial.length());
        return;
    }
    if (vux_action_upload* up = action->find_pending_upload(env)) {
        env.set_ok(vux_string(vux_names::status_load));
        const int32_t value = up->value_2;
        const std::string kind = up->text_1.str();
        waiting_ = std::move(action);
        f.open_media(value, kind.c_str());
        return;
    }
    if (depth_ >= max_depth) {
        script_error("SCRIPT ERROR!");
        return;
    }
    ++depth_;
    run(*action);
    --depth_;
}

void vux_document::drop_waiting() {
    waiting_.reset();
    has_input_ = false;
    input_text_.clear();
    media_.reset();
}

bool vux_document::resume_input() {
    if (!waiting_ || !has_input_) return false;
    std::unique_ptr<vux_action> action = std::move(waiting_);
    const vux_unicode text = input_text_;
    has_input_ = false;
    input_text_.clear();
    media_.reset();
    if (!in_error()) {
        action->complete_input(variables(), text);
        open_waiting(std::move(action));
    }
    if (waiting_ && waiting_->find_pending_input(variables()) == nullptr &&
        waiting_->find_pending_upload(variables()) == nullptr)
        waiting_.reset();
    manager_->machine().settle(true);
    return true;
}

bool vux_document::resume_media() {
    if (!waiting_ || !media_) return false;
    std::unique_ptr<vux_action> action = std::move(waiting_);
    std::unique_ptr<vux_data> media = std::move(media_);
    has_input_ = false;
    input_text_.clear();
    if (!in_error() && action->take_upload(variables(), *media)) {
        manager_->canvas().drop_data(media->name);
        manager_->canvas().variables().add_data_name(media->name);
        manager_->canvas().images().add(media);
        open_waiting(std::move(action));
    }
    manager_->machine().settle(true);
    return true;
}

void vux_document::on_input_text(const uint16_t* text, int32_t count) {
    variables().remove(vux_string(vux_names::status_input));
    if (in_error() || !text || !waiting_) {
        drop_waiting();
        manager_->machine().settle(true);
        return;
    }
    input_text_ = vux_unicode(reinterpret_cast<const char16_t*>(text), count < 0 ? 0 : count);
    has_input_ = true;
}

void vux_document::on_media(const uint8_t* bytes, int32_t length) {
    variables().remove(vux_string(vux_names::status_load));
    if (in_error() || !bytes || length <= 0 || !waiting_) {
        drop_waiting();
        manager_->machine().settle(true);
        return;
    }
    media_ = std::make_unique<vux_data>();
    media_->bytes.assign_bytes(bytes, length);
    media_->discard_after_send = 1;
    vux_action_upload* up = waiting_->find_pending_upload(variables());
    if (up && up->value_5 != 0) {
        const vux_facility& f = manager_->facility();
        for (int32_t n = 0; n < max_numbered_names; ++n) {
            const std::string name = std::to_string(n) + ".ul";
            if (f.query_file(name.c_str()) != 0) continue;
            variables().set_plain(vux_string(vux_names::key_chat_file_id), vux_string(std::string_view(name)));
            f.write_file(name.c_str(), bytes, length);
            return;
        }
        variables().remove(vux_string(vux_names::key_chat_file_id));
    }
}

void vux_document::on_location(int32_t status, const char* text) {
    if (status >= 0 && status <= 2) {
        const location_kind& k = location_kinds[status];
        // The screens showing the reading repaint with the settle below.
        manager_->screens().mark_stacks_changed();
        const vux_string name(k.variable);
        const vux_string value(text ? text : "null");
        variables().set_plain(name, value);
        private_store.variables.set_plain(name, value);
        if (text) call_function(vux_string(k.function));
    }
    save_private();
    manager_->machine().settle(false);
}

void vux_document::call_function(const vux_string& name) {
    const vux_string target = variables().target_name(name);
    const int32_t i = functions.find(target.str().c_str());
    if (i < 0) return;
    start_action(static_cast<vux_function*>(functions.get(i))->action);
}

void vux_document::run_invoke(const vux_string& target, bool read_data) {
    if (!read_data) {
        call_function(target);
        return;
    }
    if (const vux_data* item = manager_->canvas().images().find(target)) {
        // The stream may replace this very item: read from a copy.
        const vux_buffer bytes(item->bytes);
        load(bytes.data(), bytes.length());
        manager_->machine().settle(false);
        return;
    }
    if (!target.empty()) manager_->facility().open_link(nullptr, target.str().c_str());
}

int32_t vux_document::run_step(vux_prediction& step) {
    vux_environment& env = variables();
    switch (step.type_code()) {
    case vux_type_action_command: run_command(static_cast<vux_action_command&>(step).command); break;
    case vux_type_action_environment: {
        auto& s = static_cast<vux_action_environment&>(step);
        if (s.operation == 5) {
            vux_string v;
            for (int32_t i = 0; i < s.names.count(); ++i)
                if (env.get(s.names.item_at(i), v)) private_store.variables.set_plain(s.names.item_at(i), v);
            save_private();
            break;
        }
        if (s.operation == 3) {
            manager_->canvas().note_mapped_names(s.names);
            break;
        }
        if (s.operation == 4) {
            manager_->canvas().note_file_status(s.names);
            break;
        }
        if (s.names.count() >= 2) manager_->screens().mark_stacks_changed();
        for (int32_t i = 0; i + 1 < s.names.count(); i += 2) {
            const vux_string& n = s.names.item_at(i);
            const vux_string& v = s.names.item_at(i + 1);
            env.assign(n, v);
            if (s.operation == 1) own_variables.assign(n, v);
            if (s.operation == 2) private_store.variables.assign(n, v);
        }
        if (s.operation == 2) save_private();
        break;
    }
    case vux_type_action_go: send_go(static_cast<vux_action_go&>(step)); break;
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
        if (depth_ >= max_depth) {
            script_error("SCRIPT ERROR!");
            break;
        }
        ++depth_;
        run_invoke(s.target, s.mode != 0);
        --depth_;
        break;
    }
    default: return run_screen_step(step);
    }
    return 0;
}

void vux_document::run_command(int32_t code) {
    vux_environment& env = variables();
    const vux_facility& f = manager_->facility();
    switch (code) {
    case 1: connect(); break;
    case 2: manager_->exchange().user_retry(); break;
    case 5:
        if (waiting_) {
            f.close_text_input();
            f.close_media();
            drop_waiting();
            env.remove(vux_string(vux_names::status_input));
            env.remove(vux_string(vux_names::status_load));
        }
        break;
    case 3: manager_->machine().settle(true); break;
    case 4: manager_->screens().sweep_closing(); break;
    case 6:
        if (!exit_requested) logout_requested = true;
        break;
    case 7:
        if (overtime) {
            std::unique_ptr<vux_overtime> fired = std::move(overtime);
            variables().remove(vux_string(vux_names::status_overtime));
            run_copy(fired->action);
            manager_->machine().settle(true);
        }
        break;
    case 8: end_overtime(); break;
    case 9: request_connect(); break;
    case 10:
        close_dialog(vux_names::dialog_status);
        send_register();
        break;
    case 11: exit_requested = true; break;
    case 12:
        private_store.clear();
        save_private();
        break;
    case 13:
        if (env.contains(vux_string(vux_names::key_beep))) f.notify_user(2);
        break;
    case 14: f.notify_user(4); break;
    case 15: f.notify_user(5); break;
    case 16: stop_media(false); break;
    case 17: manager_->exchange().resend_stale_poll(); break;
    case 18:
    case 19:
    case 20: f.request_location(code - 18); break;
    case 21:
        time_count = 0;
        update_time_variables();
        break;
    case 22:
    case 23:
        manager_->screens().default_menu_switch = code == 22;
        manager_->machine().settle(true);
        break;
    case 24:
        if (vux_screen* m = manager_->screens().default_menu()) manager_->machine().menus.push(m);
        break;
    case 25: sweep_motions(true); break;
    // The machine's second switch: while it is on, input runs only actions
    // whose header asks for it.
    case 26:
    case 27: manager_->machine().set_action_lock(code == 26 ? 1 : 0); break;
    case 28:
    case 29: timed_triggers = code == 28; break;
    case 30:
        manager_->machine().repaint();
        manager_->canvas().repaint();
        break;
    default: break;
    }
}
