// The stand-in's private messages, pictures and the content lists of site
// updates, asked in-process as the client asks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_content_handlers.h"
#include "service/quellmark_service.h"
#include "sign_in.h"

namespace {

constexpr const char* site_key = "q0000101";
// Members of the demo site (the MD5 keys of their numbers).
constexpr const char* lin = "4d009f30087e9aa9f5b5806d5f350017";
constexpr const char* tom = "cd96e7ce247ed5c74267805b69cc7cd3";
constexpr const char* zhou = "e910662da706109978313531f1c72320";

template <class Response>
std::unique_ptr<Response> ask(quellmark_service& service, const vux_object& request) {
    return vux_desktop_accept_as<Response>(service.respond_frame(vux_desktop_frame(request)));
}

struct ContentHandlers : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(service.state().load_demo());
        session = sign_in(service, "demo@quellmark.com", "demo1234");
        ASSERT_NE(session.id, 0);
    }

    std::unique_ptr<vux_desktop_response_message> message(int op, const char* member, std::vector<int32_t> marker,
                                                          const char* text = "", int limit = 64) {
        vux_desktop_request_message r;
        r.operation = op;
        r.limit = limit;
        r.site_key = vux_string(site_key);
        r.member_key = vux_string(member);
        r.text = vux_string(text);
        for (int32_t m : marker) r.marker.append(m);
        r.has_marker = marker.empty() ? 0 : 1;
        r.session.copy_from(session);
        return ask<vux_desktop_response_message>(service, r);
    }

    std::unique_ptr<vux_desktop_response_site> update(vux_desktop_site& site) {
        vux_desktop_request_site r;
        r.operation = 2;
        r.key = vux_string(site_key);
        r.site.copy_from(site);
        r.session.copy_from(session);
        return ask<vux_desktop_response_site>(service, r);
    }

    vux_desktop_site& stored() { return *service.state().find_site(site_key); }

    quellmark_service service;
    vux_desktop_session session;
};

TEST_F(ContentHandlers, recent_entries_newest_first_above_the_marker_with_unread_images) {
    auto r = message(1, "", {}, "", 256);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->result, 0);
    ASSERT_EQ(r->recent.entries.get_count(), 3);
    // Demo: zhou wrote last (unread), lin's latest is from the member (unread),
    // tom's conversation was read.
    const struct {
        const char* key;
        int image;
    } expected[] = {{zhou, 1}, {lin, 1}, {tom, 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r->recent.entries.at(i)->key.str(), expected[i].key) << i;
        EXPECT_EQ(r->recent.entries.at(i)->image, expected[i].image) << i;
    }
    const int32_t newest = r->recent.entries.at(0)->serial;
    EXPECT_GT(newest, r->recent.entries.at(1)->serial);
    // Above the newest marker: nothing; the third int bounds the count.
    EXPECT_EQ(message(1, "", {0, newest}, "", 256)->recent.entries.get_count(), 0);
    EXPECT_EQ(message(1, "", {}, "", 2)->recent.entries.get_count(), 2);
}

TEST_F(ContentHandlers, reading_marks_read_and_sending_stores_as_the_site) {
    auto r = message(2, lin, {});
    ASSERT_EQ(r->result, 0);
    ASSERT_EQ(r->messages.messages.get_count(), 3);
    EXPECT_EQ(r->messages.messages.at(1)->sender.str(), site_key);
    EXPECT_EQ(r->messages.messages.at(2)->sender.str(), lin);
    const int32_t last = r->messages.messages.at(2)->serial;
    EXPECT_EQ(message(1, "", {}, "", 256)->recent.entries.at(1)->image, 0);

    auto sent = message(3, lin, {last}, "明天见");
    ASSERT_EQ(sent->result, 0);
    ASSERT_EQ(sent->messages.messages.get_count(), 1);
    EXPECT_EQ(sent->messages.messages.at(0)->text.str(), "明天见");
    EXPECT_EQ(sent->messages.messages.at(0)->sender.str(), site_key);
    EXPECT_GT(sent->messages.messages.at(0)->serial, last);
    // The site's own message tops the recent list and reads as read.
    auto recent = message(1, "", {}, "", 256);
    EXPECT_EQ(recent->recent.entries.at(0)->key.str(), lin);
    EXPECT_EQ(recent->recent.entries.at(0)->image, 0);

    // A member's message from the phone: unread again.
    ASSERT_TRUE(quellmark_post_member_message(service.state(), "demo@quellmark.com", site_key, tom, "hi"));
    EXPECT_EQ(message(1, "", {}, "", 256)->recent.entries.at(0)->image, 1);
    EXPECT_FALSE(quellmark_post_member_message(service.state(), "demo@quellmark.com", site_key, "nobody", "x"));

    // Sending to a key that is no member, or with a session the service never gave: refused.
    EXPECT_EQ(message(3, "0123456789abcdef0123456789abcdef", {}, "x")->result, -1);
    session.id += 1;
    EXPECT_NE(message(1, "", {}, "", 256)->result, 0);
}

TEST_F(ContentHandlers, content_updates_store_items_keep_pictures_by_name_and_remove) {
    // Seeded pictures are kept by name, the site holds an empty block.
    const vux_desktop_data& seeded = stored().news.items.at(0)->picture;
    ASSERT_FALSE(seeded.name.empty());
    EXPECT_EQ(seeded.bytes.length(), 0);

    vux_desktop_request_data fetch;
    fetch.operation = 1;
    fetch.name = seeded.name;
    fetch.session.copy_from(session);
    auto got = ask<vux_desktop_response_data>(service, fetch);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->result, 0);
    EXPECT_GT(got->bytes.length(), 8);
    fetch.name = vux_string("unknown");
    EXPECT_EQ(ask<vux_desktop_response_data>(service, fetch)->bytes.length(), 0);

    vux_desktop_site u;
    u.change_mask = 0x800000 | 0x2000000;
    const char png[] = "\x89PNG\r\n\x1a\nrest";
    auto& added = u.news.add_news(vux_string("0000000c"), vux_string("demo"), vux_string("t"), vux_string("c"),
                                  vux_link(png, 12), 1);
    added.state = 1;
    auto& gone = u.news.items.add();
    gone.key = vux_string("1");
    gone.state = 3;
    auto& vote_gone = u.votes.items.add();
    vote_gone.key = vux_string("1");
    vote_gone.state = 3;
    // Notices are not in the mask: their items are not looked at.
    u.notices.items.add().state = 1;

    auto r = update(u);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->result, 0);
    const vux_desktop_news_list& news = r->site.news;
    ASSERT_EQ(news.items.get_count(), 2);
    EXPECT_LT(news.find_by_key(vux_string("1")), 0);
    const vux_desktop_news& item = *news.items.at(news.find_by_key(vux_string("0000000c")));
    EXPECT_EQ(item.state, 0);
    EXPECT_EQ(item.time, added.time);
    EXPECT_EQ(item.picture.bytes.length(), 0);
    EXPECT_EQ(service.state().content.picture(item.picture.name.str()), QByteArray(png, 12));
    EXPECT_EQ(news.key_counter, 13);  // past 0x0c
    EXPECT_EQ(r->site.votes.items.get_count(), 0);
    EXPECT_EQ(r->site.notices.items.get_count(), 1);
    EXPECT_EQ(stored().news.items.get_count(), 2);

    // The same new item sent again is not stored twice.
    EXPECT_EQ(update(u)->site.news.items.get_count(), 2);
}

// Every date of the data: news, notices and votes of every site, then the
// private messages.
std::vector<int64_t> dates(quellmark_service_state& state) {
    std::vector<int64_t> out;
    for (const auto& [key, site] : state.sites()) {
        for (int32_t i = 0; i < site->news.items.get_count(); ++i) out.push_back(site->news.items.at(i)->time);
        for (int32_t i = 0; i < site->notices.items.get_count(); ++i) out.push_back(site->notices.items.at(i)->time);
        for (int32_t i = 0; i < site->votes.items.get_count(); ++i) out.push_back(site->votes.items.at(i)->time);
    }
    state.content.for_each_time([&](int32_t& t) { out.push_back(t); });
    return out;
}

// The program moves the demo's dates before the day it starts, whole days at
// a time, so a message sent that day sorts after every one of them.
TEST_F(ContentHandlers, demo_dates_move_before_the_day_the_service_starts) {
    const std::vector<int64_t> written = dates(service.state());
    ASSERT_GE(written.size(), 11u);
    const int64_t latest = *std::max_element(written.begin(), written.end());
    constexpr int64_t day = 86400;
    const struct {
        const char* name;
        int64_t now;
        bool moves;
    } cases[] = {
        {"years later", 1900000000, true},
        {"the day the demo was written for", (latest / day + 1) * day + 5, false},  // already before
        {"before the demo's own dates", 1700000000, true},
        {"past the 32-bit range", int64_t(1) << 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(service.state().load_demo());
        const int64_t by = service.state().move_dates_before(c.now);
        EXPECT_EQ(by != 0, c.moves);
        EXPECT_EQ(by % day, 0);
        const std::vector<int64_t> moved = dates(service.state());
        ASSERT_EQ(moved.size(), written.size());
        for (size_t i = 0; i < moved.size(); ++i) EXPECT_EQ(moved[i], written[i] + by) << i;
        if (!c.moves) continue;
        const int64_t start_day = c.now / day * day;
        EXPECT_LT(latest + by, start_day);
        EXPECT_GE(latest + by, start_day - day);
    }
}

}  // namespace
