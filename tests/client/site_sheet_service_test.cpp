// The site sheet and the home-page editor against the local stand-in: sites
// fetched into the site cache, edited through the entry points the site
// manager calls, the updates sent through the cache and read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QWizard>

#include "client/controls/orbel_picture_list.h"
#include "client/controls/orbel_select_logo.h"
#include "client/controls/orbel_static_color.h"
#include "client/controls/orbel_static_picture.h"
#include "client/manager/orbel_group_rules.h"
#include "client/manager/orbel_site_queue.h"
#include "client/sheet/orbel_homepage.h"
#include "client/sheet/orbel_site_sheet.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/transport/orbel_socket_list.h"
#include "desktop/transport/orbel_socket_observer.h"
#include "gui/orbel_settings.h"
#include "orbel_test_support.h"
#include "service/quellmark_service.h"
#include "service/quellmark_site_update.h"

namespace {

// The site cache's requests over real sockets: what the site manager's
// cache does, without the site manager.
class test_cache : public orbel_socket_observer {
public:
    explicit test_cache(quellmark_service& service) : service_(service) {}

    void send(std::unique_ptr<vux_desktop_request_site> request) {
        queue.enqueue_request(std::move(request));
        pump();
    }
    // Runs the queue until nothing is queued or out.
    bool settle() {
        pump();
        return ORBEL_WAIT(!queue.busy() && queue.queued_count() == 0);
    }
    void on_reply(int32_t, const vux_buffer& body) override {
        const auto reply = vux_desktop_accept_as<vux_desktop_response_site>(body);
        outcomes.push_back(queue.on_reply(reply.get()));
        pump();
    }
    void on_failure(int32_t) override { outcomes.push_back(queue.on_failure()); }

    orbel_site_queue queue;
    vux_desktop_session session;
    std::vector<orbel_site_queue::outcome> outcomes;

private:
    void pump() {
        if (auto next = queue.take_next(session))
            requests_.send_request(*next, service_.host(), service_.port(), service_.path(), this);
    }
    quellmark_service& service_;
    orbel_socket_list requests_;
};

class SiteSheetServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_clear_settings();
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
        account = service.state().find_account("demo@quellmark.com");
        ASSERT_NE(account, nullptr);
        const quellmark_session& s = service.state().open_session(account->name);
        cache.session.id = s.id;
        cache.session.text1 = vux_string(s.token);
        cache.session.account = vux_string(s.account);
    }
    // A site as the create request leaves it: listed, never edited.
    void add_new_site(const char* key) {
        auto group = std::make_unique<vux_desktop_group>();
        group->name = key;
        group->display_name = "new";
        account->document.groups.groups.append(std::move(group));
        service.state().ensure_site(key);
    }
    void fetch_all() {
        cache.queue.enqueue_missing(account->document.groups);
        ASSERT_TRUE(cache.settle());
    }
    QString status(const char* key) {
        const vux_desktop_group_list& groups = account->document.groups;
        const vux_desktop_site* site = cache.queue.find(key);
        if (!site) return QStringLiteral("(not cached)");
        return orbel_group_rules::status(*groups.groups.at(groups.find_by_name(key)), *site).value_or(QString());
    }

    orbel_test_ui ui;
    quellmark_service service;
    quellmark_account* account = nullptr;
    test_cache cache{service};
};

TEST_F(SiteSheetServiceTest, new_site_through_the_wizard_to_published) {
    add_new_site("q0000199");
    fetch_all();
    const vux_desktop_site* cached = cache.queue.find("q0000199");
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(status("q0000199"), QStringLiteral("等待编辑"));

    bool was_wizard = false;
    orbel_test_when_modal([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        was_wizard = wizard != nullptr;
        if (!wizard) {
            w->close();
            return;
        }
        orbel_test_fill_new_site(w);
        orbel_test_control<QPushButton>(w, "12324")->click();  // the member page follows: members' columns
        orbel_test_control<QPushButton>(w, "12325")->click();
    });
    orbel_site_sheet::outcome out =
        orbel_site_sheet::run(nullptr, QStringLiteral("new"), "q0000199", *cached, nullptr, true);
    ASSERT_TRUE(was_wizard);
    ASSERT_TRUE(out.accepted);
    ASSERT_NE(out.request, nullptr);
    EXPECT_EQ(out.request->operation, 2);
    EXPECT_EQ(out.request->key.str(), "q0000199");
    cache.send(std::move(out.request));
    ASSERT_TRUE(cache.settle());
    const vux_desktop_site* site = cache.queue.find("q0000199");
    EXPECT_EQ(QString::fromUtf8(site->name.data()), QStringLiteral("河畔夜跑"));
    EXPECT_EQ(site->columns, 0x4 | 0x8 | 0x20 | 0x40);
    EXPECT_EQ(site->options, 0x2);
    EXPECT_EQ(status("q0000199"), QStringLiteral("需要用手机激活"));

    ASSERT_TRUE(quellmark_confirm_activation(service.state(), *account, "q0000199"));
    cache.queue.clear_cache();  // refresh
    fetch_all();
    EXPECT_EQ(status("q0000199"), QStringLiteral("已经发布"));
}

TEST_F(SiteSheetServiceTest, cancelled_wizard_sends_nothing) {
    add_new_site("q0000199");
    fetch_all();
    orbel_test_when_modal([](QWidget* w) { orbel_test_control<QPushButton>(w, "2")->click(); });
    const orbel_site_sheet::outcome out =
        orbel_site_sheet::run(nullptr, "new", "q0000199", *cache.queue.find("q0000199"), nullptr, true);
    EXPECT_FALSE(out.accepted);  // the site manager then deletes the never-edited site
    EXPECT_EQ(out.request, nullptr);
}

TEST_F(SiteSheetServiceTest, colours_opacity_and_a_pack_icon_come_back_as_set) {
    fetch_all();
    QByteArray picked;
    ui.color_answer = 0x123456;
    orbel_test_when_modal([&](QWidget* w) {
        QWidget* column = orbel_test_control<QWidget>(w, "142");
        orbel_test_control<QSlider>(column, "1099")->setValue(30);
        // The swatch's palette, then the system chooser from there.
        orbel_test_when_modal([](QWidget* palette) { orbel_test_control<QPushButton>(palette, "1025")->click(); });
        QTest::mouseClick(orbel_test_control<orbel_static_color>(column, "1090"), Qt::LeftButton);
        orbel_test_when_modal([&](QWidget* picker) {
            auto* logo = qobject_cast<orbel_select_logo*>(picker);
            ASSERT_NE(logo, nullptr);
            const QPoint at = logo->grid()->cell_rect(3).center();
            QTest::mousePress(logo->grid(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(logo->grid(), Qt::LeftButton, {}, at);
            picked = logo->result();
        });
        orbel_test_control<QPushButton>(orbel_test_control<QWidget>(w, "112"), "1025")->click();
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    orbel_site_sheet::outcome out = orbel_site_sheet::run(nullptr, QStringLiteral("河畔跑团"), "q0000101",
                                                          *cache.queue.find("q0000101"), nullptr, false);
    ASSERT_TRUE(out.accepted);
    ASSERT_NE(out.request, nullptr);
    ASSERT_FALSE(picked.isEmpty());
    EXPECT_EQ(out.request->site.change_mask, 0x200 | 0x80000);
    cache.send(std::move(out.request));
    ASSERT_TRUE(cache.settle());
    const vux_desktop_site& stored = *service.state().find_site("q0000101");
    EXPECT_EQ(orbel_site_page::bytes_of(stored.icon), picked);  // byte for byte
    EXPECT_EQ(stored.brush.opacity, 30);

    // Reopened from the cache, the pages show what was set.
    orbel_site_sheet again(nullptr, "m", "q0000101", *cache.queue.find("q0000101"), nullptr, false);
    EXPECT_EQ(orbel_test_control<QSlider>(again.column(), "1099")->value(), 30);
    EXPECT_EQ(orbel_test_control<QLabel>(again.column(), "1100")->text(), QStringLiteral("30%"));
    EXPECT_EQ(orbel_test_control<orbel_static_color>(again.column(), "1090")->color(), 0x123456);
    EXPECT_EQ(orbel_test_control<orbel_static_color>(again.column(), "1094")->color(), 0xD55111);  // still the default
    EXPECT_EQ(orbel_test_control<orbel_static_picture>(again.setup(), "1036")->bytes(), picked);
    // Accepted untouched, it sends the brush only, and the opacity stays.
    const auto update = again.collect_update();
    EXPECT_EQ(update->change_mask, 0x80000);
    cache.send(orbel_site_update_request("q0000101", *update));
    ASSERT_TRUE(cache.settle());
    EXPECT_EQ(service.state().find_site("q0000101")->brush.opacity, 30);
}

TEST_F(SiteSheetServiceTest, home_page_round_trip) {
    vux_desktop_site& site = *service.state().find_site("q0000101");
    site.introduction = vux_string("line one\r\nline two");
    site.web_address = "http://example.com";
    fetch_all();

    // Reopened and accepted as it is: nothing to send.
    orbel_test_when_modal([](QWidget* w) {
        EXPECT_EQ(orbel_test_control<QPlainTextEdit>(w, "1038")->toPlainText(), QStringLiteral("line one\nline two"));
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    EXPECT_EQ(orbel_homepage::run(nullptr, "m", "q0000101", *cache.queue.find("q0000101")), nullptr);

    orbel_test_when_modal([](QWidget* w) {
        orbel_test_control(w, "1031")->clear();
        orbel_test_control<QPushButton>(w, "1")->click();
    });
    auto request = orbel_homepage::run(nullptr, "m", "q0000101", *cache.queue.find("q0000101"));
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->site.change_mask, 0x80);
    cache.send(std::move(request));
    ASSERT_TRUE(cache.settle());
    EXPECT_TRUE(service.state().find_site("q0000101")->web_address.empty());
    EXPECT_TRUE(cache.queue.find("q0000101")->web_address.empty());
    EXPECT_EQ(service.state().find_site("q0000101")->introduction.str(), "line one\r\nline two");
}

}  // namespace
