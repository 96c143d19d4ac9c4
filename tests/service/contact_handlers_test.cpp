// Contacts and share entries of the stand-in's sites: the data file's
// readable contact form, operation 2's contact tables and operation 3.
#include <gtest/gtest.h>

#include "core/vux_record_build.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_contact_key.h"
#include "desktop/orbel_md5.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_contact_handlers.h"
#include "service/quellmark_service.h"

namespace {

template <class Response>
std::unique_ptr<Response> ask(quellmark_service& service, const vux_object& request) {
    return vux_desktop_accept_as<Response>(service.respond_frame(vux_desktop_frame(request)));
}

// A table entry: (value, name, state, icon).
void add(vux_desktop_contact& t, const char* value, const char16_t* name, int state, int icon = 0) {
    const orbel_contact_key k = orbel_make_contact_key(vux_string(value));
    t.append_entry(vux_unicode(name), k.key, k.shown);
    const int32_t i = t.entry_count() - 1;
    t.set_state(i, state);
    t.entries.pointer()[i * vux_desktop_contact::entry_size + vux_desktop_contact::icon_offset] = uint8_t(icon);
}

// The table as "name:state:icon" texts.
std::vector<std::string> rows(const vux_desktop_contact& t) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < t.entry_count(); ++i)
        out.push_back(t.name_of(i).to_utf8_string().str() + ":" + std::to_string(t.state_of(i)) + ":" +
                      std::to_string(t.icon_of(i, 2)));
    return out;
}

TEST(ContactData, demo_contacts_come_from_their_readable_form) {
    quellmark_service_state state;
    ASSERT_TRUE(state.load_demo());
    const vux_desktop_site& site = *state.find_site("q0000101");
    EXPECT_EQ(site.options & 0x4, 0x4);
    ASSERT_EQ(site.members.entry_count(), 6);
    EXPECT_EQ(site.members.key_of(0).str(), orbel_md5_hex(vux_string("13812345678")).str());
    EXPECT_EQ(site.members.text_of(0).str(), "138****5678");
    EXPECT_EQ(site.members.text_of(2).str(), "ann.lee****");
    EXPECT_EQ(rows(site.members), (std::vector<std::string>{"张三:0:1", "李四:0:0", "Ann Lee:0:1", "林晓:0:0",
                                                            "Tom Reed:0:1", "周一鸣:0:0"}));
    EXPECT_EQ(site.waiters.entry_count(), 1);
    EXPECT_EQ(site.managers.entry_count(), 1);

    // Entries that do not fit the form fail the load, with the reason.
    for (const char* entries :
         {R"([{"name":"a","value":"13812345678","icon":2}])", R"([{"name":"a","value":"12345","icon":0}])",
          R"([{"name":"","value":"13812345678"}])", R"([5])"}) {
        std::string json = R"({"accounts":[{"name":"a","sites":{"s":{"class":"vux_desktop_site",)";
        json += R"("fields":{"members":{"class":"vux_desktop_contact","fields":{"entries":)";
        json += entries;
        json += "}}}}}}]}";
        QString error;
        EXPECT_FALSE(state.load(QByteArray::fromStdString(json), &error)) << entries;
        EXPECT_TRUE(error.contains(QLatin1String("contact 0"))) << error.toStdString();
    }
}

TEST(ContactUpdate, applies_each_table_whose_bit_is_set_in_order) {
    vux_desktop_site stored;
    add(stored.members, "13800000001", u"一", 0, 1);
    add(stored.members, "13800000002", u"二", 0, 0);
    add(stored.managers, "13800000009", u"管", 0, 0);

    vux_desktop_site update;
    update.change_mask = 0x200000;
    add(update.members, "13800000001", u"一改", 1);  // replaces, keeps its icon
    add(update.members, "13800000003", u"三", 1);    // appended, icon 0
    add(update.members, "13800000002", u"二", 3);    // removed
    add(update.members, "13800000004", u"四", 4);    // never sent by the client: ignored
    add(update.members, "13800000005", u"五", 3);    // not held: nothing to remove
    add(update.members, "13800000003", u"三", 3);    // added, then removed in the same update
    add(update.managers, "13800000009", u"管", 3);   // its bit is not set
    quellmark_apply_contact_update(stored, update);
    EXPECT_EQ(rows(stored.members), (std::vector<std::string>{"一改:0:1"}));
    EXPECT_EQ(rows(stored.managers), (std::vector<std::string>{"管:0:0"}));

    update.change_mask = 0x100000 | 0x400000;
    update.waiters = vux_desktop_contact();
    add(update.waiters, "w@x.cn", u"服务员", 1);
    quellmark_apply_contact_update(stored, update);
    EXPECT_TRUE(rows(stored.managers).empty());
    EXPECT_EQ(rows(stored.waiters), (std::vector<std::string>{"服务员:0:0"}));
}

struct ShareEntries : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(service.state().load_demo());
        const auto& s = service.state().open_session("demo@quellmark.com");
        session.id = s.id;
        session.text1 = vux_string(s.token);
        session.account = vux_string(s.account);
    }
    std::unique_ptr<vux_desktop_response_site> share(const char* key, const vux_string& digests) {
        vux_desktop_request_site r;
        r.operation = 3;
        r.key = vux_string(key);
        r.data.append_bytes(digests.data(), digests.length());
        r.session.copy_from(session);
        return ask<vux_desktop_response_site>(service, r);
    }
    quellmark_service service;
    vux_desktop_session session;
};

TEST_F(ShareEntries, appends_digests_not_yet_held_and_answers_the_site) {
    const vux_string a = orbel_md5_hex(vux_string("13812345678")), b = orbel_md5_hex(vux_string("13812345679"));
    auto first = share("q0000101", a + a + b);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->result, 0);
    EXPECT_EQ(first->key.str(), "q0000101");
    EXPECT_EQ(first->site.count_share_entries(), 2);
    auto second = share("q0000101", b + vux_string("0123"));  // a partial digest is no entry
    ASSERT_TRUE(second);
    EXPECT_EQ(second->site.count_share_entries(), 2);
    EXPECT_EQ(second->site.name.str(), "河畔跑团");

    EXPECT_EQ(share("q9999999", a)->result, -1);  // refused
    session.text1 = vux_string("forged");
    EXPECT_EQ(share("q0000101", a)->result, quellmark_result_no_session);
}

TEST(ContactHandlers, other_site_operations_go_to_the_general_handler) {
    // Whichever is added first, an operation other than 3 reaches the
    // code's general handler, and operation 3 the share handler.
    for (const bool contacts_first : {false, true}) {
        SCOPED_TRACE(contacts_first);
        quellmark_handler_table table;
        int general_calls = 0;
        const auto general = [&](const vux_record&, quellmark_context&) -> std::unique_ptr<vux_record> {
            ++general_calls;
            auto r = std::make_unique<vux_desktop_response_site>();
            r->result = 42;
            return r;
        };
        if (contacts_first) quellmark_add_contact_handlers(table);
        table[vux_desktop_request_site::code] = general;
        if (!contacts_first) quellmark_add_contact_handlers(table);
        quellmark_service_state state;
        quellmark_context c{state, {}, 0, {}};
        vux_desktop_request_site r;
        r.operation = 2;
        const quellmark_handler* handler = quellmark_find_handler(table, vux_desktop_request_site::code, r);
        ASSERT_NE(handler, nullptr);
        auto answer = (*handler)(r, c);
        EXPECT_EQ(general_calls, 1);
        EXPECT_EQ(static_cast<vux_desktop_response_site*>(answer.get())->result, 42);
        r.operation = 3;
        handler = quellmark_find_handler(table, vux_desktop_request_site::code, r);
        ASSERT_NE(handler, nullptr);
        answer = (*handler)(r, c);
        EXPECT_EQ(general_calls, 1);
        EXPECT_EQ(static_cast<vux_desktop_response_site*>(answer.get())->result, quellmark_result_no_session);
    }

    quellmark_handler_table alone;
    quellmark_add_contact_handlers(alone);
    vux_desktop_request_site r;
    r.operation = 2;
    EXPECT_EQ(quellmark_find_handler(alone, vux_desktop_request_site::code, r), nullptr);
}

}  // namespace
