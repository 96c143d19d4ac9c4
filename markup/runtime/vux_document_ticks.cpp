#include "markup/model/vux_window.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_screen_registry.h"

// ---- per-tick work

bool vux_document::tick_work() {
    bool did = pull_step();
    if (deferred_settle) {
        deferred_settle = false;
        machine_.settle(true);
        did = true;
    }
    const bool moved = runner_.tick_motions();
    return did || moved;
}

// The top window's scroll bar settles one step; an over-scroll it ends runs
// that edge's pull action, once until the client is refilled.
bool vux_document::pull_step() {
    auto* w = static_cast<vux_window*>(screens_.windows.top());
    vux_element_scrollbar* bar = w ? w->client.scroll_bar.get() : nullptr;
    if (!bar || !machine_.window_in_front()) return false;
    const bool over_top = bar->overscroll_top(), over_bottom = bar->overscroll_bottom();
    if (!bar->settle_step()) return false;
    std::unique_ptr<vux_action> pull;
    if (over_top && !bar->overscroll_top() && w->client.pull_top && !w->client.pull_top->runtime_a) {
        w->client.pull_top->runtime_a = 1;
        pull = w->client.pull_top->copy();
    } else if (over_bottom && !bar->overscroll_bottom() && w->client.pull_bottom && !w->client.pull_bottom->runtime_a) {
        w->client.pull_bottom->runtime_a = 1;
        pull = w->client.pull_bottom->copy();
    }
    machine_.repaint_full();
    if (pull) runner_.start_action(*pull);
    return true;
}

void vux_document::idle_work() {
    if (overtime || is_blocked() || !machine_.window_in_front() || !screens_.windows.top()) return;
    if (action_queue.count() > 0 || runner_.motions.count() > 0) return;
    if (!subtitles.active() && subtitles.queued() == 0) return;
    subtitles.start();
    if (!subtitles.current()) return;
    subtitles.advance(canvas_.metric(18), canvas_.screen_width());
    machine_.repaint_full();
}

// Only the subtitle on screen goes: between two subtitles the next one
// stays queued.
void vux_document::end_subtitle() {
    if (!subtitles.active()) return;
    const bool shown = subtitles.showing();
    subtitles.stop();
    if (shown) machine_.repaint_full();
}
