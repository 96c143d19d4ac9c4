#pragma once
#include <string>
#include "markup/runtime/vux_metrics.h"
#include "vux_fake_host.h"

// Metrics over a fake host answering one screen size.
struct metrics_screen {
    vux_fake_host host;
    vux_metrics m;
    metrics_screen(int w, int h) {
        host.answer("graphics.screen_width", std::to_string(w));
        host.answer("graphics.screen_height", std::to_string(h));
        m.set(&host.graphics);
    }
};
