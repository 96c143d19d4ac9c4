#pragma once
#include <memory>
#include "markup/model/vux_action.h"

// Actions waiting for their turn, released one per timed step by their due
// position. Closed (counter -1) until it restarts with an action. Dues come
// off the wire and may be negative, so "open" is kept apart from the counter:
// a counter passing -1 does not close the queue.
class vux_action_queue {
public:
    // Closed: the action is dropped. Open: queued at the end; into an empty
    // queue it also sets the counter to its due position.
    void push(std::unique_ptr<vux_action> action);
    // The first action once its due position lies behind the counter; the
    // counter moves on by one in every open case.
    std::unique_ptr<vux_action> release();
    // Steps until the last queued action is due, or the number queued once
    // the counter has reached it; 0 when closed or empty.
    int32_t remaining() const;
    void close();
    // Closes, then opens with the action when it has steps (dropped otherwise).
    void restart_with(std::unique_ptr<vux_action> action);

    bool is_open() const { return open_; }
    int32_t counter() const { return open_ ? counter_ : -1; }
    int32_t count() const { return pending_.get_count(); }

private:
    vux_action* at(int32_t i) const { return static_cast<vux_action*>(pending_.get(i)); }
    bool open_ = false;
    int32_t counter_ = -1;
    vux_object_list pending_;
};
