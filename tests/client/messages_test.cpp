// Private messages: the rules of the box and the chat as tables, then both
// dialogs against the in-process stand-in.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <ctime>

#include "client/common/orbel_fatal.h"
#include "client/content/orbel_chat.h"
#include "client/content/orbel_message_rules.h"
#include "client/content/orbel_messagebox.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_richedit.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"
#include "orbel_test_support.h"
#include "service/quellmark_content_handlers.h"
#include "service/sign_in.h"

namespace {

using rules = orbel_message_rules;

constexpr const char* site = "q0000101";
constexpr const char* lin = "4d009f30087e9aa9f5b5806d5f350017";
constexpr const char* tom = "cd96e7ce247ed5c74267805b69cc7cd3";

// Local time in these tests is China Standard Time (no daylight saving).
void fix_time_zone() {
    qputenv("TZ", "Asia/Shanghai");
    tzset();
}

vux_desktop_recent& add_recent(vux_desktop_recent_list& list, const char* key, int32_t time, int32_t serial) {
    auto& e = list.entries.add();
    e.key = vux_string(key);
    e.time = time;
    e.serial = serial;
    return e;
}

TEST(MessageRules, request_fields) {
    vux_desktop_session session;
    session.id = 7;
    vux_desktop_recent_list recent;
    vux_desktop_request_message r;
    rules::box_poll(vux_string(site), recent, session, r);
    EXPECT_EQ(r.operation, 1);
    EXPECT_EQ(r.has_marker, 0);
    EXPECT_EQ(r.limit, 256);
    EXPECT_EQ(r.site_key.str(), site);
    EXPECT_TRUE(r.member_key.empty() && r.text.empty());
    EXPECT_EQ(r.marker.count(), 0);
    EXPECT_EQ(r.session.id, 7);
    add_recent(recent, lin, 1000, 5);
    add_recent(recent, tom, 2000, 9);
    rules::box_poll(vux_string(site), recent, session, r);
    EXPECT_EQ(r.has_marker, 1);
    ASSERT_EQ(r.marker.count(), 2);
    EXPECT_EQ(r.marker.get(0), 2000);
    EXPECT_EQ(r.marker.get(1), 9);

    vux_desktop_message_list held;
    const struct {
        int op;
        int held;
        const char* text;
        int has_marker;
    } cases[] = {{2, 0, "", 0}, {2, 2, "", 1}, {3, 0, "你好", 0}, {3, 2, "你好", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op * 10 + c.held);
        held.messages.delete_all();
        for (int i = 0; i < c.held; ++i) held.messages.add().serial = 40 + i;
        rules::chat_request(c.op, vux_string(site), vux_string(lin), held, vux_string(c.text), session, r);
        EXPECT_EQ(r.operation, c.op);
        EXPECT_EQ(r.has_marker, c.has_marker);
        EXPECT_EQ(r.limit, 64);
        EXPECT_EQ(r.member_key.str(), lin);
        EXPECT_EQ(r.text.str(), c.text);
        ASSERT_EQ(r.marker.count(), c.has_marker);
        if (c.has_marker) {
            EXPECT_EQ(r.marker.get(0), 41);
        }
    }
}

TEST(MessageRules, merge_keeps_strangers_unshown_and_names_replaced_rows) {
    vux_desktop_contact members;
    members.append_entry(vux_unicode(), vux_string(lin), vux_string("138****0001"));
    members.append_entry(vux_unicode(), vux_string(tom), vux_string("138****0002"));
    vux_desktop_recent_list held, reply;
    add_recent(reply, lin, 1, 1);
    add_recent(reply, "ffffffffffffffffffffffffffffffff", 2, 2);
    auto first = rules::merge(held, reply, members);
    EXPECT_EQ(first.replaced.count(), 0);
    EXPECT_EQ(first.shown, std::vector<int32_t>{0});
    EXPECT_EQ(held.entries.get_count(), 2);  // the stranger's entry is kept

    vux_desktop_recent_list second;
    add_recent(second, tom, 3, 3);
    add_recent(second, lin, 4, 4);
    auto next = rules::merge(held, second, members);
    ASSERT_EQ(next.replaced.count(), 1);
    EXPECT_EQ(next.replaced.item_at(0).str(), lin);
    EXPECT_EQ(next.shown, (std::vector<int32_t>{0, 1}));
    ASSERT_EQ(held.entries.get_count(), 3);
    EXPECT_EQ(held.entries.at(2)->serial, 4);
}

TEST(MessageRules, senders_send_rule_and_times) {
    const struct {
        const char* sender;
        const char* line;
        int name_color, text_color;
    } senders[] = {
        {site, "【跑团】\n", 0x000080, 0x000080}, {lin, "【林晓】\n", 0x646400, 0x006400}, {tom, "【】\n", -1, -1}};
    for (const auto& c : senders) {
        auto s = rules::sender(vux_string(c.sender), vux_string(site), vux_string(lin), QStringLiteral("跑团"),
                               QStringLiteral("林晓"));
        EXPECT_EQ(s.line, QString::fromUtf8(c.line));
        EXPECT_EQ(s.name_color, c.name_color);
        EXPECT_EQ(s.text_color, c.text_color);
    }
    const struct {
        int length;
        bool busy, ok;
    } sends[] = {{0, false, false}, {1, false, true}, {199, false, true}, {200, false, false}, {1, true, false}};
    for (const auto& c : sends) EXPECT_EQ(rules::can_send(c.busy, QString(c.length, QChar(u'字'))), c.ok) << c.length;

    fix_time_zone();
    EXPECT_EQ(rules::time_text(1797901200, true), QStringLiteral("2026年12月22日 09:00"));
    EXPECT_EQ(rules::time_text(1797901200, false), QStringLiteral("2026年12月22日09:00"));
}

// Against the stand-in: the demo account signed in, site q0000101 with its
// three members and conversations.
class MessagesService : public ::testing::Test {
protected:
    void SetUp() override {
        fix_time_zone();
        orbel_fatal_reset();
        orbel_set_message_poll_ms(50);
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
        app = std::make_unique<orbel>();
        app->service_host = service.host();
        app->service_port = service.port();
        app->service_path = orbel_to_utf8(service.path());
        app->session.copy_from(sign_in(service, "demo@quellmark.com", "demo1234"));
        ASSERT_NE(app->session.id, 0);
        members.copy_from(service.state().find_site(site)->members);
    }
    void TearDown() override {
        orbel_set_message_poll_ms(15000);
        app.reset();
        orbel_fatal_reset();
    }
    quellmark_account& account() { return *service.state().find_account(vux_string("demo@quellmark.com")); }

    // The row of a member in the recent list; -1 when none.
    static int recent_row(orbel_list_control* list, const char* key) {
        const int32_t index = list->keys().find(vux_string(key));
        return index < 0 ? -1 : list->find_row(index);
    }
    static int image_of(orbel_list_control* list, int row) {
        return list->topLevelItem(row)->data(1, Qt::UserRole).toInt();
    }

    orbel_test_ui ui;
    quellmark_service service;
    std::unique_ptr<orbel> app;
    vux_desktop_contact members;
};

TEST_F(MessagesService, box_shows_members_and_conversations_and_a_chat_marks_read) {
    orbel_messagebox box(vux_string(site), QStringLiteral("河畔跑团"), members, nullptr);
    box.show();
    auto* recent = box.findChild<orbel_list_control*>("1045");
    auto* contacts = box.findChild<orbel_list_control*>("1047");
    ASSERT_TRUE(ORBEL_WAIT(recent->topLevelItemCount() == 3));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("私信 - 河畔跑团"));
    ASSERT_EQ(contacts->topLevelItemCount(), 6);
    // Sorted by name; the key field's 32 bytes end without a zero.
    EXPECT_EQ(contacts->topLevelItem(0)->text(0), QStringLiteral("Ann Lee"));
    EXPECT_EQ(contacts->topLevelItem(1)->text(0), QStringLiteral("Tom Reed"));
    EXPECT_EQ(contacts->key_of(1).str(), tom);
    EXPECT_EQ(contacts->topLevelItem(1)->text(1), QStringLiteral("138****0002"));
    EXPECT_TRUE(box.findChild<QPushButton*>("1046")->isEnabled());
    EXPECT_EQ(recent->topLevelItem(0)->text(1), QStringLiteral("东岸步道有积水吗？"));
    EXPECT_EQ(recent->topLevelItem(0)->text(2), QStringLiteral("2026年12月22日 22:33"));
    EXPECT_EQ(recent->selected_row(), 0);
    EXPECT_EQ(image_of(recent, recent_row(recent, tom)), 0);

    // A member's message posted at the service: unread at the next poll.
    ASSERT_TRUE(quellmark_post_member_message(service.state(), "demo@quellmark.com", site, tom, "Is it <b>on</b>?"));
    ASSERT_TRUE(ORBEL_WAIT(recent_row(recent, tom) == 0));
    EXPECT_EQ(recent->topLevelItemCount(), 3);
    EXPECT_EQ(image_of(recent, 0), 1);
    EXPECT_EQ(recent->topLevelItem(0)->text(1), QStringLiteral("Is it <b>on</b>?"));

    // The chat shows it (member lines coloured as the member's) ...
    QString transcript;
    QColor name_color;
    QTimer::singleShot(0, [&] {
        auto* chat = orbel_test_modal<orbel_chat>();
        ASSERT_TRUE(chat);
        EXPECT_EQ(chat->windowTitle(), QStringLiteral("Tom Reed - 私信"));
        auto* view = chat->findChild<orbel_richedit*>("1048");
        EXPECT_TRUE(ORBEL_WAIT(view->toPlainText().contains(QStringLiteral("Is it <b>on</b>?"))));
        transcript = view->toPlainText();
        QTextCursor at = view->document()->find(QStringLiteral("【Tom Reed】"));
        name_color = at.charFormat().foreground().color();
        chat->reject();
    });
    box.findChild<QPushButton*>("1028")->click();
    EXPECT_TRUE(transcript.contains(QStringLiteral("【河畔跑团】")));
    EXPECT_EQ(name_color, QColor(0x00, 0x64, 0x64));
    // ... and the row reads as read on return, found by its key.
    EXPECT_EQ(image_of(recent, recent_row(recent, tom)), 0);
    EXPECT_FALSE(service.state().content.find(site, tom)->unread);
    ASSERT_TRUE(ORBEL_WAIT(!box.busy()));
    box.reject();
    EXPECT_FALSE(box.isVisible());
}

TEST_F(MessagesService, a_sent_message_is_stored_and_polled_at_once) {
    orbel_messagebox box(vux_string(site), QStringLiteral("河畔跑团"), members, nullptr);
    box.show();
    auto* recent = box.findChild<orbel_list_control*>("1045");
    auto* contacts = box.findChild<orbel_list_control*>("1047");
    ASSERT_TRUE(ORBEL_WAIT(recent->topLevelItemCount() == 3));
    orbel_set_message_poll_ms(60000);  // only the immediate poll after the chat counts
    contacts->clearSelection();
    contacts->topLevelItem(recent_row(contacts, lin))->setSelected(true);
    QString site_line_color;
    QTimer::singleShot(0, [&] {
        auto* chat = orbel_test_modal<orbel_chat>();
        ASSERT_TRUE(chat);
        auto* edit = chat->findChild<QPlainTextEdit*>("1038");
        auto* send = chat->findChild<QPushButton*>("1050");
        EXPECT_TRUE(ORBEL_WAIT(!chat->busy() && chat->messages().messages.get_count() == 3));
        edit->setPlainText(QString(200, QChar(u'长')));
        EXPECT_FALSE(send->isEnabled());
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(edit->toPlainText().size(), 200);  // nothing sent, no line break
        EXPECT_FALSE(chat->sent());
        edit->setPlainText(QStringLiteral("七点见"));
        EXPECT_TRUE(send->isEnabled());
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(edit->toPlainText().isEmpty());
        EXPECT_TRUE(chat->sent());
        EXPECT_FALSE(send->isEnabled());  // busy
        chat->reject();                   // refused while busy
        EXPECT_TRUE(chat->isVisible());
        EXPECT_TRUE(ORBEL_WAIT(chat->messages().messages.get_count() == 4));
        auto* view = chat->findChild<orbel_richedit*>("1048");
        QTextCursor at = view->document()->find(QStringLiteral("七点见"));
        site_line_color = at.charFormat().foreground().color().name();
        chat->reject();
    });
    box.findChild<QPushButton*>("1046")->click();
    EXPECT_EQ(site_line_color, QStringLiteral("#800000"));
    const auto* c = service.state().content.find(site, lin);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->messages.back().text, "七点见");
    EXPECT_TRUE(c->messages.back().from_site);
    ASSERT_TRUE(ORBEL_WAIT(recent->topLevelItem(0)->text(1) == QStringLiteral("七点见")));
    EXPECT_EQ(recent_row(recent, lin), 0);
    EXPECT_EQ(recent->topLevelItemCount(), 3);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(MessagesService, an_ended_box_drops_late_replies_and_failures_are_fatal) {
    orbel_canned_server silent;
    silent.push_silent();
    silent.push_silent();
    app->service_port = silent.port();
    {
        orbel_messagebox box(vux_string(site), QStringLiteral("河畔跑团"), members, nullptr);
        box.show();
        box.findChild<QPushButton*>("1008")->click();  // overlaps the first poll
        EXPECT_EQ(box.pending_requests(), 2);
        box.done(QDialog::Rejected);
        EXPECT_EQ(box.pending_requests(), 0);
    }

    orbel_canned_server server;
    vux_desktop_response_message refused;
    refused.result = 1;
    server.push(refused);
    server.push_close();
    app->service_port = server.port();
    const int expected[] = {57346, 57345};
    for (int id : expected) {
        orbel_fatal_reset();
        ui.messages.clear();
        orbel_chat chat(vux_string(site), vux_string(lin), QStringLiteral("河畔跑团"), QStringLiteral("林晓"), nullptr);
        chat.show();
        ASSERT_TRUE(ORBEL_WAIT(!ui.messages.isEmpty()));
        EXPECT_EQ(ui.messages[0], orbel_string(id));
    }
}

}  // namespace
