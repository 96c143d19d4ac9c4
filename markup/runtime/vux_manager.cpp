#include "markup/runtime/vux_manager.h"
#include "core/vux_decimal.h"
#include "markup/runtime/vux_reserved_names.h"

vux_manager::vux_manager()
    : exchange_(document_, main_, poll_, network_, facility_, canvas_, machine_),
      screens_(machine_.windows, machine_.dialogs, machine_.menus,
               [this](const vux_screen& screen, int32_t kind) { document_.screen_closed(screen, kind); }),
      runner_(document_, screens_, machine_, canvas_, facility_, exchange_) {
    document_.bind(this);
    machine_.bind(this);
    canvas_.bind(this);
    main_.bind(this, true);
    poll_.bind(this, false);
}

// The document goes first: its teardown ends the overtime through the canvas
// and closes connections through the network table.
vux_manager::~vux_manager() { document_.stop(); }

vux_receiver* vux_manager::receiver_of(int32_t id) {
    if (id == 0) return nullptr;
    if (id == main_.connection_id()) return &main_;
    if (id == poll_.connection_id()) return &poll_;
    return nullptr;
}

int32_t vux_manager::on_socket_data(int32_t id, const uint8_t* bytes, int32_t length) {
    vux_receiver* r = receiver_of(id);
    if (!r) {
        forget_connection(id);
        return 0;
    }
    const int32_t result = r->on_data(bytes, length);
    exchange_.traffic(r->main_channel());
    return result;
}

void vux_manager::on_socket_ready(int32_t id) {
    vux_receiver* r = receiver_of(id);
    if (!r) return;
    r->on_ready();
    exchange_.traffic(r->main_channel());
}

void vux_manager::on_socket_error(int32_t id) {
    vux_receiver* r = receiver_of(id);
    if (r)
        r->fail(vux_receiver::connection_failed);
    else
        forget_connection(id);
}

void vux_manager::forget_connection(int32_t id) {
    const int32_t i = side_connections_.index_of(id);
    if (i >= 0) side_connections_.remove_at(i);
    if (ids_to_close_.index_of(id) < 0) ids_to_close_.append(id);
}

void vux_manager::send_side(const uint8_t* bytes, int32_t length) {
    const int32_t id = network_.open_connection(bytes, length);
    if (id == 0) return;
    add_sent(length);
    side_connections_.append(id);
}

void vux_manager::close_side_connections() {
    for (vux_integer_list* list : {&side_connections_, &ids_to_close_}) {
        for (int32_t id : list->values()) network_.close_connection(id);
        list->clear();
    }
}

void vux_manager::tick(int32_t t) {
    for (int32_t id : ids_to_close_.values()) network_.close_connection(id);
    ids_to_close_.clear();
    if (machine_.deferred_repaint()) return;
    if (runner_.resume_input()) return;
    if (runner_.resume_media()) return;
    if (exchange_.main_due(last_sequence)) {
        if (main_.outcome() == vux_receiver::none) last_sequence = main_.sequence();
        main_.complete();
        return;
    }
    if (exchange_.poll_due(last_sequence)) {
        if (poll_.outcome() == vux_receiver::none) {
            last_sequence = poll_.sequence();
            poll_.complete();
            return;
        }
        if (t % 7 == 0) {
            poll_.complete();
            return;
        }
    }
    if (t % 7 == 0) {
        if (machine_.timed_tick()) {
            document_.timed_step(t / 7);
            return;
        }
        if (document_.timed_step(t / 7)) return;
    }
    if (machine_.hold_tick()) return;
    if (!machine_.pointer_busy()) {
        if (document_.tick_work()) return;
        machine_.frame_step(t);
    }
    if (++idle_ticks >= 10) document_.idle_work();
    if (!machine_.pointer_busy()) machine_.settle(false);
}

void vux_manager::add_sent(int64_t n) {
    if (n <= 0) return;
    sent_ += n;
    publish_traffic();
}

void vux_manager::add_received(int64_t n) {
    if (n <= 0) return;
    received_ += n;
    publish_traffic();
}

void vux_manager::reset_traffic() {
    sent_ = received_ = 0;
    publish_traffic();
}

void vux_manager::publish_traffic() {
    variables().set_plain(vux_string(vux_names::key_flow), vux_string(std::to_string(sent_ + received_)));
}
