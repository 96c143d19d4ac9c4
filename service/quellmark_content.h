#pragma once
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/vux_string.h"

namespace vux_record_build {
struct value;
}
class vux_desktop_site;
class vux_desktop_message_list;
class vux_desktop_recent_list;

// What the service keeps beside the sites themselves: the pictures of news,
// notices and votes by name (sites carry only the name), and each site's
// private messages with its members.
class quellmark_content_store {
public:
    struct message {
        int32_t time = 0;
        int32_t serial = 0;
        bool from_site = false;
        std::string text;
    };
    struct conversation {
        std::vector<message> messages;  // oldest first
        bool unread = false;            // the member's latest message is not read yet
    };

    // Stores the bytes under a new name and returns it.
    std::string add_picture(const QByteArray& bytes);
    // The bytes of a name; empty for an unknown one.
    QByteArray picture(const std::string& name) const;
    int32_t picture_count() const { return int32_t(pictures_.size()); }

    // Moves the picture bytes of every news item, notice and vote of the site
    // into the store, leaving their names behind.
    void take_pictures(vux_desktop_site& site);
    // Takes the content bits of an update (news 0x800000, notices 0x1000000,
    // votes 0x2000000) into the stored site: new items (state 1) join with
    // state 0 unless their key is held already, items marked deleted (3)
    // leave, and each list's key counter moves past every key it holds.
    void apply_update(vux_desktop_site& stored, const vux_desktop_site& update);

    // A message into a conversation, with the site's next serial; `now` is
    // its time.
    void post(const std::string& site, const std::string& member, bool from_site, const std::string& text, int32_t now);
    // Op 1: one entry per conversation whose latest message has a serial
    // above `after`, newest first, at most `limit`.
    void recent(const std::string& site, int32_t after, int32_t limit, vux_desktop_recent_list& out) const;
    // Op 2: the conversation's messages above `after`, oldest first, at most
    // `limit`; the conversation counts as read from now on.
    void read(const std::string& site, const std::string& member, const vux_string& site_key, int32_t after,
              int32_t limit, vux_desktop_message_list& out);
    const conversation* find(const std::string& site, const std::string& member) const;
    // Seeds conversations from a data file: {site key: [{"member": key,
    // "read": bool, "messages": [{"time", "from": "site" or "member",
    // "text"}]}]}. False with a reason when the form is wrong.
    bool load_conversations(const vux_record_build::value& sites, std::string* why);
    // Every message's time, for moving them all at once.
    void for_each_time(const std::function<void(int32_t& time)>& visit);

    void clear();

private:
    struct site_messages {
        int32_t serial = 0;
        std::map<std::string, conversation> conversations;  // by member key
    };
    std::map<std::string, QByteArray> pictures_;
    int32_t next_picture_ = 1;
    std::map<std::string, site_messages> sites_;
};
