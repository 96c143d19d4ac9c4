#include "markup/model/vux_window.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_manager.h"

// ---- per-tick work

bool vux_document::tick_work() {
    bool did = pull_step();
    if (deferred_settle) {
        deferred_settle = false;
        manager_->machine().settle(true);
        did = true;
    }
    const bool moved = manager_->runner().tick_motions();
    return did || moved;
}

// The top window's scroll bar settles one step; an over-scroll it ends runs
// that edge's pull action, once until the client is refilled.
bool vux_document::pull_step() {
    vux_machine& machine = manager_->machine();
    auto* w = static_cast<vux_window*>(machine.windows.top());
    vux_element_scrollbar* bar = w ? w->client.scroll_bar.get() : nullptr;
    if (!bar || !machine.window_in_front()) return false;
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
    machine.repaint_full();
    if (pull) manager_->runner().start_action(*pull);
    return true;
}

void vux_document::idle_work() {
    vux_machine& machine = manager_->machine();
    if (overtime || is_blocked() || !machine.window_in_front() || !machine.windows.top()) return;
    if (action_queue.count() > 0 || manager_->runner().motions.count() > 0) return;
    if (!subtitles.active() && subtitles.queued() == 0) return;
    subtitles.start();
    if (!subtitles.current()) return;
    vux_canvas& canvas = manager_->canvas();
    subtitles.advance(canvas.metric(18), canvas.screen_width());
    machine.repaint_full();
}

void vux_document::end_subtitle() {
    if (!subtitles.active()) return;
    const bool shown = subtitles.current() != nullptr;
    subtitles.stop();
    if (shown) manager_->machine().repaint_full();
}
