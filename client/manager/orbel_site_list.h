#pragma once
#include <QByteArray>
#include <functional>
#include <memory>

#include "client/common/orbel_reply_path.h"
#include "client/manager/orbel_site_queue.h"

// The application's cache of full sites: fetches each site of the group list
// one request at a time, and carries the site updates and share requests of
// the dialogs in the same queue, so never two requests are out and no stale
// fetch overwrites an update. Every reply is handled in a queued call, never
// inside the socket's own callback.
class orbel_site_list : public orbel_reply_path {
public:
    orbel_site_list();
    ~orbel_site_list() override;

    // The cached site of `key`; null when none. The pointer stays good until
    // the next reply or clear.
    const vux_desktop_site* find(const vux_string& key) const { return queue_.find(key); }
    // True while a request of this list is out.
    bool busy() const { return queue_.busy(); }
    int32_t queued_count() const { return queue_.queued_count(); }

    // Fetches every group key neither cached nor queued; forgets the sites
    // of keys the list no longer holds.
    void enqueue_missing(const vux_desktop_group_list& groups);
    // Sends an update (operation 2) or share request (operation 3) after
    // whatever is queued before it; its reply replaces the cached site.
    void send_update(std::unique_ptr<vux_desktop_request_site> request);
    // Forgets the cached site of one key (it changed on the service's side).
    void forget(const vux_string& key) { queue_.forget(key); }
    // Forgets every cached site and queued fetch (refresh).
    void clear() { queue_.clear_cache(); }

    // Told of each site that arrived, once it is cached.
    void set_on_arrived(std::function<void(const vux_string& key)> on_arrived) { on_arrived_ = std::move(on_arrived); }

    // What sends a request and returns its id: the application's socket list
    // unless a benchmark or test takes the requests itself (replies then
    // come through on_reply).
    using sender = std::function<int32_t(const vux_object& request, orbel_socket_observer* observer)>;
    void set_sender(sender send) { sender_ = std::move(send); }

private:
    void send_next();
    void take_reply(int32_t code, std::unique_ptr<vux_record> reply) override;
    void take_failure() override;

    orbel_site_queue queue_;
    std::function<void(const vux_string&)> on_arrived_;
    sender sender_;
};
