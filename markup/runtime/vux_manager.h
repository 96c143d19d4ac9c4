#pragma once
#include <cstdint>
#include "core/vux_object.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_device_results.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_receiver.h"
#include "markup/runtime/vux_screen_registry.h"

// The engine handle: owns the running document, its screens (records,
// stacks and their sweep), its action runner and the device results, the
// input machine, the host tables, the canvas, the two channels and the
// exchange over them. Each part
// is given references to just the parts it uses; the parts are wired here and
// none of them reaches another through the manager. Some references point at
// parts declared later: they are only bound while the manager is built, used
// once it is whole. What the manager keeps itself is the routing of the host's
// socket calls and the tick that orders the parts' work.
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
    vux_device_results& device_results() { return results_; }
    vux_environment& variables() { return canvas_.variables(); }

    // The receiver whose connection is id, else null.
    vux_receiver* receiver_of(int32_t id);
    int32_t on_socket_data(int32_t id, const uint8_t* bytes, int32_t length);
    void on_socket_ready(int32_t id);
    void on_socket_error(int32_t id);

    void tick(int32_t t);

    // Ticks since the user's last input; the idle work runs from the tenth.
    int32_t idle_ticks = 0;

private:
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
    vux_device_results results_;
};
