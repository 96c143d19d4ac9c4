// The emulator frame, made by the program's factory, over the real
// engine: the engine's timer runs through the client window, the document's
// seconds advance, and a logout restarts the document after the engine's
// step has returned.
#include "client/group_service_fixture.h"
#include "client/manager/orbel_emulator_factory.h"
#include "client/manager/orbel_group.h"
#include "client/orbel_test_support.h"
#include "client/start/orbel.h"
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "emulator/orbel_emulator.h"
#include "emulator/vux_le_document.h"
#include "emulator/vux_le_engine.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine_handle.h"
#include "service/quellmark_service.h"

#include <QClipboard>
#include <QPushButton>
#include <QSettings>

#include <cstdlib>

namespace {

vux_function function_of(const char* name, std::initializer_list<int32_t> commands) {
    vux_function f;
    f.name = vux_string(name);
    for (int32_t c : commands) {
        auto step = std::make_unique<vux_action_command>();
        step->command = c;
        f.action.add_step(std::move(step));
    }
    return f;
}

// A document that starts without connecting anywhere and can log out.
QByteArray small_document() {
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_header_default();
    for (const vux_function& f : {function_of("__function_no_exit", {}), function_of("logout", {6})}) {
        w.write_int32(f.type_code());
        f.write(w);
    }
    w.write_trailer();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.length());
}

// Further records that set a variable at once (an action run when read).
QByteArray setting(const char* name, const char* value) {
    vux_action action;
    action.disposition = 1;
    auto step = std::make_unique<vux_action_environment>();
    step->names.append_cstr(name);
    step->names.append_cstr(value);
    action.add_step(std::move(step));
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_header_default();
    w.write_int32(action.type_code());
    action.write(w);
    w.write_trailer();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.length());
}

std::string variable(orbel_client* client, const char* name) {
    char* v = vux_engine_get_variable(client->host()->handle(), name);
    std::string out = v ? v : "";
    std::free(v);
    return out;
}

// The program's factory, its service address replaced as QUELLMARK_SERVICE
// would, its files in the folder.
orbel_emulator_factory frames_of(quellmark_service& service, const QString& folder) {
    return [&service, folder](QWidget* owner, const QString& session_text) -> std::unique_ptr<QWidget> {
        orbel_client_setup setup = orbel_client_default_setup(session_text);
        setup.host = service.host();
        setup.port = service.port();
        setup.folder = folder;
        auto made = std::make_unique<orbel_emulator>(std::move(setup), owner);
        if (!made->load_skin()) return nullptr;
        return made;
    };
}

struct frame_fixture {
    orbel_test_ui ui;
    QTemporaryDir folder;
    std::unique_ptr<QWidget> frame;

    frame_fixture() {
        orbel_test_clear_settings();
        orbel_set_emulator_factory([this](QWidget* owner, const QString&) -> std::unique_ptr<QWidget> {
            orbel_client_setup setup;
            setup.document = small_document();
            setup.blob = orbel_client_default_setup().blob;
            setup.folder = folder.path();
            setup.session_text = QStringLiteral("e2e");
            auto made = std::make_unique<orbel_emulator>(std::move(setup), owner);
            if (!made->load_skin()) return nullptr;
            return made;
        });
        // as the site manager's button does
        frame = orbel_get_emulator_factory()(nullptr, QString());
        if (frame) frame->show();
    }
    ~frame_fixture() { orbel_set_emulator_factory({}); }
    orbel_client* client() { return static_cast<orbel_emulator*>(frame.get())->client(); }
};

TEST(E2eEmulator, the_document_runs_on_the_client_timer_and_restarts_after_logout) {
    frame_fixture fx;
    ASSERT_NE(fx.frame, nullptr);
    orbel_client* client = fx.client();
    ASSERT_TRUE(client->started());
    EXPECT_TRUE(client->tick_timer().isActive());
    EXPECT_EQ(client->tick_timer().interval(), 1000 / 7);  // the engine asks for 7 ticks a second
    ASSERT_TRUE(ORBEL_WAIT(std::atoi(variable(client, "__key_time_count").c_str()) >= 1));

    // The logout is noticed after a key; the engine asks for the restart
    // from inside that step, and it runs once the step has returned.
    vux_engine_call_function(client->host()->handle(), "logout");
    QTest::keyClick(client, Qt::Key_Down);
    ASSERT_TRUE(ORBEL_WAIT(variable(client, "__key_time_count") == "0"));
    EXPECT_TRUE(client->started());
    EXPECT_TRUE(ORBEL_WAIT(std::atoi(variable(client, "__key_time_count").c_str()) >= 1));

    // Pointer and wheel reach the real engine without harm.
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(100, 100));
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(client, &wheel);

    // The frame, and its engine, die with their owner.
    fx.frame.reset();
    QCoreApplication::processEvents();
}

// The built-in document in the frame that the site manager's button
// makes, its network reaching the local service through the emulator's
// sockets.
TEST(E2eEmulator, the_built_in_document_registers_enters_and_carries_its_pictures) {
    orbel_test_ui ui;
    orbel_test_clear_settings();
    quellmark_service service;
    ASSERT_TRUE(service.state().load_demo());
    ASSERT_TRUE(service.listen());
    QTemporaryDir folder;
    // the administrator signed in, as the logon leaves the client
    orbel application;
    const quellmark_session& signed_in = service.state().open_session("demo@quellmark.com");
    application.session.id = signed_in.id;
    application.session.text1 = vux_string(signed_in.token);
    application.session.account = vux_string(signed_in.account);
    // the program's factory, its service address replaced as QUELLMARK_SERVICE would
    orbel_set_emulator_factory(frames_of(service, folder.path()));
    auto site_manager = std::make_unique<orbel_group>();
    site_manager->show();
    auto* button = site_manager->findChild<QPushButton*>(QStringLiteral("1091"));
    ASSERT_NE(button, nullptr);
    button->click();
    QWidget* frame = site_manager->emulator();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    orbel_client* client = static_cast<orbel_emulator*>(frame)->client();
    ASSERT_TRUE(client->started());
    EXPECT_EQ(vux_le_get_document().persist().profile_name(), QStringLiteral("demo@quellmark.com"));
    // the phone opens on the site selected in the site manager (this one
    // has no rows: the test names the site as the button would)
    frame->setProperty(orbel_emulator_site_property, QStringLiteral("q0000101"));
    EXPECT_EQ(client->identity(), QStringLiteral("demo@quellmark.com q0000101"));
    // the service finds the administrator by that name as by the token
    const std::string token = service.state().open_session("ruth@quellmark.com").token;
    EXPECT_EQ(service.state().phone_view_of(token + " q0000104").account,
              service.state().find_account(vux_string("ruth@quellmark.com")));
    EXPECT_EQ(service.state().phone_view_of(token + " q0000104").selected, "q0000104");
    EXPECT_EQ(service.state().phone_view_of("ruth@quellmark.com").account,
              service.state().find_account(vux_string("ruth@quellmark.com")));

    // registered, entered and polled, over the emulator's own sockets
    ASSERT_TRUE(ORBEL_WAIT(variable(client, "__window_site") == "ok" && service.served(1306) > 0));
    EXPECT_EQ(service.served(1308), 1);
    EXPECT_EQ(variable(client, "__dialog_error_text"), "");
    // the credentials the engine kept went to the emulator's settings group
    QSettings settings("__ORBEL", "Quellmark");
    EXPECT_FALSE(settings.value("__EMULATOR/__PRIVATE_demo@quellmark.com_000").toByteArray().isEmpty());

    // the start action's emoticon codes, and the emoticons as data records
    std::string codes;
    for (int n = 0; n < 24; ++n) codes += "[e" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "]";
    EXPECT_EQ(variable(client, "__key_emoticon"), codes);
    int length = 0;
    const uint8_t* bytes = vux_engine_get_data(client->host()->handle(), "em023.png", &length);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(QImage::fromData(bytes, length, "PNG").size(), QSize(24, 24));

    // the document's plain text is the phone's size 0: a line of at most 16
    // pixels on its 314-pixel-wide screen
    vux_le_graphics phone;
    phone.create_buffers(314, 474);
    phone.select_font(0, 0);
    const int plain = phone.text_height();
    ASSERT_EQ(client->host()->graphics().buffer().size(), QSize(314, 474));
    vux_canvas& canvas = client->host()->handle()->canvas();
    EXPECT_EQ(canvas.select_font(3, 0), plain);
    EXPECT_LE(plain, 16);

    // the title bar is the blob's texture (its gradient's blue), edge to edge
    const QImage screen = client->grab().toImage();
    if (qEnvironmentVariableIsSet("VUX_SHOT_DIR"))
        screen.save(qEnvironmentVariable("VUX_SHOT_DIR") + QStringLiteral("/emulator_site.png"));
    for (const QPoint at : {QPoint(2, 2), QPoint(157, 2), QPoint(311, 2), QPoint(2, 20)}) {
        const QColor c = screen.pixelColor(at);
        EXPECT_GT(c.blue(), 150) << at.x() << "," << at.y();
        EXPECT_GT(c.blue() - c.red(), 60) << at.x() << "," << at.y();
    }
    // the seconds go on
    const int seconds = std::atoi(variable(client, "__key_time_count").c_str());
    EXPECT_TRUE(ORBEL_WAIT(std::atoi(variable(client, "__key_time_count").c_str()) > seconds));

    // the site is taller than the screen: the Down arrow, pressed while the
    // phone's body has the focus, goes through the tiles (links) and then
    // moves its content; the Up arrow brings it back
    auto* site =
        static_cast<vux_window*>(client->host()->handle()->screens().find_screen(1, vux_string("__window_site")));
    ASSERT_NE(site, nullptr);
    ASSERT_NE(site->client.scroll_bar, nullptr);
    EXPECT_EQ(site->client.scroll_bar->y_offset, 0);
    for (int i = 0; i < 12 && site->client.scroll_bar->y_offset == 0; ++i) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &down);
    }
    EXPECT_GT(site->client.scroll_bar->y_offset, 0);
    for (int i = 0; i < 12 && site->client.scroll_bar->y_offset > 0; ++i) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &up);
    }
    EXPECT_EQ(site->client.scroll_bar->y_offset, 0);

    // a fast drag flings until the engine's drag step answers 0
    vux_le_slip& slip = client->slip();
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(150, 400));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 100), client->mapToGlobal(QPointF(150, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(client, &move);
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_TRUE(slip.flinging());
    EXPECT_TRUE(ORBEL_WAIT(!slip.flinging()));
    EXPECT_GT(site->client.scroll_bar->y_offset, 0);  // the content went up with the pointer

    // the document's copy command reaches the clipboard, once asked
    ui.answer = true;
    const QByteArray records = setting("__key_copy_text", "Spring[[[0 relay");
    vux_engine_on_clipboard(client->host()->handle(), reinterpret_cast<const uint8_t*>(records.constData()),
                            int(records.size()));
    ASSERT_EQ(variable(client, "__key_copy_text"), "Spring[[[0 relay");
    vux_engine_call_function(client->host()->handle(), "__function_copy");
    EXPECT_TRUE(ORBEL_WAIT(QGuiApplication::clipboard()->text() == QStringLiteral("Spring relay")));
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("是否复制文字到系统剪切板？")});

    // the button hides it, and shows the same frame again
    button->click();
    EXPECT_FALSE(frame->isVisible());
    button->click();
    EXPECT_EQ(site_manager->emulator(), frame);
    EXPECT_TRUE(frame->isVisible());
    // the frame and its engine die with the site manager
    site_manager.reset();
    orbel_set_emulator_factory({});
}

// The site manager signed in to the local service: the emulator opens on
// the selected site, opens on another once that is selected and the phone
// shown again, and a vote cast on the phone is counted.
struct E2ePhone : group_service_fixture {
    QTemporaryDir folder;
    orbel_client* client = nullptr;
    const vux_window* window(const char* name) {
        return static_cast<const vux_window*>(client->host()->handle()->screens().find_screen(1, vux_string(name)));
    }
    bool on_top(const char* name) {
        const vux_screen* top = client->host()->handle()->screens().windows.top();
        return top && top == window(name);
    }
    bool shows(const char* name, const char* title) {
        const vux_window* w = window(name);
        return variable(client, name) == "ok" && w && w->title.str() == title;
    }
    void select(const char* key) {
        orbel_list_control* list = group->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->key_of(i).str() == key) list->setCurrentItem(list->topLevelItem(i));
        ASSERT_EQ(selected(), key);
    }
};

TEST_F(E2ePhone, the_emulator_opens_on_the_selected_site_and_a_vote_is_counted) {
    open();
    group->set_emulator_factory(frames_of(service, folder.path()));
    select("q0000103");
    group->run_command(1091);
    auto* frame = static_cast<orbel_emulator*>(group->emulator());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    client = frame->client();
    ASSERT_TRUE(ORBEL_WAIT(shows("__window_site", "旧城摄影社")));
    EXPECT_EQ(variable(client, "__dialog_error_text"), "");

    // hidden, another site selected, shown again: the phone enters anew
    group->run_command(1091);
    EXPECT_FALSE(frame->isVisible());
    select("q0000101");
    group->run_command(1091);
    EXPECT_TRUE(frame->isVisible());
    // until the fresh start the screen is dark, not the other site's page
    const QImage first = client->grab().toImage();
    EXPECT_EQ(first.pixelColor(first.width() / 2, first.height() / 2), QColor(Qt::black));
    ASSERT_TRUE(ORBEL_WAIT(shows("__window_site", "河畔跑团")));

    // the vote's page, its soft key's menu, the first option chosen
    vux_action open_vote;
    auto go = std::make_unique<vux_action_go>();
    go->code = 5;
    go->send = 1;
    go->target_1 = vux_string("q0000101");
    go->target_2 = vux_string("1");
    open_vote.add_step(std::move(go));
    vux_engine* e = client->host()->handle();
    e->runner().run(open_vote);
    ASSERT_TRUE(ORBEL_WAIT(shows("__window_vote", "河畔跑团")));
    const vux_desktop_vote& vote = *service.state().find_site("q0000101")->votes.items.at(0);
    ASSERT_EQ(vote.count_of(0), 4);
    vux_engine_key(e, 1);  // the left soft key, "投票"
    vux_engine_key(e, 0);  // its first option
    EXPECT_TRUE(ORBEL_WAIT(vote.count_of(0) == 5));
    EXPECT_TRUE(ORBEL_WAIT(variable(client, "__window_vote") == "ok"));
}

// From the site's page Escape goes back to the home page as "返回" does, and
// the home page's "退出" logs the phone out: the built-in document starts
// again, logs on and enters anew on
// the selected site, and the phone answers its keys as before.
TEST_F(E2ePhone, exit_on_the_home_page_logs_out_and_the_phone_starts_again) {
    open();
    group->set_emulator_factory(frames_of(service, folder.path()));
    select("q0000101");
    group->run_command(1091);
    auto* frame = static_cast<orbel_emulator*>(group->emulator());
    ASSERT_NE(frame, nullptr);
    client = frame->client();
    ASSERT_TRUE(ORBEL_WAIT(shows("__window_site", "河畔跑团")));
    vux_engine* e = client->host()->handle();
    ASSERT_TRUE(e->document().is_started());

    // Escape on the phone's screen is its back key: it goes back as "返回"
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(client, &escape);
    ASSERT_TRUE(ORBEL_WAIT(on_top("__window_home")));
    EXPECT_TRUE(frame->isVisible());
    const int32_t logons = service.served(1304), enters = service.served(1300);
    vux_engine_key(e, 2);  // "退出"
    ASSERT_TRUE(ORBEL_WAIT(service.served(1300) > enters && on_top("__window_site")));
    EXPECT_GT(service.served(1304), logons) << "logged on again with the kept credentials";
    EXPECT_TRUE(e->document().is_started());
    EXPECT_TRUE(client->started());
    if (qEnvironmentVariableIsSet("VUX_SHOT_DIR"))
        client->grab().toImage().save(qEnvironmentVariable("VUX_SHOT_DIR") +
                                      QStringLiteral("/emulator_after_exit.png"));

    vux_engine_key(e, 2);  // "返回" answers again
    EXPECT_TRUE(ORBEL_WAIT(on_top("__window_home")));
    EXPECT_EQ(variable(client, "__dialog_error_text"), "");
}

}  // namespace
