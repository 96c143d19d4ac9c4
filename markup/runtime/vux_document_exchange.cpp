#include "core/vux_decimal.h"
#include "core/vux_http_wrapper.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_home.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_screen.h"
#include "markup/model/vux_window.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_manager.h"
#include "markup/runtime/vux_reserved_names.h"
#include "markup/runtime/vux_capability.h"

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
    vux_screen* d = live_screen(2, vux_string(name));
    vux_stack& stack = manager_->machine().dialogs;
    if (d && !stack.contains(d)) stack.push(d);
}

void vux_document::close_dialog(const char* name) {
    vux_stack& stack = manager_->machine().dialogs;
    for (int32_t i = stack.count() - 1; i >= 0; --i)
        if (vux_string_equals_cstr(stack.at(i)->name, name)) stack.remove(stack.at(i));
}

void vux_document::show_status(const vux_string& text) {
    status_text = text;
    show_dialog(vux_names::dialog_status, text);
}

// ---- requests

void vux_document::connect() {
    vux_environment& env = variables();
    manager_->reset_traffic();
    manager_->last_sequence = 0;
    vux_string v;
    if (env.get(vux_string(vux_names::key_ip), v)) manager_->network().set_host(v.str().c_str());
    if (env.get(vux_string(vux_names::key_port), v)) manager_->network().set_port(vux_decimal::parse(v));
    if (private_store.variables.remove(vux_string(vux_names::key_connected))) save_private();
    establishing_ = true;
    if (private_store.has_credential() && !env.contains(vux_string(vux_names::key_imsi_register))) {
        show_status(text_of(vux_names::key_status_logon));
        vux_request_logon m;
        m.kind = 1;
        private_store.credentials.get_user(m.user);
        private_store.credentials.get_password(m.password);
        send_message(m, true);
        return;
    }
    send_register();
}

void vux_document::send_register() {
    vux_environment& env = variables();
    show_status(text_of(vux_names::key_status_register));
    const vux_facility& f = manager_->facility();
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
    send_message(m, true);
}

void vux_document::send_enter() {
    const vux_facility& f = manager_->facility();
    vux_request_enter m;
    m.sequence = ++main_sequence;
    m.identity_a = host_text(f.application_id());
    m.identity_b = host_text(f.session_text());
    m.session = session;
    manager_->canvas().describe_device(m.device);
    send_message(m, true);
}

void vux_document::send_poll() {
    vux_request_poll m;
    m.session = session;
    m.sequence = ++poll_sequence;
    m.host_value = manager_->facility().call(&vux_facility_table::reserved_1);
    m.document_value = poll_interval;
    m.queued = action_queue.remaining();
    send_message(m, false);
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
    vux_canvas& canvas = manager_->canvas();
    if (!step.upload_name.empty()) {
        if (vux_data* item = canvas.images().find(step.upload_name)) {
            m.body.assign_buffer(item->bytes);
            if (item->discard_after_send) canvas.drop_data(step.upload_name);
        }
    }
    if (step.send != 0) {
        if (step.clear_first) end_overtime();
        show_status(step.status_text.length() > 0 ? step.status_text.to_utf8_string()
                                                  : text_of(vux_names::key_status_default));
        send_message(m, true);
        return;
    }
    vux_buffer request;
    if (build_request(m, request)) manager_->send_side(request.data(), request.length());
}

// The message framed as the body of a POST to the service.
bool vux_document::build_request(const vux_object& message, vux_buffer& out) {
    vux_buffer frame;
    vux_writer::frame(message, frame);
    vux_http_wrapper http;
    http.set_post_path(path.empty() ? vux_string("/cs") : path);
    vux_string host = host_text(manager_->network().get_host());
    const int32_t port = manager_->network().get_port();
    if (port != 80) host.append(":").append(vux_decimal::format(port));
    http.add_header(vux_string("Host"), host);
    http.add_header(vux_string("Connection"), vux_string("close"));
    if (!http.build(frame)) return false;
    out.assign_buffer(http.get_buffer());
    return true;
}

bool vux_document::send_message(const vux_object& message, bool main_channel) {
    vux_buffer request;
    vux_receiver& r = main_channel ? manager_->main_receiver() : manager_->poll_receiver();
    if (!build_request(message, request) || !r.send(request.data(), request.length())) {
        channel_failed(main_channel);
        return false;
    }
    if (main_channel) {
        variables().set_ok(vux_string(vux_names::status_main));
        main_waiting = true;
        main_timeout_count = 0;
    } else {
        variables().set_ok(vux_string(vux_names::status_poll));
        poll_waiting = true;
        poll_tick_count = 0;
        poll_resend_count = 0;
    }
    return true;
}

// ---- due tests and failures

namespace {

bool sequence_fits(int32_t sequence, int32_t last) {
    return sequence == 0 || last == 0 || int64_t(sequence) == int64_t(last) + 1;
}

}  // namespace

bool vux_document::main_due() {
    vux_receiver& r = manager_->main_receiver();
    if (!main_waiting) return false;
    if (r.outcome() != vux_receiver::none) return true;
    if (!r.is_complete()) return false;
    r.close_connection();
    return sequence_fits(r.sequence(), manager_->last_sequence);
}

bool vux_document::poll_due() {
    vux_receiver& r = manager_->poll_receiver();
    if (!poll_waiting) return false;
    if (r.outcome() != vux_receiver::none) return true;
    if (!r.is_complete()) return false;
    r.close_connection();
    if (r.sequence() == 0) return true;
    if (main_waiting && !manager_->main_receiver().is_complete()) return false;
    return sequence_fits(r.sequence(), manager_->last_sequence);
}

void vux_document::channel_failed(bool main_channel) {
    state_ = state_network_error;
    show_dialog(vux_names::dialog_error, text_of(main_channel ? vux_names::key_error_main : vux_names::key_error_poll));
    manager_->machine().settle(false);
}

void vux_document::connection_failed(bool main_channel) {
    vux_environment& env = variables();
    if (env.contains(vux_string(vux_names::key_final))) return;
    if (establishing_) {
        establishing_ = false;
        close_dialog(vux_names::dialog_establish);
        state_ = state_network_error;
        show_dialog(vux_names::dialog_error, text_of(vux_names::key_error_establish));
        return;
    }
    if (!in_error()) retry(main_channel);
}

void vux_document::reply_refused(bool main_channel, int32_t code) {
    if (variables().contains(vux_string(vux_names::key_final)) || in_error()) return;
    if (code == 0 || code == 502 || code == 504) {
        retry(main_channel);
        return;
    }
    state_ = state_network_error;
    vux_string text = text_of(vux_names::key_error_response);
    text.append(vux_decimal::format(code));
    show_dialog(vux_names::dialog_error, text);
    manager_->machine().settle(false);
}

void vux_document::retry(bool main_channel) {
    if (in_error()) return;
    vux_environment& env = variables();
    bool ok = false;
    if (main_channel) {
        vux_receiver& r = manager_->main_receiver();
        if (r.has_request()) {
            r.close_connection();
            main_timeout_count = 0;
            env.remove(vux_string(vux_names::key_network_timeout));
            env.remove(vux_string(vux_names::key_network_retry));
            if (r.resend()) {
                show_dialog(vux_names::dialog_status, status_text);
                ok = true;
            }
        }
    } else if (env.contains(vux_string(vux_names::key_final))) {
        ok = true;
    } else if (poll_resend_count++ < 2) {
        vux_receiver& r = manager_->poll_receiver();
        if (r.has_request()) {
            r.close_connection();
            poll_tick_count = 0;
            ok = r.resend();
        }
    }
    if (!ok) channel_failed(main_channel);
}

// ---- delivery

void vux_document::main_reply(const uint8_t* body, int32_t length) {
    if (in_error()) return;
    vux_environment& env = variables();
    env.remove(vux_string(vux_names::status_main));
    end_overtime();
    if (establishing_) {
        establishing_ = false;
        close_dialog(vux_names::dialog_establish);
    }
    if (!private_store.variables.contains(vux_string(vux_names::key_connected))) {
        private_store.variables.set_ok(vux_string(vux_names::key_connected));
        save_private();
    }
    main_waiting = false;
    manager_->main_receiver().close_connection();
    main_timeout_count = 0;
    env.remove(vux_string(vux_names::key_network_timeout));
    env.remove(vux_string(vux_names::key_network_retry));
    load(body, length);
    manager_->machine().settle(false);
}

void vux_document::poll_reply(const uint8_t* body, int32_t length) {
    if (in_error()) return;
    vux_environment& env = variables();
    env.remove(vux_string(vux_names::status_poll));
    poll_waiting = false;
    manager_->poll_receiver().close_connection();
    poll_tick_count = 0;
    ++poll_counter;
    env.set_plain(vux_string(vux_names::key_poll), vux_decimal::format(poll_counter));
    if (env.contains(vux_string(vux_names::key_final))) return;
    load(body, length);
    manager_->machine().settle(false);
}

void vux_document::traffic(bool main_channel) {
    if (main_channel) {
        main_timeout_count = 0;
        if (manager_->facility().supports(capability_host_progress))
            ++manager_->canvas().repaint_count;
        else
            deferred_settle = true;
    } else {
        poll_tick_count = 0;
    }
}

void vux_document::abort_main() {
    main_waiting = false;
    manager_->main_receiver().end();
    variables().remove(vux_string(vux_names::status_main));
    close_dialog(vux_names::dialog_status);
}

void vux_document::write_state(vux_writer& w) const {
    w.write_int32(2);
    w.write_int32(functions.count());
    for (int32_t i = 0; i < functions.count(); ++i) static_cast<const vux_function*>(functions.get(i))->write_label(w);
    w.write_int32(3);
    w.write_int32(options.count());
    for (int32_t i = 0; i < options.count(); ++i) static_cast<const vux_option*>(options.get(i))->write_label(w);
    const std::pair<int32_t, const vux_object_list*> screens[] = {{4, &dialogs}, {6, &menus}, {8, &windows}};
    for (const auto& [marker, list] : screens) {
        w.write_int32(marker);
        w.write_int32(list->count());
        for (int32_t i = 0; i < list->count(); ++i) w.write_string(static_cast<const vux_screen*>(list->get(i))->describe());
    }
    w.write_int32(11);
    own_variables.write(w);
    w.write_int32(10);
    private_store.variables.write(w);
}

void vux_document::apply_home(const vux_home& home) {
    session = home.session;
    path = home.path;
    manager_->network().set_host(home.host.str().c_str());
    manager_->network().set_port(home.port);
    show_status(text_of(vux_names::key_status_enter));
    send_enter();
}

// The timed step: the network time-outs first, then the queue and overtime.
bool vux_document::timed_step(int32_t seconds) {
    (void)seconds;
    ++time_count;
    update_time_variables();
    if (private_dirty) save_private();
    vux_environment& env = variables();
    if (!in_error()) {
        if (poll_waiting && ++poll_tick_count > poll_interval + 10) {
            retry(false);
            return true;
        }
        if (main_waiting) {
            vux_receiver& r = manager_->main_receiver();
            r.count_waiting();
            if (r.waiting_ticks() >= 10 || r.receiving_ticks() >= 5) {
                if (establishing_)
                    connection_failed(true);
                else
                    retry(true);
                return true;
            }
            if (!env.contains(vux_string(vux_names::key_network_timeout))) {
                ++main_timeout_count;
                if (env.contains(vux_string(vux_names::key_final)) && main_timeout_count > 3) exit_requested = true;
                if (main_timeout_count >= 16) {
                    env.set_ok(vux_string(vux_names::key_network_timeout));
                    if (r.has_request()) env.set_ok(vux_string(vux_names::key_network_retry));
                }
            }
            return false;
        }
    }
    bool did = false;
    if (std::unique_ptr<vux_action> due = action_queue.release()) {
        run(*due);
        did = true;
    }
    vux_machine& machine = manager_->machine();
    if (overtime && !overtime->name.empty() && env.contains(overtime->name)) {
        end_overtime();
        machine.settle(true);
        return true;
    }
    // The top window's client may have names still to take in, one every
    // other timed step; each one taken repaints.
    auto* top = static_cast<vux_window*>(machine.windows.top());
    if (top && top->client.pending_tick()) {
        machine.settle(true);
        did = true;
    }
    if (!overtime_counts()) return did;
    env.set_plain(vux_string(vux_names::key_overtime), vux_decimal::format(overtime->counter));
    if (overtime->tick()) {
        // The overtime goes before its action runs: the action may load a new one.
        std::unique_ptr<vux_overtime> fired = std::move(overtime);
        env.remove(vux_string(vux_names::status_overtime));
        run_copy(fired->action);
        machine.settle(true);
        return true;
    }
    machine.repaint();
    manager_->canvas().repaint();
    if (time_count % 2 == 0 && env.contains(vux_string(vux_names::key_beep)) && music_handle == 0)
        manager_->facility().notify_user(1);
    return true;
}

// An overtime counts when it is global or bound to the top window, and
// nothing waits for the host.
bool vux_document::overtime_counts() {
    if (!overtime || overtime->stopped || is_blocked()) return false;
    if (overtime->title.empty()) return true;
    const vux_screen* top = manager_->machine().windows.top();
    return top && vux_string_equal(top->name, overtime->title);
}
