// News, notice and vote lists with their add and detail dialogs: the rules as
// tables, a few window runs, and a news item's round trip through the stand-in.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include "client/common/orbel_fatal.h"
#include "client/content/orbel_add_item.h"
#include "client/content/orbel_content_rules.h"
#include "client/content/orbel_item_detail.h"
#include "client/content/orbel_item_list.h"
#include "client/content/orbel_message_rules.h"
#include "client/controls/orbel_list_box.h"
#include "client/controls/orbel_static_picture.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/vux_desktop_accept.h"
#include "gui/orbel_text.h"
#include "orbel_test_support.h"
#include "service/sign_in.h"

namespace {

using rules = orbel_content_rules;

TEST(ContentRules, limits_states_and_keys) {
    EXPECT_TRUE(rules::can_add(49));
    EXPECT_FALSE(rules::can_add(50));
    const int32_t states[][2] = {{1, 4}, {0, 3}, {3, 3}, {7, 3}};
    for (const auto& s : states) EXPECT_EQ(rules::deleted_state(s[0]), s[1]) << s[0];
    EXPECT_EQ(rules::selection_after_remove(1, 3), 1);
    EXPECT_EQ(rules::selection_after_remove(2, 2), 1);
    EXPECT_EQ(rules::selection_after_remove(0, 0), -1);

    vux_desktop_news_list list;
    list.key_counter = 10;
    EXPECT_EQ(rules::take_key(list).str(), "0000000a");
    EXPECT_EQ(rules::take_key(list).str(), "0000000b");
    // A counter behind the keys held skips them.
    list.key_counter = 1;
    list.items.add().key = vux_string("00000001");
    list.items.add().key = vux_string("00000002");
    EXPECT_EQ(rules::take_key(list).str(), "00000003");
}

TEST(ContentRules, vote_ok_and_options) {
    const struct {
        const char* content;
        int options;
        const char* max;
        const char* days;
        bool ok;
    } votes[] = {
        {"c", 2, "3", "0", false},  {"c", 2, "2", "0", true},  {"c", 2, "0", "0", false},  {"c", 2, "-1", "0", false},
        {"c", 2, "1", "-1", false}, {"c", 2, "1", "7", true},  {"c", 2, "1x", "0", false}, {"c", 2, "", "0", false},
        {"c", 1, "1", "0", false},  {" ", 2, "1", "0", false}, {"c", 32, "32", "0", true},
    };
    for (const auto& v : votes)
        EXPECT_EQ(rules::vote_ok(QString::fromUtf8(v.content), v.options, v.max, v.days), v.ok)
            << v.options << " " << v.max << " " << v.days;

    const struct {
        QStringList held;
        const char* name;
        bool ok;
    } options[] = {{{"abc"}, "ab", false}, {{"ab"}, "abc", true}, {{"abc"}, "AB", false},
                   {{}, "", false},        {{}, "  ", false},     {{}, " x ", true}};
    for (const auto& o : options)
        EXPECT_EQ(rules::option_acceptable(o.held, QString::fromUtf8(o.name)), o.ok) << o.name;
    EXPECT_TRUE(rules::can_add_option(31));
    EXPECT_FALSE(rules::can_add_option(32));
    EXPECT_TRUE(rules::news_ok(QStringLiteral(" t "), QStringLiteral("c")));
    EXPECT_FALSE(rules::news_ok(QStringLiteral(" "), QStringLiteral("c")));
}

class ContentWindows : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_fatal_reset();
        app = std::make_unique<orbel>();
        app->session.account = vux_string("demo@quellmark.com");
    }
    void TearDown() override {
        app.reset();
        orbel_fatal_reset();
    }
    // Answers the next modal dialog of type T with `fill`, which ends it.
    template <class T>
    void answer(std::function<void(T*)> fill) {
        QTimer::singleShot(0, [fill] {
            T* dialog = orbel_test_modal<T>();
            ASSERT_TRUE(dialog);
            fill(dialog);
        });
    }
    static void add_news_item(orbel_add_news* d, const QString& title) {
        d->findChild<QLineEdit*>("1030")->setText(title);
        d->findChild<QPlainTextEdit*>("1038")->setPlainText(QStringLiteral("  正文  "));
        d->findChild<QPushButton*>("1")->click();
    }

    orbel_test_ui ui;
    std::unique_ptr<orbel> app;
};

TEST_F(ContentWindows, news_list_adds_on_top_up_to_fifty_and_deletes_by_state) {
    vux_desktop_site site;
    site.news.key_counter = 49;
    for (int i = 0; i < 49; ++i) {
        auto& item = site.news.items.add();
        item.key = vux_hex::format(i);
        item.title = vux_string(("t" + std::to_string(i)).c_str());
    }
    orbel_news list(QStringLiteral("跑团"), site.news, nullptr);
    list.show();
    EXPECT_EQ(list.windowTitle(), QStringLiteral("新闻 - 跑团"));
    auto* box = list.findChild<orbel_list_box*>("1011");
    EXPECT_EQ(box->item(0)->text(), QStringLiteral("t0"));
    EXPECT_FALSE(list.findChild<QPushButton*>("1007")->isEnabled());

    answer<orbel_add_news>([](orbel_add_news* d) { add_news_item(d, QStringLiteral(" 新的 ")); });
    list.findChild<QPushButton*>("1027")->click();
    ASSERT_EQ(box->count(), 50);
    EXPECT_EQ(box->item(0)->text(), QStringLiteral("新的"));
    EXPECT_EQ(box->currentRow(), 0);
    const vux_desktop_news& added = *list.items().items.at(49);
    EXPECT_EQ(added.key.str(), "00000031");
    EXPECT_EQ(added.state, 1);
    EXPECT_EQ(added.author.str(), "demo@quellmark.com");
    EXPECT_EQ(added.content.str(), "正文");

    list.findChild<QPushButton*>("1027")->click();  // the 51st is refused
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], QStringLiteral("新闻总数不能超过50个。"));
    EXPECT_EQ(box->count(), 50);

    // Deleting the new row (state 4) and the last one (state 3), which
    // leaves the selection on the new last row.
    list.findChild<QPushButton*>("1007")->click();
    EXPECT_EQ(list.items().items.at(49)->state, 4);
    box->setCurrentRow(box->count() - 1);
    list.findChild<QPushButton*>("1007")->click();
    EXPECT_EQ(list.items().items.at(48)->state, 3);
    EXPECT_EQ(box->currentRow(), box->count() - 1);
    vux_desktop_news_list out;
    EXPECT_EQ(list.export_changed(out), 1);
    EXPECT_EQ(out.items.at(0)->key.str(), vux_hex::format(48).str());
}

TEST_F(ContentWindows, run_entries_export_on_ok_and_drop_on_cancel) {
    vux_desktop_site site;
    site.notices.key_counter = 1;
    site.notices.items.add().key = vux_string("0");
    site.votes.key_counter = 10;
    const struct {
        bool ok;
        int32_t mask;
    } cases[] = {{false, 0}, {true, 0x1000000}};
    for (const auto& c : cases) {
        vux_desktop_site update;
        answer<orbel_notice>([c, this](orbel_notice* d) {
            answer<orbel_add_notice>([](orbel_add_notice* a) {
                a->findChild<QPlainTextEdit*>("1038")->setPlainText(QStringLiteral("闭馆"));
                a->findChild<QCheckBox*>("1078")->setChecked(true);
                a->findChild<QPushButton*>("1")->click();
            });
            d->findChild<QPushButton*>("1027")->click();
            d->findChild<QPushButton*>(c.ok ? "1" : "2")->click();
        });
        EXPECT_EQ(orbel_run_notices(nullptr, QStringLiteral("跑团"), site, update), c.mask);
        EXPECT_EQ(update.change_mask, c.mask);
        ASSERT_EQ(update.notices.items.get_count(), c.ok ? 1 : 0);
        if (c.ok) {
            EXPECT_EQ(update.notices.items.at(0)->key.str(), "00000001");
            EXPECT_EQ(update.notices.items.at(0)->push, 1);
        }
    }
    // Two votes added to a list whose counter is 10; one dropped again: one goes out.
    vux_desktop_site update;
    answer<orbel_vote>([this](orbel_vote* d) {
        for (int i = 0; i < 2; ++i) {
            answer<orbel_add_vote>([](orbel_add_vote* a) {
                a->findChild<QPlainTextEdit*>("1038")->setPlainText(QStringLiteral("几点？"));
                a->add_option(QStringLiteral("7:00"));
                a->add_option(QStringLiteral("7:30"));
                a->findChild<QPushButton*>("1")->click();
            });
            d->findChild<QPushButton*>("1027")->click();
        }
        d->findChild<QPushButton*>("1007")->click();
        d->findChild<QPushButton*>("1")->click();
    });
    EXPECT_EQ(orbel_run_votes(nullptr, QStringLiteral("跑团"), site, update), 0x2000000);
    ASSERT_EQ(update.votes.items.get_count(), 1);
    EXPECT_EQ(update.votes.items.at(0)->key.str(), "0000000a");
    EXPECT_EQ(update.votes.items.at(0)->options.count(), 2);
    EXPECT_EQ(update.votes.items.at(0)->counts.count(), 2);
}

TEST_F(ContentWindows, add_vote_buttons_and_ok) {
    orbel_add_vote dialog;
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>("1");
    auto* max = dialog.findChild<QLineEdit*>("1085");
    auto* options = dialog.findChild<orbel_list_box*>("1011");
    dialog.findChild<QPlainTextEdit*>("1038")->setPlainText(QStringLiteral("c"));
    EXPECT_EQ(max->text(), QStringLiteral("1"));
    EXPECT_TRUE(dialog.add_option(QStringLiteral("abc")));
    EXPECT_FALSE(dialog.add_option(QStringLiteral("ab")));
    EXPECT_FALSE(ok->isEnabled());  // one option
    EXPECT_TRUE(dialog.add_option(QStringLiteral("xyz")));
    EXPECT_TRUE(ok->isEnabled());
    max->setText(QStringLiteral("3"));
    EXPECT_FALSE(ok->isEnabled());
    max->setText(QStringLiteral("2"));
    EXPECT_TRUE(ok->isEnabled());
    max->setText(QStringLiteral("-1"));  // as pasted text would set it
    EXPECT_FALSE(ok->isEnabled());
    max->setText(QStringLiteral("1"));

    // Up, down and delete keep the selection on the moved option.
    EXPECT_FALSE(dialog.findChild<QPushButton*>("1083")->isEnabled());  // last selected
    dialog.findChild<QPushButton*>("1082")->click();
    EXPECT_EQ(dialog.options(), (QStringList{"xyz", "abc"}));
    EXPECT_EQ(options->currentRow(), 0);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("1082")->isEnabled());
    dialog.findChild<QPushButton*>("1081")->click();
    EXPECT_EQ(dialog.options(), QStringList{"abc"});
    EXPECT_EQ(options->currentRow(), 0);

    // An empty name is never added; 32 options at most.
    answer<orbel_input_option>([](orbel_input_option* d) {
        d->findChild<QLineEdit*>("1038")->setText(QStringLiteral("   "));
        d->findChild<QPushButton*>("1")->click();
    });
    dialog.findChild<QPushButton*>("1027")->click();
    EXPECT_EQ(options->count(), 1);
    for (int i = 1; i < 40; ++i) dialog.add_option(QStringLiteral("o%1").arg(i, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(options->count(), 32);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("1027")->isEnabled());
}

TEST_F(ContentWindows, picture_covers_the_box_or_keeps_its_size) {
    QTemporaryDir folder;
    const struct {
        int w, h, out_w, out_h;
    } sizes[] = {{1280, 1280, 960, 960}, {1300, 1950, 640, 960}, {100, 80, 100, 80}};
    orbel_add_news dialog;
    for (const auto& s : sizes) {
        const QString path = folder.filePath(QStringLiteral("p%1.png").arg(s.w));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(orbel_test_png(s.w, s.h, Qt::red));
        f.close();
        ui.file_names << path;
        dialog.findChild<QPushButton*>("1037")->click();
        const QImage image = QImage::fromData(dialog.picture());
        EXPECT_EQ(image.size(), QSize(s.out_w, s.out_h)) << s.w;
    }
    EXPECT_EQ(ui.titles.last(), QStringLiteral("设置图片"));
    dialog.findChild<QPushButton*>("1007")->click();
    EXPECT_TRUE(dialog.picture().isEmpty());
}

// The notice and vote details show every field read-only: the author, the
// date, the content, the flags as disabled check boxes, and for a vote its
// valid days, maximum selections and options in order.
TEST_F(ContentWindows, notice_and_vote_details_show_their_fields) {
    auto checks = [](QWidget* dialog, std::vector<std::pair<const char*, int32_t>> flags) {
        for (const auto& [id, value] : flags) {
            auto* box = dialog->findChild<QCheckBox*>(QLatin1String(id));
            ASSERT_NE(box, nullptr) << id;
            EXPECT_EQ(box->isChecked(), value != 0) << id;
            EXPECT_FALSE(box->isEnabled()) << id;
        }
    };
    auto common = [](QWidget* dialog, const char* content, int32_t time) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("1034")->text(), QStringLiteral("作者"));
        EXPECT_EQ(dialog->findChild<QLineEdit*>("1035")->text(), orbel_message_rules::time_text(time, true));
        EXPECT_EQ(dialog->findChild<QTextEdit*>("1038")->toPlainText(), QString::fromUtf8(content));
    };
    const struct { int32_t members_only, push, show_receivers; } notices[] = {{1, 0, 1}, {0, 1, 0}, {0, 0, 0}};
    for (const auto& n : notices) {
        SCOPED_TRACE(n.members_only * 100 + n.push * 10 + n.show_receivers);
        vux_desktop_notice item;
        item.time = 1797901200;
        item.author = vux_string("作者");
        item.content = vux_string("周六停课");
        item.members_only = n.members_only;
        item.push = n.push;
        item.show_receivers = n.show_receivers;
        orbel_notice_detail dialog(item, nullptr);
        EXPECT_EQ(dialog.objectName(), "115");
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("通知详情"));
        common(&dialog, "周六停课", item.time);
        checks(&dialog, {{"1039", n.members_only}, {"1078", n.push}, {"1067", n.show_receivers}});
    }

    const struct {
        int32_t members_only, comments, valid_days, max_selections;
        std::vector<const char*> options;
    } votes[] = {
        {1, 0, 7, 2, {"早上", "中午", "晚上"}},
        {0, 1, 0, 1, {"是", "否"}},
    };
    for (const auto& v : votes) {
        SCOPED_TRACE(v.valid_days);
        vux_desktop_vote item;
        item.time = 1797465600;
        item.author = vux_string("作者");
        item.content = vux_string("几点集合？");
        item.members_only = v.members_only;
        item.comments = v.comments;
        item.valid_days = v.valid_days;
        item.max_selections = v.max_selections;
        for (const char* o : v.options) item.options.append(vux_string(o));
        orbel_vote_detail dialog(item, nullptr);
        EXPECT_EQ(dialog.objectName(), "131");
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("投票详情"));
        common(&dialog, "几点集合？", item.time);
        checks(&dialog, {{"1039", v.members_only}, {"1042", v.comments}});
        for (const auto& [id, value] : {std::pair{"1084", v.valid_days}, std::pair{"1085", v.max_selections}}) {
            auto* number = dialog.findChild<QLineEdit*>(QLatin1String(id));
            ASSERT_NE(number, nullptr) << id;
            EXPECT_EQ(number->text(), QString::number(value)) << id;
            EXPECT_TRUE(number->isReadOnly()) << id;
        }
        auto* options = dialog.findChild<orbel_list_box*>("1011");
        ASSERT_NE(options, nullptr);
        ASSERT_EQ(options->count(), int(v.options.size()));
        for (int i = 0; i < options->count(); ++i) EXPECT_EQ(options->item(i)->text(), QString::fromUtf8(v.options[i]));
    }
}

// A news item with a picture through the stand-in: sent as an update, back
// from the service with the picture's name, its details fetch it once, and
// its deletion reaches the service.
TEST_F(ContentWindows, news_round_trip_through_the_stand_in) {
    quellmark_service service;
    ASSERT_TRUE(service.state().load_demo());
    ASSERT_TRUE(service.listen());
    app->service_host = service.host();
    app->service_port = service.port();
    app->service_path = orbel_to_utf8(service.path());
    app->session.copy_from(sign_in(service, "demo@quellmark.com", "demo1234"));
    auto send = [&](const vux_desktop_site& update) {
        vux_desktop_request_site r;
        r.operation = 2;
        r.key = vux_string("q0000101");
        r.site.copy_from(update);
        r.session.copy_from(app->session);
        return vux_desktop_accept_as<vux_desktop_response_site>(service.respond_frame(vux_desktop_frame(r)));
    };
    vux_desktop_site site;
    site.copy_from(*service.state().find_site("q0000101"));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.png"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(orbel_test_png(64, 48, Qt::green));
    f.close();
    ui.file_names << path;
    vux_desktop_site update;
    answer<orbel_news>([this](orbel_news* d) {
        answer<orbel_add_news>([](orbel_add_news* a) {
            a->findChild<QPushButton*>("1037")->click();
            add_news_item(a, QStringLiteral("带图"));
        });
        d->findChild<QPushButton*>("1027")->click();
        d->findChild<QPushButton*>("1")->click();
    });
    ASSERT_EQ(orbel_run_news(nullptr, QStringLiteral("跑团"), site, update), 0x800000);
    auto reply = send(update);
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->result, 0);
    site.copy_from(reply->site);
    ASSERT_EQ(site.news.items.get_count(), 3);
    const vux_desktop_news& back = *site.news.items.at(2);
    EXPECT_EQ(back.title.str(), "带图");
    EXPECT_FALSE(back.picture.name.empty());
    EXPECT_EQ(back.picture.bytes.length(), 0);

    // Reopened: the details fetch the picture once for this working copy.
    orbel_news list(QStringLiteral("跑团"), site.news, nullptr);
    list.show();
    auto* box = list.findChild<orbel_list_box*>("1011");
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->item(2)->text(), QStringLiteral("带图"));
    box->setCurrentRow(2);
    for (int i = 0; i < 2; ++i) {
        answer<orbel_news_detail>([](orbel_news_detail* d) {
            EXPECT_TRUE(ORBEL_WAIT(!d->downloading()));
            EXPECT_EQ(QImage::fromData(d->findChild<orbel_static_picture*>("1036")->bytes()).size(), QSize(64, 48));
            d->findChild<QPushButton*>("1")->click();
        });
        list.findChild<QPushButton*>("1017")->click();
    }
    EXPECT_EQ(service.served(3922), 1);

    list.findChild<QPushButton*>("1007")->click();
    list.accept();
    vux_desktop_site removal;
    list.export_changed(removal.news);
    removal.change_mask = 0x800000;
    ASSERT_EQ(send(removal)->result, 0);
    const auto& stored = service.state().find_site("q0000101")->news;
    EXPECT_EQ(stored.items.get_count(), 2);
    EXPECT_LT(stored.find_by_key(back.key), 0);
    EXPECT_TRUE(ui.messages.isEmpty());
}

}  // namespace
