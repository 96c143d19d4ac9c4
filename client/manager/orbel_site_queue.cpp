#include "client/manager/orbel_site_queue.h"

#include <string_view>
#include <unordered_set>

#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/records/vux_desktop_group_list.h"
#include "gui/orbel_strings.h"

namespace {

constexpr int32_t operation_fetch = 1;
constexpr int32_t result_refused = -1;

orbel_site_queue::outcome ending(int message) {
    orbel_site_queue::outcome out;
    out.fatal = true;
    out.message = orbel_string(message);
    return out;
}

}  // namespace

const vux_desktop_site* orbel_site_queue::find(const vux_string& key) const {
    const auto it = sites_.find(key.view());
    return it == sites_.end() ? nullptr : it->second.get();
}

void orbel_site_queue::enqueue_missing(const vux_desktop_group_list& groups) {
    // A site the list no longer holds is gone (deleted, or an offer
    // declined): its copy must not stand in should its key come back for
    // another site. Queued updates stay queued.
    std::unordered_set<std::string_view> listed;
    for (int32_t i = 0; i < groups.groups.get_count(); ++i) listed.insert(groups.groups.at(i)->name.view());
    std::erase_if(sites_, [&](const auto& site) { return !listed.count(site.first); });
    for (int32_t i = 0; i < groups.groups.get_count(); ++i) {
        const vux_string& key = groups.groups.at(i)->name;
        if (find(key) || out_ == key.view()) continue;
        const auto [queued, added] = queued_fetches_.insert(key.str());
        if (added) queue_.push_back({*queued, nullptr});
    }
}

void orbel_site_queue::enqueue_request(std::unique_ptr<vux_desktop_request_site> request) {
    std::string key = request->key.str();
    queue_.push_back({std::move(key), std::move(request)});
}

std::unique_ptr<vux_desktop_request_site> orbel_site_queue::take_next(const vux_desktop_session& session) {
    if (busy() || queue_.empty()) return nullptr;
    job next = std::move(queue_.front());
    queue_.pop_front();
    if (!next.request) {
        queued_fetches_.erase(next.key);
        next.request = std::make_unique<vux_desktop_request_site>();
        next.request->operation = operation_fetch;
        next.request->key = vux_string(next.key);
    }
    next.request->session.copy_from(session);
    out_ = std::move(next.key);
    return std::move(next.request);
}

orbel_site_queue::outcome orbel_site_queue::on_reply(const vux_desktop_response_site* reply) {
    const std::optional<std::string> asked = std::exchange(out_, std::nullopt);
    // Anything but a whole reply for the key asked for would cache a site
    // under the wrong key, or fetch the same key for ever.
    if (!asked || !reply || reply->key.str() != *asked) return ending(orbel_ids_system_failure);
    if (reply->result == result_refused) {
        outcome out;
        out.message = orbel_string(orbel_ids_refused);
        return out;
    }
    if (reply->result != 0) return ending(orbel_ids_system_failure);
    auto site = std::make_unique<vux_desktop_site>();
    site->copy_from(reply->site);
    sites_[*asked] = std::move(site);
    outcome out;
    out.arrived = reply->key;
    out.has_arrived = true;
    return out;
}

orbel_site_queue::outcome orbel_site_queue::on_failure() {
    out_.reset();
    return ending(orbel_ids_network_failure);
}

void orbel_site_queue::clear_cache() {
    sites_.clear();
    std::erase_if(queue_, [](const job& j) { return !j.request; });
    queued_fetches_.clear();
}
