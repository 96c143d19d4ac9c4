#pragma once
#include <QByteArray>
#include <utility>
#include <vector>
#include "markup/runtime/vux_engine.h"
#include "service/quellmark_service.h"

class vux_image_host;

// The engine's network answered by the local service in-process, for the
// golden images and the frame benchmark: a request is kept when the engine
// opens its connection and answered whole by answer(), which runs outside
// the engine call that opened it, so the engine is never re-entered.
class vux_service_network {
public:
    vux_service_network();
    vux_service_network(const vux_service_network&) = delete;
    vux_service_network& operator=(const vux_service_network&) = delete;

    quellmark_service service;

    // Sets the network table on the engine.
    void attach(vux_engine* e);
    // Answers every connection opened so far.
    void answer(vux_engine* e);
    // Answers and ticks the host until the variable reads "ok" (the document
    // sets "__window_<name>" once a window is shown); false when it never
    // does within `rounds` ticks.
    bool run_until_ok(vux_engine* e, vux_image_host& host, const char* variable, int rounds = 100);

private:
    vux_network_table table_{};
    std::vector<std::pair<int, QByteArray>> waiting_;
    int next_id_ = 1;
};
