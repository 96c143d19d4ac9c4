#pragma once
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>

#include "core/vux_string.h"
#include "desktop/messages/vux_desktop_request_site.h"

class vux_desktop_group_list;
class vux_desktop_response_site;

// The site cache's rules, without sockets: the full sites by key, the queue
// of fetches and updates, and at most one request out. The cache sends what
// take_next gives and passes back each reply.
class orbel_site_queue {
public:
    // What a reply (or failure) means.
    struct outcome {
        QString message;     // shown; empty for none
        bool fatal = false;  // the program ends after the message
        vux_string arrived;  // the key whose site was just cached
        bool has_arrived = false;
    };

    // The cached site of `key`; null when none.
    const vux_desktop_site* find(const vux_string& key) const;
    int cached_count() const { return int(sites_.size()); }
    // True while a request is out.
    bool busy() const { return out_.has_value(); }
    // Keys queued, in order (fetches and updates alike).
    int queued_count() const { return int(queue_.size()); }

    // Queues a fetch of every group key that is neither cached nor queued,
    // and forgets the cached sites of keys the list no longer holds.
    void enqueue_missing(const vux_desktop_group_list& groups);
    // Queues an update or share request; it goes after what is already queued.
    void enqueue_request(std::unique_ptr<vux_desktop_request_site> request);
    // When nothing is out: the next request, now out, with `session` copied
    // in; null when busy or the queue is empty.
    std::unique_ptr<vux_desktop_request_site> take_next(const vux_desktop_session& session);

    // The reply to the request out; null when it was not a whole 3913.
    outcome on_reply(const vux_desktop_response_site* reply);
    // The transport failed.
    outcome on_failure();
    // Forgets the cached site of one key, so the next enqueue_missing
    // fetches it anew.
    void forget(const vux_string& key) { sites_.erase(key.str()); }
    // Forgets every cached site and queued fetch (refresh); a request out
    // stays out.
    void clear_cache();

private:
    struct job {
        std::string key;
        std::unique_ptr<vux_desktop_request_site> request;  // null for a fetch
    };
    std::map<std::string, std::unique_ptr<vux_desktop_site>, std::less<>> sites_;
    std::deque<job> queue_;
    std::unordered_set<std::string> queued_fetches_;
    std::optional<std::string> out_;
};
