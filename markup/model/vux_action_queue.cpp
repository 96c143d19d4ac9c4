#include "markup/model/vux_action_queue.h"
#include <algorithm>
#include <cstdint>

void vux_action_queue::push(std::unique_ptr<vux_action> action) {
    if (!action || !is_open()) return;
    if (pending_.get_count() == 0) counter_ = action->due;
    pending_.append(std::move(action));
}

std::unique_ptr<vux_action> vux_action_queue::release() {
    if (!is_open()) return nullptr;
    std::unique_ptr<vux_action> out;
    if (pending_.get_count() > 0 && at(0)->due < counter_)
        out.reset(static_cast<vux_action*>(pending_.remove_at(0).release()));
    if (counter_ < INT32_MAX) ++counter_;
    return out;
}

int32_t vux_action_queue::remaining() const {
    if (!is_open() || pending_.get_count() == 0) return 0;
    const int32_t due = at(pending_.get_count() - 1)->due;
    if (counter_ < due) return int32_t(std::min<int64_t>(int64_t(due) - counter_, INT32_MAX));
    return pending_.get_count();
}

void vux_action_queue::close() {
    open_ = false;
    counter_ = -1;
    pending_.delete_all();
}

void vux_action_queue::restart_with(std::unique_ptr<vux_action> action) {
    close();
    if (!action || action->step_count() == 0) return;
    open_ = true;
    counter_ = action->due;
    pending_.append(std::move(action));
}
