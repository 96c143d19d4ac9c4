#include "core/vux_decimal.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_home.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/model/vux_screen.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_device_results.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_reserved_names.h"
#include "markup/runtime/vux_screen_registry.h"

namespace {

vux_string value_of(vux_environment& env, const char* name) {
    vux_string v;
    env.get(vux_string(name), v);
    return v;
}

vux_string host_text(const char* text) { return vux_string(text ? text : ""); }

}  // namespace

// ---- dialogs shown with a text

void vux_document::show_dialog(const char* name, const vux_string& text) {
    vux_string var(name);
    var.append("_text");
    variables().set_plain(var, text);
    vux_screen* d = screens_.live_screen(2, vux_string(name));
    vux_stack& stack = screens_.dialogs;
    if (d && !stack.contains(d)) stack.push(d);
}

void vux_document::close_dialog(const char* name) {
    vux_stack& stack = screens_.dialogs;
    for (int32_t i = stack.count() - 1; i >= 0; --i)
        if (vux_string_equals_cstr(stack.at(i)->name, name)) stack.remove(stack.at(i));
}

void vux_document::show_status(const vux_string& text) {
    status_text = text;
    show_dialog(vux_names::dialog_status, text);
}

void vux_document::network_failed(const char* text_key, const vux_string& suffix) {
    state_ = state_network_error;
    vux_string text = text_of(text_key);
    text.append(suffix);
    show_dialog(vux_names::dialog_error, text);
}

void vux_document::end_establishing() {
    if (!establishing_) return;
    establishing_ = false;
    close_dialog(vux_names::dialog_establish);
}

// ---- requests

void vux_document::connect() {
    vux_environment& env = variables();
    exchange_.reset_traffic();
    exchange_.last_sequence = 0;
    vux_string v;
    if (env.get(vux_string(vux_names::key_ip), v)) network_.set_host(v.str().c_str());
    if (env.get(vux_string(vux_names::key_port), v)) network_.set_port(vux_decimal::parse(v));
    if (private_store.variables.remove(vux_string(vux_names::key_connected))) save_private();
    establishing_ = true;
    if (private_store.has_credential() && !env.contains(vux_string(vux_names::key_imsi_register))) {
        show_status(text_of(vux_names::key_status_logon));
        vux_request_logon m;
        m.kind = 1;
        private_store.credentials.get_user(m.user);
        private_store.credentials.get_password(m.password);
        exchange_.send_message(m, true);
        return;
    }
    send_register();
}

void vux_document::send_register() {
    vux_environment& env = variables();
    show_status(text_of(vux_names::key_status_register));
    const vux_facility& f = facility_;
    vux_request_register m;
    m.text_1 = host_text(f.model());
    m.text_2 = host_text(f.platform());
    const vux_string imsi_register(vux_names::key_imsi_register);
    if (env.get(imsi_register, m.text_3)) {
        env.remove(imsi_register);
        own_variables.remove(imsi_register);
    } else {
        m.text_3 = host_text(f.device_key());
    }
    m.text_4 = value_of(env, vux_names::key_country);
    m.text_5 = value_of(env, vux_names::key_channel);
    m.text_6 = host_text(f.application_id());
    exchange_.send_message(m, true);
}

void vux_document::send_enter() {
    const vux_facility& f = facility_;
    vux_request_enter m;
    m.sequence = ++main_sequence;
    m.identity_a = host_text(f.application_id());
    m.identity_b = host_text(f.session_text());
    m.session = session;
    canvas_.describe_device(m.device);
    exchange_.send_message(m, true);
}

void vux_document::send_poll() {
    vux_request_poll m;
    m.session = session;
    m.sequence = ++poll_sequence;
    m.host_value = facility_.call(&vux_facility_table::reserved_1);
    m.document_value = exchange_.poll_interval;
    m.queued = action_queue.remaining();
    exchange_.send_message(m, false);
}

void vux_document::send_go(const vux_action_go& step) {
    vux_environment& env = variables();
    vux_request_go m;
    m.session = session;
    if (step.send != 0) m.sequence = ++main_sequence;
    m.code = step.code;
    m.target_1 = step.target_1;
    m.target_2 = step.target_2;
    for (int32_t i = 0; i < step.variables.count(); ++i) {
        vux_string v;
        env.get(step.variables.item_at(i), v);
        m.values.append(v);
    }
    if (!step.upload_name.empty()) {
        if (vux_data* item = canvas_.images().find(step.upload_name)) {
            m.body.assign_buffer(item->bytes);
            if (item->discard_after_send) canvas_.drop_data(step.upload_name);
        }
    }
    if (step.send != 0) {
        // The overtime stops counting while the request runs; its reply ends it.
        if (step.clear_first && overtime) overtime->stopped = 1;
        show_status(step.status_text.length() > 0 ? step.status_text.to_utf8_string()
                                                  : text_of(vux_names::key_status_default));
        exchange_.send_message(m, true);
        return;
    }
    vux_buffer request;
    if (exchange_.build_request(m, request)) exchange_.send_side(request.data(), request.length());
}

void vux_document::write_state(vux_writer& w) const {
    w.write_int32(2);
    w.write_int32(functions.count());
    for (int32_t i = 0; i < functions.count(); ++i) static_cast<const vux_function*>(functions.get(i))->write_label(w);
    w.write_int32(3);
    w.write_int32(options.count());
    for (int32_t i = 0; i < options.count(); ++i) static_cast<const vux_option*>(options.get(i))->write_label(w);
    const std::pair<int32_t, const vux_object_list*> screens[] = {
        {4, &screens_.dialog_records}, {6, &screens_.menu_records}, {8, &screens_.window_records}};
    for (const auto& [marker, list] : screens) {
        w.write_int32(marker);
        w.write_int32(list->count());
        for (int32_t i = 0; i < list->count(); ++i)
            w.write_string(static_cast<const vux_screen*>(list->get(i))->describe());
    }
    w.write_int32(11);
    own_variables.write(w);
    w.write_int32(10);
    private_store.variables.write(w);
}

void vux_document::apply_home(const vux_home& home) {
    session = home.session;
    path = home.path;
    network_.set_host(home.host.str().c_str());
    network_.set_port(home.port);
    show_status(text_of(vux_names::key_status_enter));
    send_enter();
}

// The timed step: the network time-outs first, then the queue and overtime.
bool vux_document::timed_step(int32_t seconds) {
    (void)seconds;
    ++time_count;
    update_time_variables();
    vux_environment& env = variables();
    switch (exchange_.timed_step()) {
    case vux_exchange::timed_outcome::retried: return true;
    case vux_exchange::timed_outcome::waiting: return false;
    case vux_exchange::timed_outcome::go_on: break;
    }
    bool did = false;
    // A queued action may wait for the host, as any started one.
    if (std::unique_ptr<vux_action> due = action_queue.release()) {
        runner_.start_action(*due);
        did = true;
    }
    if (overtime && !overtime->name.empty() && env.contains(overtime->name)) {
        end_overtime();
        machine_.settle(true);
        return true;
    }
    // The top window's client may have names still to take in, one every
    // other timed step; each one taken repaints.
    auto* top = static_cast<vux_window*>(screens_.windows.top());
    if (top && top->client.pending_tick()) {
        machine_.settle(true);
        did = true;
    }
    if (!overtime_counts()) return did;
    env.set_plain(vux_string(vux_names::key_overtime), vux_decimal::format(overtime->counter));
    if (overtime->tick()) {
        // The overtime goes before its action runs: the action may load a new one.
        std::unique_ptr<vux_overtime> fired = std::move(overtime);
        env.remove(vux_string(vux_names::status_overtime));
        runner_.run_copy(fired->action);
        machine_.settle(true);
        return true;
    }
    machine_.repaint();
    canvas_.repaint();
    if (time_count % 2 == 0 && env.contains(vux_string(vux_names::key_beep)) && results_.music_handle == 0)
        facility_.notify_user(1);
    return true;
}

// An overtime counts when it is global or bound to the top window, and
// nothing waits for the host.
bool vux_document::overtime_counts() {
    if (!overtime || overtime->stopped || is_blocked()) return false;
    if (overtime->title.empty()) return true;
    const vux_screen* top = screens_.windows.top();
    return top && vux_string_equal(top->name, overtime->title);
}
