#include "markup/model/vux_subtitle_list.h"

vux_subtitle* vux_subtitle_list::current() {
    if (!active_) return nullptr;
    if (!current_ && queue_.get_count() > 0) current_.reset(static_cast<vux_subtitle*>(queue_.remove_at(0).release()));
    return current_.get();
}

void vux_subtitle_list::advance(int32_t distance, int32_t w) {
    if (active_ && current_ && !current_->step(distance, w)) current_.reset();
    active_ = 1;
}

void vux_subtitle_list::stop() {
    if (active_ && current_) {
        if (current_->repeat)
            current_->scrolled = 0;
        else
            current_.reset();
    }
    active_ = 0;
}

void vux_subtitle_list::clear() {
    active_ = 0;
    current_.reset();
    queue_.delete_all();
}

void vux_subtitle_list::add(std::unique_ptr<vux_subtitle> subtitle) {
    if (!subtitle) return;
    int32_t i = 0;
    while (i < queue_.get_count() && static_cast<vux_subtitle*>(queue_.get(i))->priority >= subtitle->priority) ++i;
    queue_.insert_at(i, std::move(subtitle));
}
