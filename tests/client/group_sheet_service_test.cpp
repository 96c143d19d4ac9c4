// The site manager with the dialogs the main window plugs into it (the site
// sheet with its wizard, the home-page editor, contacts, share, SMS, the
// content lists and the message box) against the in-process stand-in: each
// command from the button through the real dialog to what the stand-in
// stores and the rows show afterwards.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QWizard>

#include "client/content/orbel_add_item.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_picture_list.h"
#include "client/controls/orbel_select_logo.h"
#include "client/controls/orbel_static_color.h"
#include "client/controls/orbel_static_picture.h"
#include "client/manager/orbel_group_steps.h"
#include "client/sheet/orbel_site_column.h"
#include "client/sheet/orbel_site_page.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "group_service_fixture.h"
#include "gui/orbel_settings.h"
#include "orbel_test_support.h"
#include "service/quellmark_site_update.h"

namespace {

constexpr int32_t site_code = vux_desktop_request_site::code;

class GroupSheetServiceTest : public group_service_fixture {
protected:
    // The site manager as the main window makes it.
    void open_with_steps() {
        open();
        orbel_add_group_steps(*group);
    }
    // Runs a command, then waits for every dialog it opens (now or once a
    // reply comes) and for every request they send.
    void run_through(int id) {
        run(id);
        ASSERT_TRUE(ORBEL_WAIT(modals.done()));
        settle();
        // Calls the replies queued (a sheet to open) run now: a dialog they
        // open unasked shows up here, not in a later command.
        QCoreApplication::sendPostedEvents();
        settle();
        EXPECT_TRUE(modals.unexpected.isEmpty()) << modals.unexpected.join('|').toStdString();
    }
    // The create dialog (104) answered with `name`.
    void expect_create(const QString& name) {
        modals.expect([name](QWidget* w) {
            orbel_test_control(w, "1038")->setText(name);
            orbel_test_control<QPushButton>(w, "1")->click();
        });
    }
    // The add-contact dialog (110) of a member page: one member, typed.
    void expect_add_member() {
        modals.expect([](QWidget* add) {
            orbel_test_control(add, "1023")->setText(QStringLiteral("小林"));
            orbel_test_control(add, "1024")->setText("13922223333");
            orbel_test_control<QCheckBox>(add, "1015")->setChecked(false);  // not into the address book
            orbel_test_control<QPushButton>(add, "1")->click();
        });
    }
    void expect_cancel() {
        modals.expect([](QWidget* w) { orbel_test_control<QPushButton>(w, "2")->click(); });
    }
    quellmark_account& account() { return *service.state().find_account("demo@quellmark.com"); }
    // The stand-in's site of `key`; a failure, and an empty site, when it
    // holds none.
    vux_desktop_site& stored(const char* key) {
        static vux_desktop_site none;
        vux_desktop_site* site = service.state().find_site(key);
        EXPECT_NE(site, nullptr) << key;
        return site ? *site : none;
    }

    orbel_modal_driver modals;
};

TEST_F(GroupSheetServiceTest, a_created_site_goes_through_its_wizard_to_published) {
    open_with_steps();
    select("q0000102");
    const int fetched = service.served(site_code);
    expect_create(QStringLiteral("新站"));
    bool wizard = false;
    QString title;
    modals.expect([&](QWidget* w) {
        wizard = qobject_cast<QWizard*>(w) != nullptr;
        title = w->windowTitle();
        orbel_test_fill_new_site(w);
        // Group chat and private messages are members' columns: the member
        // page follows the share page.
        EXPECT_FALSE(orbel_test_control<QPushButton>(w, "12325")->isVisible());
        orbel_test_control<QPushButton>(w, "12324")->click();
        orbel_test_control<QPushButton>(orbel_test_control<QWidget>(w, "139"), "1027")->click();
        orbel_test_control<QPushButton>(w, "12325")->click();
    });
    expect_add_member();
    run_through(1006);
    EXPECT_TRUE(wizard);
    EXPECT_EQ(title, QStringLiteral("新站"));  // the new site's, not the selected one's
    EXPECT_EQ(service.served(site_code), fetched + 2) << "the new site's fetch and one update";
    const vux_desktop_site& site = stored("q0000109");
    EXPECT_EQ(site.name.str(), "河畔夜跑");
    EXPECT_EQ(site.columns, 0x4 | 0x8 | 0x20 | 0x40);
    EXPECT_EQ(site.activation_number.str(), "13800000000");
    ASSERT_EQ(site.members.entry_count(), 1);
    EXPECT_EQ(site.members.name_of(0).to_utf8_string().str(), "小林");
    EXPECT_EQ(stored("q0000102").name.str(), "Lakeside Book Club");
    EXPECT_EQ(rows().at("q0000109"), (row{"新站", "河畔夜跑", "需要用手机激活"}));
    EXPECT_EQ(selected(), "q0000109");

    // The phone confirms the number; a refresh shows the site published and
    // opens nothing.
    ASSERT_TRUE(quellmark_confirm_activation(service.state(), account(), "q0000109"));
    run_through(1008);
    EXPECT_EQ(rows().at("q0000109"), (row{"新站", "河畔夜跑", "已经发布"}));
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
}

TEST_F(GroupSheetServiceTest, colours_opacity_and_a_pack_icon_are_stored_and_reopen_as_set) {
    open_with_steps();
    select("q0000101");
    const QString introduction = orbel_to_qstring(stored("q0000101").introduction);
    QByteArray picked;
    ui.color_answer = 0x123456;
    modals.expect([](QWidget* w) {
        QWidget* column = orbel_test_control<QWidget>(w, "142");
        orbel_test_control<QSlider>(column, "1099")->setValue(30);
        QTest::mouseClick(orbel_test_control<orbel_static_color>(column, "1090"), Qt::LeftButton);
        orbel_test_control<QPushButton>(orbel_test_control<QWidget>(w, "112"), "1025")->click();
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    // The swatch's palette, then the system chooser from there.
    modals.expect([](QWidget* palette) { orbel_test_control<QPushButton>(palette, "1025")->click(); });
    modals.expect([&](QWidget* picker) {
        auto* logo = qobject_cast<orbel_select_logo*>(picker);
        ASSERT_NE(logo, nullptr);
        const QPoint at = logo->grid()->cell_rect(3).center();
        QTest::mousePress(logo->grid(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(logo->grid(), Qt::LeftButton, {}, at);
        picked = logo->result();
    });
    run_through(1016);
    ASSERT_FALSE(picked.isEmpty());
    EXPECT_EQ(orbel_site_page::bytes_of(stored("q0000101").icon), picked);  // byte for byte
    EXPECT_EQ(stored("q0000101").brush.opacity, 30);

    // Reopened, the sheet shows what was set; accepted untouched, it keeps
    // it, and neither accept touched the activation or the home page.
    modals.expect([&](QWidget* w) {
        QWidget* column = orbel_test_control<QWidget>(w, "142");
        EXPECT_EQ(orbel_test_control<QSlider>(column, "1099")->value(), 30);
        EXPECT_EQ(orbel_test_control<QLabel>(column, "1100")->text(), QStringLiteral("30%"));
        EXPECT_EQ(orbel_test_control<orbel_static_color>(column, "1090")->color(), 0x123456);
        EXPECT_EQ(orbel_test_control<orbel_static_picture>(orbel_test_control<QWidget>(w, "112"), "1036")->bytes(),
                  picked);
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    run_through(1016);
    EXPECT_EQ(stored("q0000101").brush.opacity, 30);
    EXPECT_EQ(stored("q0000101").brush.value_of(2, -1), 0x123456);  // news, the swatch's key
    EXPECT_EQ(orbel_site_page::bytes_of(stored("q0000101").icon), picked);
    EXPECT_EQ(orbel_to_qstring(stored("q0000101").introduction), introduction);
    EXPECT_EQ(rows().at("q0000101").status, QStringLiteral("已经发布"));
}

TEST_F(GroupSheetServiceTest, a_cancelled_wizard_removes_a_never_edited_site_asking_when_it_holds_entries) {
    stored("q0000107")
        .members.append_entry(vux_string("成员").to_unicode(), vux_string("k1"), vux_string("138****0000"));
    open_with_steps();

    // Just created, with nothing in it: it goes at once.
    expect_create(QStringLiteral("空站"));
    expect_cancel();
    run_through(1006);
    EXPECT_EQ(rows().count("q0000109"), 0u);
    EXPECT_EQ(service.state().find_site("q0000109"), nullptr);
    EXPECT_TRUE(ui.questions.isEmpty());

    // Never edited but holding a member: asked first, and No keeps it.
    select("q0000107");
    ui.answer = false;
    expect_cancel();
    run_through(1016);
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("是否删除所选项？")});
    EXPECT_EQ(rows().count("q0000107"), 1u);
    ui.answer = true;
    expect_cancel();
    run_through(1016);
    EXPECT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(rows().count("q0000107"), 0u);
    EXPECT_EQ(service.state().find_site("q0000107"), nullptr);
}

TEST_F(GroupSheetServiceTest, copy_to_fills_the_new_sites_sheet_from_the_template) {
    vux_desktop_site& source = stored("q0000101");
    ASSERT_GT(source.members.entry_count(), 0);
    open_with_steps();
    select("q0000101");
    expect_create(QStringLiteral("跑团二"));
    QString title, site_title, number;
    modals.expect([&](QWidget* w) {
        title = w->windowTitle();
        site_title = orbel_test_control(w, "1030")->text();
        number = orbel_test_control(w, "1024")->text();
        EXPECT_TRUE(orbel_test_control<QLabel>(w, "1032")->text().isEmpty()) << "a template has no activation status";
        // Setup, column, share: no type page for a copy.
        orbel_test_control<QPushButton>(w, "12324")->click();
        orbel_test_control<QPushButton>(w, "12324")->click();
        orbel_test_control<QPushButton>(w, "12325")->click();
    });
    run_through(1065);
    EXPECT_EQ(title, QStringLiteral("跑团二"));
    EXPECT_EQ(site_title, QStringLiteral("河畔跑团"));
    EXPECT_EQ(number, QStringLiteral("13800138000"));

    const vux_desktop_site& copy = stored("q0000109");
    EXPECT_EQ(copy.name.str(), source.name.str());
    EXPECT_EQ(copy.columns, source.columns);
    EXPECT_EQ(copy.options, source.options);
    EXPECT_EQ(copy.brush.opacity, source.brush.opacity);
    // The template's colours; a key it does not carry has the column's default.
    for (int32_t key = 1; key <= 13; ++key)
        EXPECT_EQ(copy.brush.value_of(key, -1), source.brush.value_of(key, vux_desktop_columns[size_t(key - 1)].colour))
            << key;
    EXPECT_EQ(orbel_site_page::bytes_of(copy.icon), orbel_site_page::bytes_of(source.icon));
    EXPECT_EQ(orbel_site_page::bytes_of(copy.tray_picture), orbel_site_page::bytes_of(source.tray_picture));
    EXPECT_EQ(orbel_site_page::bytes_of(copy.background), orbel_site_page::bytes_of(source.background));
    ASSERT_EQ(copy.members.entry_count(), source.members.entry_count());
    for (int32_t i = 0; i < copy.members.entry_count(); ++i)
        EXPECT_EQ(copy.members.key_of(i).str(), source.members.key_of(i).str()) << i;
    EXPECT_EQ(copy.activated, 0) << "a copy is activated from its own phone";
    EXPECT_EQ(rows().at("q0000109"), (row{"跑团二", "河畔跑团", "需要用手机激活"}));
    EXPECT_EQ(group->template_site(), nullptr);
}

TEST_F(GroupSheetServiceTest, home_page_accepted_unchanged_sends_nothing_and_an_emptied_address_is_cleared) {
    open_with_steps();
    select("q0000101");
    const std::string introduction = stored("q0000101").introduction.str();
    ASSERT_NE(introduction.find("\r\n"), std::string::npos);
    const int sent = service.served(site_code);
    QString title;
    modals.expect([&](QWidget* w) {
        title = w->windowTitle();
        EXPECT_TRUE(orbel_test_control<QPlainTextEdit>(w, "1038")->toPlainText().contains('\n'));
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    run_through(1096);
    EXPECT_EQ(title, QStringLiteral("主页 - 河畔跑团"));
    EXPECT_EQ(service.served(site_code), sent);

    modals.expect([](QWidget* w) {
        orbel_test_control(w, "1031")->clear();
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    run_through(1096);
    EXPECT_EQ(service.served(site_code), sent + 1);
    EXPECT_TRUE(stored("q0000101").web_address.empty());
    EXPECT_EQ(stored("q0000101").introduction.str(), introduction);
    EXPECT_FALSE(stored("q0000101").telephone.empty());

    // Reopened from the site the reply brought back: the address stays empty.
    modals.expect([](QWidget* w) {
        EXPECT_TRUE(orbel_test_control(w, "1031")->text().isEmpty());
        orbel_test_control<QPushButton>(w, "2")->click();
    });
    run_through(1096);
    EXPECT_EQ(service.served(site_code), sent + 1);
}

TEST_F(GroupSheetServiceTest, pausing_and_a_new_activation_number_show_in_the_row) {
    open_with_steps();
    select("q0000101");
    modals.expect([](QWidget* w) {
        orbel_test_control<QCheckBox>(w, "1012")->click();
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    run_through(1016);
    EXPECT_EQ(rows().at("q0000101").status, QStringLiteral("暂停发布"));

    // Published again under a new number, which that phone has to confirm.
    modals.expect([](QWidget* w) {
        EXPECT_TRUE(orbel_test_control<QCheckBox>(w, "1012")->isChecked());
        orbel_test_control<QCheckBox>(w, "1012")->click();
        orbel_test_control(w, "1024")->setText("13911112222");
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    run_through(1016);
    EXPECT_EQ(rows().at("q0000101").status, QStringLiteral("需要用手机激活"));
    EXPECT_EQ(orbel_get_profile_telephone(), QStringLiteral("13911112222"));
    modals.expect([](QWidget* w) {
        EXPECT_EQ(orbel_test_control<QLabel>(w, "1032")->text(), QStringLiteral("【尚未激活】"));
        orbel_test_control<QPushButton>(w, "2")->click();
    });
    run_through(1016);
    EXPECT_EQ(rows().count("q0000101"), 1u) << "a cancelled sheet of a named site keeps it";
}

TEST_F(GroupSheetServiceTest, news_notices_and_votes_added_in_their_lists_reach_the_stand_in) {
    open_with_steps();
    select("q0000101");
    using count_of = int32_t (*)(const vux_desktop_site&);
    const struct {
        int command;
        const char* title;
        orbel_modal_driver::drive add;
        count_of count;
    } cases[] = {
        {1043, "新闻 - 河畔跑团",
         [](QWidget* d) {
             orbel_test_control(d, "1030")->setText(QStringLiteral("夜跑"));
             orbel_test_control<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("周五晚上七点"));
             orbel_test_control<QPushButton>(d, "1")->click();
         },
         [](const vux_desktop_site& s) { return s.news.items.get_count(); }},
        {1020, "通知 - 河畔跑团",
         [](QWidget* d) {
             orbel_test_control<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("闭馆"));
             orbel_test_control<QPushButton>(d, "1")->click();
         },
         [](const vux_desktop_site& s) { return s.notices.items.get_count(); }},
        {1079, "投票 - 河畔跑团",
         [](QWidget* d) {
             auto* vote = qobject_cast<orbel_add_vote*>(d);
             ASSERT_NE(vote, nullptr);
             orbel_test_control<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("几点？"));
             vote->add_option(QStringLiteral("7:00"));
             vote->add_option(QStringLiteral("7:30"));
             orbel_test_control<QPushButton>(d, "1")->click();
         },
         [](const vux_desktop_site& s) { return s.votes.items.get_count(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const int32_t before = c.count(stored("q0000101"));
        const int sent = service.served(site_code);
        // Added, then Cancel: nothing goes out.
        for (const bool ok : {false, true}) {
            QString title;
            modals.expect([&title, ok](QWidget* list) {
                title = list->windowTitle();
                orbel_test_control<QPushButton>(list, "1027")->click();
                orbel_test_control<QPushButton>(list, ok ? "1" : "2")->click();
            });
            modals.expect(c.add);
            run_through(c.command);
            EXPECT_EQ(title, QString::fromUtf8(c.title));
        }
        EXPECT_EQ(service.served(site_code), sent + 1);
        EXPECT_EQ(c.count(stored("q0000101")), before + 1);
        EXPECT_EQ(c.count(*app->site_list.find("q0000101")), before + 1) << "the reply's site is cached";
    }
    EXPECT_EQ(rows().at("q0000101").status, QStringLiteral("已经发布"));
}

TEST_F(GroupSheetServiceTest, private_messages_open_the_box_of_the_selected_site) {
    open_with_steps();
    select("q0000101");
    const int sent = service.served(site_code);
    QString title;
    int members = -1;
    modals.expect([&](QWidget* box) {
        title = box->windowTitle();
        auto* contacts = orbel_test_control<orbel_list_control>(box, "1047");
        auto* recent = orbel_test_control<orbel_list_control>(box, "1045");
        EXPECT_TRUE(ORBEL_WAIT(recent->topLevelItemCount() > 0)) << "the conversations are polled";
        members = contacts->topLevelItemCount();
        qobject_cast<QDialog*>(box)->reject();
    });
    run_through(1022);
    EXPECT_EQ(title, QStringLiteral("私信 - 河畔跑团"));
    EXPECT_EQ(members, stored("q0000101").members.entry_count());
    EXPECT_GT(members, 0);
    EXPECT_EQ(service.served(site_code), sent) << "nothing is sent on its return";
}

TEST_F(GroupSheetServiceTest, contacts_share_and_sms_reach_the_stand_in) {
    open_with_steps();
    select("q0000101");
    const int32_t members = stored("q0000101").members.entry_count();
    const int32_t shared = stored("q0000101").count_share_entries();

    QString title;
    modals.expect([&](QWidget* sheet) {
        title = sheet->windowTitle();
        orbel_test_control<QPushButton>(orbel_test_control<QWidget>(sheet, "139"), "1027")->click();
        orbel_test_control<QPushButton>(sheet, "1")->click();
    });
    expect_add_member();
    run_through(1047);
    EXPECT_EQ(title, QStringLiteral("联系人 - 河畔跑团"));
    EXPECT_EQ(stored("q0000101").members.entry_count(), members + 1);
    EXPECT_EQ(app->site_list.find("q0000101")->members.entry_count(), members + 1);

    QString count;
    modals.expect([&](QWidget* share) {
        count = orbel_test_control<QLabel>(share, "1044")->text();
        orbel_test_control<QPlainTextEdit>(share, "1038")->setPlainText("13911112222\n13911113333");
        orbel_test_control<QPushButton>(share, "1")->click();
    });
    run_through(1041);
    EXPECT_EQ(count, QStringLiteral("总的分享数：%1").arg(shared));
    EXPECT_EQ(stored("q0000101").count_share_entries(), shared + 2);
    EXPECT_EQ(app->site_list.find("q0000101")->count_share_entries(), shared + 2) << "the reply's site is cached";

    // The reminder's text starts as the site's name.
    modals.expect([](QWidget* sms) {
        EXPECT_EQ(orbel_test_control(sms, "1061")->text(), QStringLiteral("河畔跑团"));
        orbel_test_control<QPlainTextEdit>(sms, "1038")->setPlainText("13911112222");
        orbel_test_control<QPushButton>(sms, "1")->click();
    });
    run_through(1049);
    ASSERT_EQ(service.state().sms_log().size(), 1u);
    EXPECT_EQ(service.state().sms_log()[0].key, "q0000101");
    EXPECT_EQ(service.state().sms_log()[0].text, "河畔跑团");
    EXPECT_EQ(service.state().sms_log()[0].numbers, std::vector<std::string>{"13911112222"});
    EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
}

}  // namespace
