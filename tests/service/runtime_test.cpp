#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "core/vux_reader.h"
#include "desktop/vux_desktop_accept.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_register.h"
#include "markup/model/vux_runtime_messages.h"
#include "service/quellmark_service.h"
#include "service/quellmark_site_page.h"
#include "sign_in.h"
#include "toolkit/vux_builder.h"
#include "toolkit/vux_dumper.h"

namespace {

std::string bytes_of(const vux_buffer& b) { return std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length())); }
int32_t be32_at(const std::string& s, size_t at) {
    return int32_t(vux_reader::decode_uint32(reinterpret_cast<const uint8_t*>(s.data()) + at));
}

// The phone's side of the exchanges, in-process: each reply is checked to be
// a whole document that builds back from its dump byte for byte.
struct Runtime : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(service.state().load_demo()); }
    quellmark_service service;

    std::string ask(const vux_record& request) {
        const std::string reply = bytes_of(service.respond_frame(vux_desktop_frame(request)));
        vux_dump_result d = vux_dump_stream(vux_link(reply.data(), int32_t(reply.size())), true);
        EXPECT_TRUE(d.ok) << d.out;
        vux_build_result b = vux_build_stream(d.out);
        EXPECT_TRUE(b.ok) << b.error;
        EXPECT_EQ(b.bytes, reply);
        dumped = d.out;
        return reply;
    }
    // The response at the head of a reply, read as its class.
    template <class R>
    std::unique_ptr<R> head(const std::string& reply) {
        vux_link link(reply.data(), int32_t(reply.size()));
        vux_reader r(link);
        if (!r.read_header() || r.read_int32() != R().type_code()) return nullptr;
        auto out = std::make_unique<R>();
        out->read(r);
        return r.has_error() ? nullptr : std::move(out);
    }
    vux_session registered(const char* key, vux_response_register* out = nullptr) {
        vux_request_register r;
        r.text_3 = vux_string(key);
        auto response = head<vux_response_register>(ask(r));
        EXPECT_TRUE(response);
        if (!response) return {};
        if (out) out->copy_from(*response);
        return response->home.session;
    }
    bool shows(const std::string& text) const { return dumped.find(text) != std::string::npos; }
    std::string dumped;
};

TEST_F(Runtime, register_and_logon_hand_out_a_home) {
    vux_response_register first;
    const vux_session s = registered("460001234567890", &first);
    EXPECT_EQ(first.user.str(), "m1");
    EXPECT_FALSE(first.password.empty());
    EXPECT_EQ(first.home.path.str(), "/cs");
    EXPECT_NE(s.number, 0);
    // The same device registering again keeps its name; another gets its own.
    vux_response_register again, other;
    registered("460001234567890", &again);
    registered("460009999999999", &other);
    EXPECT_EQ(again.user.str(), "m1");
    EXPECT_EQ(again.password.str(), first.password.str());
    EXPECT_EQ(other.user.str(), "m2");

    vux_request_logon logon;
    logon.kind = 1;
    logon.user = first.user;
    logon.password = first.password;
    auto home = head<vux_response_logon>(ask(logon));
    ASSERT_TRUE(home);
    EXPECT_NE(home->home.session.number, 0);
    EXPECT_NE(home->home.session.number, s.number);

    // A wrong password gets no home, only the fatal error step.
    logon.password = vux_string("wrong");
    const std::string refused = ask(logon);
    EXPECT_EQ(head<vux_response_logon>(refused), nullptr);
    EXPECT_EQ(be32_at(refused, 9), 1200);
    EXPECT_TRUE(shows("\"flag\":1")) << dumped;
}

// The stand-in keeps its phones only while it runs: a phone that registered
// with an earlier run logs on with the name it was given then, and keeps it;
// a later registration never hands that name out again.
TEST_F(Runtime, a_phone_of_an_earlier_run_is_taken_on_at_logon) {
    vux_request_logon logon;
    logon.kind = 1;
    logon.user = vux_string("m1");
    logon.password = vux_string("0123abcd");
    ASSERT_TRUE(head<vux_response_logon>(ask(logon)));
    ASSERT_TRUE(head<vux_response_logon>(ask(logon)));
    logon.password = vux_string("other");
    EXPECT_EQ(head<vux_response_logon>(ask(logon)), nullptr);
    logon.user = vux_string();
    EXPECT_EQ(head<vux_response_logon>(ask(logon)), nullptr);

    vux_response_register fresh;
    registered("460001234567890", &fresh);
    EXPECT_EQ(fresh.user.str(), "m2");
}

// The enter reply carries the request's sequence, asks for a poll and shows
// the selected site of the administrator whose desktop session the phone
// names; without one, the first demo site.
TEST_F(Runtime, enter_shows_the_site_as_members_see_it) {
    vux_request_enter enter;
    enter.sequence = 7;
    enter.session = registered("460001234567890");
    const std::string reply = ask(enter);
    EXPECT_EQ(be32_at(reply, 5), 7);
    ASSERT_EQ(be32_at(reply, 9), 1301);
    EXPECT_EQ(be32_at(reply, 13), 30);  // poll interval
    EXPECT_EQ(be32_at(reply, 17), 1);   // follow-up: poll
    for (const char* text : {"\"__window_site\"", "\"title\":\"河畔跑团\"", "Spring relay", "2026-12-10", "新路线",
                             "Teams of four", "The boathouse is closed", "Start time in summer?", "7:00: 9",
                             "河畔步道集合"})
        EXPECT_TRUE(shows(text)) << text;

    // A session the service never handed out: no poll, the fatal error step.
    vux_request_enter stranger;
    stranger.sequence = 8;
    stranger.session.number = 12345;
    const std::string refused = ask(stranger);
    EXPECT_EQ(be32_at(refused, 5), 8);
    EXPECT_EQ(be32_at(refused, 17), 0);
    EXPECT_TRUE(shows("vux_action_error")) << dumped;
    EXPECT_FALSE(shows("__window_site"));
}

TEST_F(Runtime, enter_names_the_administrators_site_by_desktop_session) {
    // Sign the demo administrator in and select another of its sites.
    const vux_desktop_session desktop = sign_in(service, "demo@quellmark.com", "demo1234");
    ASSERT_NE(desktop.id, 0);
    service.state().find_account(vux_string("demo@quellmark.com"))->document.groups.text = vux_string("q0000102");

    vux_request_enter enter;
    enter.session = registered("460001234567890");
    enter.identity_b = desktop.text1;
    ask(enter);
    EXPECT_TRUE(shows("Lakeside Book Club")) << dumped;

    // Go code 1 answers the refreshed site of the same administrator; other
    // codes only end the exchange. Both carry the request's sequence.
    vux_request_go go;
    go.session = enter.session;
    go.code = 1;
    go.sequence = 3;
    const std::string refreshed = ask(go);
    EXPECT_EQ(be32_at(refreshed, 5), 3);
    EXPECT_EQ(be32_at(refreshed, 9), 1303);
    EXPECT_TRUE(shows("Lakeside Book Club"));
    go.code = 2;
    ask(go);
    EXPECT_FALSE(shows("__window_site"));
}

TEST_F(Runtime, poll_is_answered_at_once) {
    vux_request_poll poll;
    poll.sequence = 4;
    poll.session = registered("460001234567890");
    const std::string reply = ask(poll);
    EXPECT_EQ(reply.size(), size_t(9 + 4 + 12 + 4));  // response only: follow-up 0, continued 0, no extras
    EXPECT_EQ(be32_at(reply, 5), 0);
    EXPECT_EQ(be32_at(reply, 9), 1307);
    EXPECT_EQ(be32_at(reply, 13), 0);
    EXPECT_EQ(be32_at(reply, 17), 0);

    poll.session.number += 1;
    ask(poll);
    EXPECT_TRUE(shows("vux_action_error"));
}

// Every reply the stand-in gives, desktop or runtime, builds back from its
// dump byte for byte: to each request of both tables as it comes by default,
// and to an administrator's logon, which gets a challenge.
TEST_F(Runtime, every_reply_builds_back_from_its_dump) {
    auto rebuilds = [](const std::string& reply) {
        vux_dump_result d = vux_dump_stream(vux_link(reply.data(), int32_t(reply.size())), true);
        vux_build_result b = vux_build_stream(d.out);
        return d.ok && b.ok && b.bytes == reply;
    };
    int answered = 0;
    for (vux_message_table table : {vux_desktop_message_table(), vux_runtime_message_table()}) {
        for (const vux_message_entry& entry : table) {
            if (entry.response) continue;
            const std::string reply = bytes_of(service.respond_frame(vux_desktop_frame(*entry.make())));
            if (reply.empty()) continue;  // no handler for it (yet)
            EXPECT_TRUE(rebuilds(reply)) << entry.code;
            ++answered;
        }
    }
    EXPECT_GE(answered, 11);  // launcher 2, logon 2, account 2, runtime 5
    vux_desktop_request_logon logon;
    logon.user_name = vux_string("demo@quellmark.com");
    EXPECT_TRUE(rebuilds(bytes_of(service.respond_frame(vux_desktop_frame(logon)))));
}

TEST(SitePage, template_fills_every_list_and_refuses_unknown_ones) {
    vux_desktop_site site;
    site.name = vux_string("S {name}");  // a value is not filled again
    std::string error;
    const std::string empty = quellmark_site_records(site, &error);
    ASSERT_FALSE(empty.empty()) << error;
    EXPECT_NE(empty.find("S {name}"), std::string::npos);

    EXPECT_TRUE(quellmark_site_records(site, R"({"page":{"records":["@nothing"]}})", &error).empty());
    EXPECT_NE(error.find("no list nothing"), std::string::npos) << error;
    EXPECT_TRUE(quellmark_site_records(site, R"({"page":{"records":[{"type":1}]}})", &error).empty());
    EXPECT_NE(error.find("records[0].type"), std::string::npos) << error;
    EXPECT_TRUE(quellmark_site_records(site, R"({"pages":{}})", &error).empty());
    // A piece that repeats its own list is cut off, not followed for ever.
    site.votes.items.append(std::make_unique<vux_desktop_vote>());
    EXPECT_TRUE(quellmark_site_records(site, R"({"page":{"records":["@votes"]},"votes":["@votes"]})", &error).empty());
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

}  // namespace
