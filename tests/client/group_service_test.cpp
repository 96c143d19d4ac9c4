// The site manager end to end against the in-process stand-in with its demo
// accounts: the start sequence, every group operation from its dialog to the
// rows it leaves, refusals, the password change and the site cache's one
// request at a time.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "client/common/orbel_fatal.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/manager/orbel_group.h"
#include "client/manager/orbel_group_acquire.h"
#include "client/manager/orbel_group_create.h"
#include "client/manager/orbel_group_rename.h"
#include "client/manager/orbel_group_transfer.h"
#include "client/manager/orbel_password.h"
#include "client/start/orbel.h"
#include "client/start/orbel_logon.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "group_service_fixture.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"
#include "orbel_test_support.h"
#include "service/quellmark_service.h"

namespace {

using GroupServiceTest = group_service_fixture;

TEST_F(GroupServiceTest, start_lists_every_status_and_fetches_each_site_once) {
    open();
    const std::map<std::string, row> expected{
        {"q0000101", {"河畔跑团", "河畔跑团", "已经发布"}},
        {"q0000102", {"Lakeside Book Club", "Lakeside Book Club", "暂停发布"}},
        {"q0000103", {"旧城摄影社", "旧城摄影社", "等待对方接收"}},
        {"q0000104", {"Hill Choir", "Hill Choir", "可以获取"}},
        {"q0000105", {"社区菜园", "社区菜园", "需要用手机激活"}},
        {"q0000106", {"Old Chess Corner", "Old Chess Corner", "已经被删除"}},
        {"q0000107", {"新站点", "", "等待编辑"}},
        {"q0000108", {"Harbour Kayakers", "Harbour Kayakers", "已经移交给对方"}},
    };
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(selected(), "q0000101");  // the group list's own key
    EXPECT_EQ(service.served(vux_desktop_request_profile::code), 1);
    EXPECT_EQ(service.served(vux_desktop_request_group::code), 1);
    EXPECT_EQ(service.served(vux_desktop_request_site::code), 8);
    EXPECT_EQ(service.peak_in_flight(vux_desktop_request_site::code), 1);
    EXPECT_EQ(app->profile.value, 1);
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
    EXPECT_EQ(group->cursor().shape(), Qt::ArrowCursor);

    // Published with every column: every command.
    for (int id : orbel_group_rules::command_ids()) EXPECT_TRUE(enabled(id)) << id;
    select("q0000108");  // transferred away: delete, not edit
    EXPECT_TRUE(enabled(1007));
    EXPECT_FALSE(enabled(1016));
    run(1040);
    EXPECT_EQ(ui.urls,
              QList<QUrl>{QUrl(QStringLiteral("http://www.quellmark.com/tabid/57/language/zh-CN/Default.aspx"))});
    ui.urls_open = false;
    run(1040);
    EXPECT_EQ(ui.messages, QStringList{orbel_web_page_failed_text(ui.urls[0])});
    ui.messages.clear();
    ui.urls_open = true;
    int made = 0;
    group->set_emulator_factory([&](QWidget*, const QString&) {
        ++made;
        return std::make_unique<QWidget>();
    });
    run(1091);
    ASSERT_NE(group->emulator(), nullptr);
    EXPECT_TRUE(group->emulator()->isVisible());
    run(1091);
    EXPECT_FALSE(group->emulator()->isVisible());
    run(1091);
    EXPECT_TRUE(group->emulator()->isVisible());
    EXPECT_EQ(made, 1);
    std::string stepped;
    group->set_command_step(1043, [&](const vux_desktop_group& g, const vux_desktop_site& site) {
        stepped = g.name.str() + "/" + site.name.str();
    });
    select("q0000101");
    run(1043);
    EXPECT_EQ(stepped, "q0000101/河畔跑团");

    // The banner spans the width; the list keeps its left margin on the right and below.
    group->resize(1000, 700);
    const QRect list = group->list()->geometry();
    EXPECT_EQ(group->findChild<QWidget*>("1055")->width(), 1000);
    EXPECT_EQ(1000 - list.right() - 1, list.left());
    EXPECT_EQ(700 - list.bottom() - 1, list.left());

    const auto* tips = group->findChild<orbel_tool_tips*>();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->text(group->findChild<QWidget*>("1014")),
              QStringLiteral("　将选中站点移交给指定用户，站点移交后需重新激活。使用该功能需要成为会员用户。"));
    for (int id : orbel_group_rules::command_ids())
        if (id != 1011) {
            EXPECT_FALSE(tips->text(group->findChild<QWidget*>(QString::number(id))).isEmpty()) << id;
        }
}

TEST_F(GroupServiceTest, uncached_sites_show_only_their_name_while_the_cache_fetches) {
    service.add_fault({quellmark_fault::delay, vux_desktop_request_site::code, 200, -1});
    group = std::make_unique<orbel_group>();
    group->show();
    group->start();
    EXPECT_EQ(group->cursor().shape(), Qt::WaitCursor);
    ASSERT_TRUE(ORBEL_WAIT(group->list()->topLevelItemCount() == 8));
    EXPECT_EQ(rows().at("q0000102"), (row{"Lakeside Book Club", "", ""}));
    std::vector<int> usable;
    for (int id : orbel_group_rules::command_ids())
        if (enabled(id)) usable.push_back(id);
    EXPECT_EQ(usable, (std::vector<int>{1006, 1040, 1091}));
    EXPECT_EQ(group->cursor().shape(), Qt::ArrowCursor);
    settle();
    EXPECT_TRUE(enabled(1002) && enabled(1008));
}

TEST_F(GroupServiceTest, create_opens_the_new_site_and_a_cancelled_wizard_deletes_it) {
    open();
    std::vector<std::string> opened;
    bool new_site = false;
    group->set_sheet_opener([&](QWidget*, const orbel_group::sheet_request& r) {
        opened.push_back(r.group.name.str());
        EXPECT_EQ(rows().at(r.group.name.str()).status, "等待编辑");
        new_site = r.new_site;
        EXPECT_EQ(r.template_site, nullptr);
        return orbel_group::sheet_result{};  // cancelled
    });
    answer_with<orbel_group_create>({{"1038", QStringLiteral("  新站  ")}});
    run(1006);
    ASSERT_EQ(rows().count("q0000109"), 1u);
    EXPECT_EQ(selected(), "q0000109");
    ASSERT_TRUE(ORBEL_WAIT(!opened.empty()));
    EXPECT_EQ(opened, std::vector<std::string>{"q0000109"});
    EXPECT_TRUE(new_site);
    // The cancelled wizard of an empty site deletes it without a question.
    settle();
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(rows().count("q0000109"), 0u);
    EXPECT_FALSE(service.state().find_site("q0000109"));
    EXPECT_EQ(opened.size(), 1u);
}

// The service may give a new site the key of a site deleted before (the
// stand-in does when the deleted site held the highest key). The new site
// opens in its wizard from its own copy, whichever way the old one went; a
// copy of the old one would open a plain sheet, and a cancel would then keep
// the nameless new site on the service.
TEST_F(GroupServiceTest, a_site_created_under_a_deleted_sites_key_opens_as_new) {
    open();
    struct opening {
        std::string key, name, status;
        bool new_site;
    };
    std::vector<opening> opened;
    const char* accept_as = nullptr;  // the name the next sheet gives; null: cancelled
    group->set_sheet_opener([&](QWidget*, const orbel_group::sheet_request& r) {
        const std::string key = r.group.name.str();
        opened.push_back({key, r.site.name.str(), rows().at(key).status.toStdString(), r.new_site});
        orbel_group::sheet_result result;
        if (!accept_as) return result;
        result.accepted = true;
        result.update = std::make_unique<vux_desktop_request_site>();
        result.update->site.name = accept_as;
        result.update->site.change_mask = vux_desktop_site_change::name;
        return result;
    });
    // Creates a site; it must open as new under `key`.
    const auto create = [&](const char* name, const char* accept) {
        opened.clear();
        accept_as = accept;
        const int fetched = service.served(vux_desktop_request_site::code);
        answer_with<orbel_group_create>({{"1038", QString::fromUtf8(name)}});
        run(1006);
        ASSERT_TRUE(ORBEL_WAIT(!opened.empty())) << "the new site's sheet never opened";
        settle();
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].key, "q0000109");
        EXPECT_EQ(opened[0].name, "") << "the deleted site's copy stood in";
        EXPECT_EQ(opened[0].status, "等待编辑");
        EXPECT_TRUE(opened[0].new_site);
        // Its own fetch, and the update when accepted.
        EXPECT_EQ(service.served(vux_desktop_request_site::code), fetched + (accept ? 2 : 1));
    };
    const struct {
        const char* how;
        const char* name;  // given in its sheet; null: its wizard cancelled
    } went[] = {
        {"edited, then deleted", "河畔夜跑"},
        {"its wizard cancelled", nullptr},
    };
    for (const auto& w : went) {
        SCOPED_TRACE(w.how);
        create("旧站", w.name);
        if (w.name) {
            EXPECT_EQ(rows().at("q0000109").display, QString::fromUtf8(w.name));
            select("q0000109");
            ui.answer = true;
            run(1007);
        }
        ASSERT_EQ(service.state().find_site("q0000109"), nullptr);
        // The new site under the same key, its wizard cancelled: it goes.
        create("新站", nullptr);
        EXPECT_EQ(service.state().find_site("q0000109"), nullptr) << "the nameless new site stayed";
    }
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
}

// A cancelled wizard while a request of the manager is still out (a refresh
// sent from the sheet, held up by the service): the delete goes behind it,
// so the nameless site does not stay on the service.
TEST_F(GroupServiceTest, a_wizard_cancelled_while_a_request_is_out_deletes_the_site_after_it) {
    open();
    bool busy = false;
    group->set_sheet_opener([&](QWidget*, const orbel_group::sheet_request&) {
        service.add_fault({quellmark_fault::delay, vux_desktop_request_group::code, 300, 1});
        group->run_command(1008);
        busy = group->busy();
        return orbel_group::sheet_result{};  // cancelled
    });
    select("q0000107");
    run(1016);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(service.served(vux_desktop_request_group::code), 3);  // the list, the refresh, the delete
    EXPECT_EQ(rows().count("q0000107"), 0u);
    EXPECT_FALSE(service.state().find_site("q0000107"));
}

TEST_F(GroupServiceTest, a_never_edited_site_holding_entries_is_deleted_only_after_the_question) {
    service.state().find_site("q0000107")->members.entries.resize(vux_desktop_contact::entry_size);
    open();
    group->set_sheet_opener([](QWidget*, const orbel_group::sheet_request&) { return orbel_group::sheet_result{}; });
    select("q0000107");
    ui.answer = false;
    run(1016);  // the wizard is cancelled
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("是否删除所选项？")});
    EXPECT_EQ(rows().count("q0000107"), 1u);
    run(1007);
    EXPECT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(rows().count("q0000107"), 1u);
    // Emptied, it goes at once.
    service.state().find_site("q0000107")->members.entries.clear();
    run(1008);
    select("q0000107");
    run(1007);
    EXPECT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(rows().count("q0000107"), 0u);
}

TEST_F(GroupServiceTest, copy_to_fills_the_created_site_from_the_template_and_a_refusal_drops_it) {
    open();
    std::vector<std::string> templates;
    group->set_sheet_opener([&](QWidget*, const orbel_group::sheet_request& r) {
        templates.push_back(r.template_site ? r.template_site->name.str() : std::string("-"));
        EXPECT_FALSE(r.new_site);
        orbel_group::sheet_result accepted;
        accepted.accepted = true;  // nothing changed: nothing is sent
        accepted.update = std::make_unique<vux_desktop_request_site>();
        return accepted;
    });
    select("q0000101");
    answer_with<orbel_group_create>({{"1038", QStringLiteral("跑团二")}});
    run(1065);
    ASSERT_TRUE(ORBEL_WAIT(!templates.empty()));
    EXPECT_EQ(templates, std::vector<std::string>{"河畔跑团"});
    EXPECT_EQ(group->template_site(), nullptr);
    settle();
    EXPECT_EQ(service.served(vux_desktop_request_site::code), 9);  // the new site's fetch only

    // The service turns a create down: nothing waits to be opened.
    service.add_fault({quellmark_fault::status, vux_desktop_request_group::code, -1, 1});
    select("q0000101");
    answer_with<orbel_group_create>({{"1038", QStringLiteral("跑团三")}});
    run(1065);
    EXPECT_EQ(ui.messages, QStringList{refused});
    EXPECT_EQ(group->template_site(), nullptr);
    EXPECT_FALSE(group->created_key());
    EXPECT_EQ(rows().size(), 9u);
    EXPECT_TRUE(enabled(1006)) << "the client runs on";
}

TEST_F(GroupServiceTest, transfer_and_acquire_between_two_accounts) {
    open();
    select("q0000101");
    answer_with<orbel_group_transfer>({{"1001", QStringLiteral("RUTH@Quellmark.com")}, {"1010", QStringLiteral("k1")}});
    run(1014);
    EXPECT_EQ(rows().at("q0000101").status, "等待对方接收");
    EXPECT_EQ(selected(), "q0000101");

    sign_in("ruth@quellmark.com");
    open();
    EXPECT_EQ(rows().at("q0000101").status, "可以获取");
    select("q0000101");
    answer_with<orbel_group_acquire>({{"1038", QStringLiteral("wrong")}});
    ASSERT_TRUE(enabled(1016));
    QTest::keyClick(group->list(), Qt::Key_Return);  // Enter on the row runs what a double click runs
    settle();
    EXPECT_EQ(ui.messages, QStringList{refused});
    EXPECT_EQ(rows().at("q0000101").status, "可以获取");
    answer_with<orbel_group_acquire>({{"1038", QStringLiteral("k1")}});
    run(1016);
    // Now ruth's own, to be activated again by phone.
    EXPECT_EQ(rows().at("q0000101"), (row{"河畔跑团", "河畔跑团", "需要用手机激活"}));
    EXPECT_EQ(ui.messages.size(), 1);
}

TEST_F(GroupServiceTest, rename_cancel_delete_and_refresh) {
    open();
    select("q0000102");
    // Renamed by a click on the button: once the form closes, the focus is
    // back on the site list, not on the button
    group->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(group.get()));
    group->list()->setFocus();
    answer_with<orbel_group_rename>({{"1038", QStringLiteral(" 读书会 ")}});
    QTest::mouseClick(group->findChild<QPushButton*>("1009"), Qt::LeftButton);
    settle();
    EXPECT_EQ(rows().at("q0000102").name, "读书会");
    // (the window the focus goes back to when it is active again)
    EXPECT_EQ(group->focusWidget(), group->list());

    select("q0000103");
    run(1016);  // on offer: "是否取消移交？", yes
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("是否取消移交？")});
    EXPECT_EQ(rows().at("q0000103").status, "已经发布");

    select("q0000105");
    ui.answer = false;
    run(1007);
    EXPECT_EQ(ui.questions.last(), QStringLiteral("是否删除所选项？"));
    EXPECT_EQ(rows().count("q0000105"), 1u) << "No keeps it";
    ui.answer = true;
    run(1007);
    EXPECT_EQ(rows().count("q0000105"), 0u);

    select("q0000106");
    const int fetched = service.served(vux_desktop_request_site::code);
    run(1008);
    EXPECT_EQ(selected(), "q0000106");
    EXPECT_EQ(service.served(vux_desktop_request_site::code), fetched + 7);
    EXPECT_TRUE(ui.messages.isEmpty());
}

// An account without sites: once the service has answered, the empty list
// says so in its middle (before that it says nothing).
TEST_F(GroupServiceTest, an_account_without_sites_gets_a_hint_in_the_list) {
    sign_in("empty@quellmark.com");
    group = std::make_unique<orbel_group>();
    group->resize(800, 600);
    group->show();
    orbel_list_control* list = group->list();
    const QImage before = list->viewport()->grab().toImage();
    EXPECT_TRUE(list->empty_hint().isEmpty());
    group->start();
    settle();
    ASSERT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(list->empty_hint(), QStringLiteral("还没有站点。点击“新建”创建一个新的站点。"));
    // drawn in the middle: the hint's colour across the middle row, nothing
    // at the top or bottom edge
    const QImage shot = list->viewport()->grab().toImage();
    const QColor base = shot.pixelColor(2, 2), ink = list->palette().color(QPalette::PlaceholderText);
    auto inked = [&](const QImage& image, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != base) ++n;
        return n;
    };
    const int mid = shot.height() / 2, line = list->fontMetrics().height();
    EXPECT_GT(inked(shot, mid - line, mid + line), 0);
    EXPECT_EQ(inked(shot, 0, line / 2) + inked(shot, shot.height() - line / 2, shot.height()), 0);
    EXPECT_EQ(inked(before, 0, before.height()), 0);
    EXPECT_NE(ink, base);
}

TEST_F(GroupServiceTest, password_change_then_logon_with_the_new_password) {
    orbel_write_setting_text(orbel_key_password, QStringLiteral("demo1234"));
    open();
    answer_with<orbel_password>({{"1002", QStringLiteral("Neu12345")}, {"1077", QStringLiteral("Neu12345")}});
    run(1002);
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("密码修改成功。")});
    EXPECT_EQ(orbel_get_profile_password(), "Neu12345") << "the remembered password follows";

    orbel_logon logon;
    logon.set_address(service.host(), service.port());
    logon.findChild<QLineEdit*>("1001")->setText(QStringLiteral("demo@quellmark.com"));
    logon.findChild<QLineEdit*>("1002")->setText(QStringLiteral("Neu12345"));
    logon.findChild<QPushButton*>("1003")->click();
    ASSERT_TRUE(ORBEL_WAIT(logon.result() == QDialog::Accepted || ui.messages.size() > 1));
    EXPECT_EQ(ui.messages.size(), 1);
}

TEST_F(GroupServiceTest, failures_end_the_program_and_never_read_as_success) {
    const struct {
        const char* label;
        quellmark_fault fault;
        int command;
        int message;
    } cases[] = {
        {"a truncated 3919",
         {quellmark_fault::truncated, vux_desktop_request_password::code, 1, -1},
         1002,
         orbel_ids_system_failure},
        {"a 3919 with result 1",
         {quellmark_fault::status, vux_desktop_request_password::code, 1, -1},
         1002,
         orbel_ids_system_failure},
        {"a list reply of another code",
         {quellmark_fault::wrong_code, vux_desktop_request_group::code, {}, -1},
         1008,
         orbel_ids_system_failure},
        {"a list reply with result 2",
         {quellmark_fault::status, vux_desktop_request_group::code, 2, -1},
         1008,
         orbel_ids_system_failure},
        {"a fetch of another code",
         {quellmark_fault::wrong_code, vux_desktop_request_site::code, {}, -1},
         1008,
         orbel_ids_system_failure},
        {"the connection closes",
         {quellmark_fault::early_close, vux_desktop_request_group::code, 0, -1},
         1008,
         orbel_ids_network_failure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        orbel_fatal_reset();
        service.clear_faults();
        ui.messages.clear();
        open();
        service.add_fault(c.fault);
        if (c.command == 1002)
            answer_with<orbel_password>({{"1002", QStringLiteral("Neu12345")}, {"1077", QStringLiteral("Neu12345")}});
        group->run_command(c.command);
        ASSERT_TRUE(ORBEL_WAIT(!ui.messages.isEmpty()));
        EXPECT_EQ(ui.messages, QStringList{orbel_string(c.message)});
        EXPECT_TRUE(orbel_ending());
        group.reset();
    }
}

TEST_F(GroupServiceTest, sms_is_logged_for_a_member_and_refused_otherwise) {
    open();
    vux_string_list numbers;
    numbers.append_cstr("13800000000");
    group->send_sms(vux_string("q0000101"), QStringLiteral(" 请下载 "), numbers);
    settle();
    ASSERT_EQ(service.state().sms_log().size(), 1u);
    EXPECT_EQ(service.state().sms_log()[0].text, "请下载");
    EXPECT_TRUE(ui.messages.isEmpty());
    service.state().find_account(vux_string("demo@quellmark.com"))->profile = 0;
    group->send_sms(vux_string("q0000101"), QStringLiteral("x"), numbers);
    settle();
    EXPECT_EQ(ui.messages, QStringList{refused});
    EXPECT_EQ(service.state().sms_log().size(), 1u);

    // A refused share request (a site handed over to another account): the
    // message, the cached site kept, the cache free for the next request.
    ui.messages.clear();
    group->send_share(vux_string("q0000108"), vux_buffer());
    EXPECT_TRUE(app->site_list.busy());
    settle();
    EXPECT_EQ(ui.messages, QStringList{refused});
    EXPECT_EQ(rows().at("q0000108").status, "已经移交给对方");
    EXPECT_TRUE(enabled(1008));
}

TEST_F(GroupServiceTest, an_update_made_during_a_fetch_goes_after_it) {
    // The stand-in's own update handling comes with the site sheet; here an
    // update sets the name it carries.
    service.set_handler(vux_desktop_request_site::code, [](const vux_record& r, quellmark_context& c) {
        const auto& request = dynamic_cast<const vux_desktop_request_site&>(r);
        auto response = std::make_unique<vux_desktop_response_site>();
        response->key = request.key;
        vux_desktop_site* site = c.state.find_site(request.key.str());
        if (request.operation == 2) site->name = request.site.name;
        response->site.copy_from(*site);
        return std::unique_ptr<vux_record>(std::move(response));
    });
    service.add_fault({quellmark_fault::delay, vux_desktop_request_site::code, 100, -1});
    group = std::make_unique<orbel_group>();
    group->show();
    group->start();
    ASSERT_TRUE(ORBEL_WAIT(app->site_list.busy()));
    auto update = std::make_unique<vux_desktop_request_site>();
    update->site.name = vux_string("更新");
    update->site.change_mask = 0x40;
    group->send_update(vux_string("q0000101"), std::move(update));
    settle();
    EXPECT_EQ(rows().at("q0000101").display, "更新") << "the fetch did not overwrite the update";
    EXPECT_EQ(service.served(vux_desktop_request_site::code), 9);
    EXPECT_EQ(service.peak_in_flight(vux_desktop_request_site::code), 1);
}

}  // namespace
