#include "markup/runtime/vux_document.h"
#include <cstring>
#include "core/vux_decimal.h"
#include "core/vux_expand.h"
#include "core/vux_file_name.h"
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_brush.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_extent.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_odds.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_resource.h"
#include "markup/model/vux_response_enter.h"
#include "markup/model/vux_response_go.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_poll.h"
#include "markup/model/vux_response_register.h"
#include "markup/model/vux_subtitle.h"
#include "markup/model/vux_switch.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_device_results.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_reserved_names.h"
#include "markup/runtime/vux_screen_registry.h"

namespace {

template <class T>
std::unique_ptr<T> take_as(std::unique_ptr<vux_record>& r) {
    return std::unique_ptr<T>(static_cast<T*>(r.release()));
}

// Removes the item of that name from a named list; true when one was there.
bool remove_named(vux_object_list& list, const vux_string& name) {
    const int32_t i = list.find(name.str().c_str());
    if (i < 0) return false;
    list.remove_at(i);
    return true;
}

}  // namespace

vux_document::vux_document(vux_canvas& canvas, const vux_facility& facility, const vux_network& network,
                           vux_machine& machine, vux_screen_registry& screens, vux_exchange& exchange,
                           vux_action_runner& runner, vux_device_results& results)
    : canvas_(canvas),
      facility_(facility),
      network_(network),
      machine_(machine),
      screens_(screens),
      exchange_(exchange),
      runner_(runner),
      results_(results) {}

// The manager stops the document before its parts go, which ends the overtime.
vux_document::~vux_document() = default;

vux_environment& vux_document::variables() { return canvas_.variables(); }

vux_string vux_document::text_of(const char* key) { return canvas_.text_of(vux_string(key)); }

// ---- run state

void vux_document::load_private(const uint8_t* bytes, int32_t length) {
    if (loaded_) return;
    if (bytes && length > 0) {
        vux_link source(bytes, length);
        vux_reader reader(source);
        private_store.read(reader);
    }
    const char* key = facility_.device_key();
    private_store.credentials.device_key(vux_string(key ? key : ""));
    loaded_ = true;
}

void vux_document::start(const uint8_t* bytes, int32_t length) {
    if (!loaded_ || started_) return;
    live_ = true;
    set_startup_variables();
    load(bytes, length);
    if (state_ != state_script_error) {
        facility_.screen_reset();
        facility_.start_timer(7);
        timer_running = true;
    }
    machine_.settle(false);
}

void vux_document::set_startup_variables() {
    vux_environment& env = variables();
    env.assign_all(private_store.variables);
    if (private_store.credentials.is_valid_device_key()) {
        const char* key = facility_.device_key();
        env.set_plain(vux_string(vux_names::key_imsi), vux_string(key ? key : ""));
        if (private_store.has_credential()) env.set_ok(vux_string(vux_names::key_registered));
    }
    if (failure_note) {
        env.set_ok(vux_string(vux_names::key_failure));
        failure_note = false;
    }
    for (const char* name : {vux_names::key_gps, vux_names::key_cid, vux_names::key_mac})
        env.set_plain(vux_string(name), vux_string("null"));
    update_time_variables();
    env.assign_all(own_variables);
}

void vux_document::update_time_variables() {
    vux_environment& env = variables();
    env.set_plain(vux_string(vux_names::key_time_count), vux_string(std::to_string(time_count)));
    const int64_t minutes = time_count / 60;
    env.set_plain(vux_string(vux_names::key_time_minute_second),
                  vux_decimal::format_time(int32_t(minutes > 99 ? 99 : minutes), int32_t(time_count % 60)));
}

void vux_document::tick_not_running() {
    if (started_ && connect_pending_) {
        connect_pending_ = false;
        connect();
    }
}

void vux_document::refresh() {
    if (logout_requested) {
        started_ = false;
        stop();
        // A logout after a network error is noted for the next start only
        // when the service was never reached.
        if (private_store.variables.remove(vux_names::key_connected))
            save_private();
        else if (state_ == state_network_error)
            failure_note = true;
        state_ = state_ok;
        logout_requested = false;
        variables().set_ok(vux_string(vux_names::key_logout));
        facility_.after_logout();
    }
    if (exit_requested) {
        started_ = false;
        stop();
        state_ = state_ok;
        exit_requested = false;
        facility_.after_exit();
    }
}

void vux_document::stop() {
    live_ = false;
    machine_.reset();
    canvas_.reset();
    time_count = 0;
    main_sequence = poll_sequence = 0;
    exchange_.last_sequence = 0;
    path.clear();
    if (timer_running) {
        facility_.stop_timer();
        timer_running = false;
    }
    deferred_settle = false;
    establishing_ = false;
    exchange_.close_side_connections();
    exchange_.end();
    network_.stopped();
    status_text.clear();
    for (vux_object_list* list : {&functions, &odds, &options, &switches, &start_actions}) list->delete_all();
    screens_.clear();
    runner_.drop_motions();
    for (int32_t i = canvas_.images().count() - 1; i >= 0; --i)
        canvas_.variables().remove_data_name(canvas_.images().at(i)->name);
    canvas_.images().clear();
    subtitles.clear();
    end_overtime();
    runner_.cancel_waiting();
    session.reset();
    deferred_status_close = false;
    timed_triggers = false;
    results_.stop_media(false);
    action_queue.close();
}

// The host's answer is not looked at: a store it failed to keep is saved
// again with the next change, not retried.
void vux_document::save_private() {
    vux_buffer bytes;
    vux_writer w(bytes);
    private_store.write(w);
    facility_.save_private(bytes.data(), bytes.length());
}

void vux_document::end_overtime() {
    if (!overtime) return;
    overtime.reset();
    variables().remove(vux_string(vux_names::status_overtime));
}

// ---- loading

void vux_document::load(const uint8_t* bytes, int32_t length) {
    if (!bytes || length < 0) length = 0;
    if (!nest()) return;
    vux_buffer expanded;
    vux_link source(bytes, length);
    if (length > 8 && std::memcmp(bytes, "vux-", 4) == 0) {
        if (vux_expand::unpack(source, expanded) != vux_expand::result::ok) {
            unnest();
            script_error("SCRIPT ERROR!");
            return;
        }
        source = vux_link(expanded.data(), expanded.length());
    }
    vux_reader reader(source);
    if (!reader.read_header()) {
        unnest();
        script_error("SCRIPT ERROR!");
        return;
    }
    read(reader);
    if (state_ != state_script_error) reader.read_trailer();
    unnest();
    if (state_ == state_script_error) return;
    started_ = true;
    run_start_actions();
}

void vux_document::run_start_actions() {
    while (start_actions.count() > 0) {
        std::unique_ptr<vux_object> a = start_actions.remove_at(0);
        runner_.start_action(*static_cast<vux_action*>(a.get()));
    }
}

void vux_document::read(vux_reader& reader) {
    while (!reader.has_error() && !reader.at_trailer() && state_ != state_script_error) {
        const int32_t code = reader.read_int32();
        if (reader.has_error()) break;
        file_record(code, reader);
    }
    if (reader.has_error() && state_ != state_script_error) script_error("SCRIPT ERROR!");
}

template <class Message>
bool vux_document::read_response(vux_reader& reader, Message& message) {
    message.read(reader);
    return !reader.has_error();
}

void vux_document::file_record(int32_t code, vux_reader& reader) {
    vux_environment& env = variables();
    switch (code) {
    case vux_type_response_enter: {
        vux_response_enter m;
        if (!read_response(reader, m)) return;
        close_dialog(vux_names::dialog_status);
        exchange_.poll_interval = m.document_value;
        if (m.follow_up != 0 && !exchange_.poll_waiting) send_poll();
        // The device's token goes to the service once, on a side request.
        vux_string token;
        if (env.get(vux_names::key_token, token)) {
            env.remove(vux_names::key_token);
            const char* application = facility_.application_id();
            vux_action_go go;
            go.send = 0;
            go.target_1 = vux_string(application ? application : "");
            go.target_2 = vux_string("devicetoken~");
            go.target_2.append(token);
            send_go(go);
        }
        return;
    }
    case vux_type_response_go: {
        vux_response_go m;
        if (!read_response(reader, m)) return;
        if (m.continued == 0 || deferred_status_close) close_dialog(vux_names::dialog_status);
        if (m.follow_up != 0 && !exchange_.poll_waiting) send_poll();
        deferred_status_close = false;
        return;
    }
    case vux_type_response_poll: {
        vux_response_poll m;
        if (!read_response(reader, m)) return;
        if (m.continued == 0) {
            if (exchange_.main_waiting)
                deferred_status_close = true;
            else
                close_dialog(vux_names::dialog_status);
        }
        if (m.follow_up != 0 && !exchange_.poll_waiting) send_poll();
        return;
    }
    case vux_type_response_logon: {
        vux_response_logon m;
        if (!read_response(reader, m)) return;
        close_dialog(vux_names::dialog_status);
        apply_home(m.home);
        return;
    }
    case vux_type_response_register: {
        vux_response_register m;
        if (!read_response(reader, m)) return;
        close_dialog(vux_names::dialog_status);
        private_store.credentials.store(m.user, m.password);
        save_private();
        apply_home(m.home);
        return;
    }
    case vux_type_brush:
    case vux_type_data:
    case vux_type_extent:
    case vux_type_function:
    case vux_type_odds:
    case vux_type_option:
    case vux_type_switch:
    case vux_type_overtime:
    case vux_type_resource:
    case vux_type_subtitle:
    case vux_type_action:
    case vux_type_dialog:
    case vux_type_menu:
    case vux_type_window: break;
    default: script_error("SCRIPT ERROR!"); return;
    }
    if (code == vux_type_resource) {
        canvas_.resources().read(reader);
        return;
    }
    std::unique_ptr<vux_record> record = vux_model_make_record(code);
    if (!record) {
        script_error("SCRIPT ERROR!");
        return;
    }
    if (code == vux_type_overtime) end_overtime();
    record->read(reader);
    if (reader.has_error()) return;
    switch (code) {
    case vux_type_brush:
        canvas_.brush_sheet().merge(static_cast<vux_brush&>(*record));
        screens_.mark_stacks_changed();
        break;
    case vux_type_extent:
        canvas_.apply_extent(static_cast<vux_extent&>(*record));
        canvas_.reset_caches();
        screens_.mark_stacks_changed();
        break;
    // Screens are appended, not replaced: a later one of the same name is
    // found after the first.
    case vux_type_dialog:
    case vux_type_menu:
    case vux_type_window: {
        env.set_ok(static_cast<vux_screen&>(*record).name);
        vux_object_list* list = screens_.screens_of(code == vux_type_dialog ? 2 : code == vux_type_menu ? 3 : 1);
        list->append(std::move(record));
        break;
    }
    case vux_type_data: file_data(take_as<vux_data>(record)); break;
    case vux_type_function: {
        auto f = take_as<vux_function>(record);
        if (f->action.step_count() > 0) {
            remove_named(functions, f->name);
            env.set_ok(f->name);
            functions.append(std::move(f));
        } else if (remove_named(functions, f->name)) {
            env.remove(f->name);
        }
        break;
    }
    case vux_type_odds: {
        auto o = take_as<vux_odds>(record);
        if (o->name.empty()) break;
        remove_named(odds, o->name);
        if (o->bits.length() > 0) odds.append(std::move(o));
        break;
    }
    case vux_type_option: {
        auto o = take_as<vux_option>(record);
        if (o->name.empty()) break;
        remove_named(options, o->name);
        if (o->picks.get_count() > 0) {
            env.set_plain(o->name, o->selected_text());
            options.append(std::move(o));
        }
        break;
    }
    case vux_type_switch: {
        auto s = take_as<vux_switch>(record);
        if (s->name.empty()) break;
        remove_named(switches, s->name);
        if (s->item_count() > 0) switches.append(std::move(s));
        break;
    }
    case vux_type_overtime:
        overtime = take_as<vux_overtime>(record);
        env.set_ok(vux_string(vux_names::status_overtime));
        overtime->reset(true);
        env.set_plain(vux_string(vux_names::key_overtime), vux_string("0"));
        break;
    case vux_type_subtitle: subtitles.add(take_as<vux_subtitle>(record)); break;
    case vux_type_action: {
        auto a = take_as<vux_action>(record);
        switch (a->disposition) {
        case 1: runner_.start_action(*a); break;
        case 4: action_queue.restart_with(std::move(a)); break;
        case 5: action_queue.push(std::move(a)); break;
        default: start_actions.append(std::move(a)); break;
        }
        break;
    }
    default: break;
    }
}

void vux_document::file_data(std::unique_ptr<vux_data> data) {
    if (data->host_only()) {
        facility_.data_bytes(data->bytes.data(), data->bytes.length());
        return;
    }
    if (data->name.empty()) return;
    if (data->stores_file() && vux_file_name_safe(data->name.view()))
        facility_.write_file(data->name.str().c_str(), data->bytes.data(), data->bytes.length());
    canvas_.drop_data(data->name);
    if (data->bytes.length() == 0) return;
    data->split_frames();
    canvas_.variables().add_data_name(data->name);
    canvas_.images().add(data);
}

void vux_document::screen_closed(const vux_screen& screen, int32_t kind) {
    if (kind == 1 && overtime && vux_string_equal(overtime->title, screen.name)) overtime->title.clear();
    variables().remove(screen.name);
    drop_owned(screen.name);
}

void vux_document::drop_owned(const vux_string& owner) {
    if (owner.empty()) return;
    vux_environment& env = variables();
    for (int32_t i = functions.count() - 1; i >= 0; --i) {
        auto* f = static_cast<vux_function*>(functions.get(i));
        if (!vux_string_equal(f->title, owner)) continue;
        env.remove(f->name);
        functions.remove_at(i);
    }
    for (int32_t i = odds.count() - 1; i >= 0; --i)
        if (vux_string_equal(static_cast<vux_odds*>(odds.get(i))->title, owner)) odds.remove_at(i);
    for (int32_t i = options.count() - 1; i >= 0; --i) {
        auto* o = static_cast<vux_option*>(options.get(i));
        if (!vux_string_equal(o->title, owner)) continue;
        env.remove(o->name);
        options.remove_at(i);
    }
    canvas_.drop_owner(owner);
}

bool vux_document::is_blocked() const { return runner_.is_waiting(); }

bool vux_document::nest() {
    if (depth_ >= max_depth) {
        script_error("SCRIPT ERROR!");
        return false;
    }
    ++depth_;
    return true;
}

void vux_document::step_failed(bool fatal, const vux_string& text) {
    state_ = state_step_error;
    show_dialog(fatal ? vux_names::dialog_fatal : vux_names::dialog_error, text);
}

void vux_document::script_error(const char* text) {
    state_ = state_script_error;
    if (started_) show_dialog(vux_names::dialog_fatal, vux_string(text));
}
