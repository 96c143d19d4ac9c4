#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <memory>
#include <string>
#include "core/vux_reader.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/vux_desktop_accept.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_register.h"
#include "markup/model/vux_runtime_messages.h"
#include "service/quellmark_phone_pages.h"
#include "service/quellmark_service.h"
#include "sign_in.h"
#include "toolkit/vux_builder.h"
#include "toolkit/vux_dumper.h"

namespace {

std::string bytes_of(const vux_buffer& b) {
    return std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length()));
}
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
// the page the phone starts with: the site the administrator it names has
// selected, when members see it; else the home page of that account's sites
// (the first account with any, when it names nobody).
TEST_F(Runtime, enter_shows_the_selected_site_as_members_see_it) {
    vux_request_enter enter;
    enter.sequence = 7;
    enter.session = registered("460001234567890");
    enter.identity_b = vux_string("demo@quellmark.com q0000101");
    const std::string reply = ask(enter);
    EXPECT_EQ(be32_at(reply, 5), 7);
    ASSERT_EQ(be32_at(reply, 9), 1301);
    EXPECT_EQ(be32_at(reply, 13), 30);  // poll interval
    EXPECT_EQ(be32_at(reply, 17), 1);   // follow-up: poll
    for (const char* text : {"\"__window_site\"", "\"title\":\"河畔跑团\"", "春季接力赛", "2026-12-10", "新路线",
                             "船屋关闭", "夏天几点开始跑？", "7:00：9 票", "河畔步道集合", "\"刷新\"", "\"返回\"",
                             "\"新闻\"", "\"通知\"", "\"投票\"", "vux_data"})
        EXPECT_TRUE(shows(text)) << text;
    EXPECT_FALSE(shows("\"News\"")) << "headings are the phone's own Chinese";
    // Each tile scrolls to its column's section; the site has no page of
    // messages for members, and its section says so.
    for (const char* section : {"home", "news", "notices", "column_6", "votes"})
        EXPECT_TRUE(shows(std::string("\"paragraph\":\"") + section + "\"")) << section;
    EXPECT_TRUE(shows("\"name\":\"column_6\""));
    EXPECT_TRUE(shows("手机上还不能查看私信。"));

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

// The home page lists what members see: published, activated, named sites
// the account still holds. Demo's list also has a paused one, one never
// activated, a deleted one, one never edited, one handed over and one only
// offered to it; a site members cannot see opens the home page instead.
TEST_F(Runtime, the_home_page_lists_only_the_sites_members_see) {
    const vux_desktop_session desktop = sign_in(service, "demo@quellmark.com", "demo1234");
    ASSERT_NE(desktop.id, 0);
    struct {
        std::string identity;
        bool site;
    } cases[] = {
        {"demo@quellmark.com", false},
        {desktop.text1.str(), false},
        {desktop.text1.str() + " q0000102", false},  // paused
        {"demo@quellmark.com q0000105", false},      // never activated
        {"nobody@quellmark.com q0000101", false},    // names no account: the first with sites, none selected
    };
    for (const auto& c : cases) {
        vux_request_enter enter;
        enter.session = registered("460001234567890");
        enter.identity_b = vux_string(c.identity);
        ask(enter);
        EXPECT_TRUE(shows("\"__window_home\"")) << c.identity;
        EXPECT_TRUE(shows("河畔跑团")) << c.identity;
        EXPECT_TRUE(shows("旧城摄影社")) << c.identity;  // offered to another, not yet taken
        for (const char* hidden :
             {"Lakeside Book Club", "社区菜园", "Old Chess Corner", "Harbour Kayakers", "Hill Choir"})
            EXPECT_FALSE(shows(hidden)) << c.identity << ": " << hidden;
        EXPECT_TRUE(shows("\"退出\"")) << c.identity;
    }

    // Choosing a site is a go request the service answers with its page;
    // the refresh of that page asks for it again, the home key for the list.
    vux_request_go go;
    go.session = registered("460001234567890");
    go.code = quellmark_go_site;
    go.sequence = 3;
    go.target_1 = vux_string("q0000101");
    const std::string site = ask(go);
    EXPECT_EQ(be32_at(site, 5), 3);
    EXPECT_EQ(be32_at(site, 9), 1303);
    EXPECT_TRUE(shows("\"__window_site\"")) << dumped;
    EXPECT_TRUE(shows("\"target_1\":\"q0000101\""));
    go.target_1 = vux_string("q0000102");
    ask(go);
    EXPECT_TRUE(shows("\"__window_home\""));
    go.code = 99;
    ask(go);
    EXPECT_FALSE(shows("__window_"));
}

// An account whose members see nothing says so, and its soft keys work:
// refresh asks for the home page again, exit logs the phone out (the host
// then starts the built-in document again).
TEST_F(Runtime, an_account_without_sites_says_so_with_working_soft_keys) {
    vux_request_enter enter;
    enter.session = registered("460001234567890");
    enter.identity_b = vux_string("empty@quellmark.com");
    ask(enter);
    EXPECT_TRUE(shows("还没有可以浏览的站点。")) << dumped;
    EXPECT_TRUE(shows("\"label\":\"刷新\""));
    EXPECT_TRUE(shows("\"code\":3"));
    EXPECT_TRUE(shows("\"label\":\"退出\""));
    EXPECT_TRUE(shows("\"command\":6"));
    EXPECT_FALSE(shows("\"command\":11")) << "an exit would leave the phone deaf to taps";
}

// One news item and one vote have pages of their own; a vote cast from the
// phone is counted once per phone, and the vote's page shows the counts.
TEST_F(Runtime, news_and_vote_pages_and_a_vote_counted_once) {
    vux_request_go go;
    go.session = registered("460001234567890");
    go.code = quellmark_go_news;
    go.target_1 = vux_string("q0000101");
    go.target_2 = vux_string("1");
    ask(go);
    for (const char* text : {"\"__window_news\"", "春季接力赛", "四人一队", "vux_data"})
        EXPECT_TRUE(shows(text)) << text;
    go.target_2 = vux_string("nothing");
    ask(go);
    EXPECT_TRUE(shows("\"__window_site\""));  // no such item: the site instead

    go.code = quellmark_go_vote;
    go.target_2 = vux_string("1");
    ask(go);
    for (const char* text : {"\"__window_vote\"", "\"__menu_vote\"", "7:00：9 票", "\"code\":6", "\"1/2\""})
        EXPECT_TRUE(shows(text)) << text;

    const vux_desktop_vote& vote = *service.state().find_site("q0000101")->votes.items.at(0);
    go.code = quellmark_go_cast;
    for (const char* bad : {"1/3", "1/-1", "1/x", "1", "2/0", "1/99999999999"}) {
        go.target_2 = vux_string(bad);
        ask(go);
    }
    EXPECT_EQ(vote.count_of(0) + vote.count_of(1) + vote.count_of(2), 15) << "a bad choice counts nothing";
    go.target_2 = vux_string("1/2");
    ask(go);
    EXPECT_EQ(vote.count_of(2), 3);
    EXPECT_TRUE(shows("7:30：3 票")) << dumped;
    EXPECT_TRUE(shows("您已经投过票了")) << "the page offers no second choice";
    EXPECT_FALSE(shows("\"code\":6"));
    ask(go);
    EXPECT_EQ(vote.count_of(2), 3) << "one vote per phone";
    // another phone votes too
    go.session = registered("460009999999999");
    go.target_2 = vux_string("1/0");
    ask(go);
    EXPECT_EQ(vote.count_of(0), 5);
}

// Going back from a news item or a vote lands on its column's section of
// the site's page; a section the page does not have opens it at the top.
TEST_F(Runtime, back_from_an_item_opens_the_site_at_its_section) {
    vux_request_go go;
    go.session = registered("460001234567890");
    go.target_1 = vux_string("q0000101");
    go.target_2 = vux_string("1");
    const struct {
        int32_t code;
        const char* back;  // the go the page's "返回" sends
    } items[] = {
        {quellmark_go_news, "\"code\":2,\"send\":1,\"clear_first\":0,\"target_1\":\"q0000101\",\"target_2\":\"news\""},
        {quellmark_go_vote,
         "\"code\":2,\"send\":1,\"clear_first\":0,\"target_1\":\"q0000101\",\"target_2\":\"votes\""}};
    for (const auto& c : items) {
        go.code = c.code;
        ask(go);
        EXPECT_TRUE(shows(c.back)) << c.code;
    }
    go.code = quellmark_go_site;
    const struct {
        const char* section;
        bool scrolls;
    } sections[] = {{"news", true}, {"votes", true}, {"", false}, {"column_99", false}, {"room", false}};
    for (const auto& c : sections) {
        go.target_2 = vux_string(c.section);
        ask(go);
        EXPECT_TRUE(shows("\"__window_site\"")) << c.section;
        EXPECT_EQ(shows(std::string("\"window\":\"__window_site\",\"paragraph\":\"") + c.section + "\""), c.scrolls)
            << c.section;
    }
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

// What the phone is told when the service cannot go on is in the phone's
// language, as every other text it shows.
TEST_F(Runtime, refusals_are_told_in_chinese) {
    const vux_session known = registered("460001234567890");
    vux_session ended = known;
    ended.number += 1;
    vux_request_enter enter;
    enter.session = ended;
    vux_request_go go;
    go.session = ended;
    go.code = quellmark_go_site;
    vux_request_poll poll;
    poll.session = ended;
    vux_request_logon logon;
    logon.kind = 1;
    logon.user = vux_string("m1");
    logon.password = vux_string("wrong");
    const struct {
        const vux_record& request;
        const char* text;
    } cases[] = {
        {enter, "会话已经结束，请重新开始。"},
        {go, "会话已经结束，请重新开始。"},
        {poll, "会话已经结束，请重新开始。"},
        {logon, "服务不认识这部手机，请重新注册。"},
    };
    for (const auto& c : cases) {
        ask(c.request);
        EXPECT_TRUE(shows("vux_action_error")) << c.text;
        EXPECT_TRUE(shows(c.text)) << dumped;
    }
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

TEST(PhonePages, the_template_fills_every_list_and_refuses_unknown_ones) {
    vux_desktop_site site;
    site.name = vux_string("S {name}");  // a value is not filled again
    site.columns = 0x8E;                 // home, news, notices, votes
    quellmark_phone_site s{"q1", &site, {}, {}};
    std::string error;
    // every choice of columns builds, none among them too
    for (int32_t columns : {0, 0x1, 0x4, 0x82, 0x3FFF}) {
        site.columns = columns;
        EXPECT_FALSE(quellmark_site_records(s, &error).empty()) << columns << ": " << error;
    }
    site.columns = 0x8E;
    const std::string records = quellmark_site_records(s, &error);
    ASSERT_FALSE(records.empty()) << error;
    const std::string stream = std::string("vux+\0\0\0\0\0", 9) + records + "+xuv";
    const vux_dump_result dumped = vux_dump_stream(vux_link(stream.data(), int32_t(stream.size())), true);
    ASSERT_TRUE(dumped.ok) << dumped.out;
    const std::string& built = dumped.out;
    EXPECT_NE(built.find("S {name}"), std::string::npos);
    for (const char* empty : {"暂无新闻。", "暂无通知。", "暂无投票。", "主页还没有内容。"})
        EXPECT_NE(built.find(empty), std::string::npos) << empty;
    // every column offered has a section; those the phone has no page for
    // say so
    site.columns = 0x3FFF;
    std::string all;
    ASSERT_FALSE(quellmark_site_records(s, &error, {}, &all).empty()) << error;
    for (const char* label : {"论坛", "群聊", "私信", "相册"})
        EXPECT_NE(all.find(std::string("手机上还不能查看") + label + "。"), std::string::npos) << label;
    for (const char* not_offered : {"在哪", "问答", "任务", "会议", "日历"})
        EXPECT_EQ(all.find(not_offered), std::string::npos) << not_offered;

    EXPECT_TRUE(quellmark_site_records(s, &error, R"({"site_page":{"records":["@nothing"]}})").empty());
    EXPECT_NE(error.find("no list nothing"), std::string::npos) << error;
    EXPECT_TRUE(quellmark_site_records(s, &error, R"({"site_page":{"records":[{"type":1}]}})").empty());
    EXPECT_NE(error.find("records[0].type"), std::string::npos) << error;
    EXPECT_TRUE(quellmark_site_records(s, &error, R"({"pages":{}})").empty());
    EXPECT_NE(error.find("no \"site_page\""), std::string::npos) << error;
    // A piece that repeats its own list is cut off, not followed for ever,
    // in an array as in a member.
    EXPECT_TRUE(quellmark_site_records(s, &error, R"({"site_page":{"records":["@sections"]},"sections":["@sections"]})")
                    .empty());
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
    EXPECT_TRUE(
        quellmark_site_records(s, &error, R"({"site_page":{"records":["@sections"]},"sections":[{"a":"@sections"}]})")
            .empty());
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

// Pictures go as PNG no larger than they are shown; colours carry the
// opacity as the top byte's transparency.
TEST(PhonePages, pictures_are_png_and_colours_carry_the_opacity) {
    QImage big(400, 200, QImage::Format_RGB32);
    big.fill(Qt::red);
    QByteArray jpeg;
    QBuffer out(&jpeg);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(big.save(&out, "JPEG"));
    const QByteArray png = quellmark_phone_png(jpeg, 100, 100);
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(png).size(), QSize(100, 50));
    EXPECT_EQ(QImage::fromData(quellmark_phone_png(png, 300, 300)).size(), QSize(100, 50)) << "never scaled up";
    EXPECT_TRUE(quellmark_phone_png("not a picture", 10, 10).isEmpty());
    EXPECT_TRUE(quellmark_phone_png(png, 0, 10).isEmpty());

    // A picture keeps its shape on the page: a notice's place is 120 x 90
    // units, so a square one is shown 90 wide, a wide one 120 wide.
    struct {
        QSize pixels;
        const char* shown;
    } shapes[] = {{QSize(80, 80), "\"width\",\"90\",\"height\",\"90\""},
                  {QSize(100, 50), "\"width\",\"120\",\"height\",\"60\""},
                  {QSize(50, 200), "\"width\",\"22\",\"height\",\"90\""}};
    for (const auto& shape : shapes) {
        QImage picture(shape.pixels, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QByteArray bytes;
        QBuffer into(&bytes);
        into.open(QIODevice::WriteOnly);
        ASSERT_TRUE(picture.save(&into, "PNG"));
        vux_desktop_site site;
        site.columns = 0x8;
        site.notices.items.add().picture.bytes.assign_bytes(bytes.constData(), int32_t(bytes.size()));
        quellmark_phone_site phone{"q1", &site, {}, {}};
        std::string source, error;
        ASSERT_FALSE(quellmark_site_records(phone, &error, {}, &source).empty()) << error;
        EXPECT_NE(source.find(std::string("\"image\",\"__picture_")), std::string::npos);
        EXPECT_NE(source.find(shape.shown), std::string::npos) << shape.shown;
    }

    struct {
        int32_t rgb, opacity;
        const char* text;
    } colours[] = {
        {0x1BA1E2, 100, "0x001BA1E2"},   {0xE21BA1, 75, "0x3FE21BA1"}, {0xE21BA1, 0, "0xFFE21BA1"},
        {0x7F123456, 150, "0x00123456"}, {0x000000, -5, "0xFF000000"},
    };
    for (const auto& c : colours) EXPECT_EQ(quellmark_phone_colour(c.rgb, c.opacity), c.text) << c.text;
}

}  // namespace
