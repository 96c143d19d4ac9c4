#pragma once
#include <memory>
#include "markup/model/vux_subtitle.h"

// Plays subtitles one after another: a current one and a queue ordered by
// priority. Not serialised.
class vux_subtitle_list {
public:
    // Null while not active; otherwise the current subtitle, taking the first
    // queued one when there is none.
    vux_subtitle* current();
    void start() { active_ = 1; }
    // Steps the current subtitle and drops it once it has finished.
    void advance(int32_t distance, int32_t w);
    // A repeating subtitle is rewound and kept; any other is dropped.
    void stop();
    void clear();
    // Queued before the first subtitle of lower priority; equal priorities
    // keep their order of arrival.
    void add(std::unique_ptr<vux_subtitle> subtitle);

    bool active() const { return active_ != 0; }
    // A current subtitle is on screen (current() would take a queued one).
    bool showing() const { return active_ && current_; }
    int32_t queued() const { return queue_.get_count(); }

private:
    uint8_t active_ = 0;
    std::unique_ptr<vux_subtitle> current_;
    vux_object_list queue_;
};
