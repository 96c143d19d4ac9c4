// The stand-in's site manager messages: each site-list operation as it moves
// sites between accounts, what it turns down, the site fetch, SMS and the
// password change.
#include <gtest/gtest.h>
#include <memory>
#include "core/vux_hex.h"
#include "core/vux_tea.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_md5.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"

namespace {

template <class Response>
std::unique_ptr<Response> ask(quellmark_service& service, const vux_object& request) {
    const vux_buffer reply = service.respond_frame(vux_desktop_frame(request));
    return vux_desktop_accept_as<Response>(reply);
}

struct GroupHandlers : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(service.state().load_demo());
        demo = session_of("demo@quellmark.com");
        ruth = session_of("ruth@quellmark.com");
    }
    vux_desktop_session session_of(const char* account) {
        const quellmark_session& s = service.state().open_session(account);
        vux_desktop_session out;
        out.id = s.id;
        out.text1 = vux_string(s.token);
        out.account = vux_string(s.account);
        return out;
    }
    std::unique_ptr<vux_desktop_response_group> op(const vux_desktop_session& who, int32_t operation,
                                                   std::initializer_list<const char*> args) {
        vux_desktop_request_group r;
        r.operation = operation;
        for (const char* a : args) r.arguments.append_cstr(a);
        r.session.copy_from(who);
        auto reply = ask<vux_desktop_response_group>(service, r);
        EXPECT_TRUE(reply);
        return reply;
    }
    // The state of a key's group in an account's document; -1 when it has none.
    int32_t state_of(const char* account, const char* key) {
        const auto& groups = service.state().find_account(vux_string(account))->document.groups;
        const int32_t i = groups.find_by_name(vux_string(key));
        return i < 0 ? -1 : groups.groups.at(i)->state;
    }
    std::unique_ptr<vux_desktop_response_site> fetch(const vux_desktop_session& who, const char* key,
                                                     int32_t operation = 1) {
        vux_desktop_request_site r;
        r.operation = operation;
        r.key = vux_string(key);
        r.session.copy_from(who);
        return ask<vux_desktop_response_site>(service, r);
    }

    quellmark_service service;
    vux_desktop_session demo, ruth;
};

TEST_F(GroupHandlers, create_rename_transfer_acquire_and_delete) {
    auto created = op(demo, 2, {"新站"});
    ASSERT_EQ(created->result, 0);
    const std::string key(created->document.groups.text.view());
    EXPECT_EQ(key, "q0000109");  // after the highest key held
    const auto* g = created->document.groups.groups.at(created->document.groups.groups.get_count() - 1);
    EXPECT_EQ(g->name.view(), key);
    EXPECT_EQ(g->display_name.view(), "新站");
    EXPECT_EQ(g->state, 0);
    const vux_desktop_site* site = service.state().find_site(key);
    ASSERT_TRUE(site);
    EXPECT_TRUE(site->name.empty());
    EXPECT_EQ(site->activated, 0);

    EXPECT_EQ(op(demo, 3, {key.c_str(), "改名"})->document.groups.text.view(), key);
    service.state().find_site(key)->activated = 1;

    auto offered = op(demo, 4, {key.c_str(), "RUTH@Quellmark.com", "c0de"});
    ASSERT_EQ(offered->result, 0);
    EXPECT_EQ(state_of("demo@quellmark.com", key.c_str()), 1);
    EXPECT_EQ(state_of("ruth@quellmark.com", key.c_str()), 3);
    EXPECT_EQ(op(ruth, 6, {key.c_str(), "wrong"})->result, -1);
    EXPECT_EQ(op(ruth, 6, {key.c_str(), "C0DE"})->result, -1);  // codes are exact
    EXPECT_EQ(state_of("ruth@quellmark.com", key.c_str()), 3);

    auto acquired = op(ruth, 6, {key.c_str(), "c0de"});
    ASSERT_EQ(acquired->result, 0);
    EXPECT_EQ(acquired->document.groups.text.view(), key);
    EXPECT_EQ(state_of("ruth@quellmark.com", key.c_str()), 0);
    EXPECT_EQ(state_of("demo@quellmark.com", key.c_str()), 2);
    EXPECT_EQ(service.state().find_site(key)->activated, 0) << "a transferred site is activated again";
    EXPECT_EQ(fetch(ruth, key.c_str())->site.name.view(), "");
    const int32_t mine = acquired->document.groups.find_by_name(vux_string(key));
    ASSERT_GE(mine, 0);
    EXPECT_EQ(acquired->document.groups.groups.at(mine)->display_name.view(), "改名");

    // The old owner forgets the site; the new owner still has it.
    auto forgotten = op(demo, 7, {key.c_str()});
    ASSERT_EQ(forgotten->result, 0);
    EXPECT_TRUE(forgotten->document.groups.text.empty());
    EXPECT_EQ(state_of("demo@quellmark.com", key.c_str()), -1);
    EXPECT_TRUE(service.state().find_site(key));
    // The owner's delete removes the site itself.
    ASSERT_EQ(op(ruth, 7, {key.c_str()})->result, 0);
    EXPECT_FALSE(service.state().find_site(key));
}

TEST_F(GroupHandlers, cancel_and_decline_give_the_site_back) {
    // Demo offered q0000103 to ruth: demo cancels.
    ASSERT_EQ(op(demo, 5, {"q0000103"})->result, 0);
    EXPECT_EQ(state_of("demo@quellmark.com", "q0000103"), 0);
    EXPECT_EQ(state_of("ruth@quellmark.com", "q0000103"), -1);
    EXPECT_EQ(op(ruth, 6, {"q0000103", "photo42"})->result, -1) << "the offer is gone";
    // Ruth offered q0000104 to demo: demo declines by deleting it.
    ASSERT_EQ(op(demo, 7, {"q0000104"})->result, 0);
    EXPECT_EQ(state_of("demo@quellmark.com", "q0000104"), -1);
    EXPECT_EQ(state_of("ruth@quellmark.com", "q0000104"), 0);
    EXPECT_TRUE(service.state().find_site("q0000104"));
    EXPECT_TRUE(service.state().offers().empty());
}

TEST_F(GroupHandlers, refusals_change_nothing) {
    quellmark_account& empty = *service.state().find_account(vux_string("empty@quellmark.com"));
    vux_desktop_group& g = empty.document.groups.groups.add();
    g.name = vux_string("q0000105x");
    const vux_desktop_session non_member = session_of("empty@quellmark.com");
    const struct {
        const char* label;
        const vux_desktop_session* who;
        int32_t operation;
        std::initializer_list<const char*> args;
    } cases[] = {
        {"create without a name", &demo, 2, {}},
        {"create with an empty name", &demo, 2, {""}},
        {"rename of a key not ours", &demo, 3, {"q0000108x", "x"}},
        {"rename of a transferred site", &demo, 3, {"q0000108", "x"}},
        {"rename to nothing", &demo, 3, {"q0000101", ""}},
        {"transfer to an unknown account", &demo, 4, {"q0000101", "nobody@quellmark.com", "c"}},
        {"transfer to ourselves", &demo, 4, {"q0000101", "Demo@quellmark.com", "c"}},
        {"transfer without a code", &demo, 4, {"q0000101", "ruth@quellmark.com", ""}},
        {"transfer of a site on offer", &demo, 4, {"q0000103", "ruth@quellmark.com", "c"}},
        {"transfer by a non-member", &non_member, 4, {"q0000105x", "ruth@quellmark.com", "c"}},
        {"cancel of an own site", &demo, 5, {"q0000101"}},
        {"acquire of an own site", &demo, 6, {"q0000101", "c"}},
        {"acquire with the wrong code", &demo, 6, {"q0000104", "photo42"}},
        {"acquire with no code", &demo, 6, {"q0000104"}},
        {"delete while on offer", &demo, 7, {"q0000103"}},
        {"delete of a key not ours", &demo, 7, {"q0000104x"}},
        {"unknown operation", &demo, 9, {"q0000101"}},
    };
    const vux_buffer before =
        vux_desktop_frame(service.state().find_account(vux_string("demo@quellmark.com"))->document);
    for (const auto& c : cases) {
        EXPECT_EQ(op(*c.who, c.operation, c.args)->result, -1) << c.label;
        const vux_buffer now =
            vux_desktop_frame(service.state().find_account(vux_string("demo@quellmark.com"))->document);
        EXPECT_TRUE(now.length() == before.length() && std::equal(now.data(), now.data() + now.length(), before.data()))
            << c.label;
    }
    EXPECT_EQ(service.state().offers().size(), 2u);
    EXPECT_EQ(service.state().sites().size(), 8u);
}

TEST_F(GroupHandlers, fetch_sms_and_password) {
    auto own = fetch(demo, "q0000101");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->result, 0);
    EXPECT_EQ(own->key.view(), "q0000101");
    EXPECT_EQ(own->site.columns, 207);
    EXPECT_EQ(fetch(demo, "q0000104")->site.name.view(), "Hill Choir") << "offered to us: readable";
    EXPECT_EQ(fetch(ruth, "q0000101")->result, -1) << "not in ruth's list";
    EXPECT_EQ(fetch(demo, "q9999999")->result, -1);
    EXPECT_EQ(fetch(demo, "q0000101", 9)->result, -1);

    vux_desktop_request_sms sms;
    sms.site_key = vux_string("q0000101");
    sms.text = vux_string("下载");
    sms.numbers.append_cstr("13800000000");
    sms.session.copy_from(demo);
    ASSERT_EQ(ask<vux_desktop_response_sms>(service, sms)->result, 0);
    ASSERT_EQ(service.state().sms_log().size(), 1u);
    EXPECT_EQ(service.state().sms_log()[0].numbers, std::vector<std::string>{"13800000000"});
    sms.session.copy_from(session_of("empty@quellmark.com"));
    EXPECT_EQ(ask<vux_desktop_response_sms>(service, sms)->result, -1) << "a non-member";
    EXPECT_EQ(service.state().sms_log().size(), 1u);

    auto change = [&](const char* plain, int32_t key_id) {
        vux_desktop_request_password r;
        vux_tea(vux_hex::format(key_id)).encrypt_to_text(vux_string(plain), r.password);
        r.session.copy_from(demo);
        return ask<vux_desktop_response_password>(service, r)->result;
    };
    EXPECT_EQ(change("abc123", demo.id), -1) << "six characters";
    EXPECT_EQ(change("abc_1234", demo.id), -1);
    EXPECT_EQ(change("newpass99", demo.id + 1), -1) << "enciphered under another key";
    EXPECT_EQ(service.state().find_account(vux_string("demo@quellmark.com"))->password, "demo1234");
    EXPECT_EQ(change("NewPass99", demo.id), 0);
    EXPECT_EQ(service.state().find_account(vux_string("demo@quellmark.com"))->password, "NewPass99");
}

}  // namespace
