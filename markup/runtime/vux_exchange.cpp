#include "markup/runtime/vux_exchange.h"
#include "core/vux_decimal.h"
#include "core/vux_http_wrapper.h"
#include "core/vux_writer.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_capability.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_receiver.h"
#include "markup/runtime/vux_reserved_names.h"

namespace {

bool sequence_fits(int32_t sequence, int32_t last) {
    return sequence == 0 || last == 0 || int64_t(sequence) == int64_t(last) + 1;
}

}  // namespace

vux_exchange::vux_exchange(vux_document& document, vux_receiver& main, vux_receiver& poll, vux_network& network,
                           const vux_facility& facility, vux_canvas& canvas, vux_machine& machine)
    : document_(document),
      main_(main),
      poll_(poll),
      network_(network),
      facility_(facility),
      canvas_(canvas),
      machine_(machine) {}

// ---- sending

bool vux_exchange::build_request(const vux_object& message, vux_buffer& out) const {
    vux_buffer frame;
    vux_writer::frame(message, frame);
    vux_http_wrapper http;
    http.set_post_path(document_.path.empty() ? vux_string("/cs") : document_.path);
    const char* host_name = network_.get_host();
    vux_string host(host_name ? host_name : "");
    const int32_t port = network_.get_port();
    if (port != 80) host.append(":").append(vux_decimal::format(port));
    http.add_header(vux_string("Host"), host);
    http.add_header(vux_string("Connection"), vux_string("close"));
    if (!http.build(frame)) return false;
    out.assign_buffer(http.get_buffer());
    return true;
}

bool vux_exchange::send_message(const vux_object& message, bool main_channel) {
    vux_buffer request;
    vux_receiver& r = receiver(main_channel);
    if (!build_request(message, request) || !r.send(request.data(), request.length())) {
        channel_failed(main_channel);
        return false;
    }
    vux_environment& env = document_.variables();
    if (main_channel) {
        env.set_ok(vux_names::status_main);
        main_waiting = true;
        main_timeout_count = 0;
    } else {
        env.set_ok(vux_names::status_poll);
        poll_waiting = true;
        poll_tick_count = 0;
        poll_resend_count = 0;
    }
    return true;
}

// ---- due tests and failures

bool vux_exchange::main_due() {
    if (!main_waiting) return false;
    if (main_.outcome() != vux_receiver::none) return true;
    if (!main_.is_complete()) return false;
    main_.close_connection();
    return sequence_fits(main_.sequence(), last_sequence);
}

bool vux_exchange::poll_due() {
    if (!poll_waiting) return false;
    if (poll_.outcome() != vux_receiver::none) return true;
    if (!poll_.is_complete()) return false;
    poll_.close_connection();
    if (poll_.sequence() == 0) return true;
    if (main_waiting && !main_.is_complete()) return false;
    return sequence_fits(poll_.sequence(), last_sequence);
}

void vux_exchange::channel_failed(bool main_channel) {
    failed(main_channel ? vux_names::key_error_main : vux_names::key_error_poll);
    machine_.settle(false);
}

// The network-error state ends all network work. The main exchange still
// counts as waiting (it holds the queue and the overtime, and the first key
// ends it), but it runs no more, so a host that shows the progress is told
// at once that it ended.
void vux_exchange::failed(const char* text_key, const vux_string& suffix) {
    document_.network_failed(text_key, suffix);
    report_progress();
}

void vux_exchange::connection_failed(bool main_channel) {
    if (document_.variables().contains(vux_names::key_final)) return;
    if (document_.establishing()) {
        document_.end_establishing();
        failed(vux_names::key_error_establish);
        return;
    }
    if (!document_.in_error()) retry(main_channel);
}

void vux_exchange::reply_refused(bool main_channel, int32_t code) {
    if (document_.variables().contains(vux_names::key_final) || document_.in_error()) return;
    if (code == 0 || code == 502 || code == 504) {
        retry(main_channel);
        return;
    }
    failed(vux_names::key_error_response, vux_decimal::format(code));
    machine_.settle(false);
}

void vux_exchange::retry(bool main_channel) {
    if (document_.in_error()) return;
    if (!resend(main_channel)) channel_failed(main_channel);
}

bool vux_exchange::resend(bool main_channel) {
    vux_environment& env = document_.variables();
    if (main_channel) {
        if (!main_.has_request()) return false;
        main_.close_connection();
        main_timeout_count = 0;
        env.remove(vux_names::key_network_timeout);
        env.remove(vux_names::key_network_retry);
        if (!main_.resend()) return false;
        document_.show_dialog(vux_names::dialog_status, document_.status_text);
        return true;
    }
    if (env.contains(vux_names::key_final)) return true;
    if (poll_resend_count++ >= 2 || !poll_.has_request()) return false;
    poll_.close_connection();
    poll_tick_count = 0;
    return poll_.resend();
}

// ---- delivery

void vux_exchange::main_reply(const uint8_t* body, int32_t length) {
    if (document_.in_error()) return;
    vux_environment& env = document_.variables();
    env.remove(vux_names::status_main);
    document_.end_overtime();
    document_.end_establishing();
    vux_environment& kept = document_.private_store.variables;
    if (!kept.contains(vux_names::key_connected)) {
        kept.set_ok(vux_names::key_connected);
        document_.save_private();
    }
    main_waiting = false;
    main_.close_connection();
    main_timeout_count = 0;
    env.remove(vux_names::key_network_timeout);
    env.remove(vux_names::key_network_retry);
    document_.load(body, length);
    machine_.settle(false);
    report_progress();
}

void vux_exchange::poll_reply(const uint8_t* body, int32_t length) {
    if (document_.in_error()) return;
    vux_environment& env = document_.variables();
    env.remove(vux_names::status_poll);
    poll_waiting = false;
    poll_.close_connection();
    poll_tick_count = 0;
    ++poll_counter;
    env.set_plain(vux_names::key_poll, vux_decimal::format(poll_counter));
    if (env.contains(vux_names::key_final)) return;
    document_.load(body, length);
    machine_.settle(false);
}

void vux_exchange::traffic(bool main_channel) {
    if (!main_channel) {
        poll_tick_count = 0;
        return;
    }
    main_timeout_count = 0;
    // Otherwise the next tick settles and paints it.
    if (!report_progress()) document_.deferred_settle = true;
}

// A host that shows the progress itself is told of each change at once,
// the end of the wait too: that needs no painting.
bool vux_exchange::report_progress() {
    if (!facility_.supports(capability_host_progress)) return false;
    canvas_.finish_frame();
    return true;
}

// ---- time-outs and the user's answers to them

vux_exchange::timed_outcome vux_exchange::timed_step() {
    // No time-out runs in an error state, nor while a connect is being
    // established (the user ends a silent one with a key: the machine aborts
    // a waiting exchange); the queue and the overtime still wait for it.
    if (document_.in_error() || document_.establishing())
        return main_waiting ? timed_outcome::waiting : timed_outcome::go_on;
    if (poll_waiting && ++poll_tick_count > poll_interval + 10) {
        retry(false);
        return timed_outcome::retried;
    }
    if (!main_waiting) return timed_outcome::go_on;
    main_.count_waiting();
    if (main_.waiting_ticks() >= 10 || main_.receiving_ticks() >= 5) {
        retry(true);
        return timed_outcome::retried;
    }
    vux_environment& env = document_.variables();
    if (!env.contains(vux_names::key_network_timeout)) {
        ++main_timeout_count;
        if (env.contains(vux_names::key_final) && main_timeout_count > 3) document_.exit_requested = true;
        if (main_timeout_count >= 16) {
            env.set_ok(vux_names::key_network_timeout);
            if (main_.has_request()) env.set_ok(vux_names::key_network_retry);
            // The screens show the time-out as they choose: they are
            // painted again with it on the next tick.
            document_.deferred_settle = true;
        }
    }
    return timed_outcome::waiting;
}

// Whichever exchange it resends, a failure shows the main error: the user
// asked for the main exchange again.
void vux_exchange::user_retry() {
    vux_environment& env = document_.variables();
    env.remove(vux_names::key_network_timeout);
    env.remove(vux_names::key_network_retry);
    if (document_.in_error()) return;
    bool ok = true;
    if (main_waiting || main_.has_request())
        ok = resend(true);
    else if (poll_waiting)
        ok = resend(false);
    if (!ok) channel_failed(true);
}

void vux_exchange::resend_stale_poll() {
    if (poll_stale()) retry(false);
}

// The user ends the wait: the exchange, its status, what its time-out said
// and a connect's establishing go with it, so that the next request does not
// start as timed out or as a connect.
void vux_exchange::abort_main() {
    end_main();
    document_.end_establishing();
    document_.close_dialog(vux_names::dialog_status);
}

void vux_exchange::end_main() {
    main_waiting = false;
    main_.end();
    vux_environment& env = document_.variables();
    env.remove(vux_names::status_main);
    env.remove(vux_names::key_network_timeout);
    env.remove(vux_names::key_network_retry);
    report_progress();
}

void vux_exchange::end() {
    main_waiting = poll_waiting = false;
    main_timeout_count = poll_tick_count = 0;
    main_.end();
    poll_.end();
    poll_resend_count = 0;
    poll_counter = 0;
    poll_interval = 0;
    report_progress();
}

// ---- side requests

void vux_exchange::send_side(const uint8_t* bytes, int32_t length) {
    const int32_t id = network_.open_connection(bytes, length);
    if (id == 0) return;
    add_sent(length);
    side_connections_.append(id);
}

void vux_exchange::forget_connection(int32_t id) {
    const int32_t i = side_connections_.index_of(id);
    if (i >= 0) side_connections_.remove_at(i);
    if (ids_to_close_.index_of(id) < 0) ids_to_close_.append(id);
}

void vux_exchange::close_forgotten() {
    for (int32_t id : ids_to_close_.values()) network_.close_connection(id);
    ids_to_close_.clear();
}

void vux_exchange::close_side_connections() {
    for (vux_integer_list* list : {&side_connections_, &ids_to_close_}) {
        for (int32_t id : list->values()) network_.close_connection(id);
        list->clear();
    }
}

// ---- traffic

void vux_exchange::add_sent(int64_t n) {
    if (n <= 0) return;
    sent_ += n;
    publish_traffic();
}

void vux_exchange::add_received(int64_t n) {
    if (n <= 0) return;
    received_ += n;
    publish_traffic();
}

void vux_exchange::reset_traffic() {
    sent_ = received_ = 0;
    publish_traffic();
}

void vux_exchange::publish_traffic() {
    canvas_.variables().set_plain(vux_string(vux_names::key_flow), vux_string(std::to_string(sent_ + received_)));
}
