#pragma once
#include <cstdint>
#include "core/vux_integer_list.h"
#include "core/vux_object.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_receiver.h"
#include "markup/runtime/vux_screen_registry.h"

// The engine handle: owns the running document, its screens and its action
// runner, the input machine, the host tables, the canvas and the two
// channels. The exchange, the screen registry and the action runner are given
// the parts they use; the document, machine, canvas and receivers still reach
// their siblings through a back-pointer to the manager.
class vux_manager : public vux_object {
public:
    vux_manager();
    ~vux_manager() override;
    vux_manager(const vux_manager&) = delete;
    vux_manager& operator=(const vux_manager&) = delete;

    vux_document& document() { return document_; }
    vux_machine& machine() { return machine_; }
    const vux_facility& facility() const { return facility_; }
    vux_facility& facility() { return facility_; }
    const vux_network& network() const { return network_; }
    vux_network& network() { return network_; }
    vux_canvas& canvas() { return canvas_; }
    vux_receiver& main_receiver() { return main_; }
    vux_receiver& poll_receiver() { return poll_; }
    vux_exchange& exchange() { return exchange_; }
    vux_screen_registry& screens() { return screens_; }
    vux_action_runner& runner() { return runner_; }
    vux_environment& variables() { return canvas_.variables(); }

    // The receiver whose connection is id, else null.
    vux_receiver* receiver_of(int32_t id);
    int32_t on_socket_data(int32_t id, const uint8_t* bytes, int32_t length);
    void on_socket_ready(int32_t id);
    void on_socket_error(int32_t id);
    void forget_connection(int32_t id);

    // A request outside the two channels; its reply is not read.
    void send_side(const uint8_t* bytes, int32_t length);
    void close_side_connections();

    void tick(int32_t t);

    void add_sent(int64_t n);
    void add_received(int64_t n);
    void reset_traffic();
    int64_t bytes_sent() const { return sent_; }
    int64_t bytes_received() const { return received_; }

    int32_t last_sequence = 0;
    int32_t idle_ticks = 0;

private:
    void publish_traffic();

    int64_t sent_ = 0;
    int64_t received_ = 0;
    vux_document document_;
    vux_machine machine_;
    vux_facility facility_;
    vux_network network_;
    vux_canvas canvas_;
    vux_receiver main_;
    vux_receiver poll_;
    vux_exchange exchange_;
    vux_screen_registry screens_;
    vux_action_runner runner_;
    vux_integer_list side_connections_;
    vux_integer_list ids_to_close_;
};
