#include "service/quellmark_content.h"

#include <algorithm>

#include "core/vux_hex.h"
#include "core/vux_record_build.h"
#include "desktop/records/vux_desktop_message_list.h"
#include "desktop/records/vux_desktop_recent_list.h"
#include "desktop/records/vux_desktop_site.h"
#include "desktop/records/vux_desktop_site_change.h"

namespace {
vux_string text_of(const std::string& s) { return vux_string(s.data(), int32_t(s.size())); }

template <class List>
void take_list_pictures(quellmark_content_store& store, List& list) {
    for (int32_t i = 0; i < list.items.get_count(); ++i) {
        auto& picture = list.items.at(i)->picture;
        if (picture.bytes.length() == 0) continue;
        const QByteArray bytes(reinterpret_cast<const char*>(picture.bytes.data()), picture.bytes.length());
        picture.name = text_of(store.add_picture(bytes));
        picture.bytes.clear();
    }
}

template <class List>
void apply_list(quellmark_content_store& store, List& stored, const List& update) {
    for (int32_t i = 0; i < update.items.get_count(); ++i) {
        const auto& item = *update.items.at(i);
        const int32_t at = stored.find_by_key(item.key);
        if (item.state == 1 && at < 0 && !item.key.empty()) {
            auto copy = vux_clone_record(item);
            copy->state = 0;
            stored.items.append(std::move(copy));
        } else if (item.state == 3 && at >= 0) {
            stored.items.remove_at(at);
        }
    }
    take_list_pictures(store, stored);
    // Keys the client hands out next must not repeat one held.
    for (int32_t i = 0; i < stored.items.get_count(); ++i) {
        const vux_string& key = stored.items.at(i)->key;
        if (key.empty() || key.length() > 8 || !vux_hex::is_hex(key.data(), key.length())) continue;
        const uint32_t next = uint32_t(vux_hex::parse8(key.data(), key.length())) + 1u;
        if (next != 0 && next > uint32_t(stored.key_counter)) stored.key_counter = int32_t(next);
    }
}
}  // namespace

std::string quellmark_content_store::add_picture(const QByteArray& bytes) {
    const std::string name = "p" + vux_hex::format(next_picture_++).str();
    pictures_[name] = bytes;
    return name;
}

QByteArray quellmark_content_store::picture(const std::string& name) const {
    auto it = pictures_.find(name);
    return it == pictures_.end() ? QByteArray() : it->second;
}

void quellmark_content_store::take_pictures(vux_desktop_site& site) {
    take_list_pictures(*this, site.news);
    take_list_pictures(*this, site.notices);
    take_list_pictures(*this, site.votes);
}

void quellmark_content_store::apply_update(vux_desktop_site& stored, const vux_desktop_site& update) {
    const int32_t mask = update.change_mask;
    if (mask & vux_desktop_site_change::news) apply_list(*this, stored.news, update.news);
    if (mask & vux_desktop_site_change::notices) apply_list(*this, stored.notices, update.notices);
    if (mask & vux_desktop_site_change::votes) apply_list(*this, stored.votes, update.votes);
}

void quellmark_content_store::post(const std::string& site, const std::string& member, bool from_site,
                                   const std::string& text, int32_t now) {
    site_messages& s = sites_[site];
    conversation& c = s.conversations[member];
    c.messages.push_back({now, ++s.serial, from_site, text});
    c.unread = !from_site;
}

void quellmark_content_store::recent(const std::string& site, int32_t after, int32_t limit,
                                     vux_desktop_recent_list& out) const {
    auto it = sites_.find(site);
    if (it == sites_.end()) return;
    std::vector<std::pair<const std::string*, const conversation*>> found;
    for (const auto& [member, c] : it->second.conversations)
        if (!c.messages.empty() && c.messages.back().serial > after) found.push_back({&member, &c});
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.second->messages.back().serial > b.second->messages.back().serial;
    });
    for (const auto& [member, c] : found) {
        if (out.entries.get_count() >= limit) break;
        const message& last = c->messages.back();
        auto& entry = out.entries.add();
        entry.time = last.time;
        entry.serial = last.serial;
        entry.image = c->unread ? 1 : 0;
        entry.key = text_of(*member);
        entry.text = text_of(last.text);
    }
}

void quellmark_content_store::read(const std::string& site, const std::string& member, const vux_string& site_key,
                                   int32_t after, int32_t limit, vux_desktop_message_list& out) {
    auto it = sites_.find(site);
    if (it == sites_.end()) return;
    auto c = it->second.conversations.find(member);
    if (c == it->second.conversations.end()) return;
    for (const message& m : c->second.messages) {
        if (m.serial <= after) continue;
        if (out.messages.get_count() >= limit) break;
        auto& item = out.messages.add();
        item.time = m.time;
        item.serial = m.serial;
        item.sender = m.from_site ? site_key : text_of(member);
        item.text = text_of(m.text);
    }
    c->second.unread = false;
}

const quellmark_content_store::conversation* quellmark_content_store::find(const std::string& site,
                                                                           const std::string& member) const {
    auto it = sites_.find(site);
    if (it == sites_.end()) return nullptr;
    auto c = it->second.conversations.find(member);
    return c == it->second.conversations.end() ? nullptr : &c->second;
}

bool quellmark_content_store::load_conversations(const vux_record_build::value& sites, std::string* why) {
    namespace json = vux_record_build;
    auto fail = [why](const std::string& text) {
        if (why) *why = text;
        return false;
    };
    if (!json::is_object(sites)) return fail("conversations: an object of sites expected");
    for (size_t i = 0; i < json::size(sites); ++i) {
        const std::string site(json::member_name(sites, i));
        const json::value& list = *json::member_at(sites, i);
        if (!json::is_array(list)) return fail("conversations of " + site + ": a list expected");
        for (size_t j = 0; const json::value* c = json::element(list, j); ++j) {
            const std::string member = json::text(json::member(*c, "member"));
            const json::value* messages = json::member(*c, "messages");
            if (member.empty() || !messages || !json::is_array(*messages))
                return fail("conversations of " + site + ": a member and its messages expected");
            for (size_t k = 0; const json::value* m = json::element(*messages, k); ++k)
                post(site, member, json::text(json::member(*m, "from")) == "site", json::text(json::member(*m, "text")),
                     int32_t(json::number(json::member(*m, "time"))));
            if (json::boolean(json::member(*c, "read"), false)) sites_[site].conversations[member].unread = false;
        }
    }
    return true;
}

void quellmark_content_store::for_each_time(const std::function<void(int32_t& time)>& visit) {
    for (auto& [site, messages] : sites_)
        for (auto& [member, c] : messages.conversations)
            for (message& m : c.messages) visit(m.time);
}

void quellmark_content_store::clear() {
    pictures_.clear();
    next_picture_ = 1;
    sites_.clear();
}
