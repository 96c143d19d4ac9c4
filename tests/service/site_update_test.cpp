// Site updates at the stand-in (3912, operation 2): masked fields only,
// clearing included, colours by key, a new number to confirm again, and
// the sites that may not be edited.
#include <gtest/gtest.h>

#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"
#include "service/quellmark_site_update.h"

namespace {

struct SiteUpdate : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(service.state().load_demo());
        account = service.state().find_account("demo@quellmark.com");
        ASSERT_NE(account, nullptr);
        const quellmark_session& s = service.state().open_session(account->name);
        session.id = s.id;
        session.text1 = vux_string(s.token);
        session.account = vux_string(s.account);
        // A site with something in every field the update leaves alone.
        vux_desktop_site& site = stored("q0000101");
        site.options = 0x80 | 0x200;
        site.tray_color = 0x112233;
        site.brush.opacity = 60;
        site.brush.set_entry(1, 0x010101);
        site.brush.set_entry(4, 0x040404);
        site.web_address = "http://example.com";
        site.icon.assign_bytes("icon", 4);
        site.activation_number = "13800000000";
        site.activated = 1;
    }
    vux_desktop_site& stored(const char* key) { return *service.state().find_site(key); }

    std::unique_ptr<vux_desktop_response_site> send(const char* key, const vux_desktop_site& update,
                                                    int32_t operation = 2) {
        vux_desktop_request_site r;
        r.operation = operation;
        r.key = key;
        r.site.copy_from(update);
        r.session.copy_from(session);
        return vux_desktop_accept_as<vux_desktop_response_site>(service.respond_frame(vux_desktop_frame(r)));
    }

    quellmark_service service;
    quellmark_account* account = nullptr;
    vux_desktop_session session;
};

TEST_F(SiteUpdate, takes_masked_fields_only) {
    vux_desktop_site u;  // every int at its default
    u.change_mask = 0x40 | 0x80 | 0x200 | 0x80000;
    u.name = "Renamed";
    u.brush.opacity = 20;
    u.brush.set_entry(2, 0x020202);
    u.brush.set_entry(4, 0x444444);
    const auto reply = send("q0000101", u);
    ASSERT_NE(reply, nullptr);
    ASSERT_EQ(reply->result, 0);
    EXPECT_EQ(reply->key.str(), "q0000101");
    const vux_desktop_site& s = stored("q0000101");
    EXPECT_EQ(s.name.str(), "Renamed");
    EXPECT_TRUE(s.web_address.empty());  // emptied: cleared
    EXPECT_TRUE(s.icon.empty());
    EXPECT_EQ(s.options, 0x80 | 0x200);  // not masked: kept
    EXPECT_EQ(s.tray_color, 0x112233);
    EXPECT_EQ(s.activated, 1);
    EXPECT_EQ(s.brush.opacity, 20);
    EXPECT_EQ(s.brush.value_of(1, 0), 0x010101);  // a key the update did not carry
    EXPECT_EQ(s.brush.value_of(2, 0), 0x020202);
    EXPECT_EQ(s.brush.value_of(4, 0), 0x444444);
    EXPECT_EQ(reply->site.name.str(), "Renamed");  // the answer is the stored site
    EXPECT_EQ(reply->site.brush.value_of(4, 0), 0x444444);
}

TEST_F(SiteUpdate, a_new_number_waits_for_its_phone) {
    vux_desktop_site u;
    u.change_mask = 0x1000;
    u.activation_number = "13800000000";  // the same number: still activated
    send("q0000101", u);
    EXPECT_EQ(stored("q0000101").activated, 1);
    u.activation_number = "13900000000";
    send("q0000101", u);
    EXPECT_EQ(stored("q0000101").activated, 0);
    EXPECT_TRUE(quellmark_confirm_activation(service.state(), *account, "q0000101"));
    EXPECT_EQ(stored("q0000101").activated, 1);
    EXPECT_FALSE(quellmark_confirm_activation(service.state(), *account, "nothing"));

    service.state().auto_activate = true;
    u.activation_number = "13700000000";
    EXPECT_EQ(send("q0000101", u)->site.activated, 1);
}

TEST_F(SiteUpdate, who_may_edit) {
    // A group handed over to another account (state 2) is not ours to edit.
    auto gone = std::make_unique<vux_desktop_group>();
    gone->state = 2;
    gone->name = "q0000150";
    account->document.groups.groups.append(std::move(gone));
    service.state().ensure_site("q0000150");

    vux_desktop_site u;
    u.change_mask = 0x40;
    u.name = "x";
    const std::pair<const char*, int32_t> cases[] = {
        {"q0000101", 0}, {"q0000103", 0}, {"q0000104", 0}, {"q0000150", -1}, {"q9999999", -1}};
    for (const auto& [key, result] : cases) {
        SCOPED_TRACE(key);
        const auto reply = send(key, u);
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(reply->result, result);
    }
    EXPECT_TRUE(stored("q0000150").name.empty());

    session.text1 = "forged";
    EXPECT_EQ(send("q0000101", u)->result, 2);
}

TEST(SiteDemo, edited_sites_have_pictures_colours_and_home_pages) {
    quellmark_service service;
    QString error;
    ASSERT_TRUE(service.state().load_demo(&error)) << error.toStdString();
    const vux_desktop_site& site = *service.state().find_site("q0000101");
    EXPECT_EQ(site.name.str(), "河畔跑团");  // laid over, not replaced
    EXPECT_EQ(site.columns, 207);
    for (const vux_buffer* picture : {&site.icon, &site.tray_picture, &site.background})
        EXPECT_EQ(vux_string(picture->data(), 4).str(), "\x89PNG");
    EXPECT_EQ(site.brush.opacity, 60);
    EXPECT_EQ(site.brush.value_of(1, 0), 0x2E8B57);
    EXPECT_NE(site.introduction.find("\r\n"), -1);
    EXPECT_FALSE(site.latitude.empty());

    EXPECT_FALSE(service.state().overlay(R"({"accounts": [{"name": "demo@quellmark.com", "sites": {"q9": {}}}]})"));
    EXPECT_FALSE(service.state().overlay(R"({"accounts": [{"name": "nobody", "sites": {}}]})"));
}

TEST_F(SiteUpdate, other_operations_still_answer) {
    const vux_desktop_site none;
    const auto fetched = send("q0000101", none, 1);
    ASSERT_NE(fetched, nullptr);
    EXPECT_EQ(fetched->result, 0);
    EXPECT_EQ(fetched->site.tray_color, 0x112233);
}

}  // namespace
