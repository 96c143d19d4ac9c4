#include "markup/runtime/vux_manager.h"

vux_manager::vux_manager()
    : document_(canvas_, facility_, network_, machine_, screens_, exchange_, runner_, results_),
      machine_(screens_, document_, runner_, canvas_, facility_, exchange_, results_),
      canvas_(facility_, document_, machine_, main_, exchange_),
      main_(true, network_, exchange_),
      poll_(false, network_, exchange_),
      exchange_(document_, main_, poll_, network_, facility_, canvas_, machine_),
      screens_([this](const vux_screen& screen, int32_t kind) { document_.screen_closed(screen, kind); }),
      runner_(document_, screens_, machine_, canvas_, facility_, exchange_, results_),
      results_(document_, runner_, machine_, canvas_, facility_) {}

// The document goes first: its teardown ends the overtime through the canvas
// and closes connections through the network table. One that a logout or an
// exit already stopped is not stopped again: the host hears of a stop once.
vux_manager::~vux_manager() {
    if (document_.is_live()) document_.stop();
}

vux_receiver* vux_manager::receiver_of(int32_t id) {
    if (id == 0) return nullptr;
    if (id == main_.connection_id()) return &main_;
    if (id == poll_.connection_id()) return &poll_;
    return nullptr;
}

int32_t vux_manager::on_socket_data(int32_t id, const uint8_t* bytes, int32_t length) {
    vux_receiver* r = receiver_of(id);
    if (!r) {
        exchange_.forget_connection(id);
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
        exchange_.forget_connection(id);
}

void vux_manager::tick(int32_t t) {
    exchange_.close_forgotten();
    if (machine_.deferred_repaint()) return;
    if (runner_.resume_input()) return;
    if (runner_.resume_media()) return;
    if (exchange_.main_due()) {
        if (main_.outcome() == vux_receiver::none) exchange_.last_sequence = main_.sequence();
        main_.complete();
        return;
    }
    if (exchange_.poll_due()) {
        if (poll_.outcome() == vux_receiver::none) {
            exchange_.last_sequence = poll_.sequence();
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
