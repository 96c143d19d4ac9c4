#include "emulator/orbel_client.h"

#include "client/orbel_test_support.h"
#include "emulator/vux_le_document.h"
#include "fake_devices.h"
#include "fake_engine.h"

#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

QApplication& app = orbel_test_app();

// Runs `body` as the engine would call its host: inside one of its entry
// points, so any entry point the host enters at once fails the test.
template <class F>
void inside_engine(vux_engine* e, F body) {
    ++e->depth;
    body();
    --e->depth;
}

// Runs the event loop until no queued call is left.
void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// A started client window over the fake engine and the devices' double.
struct client_fixture {
    orbel_test_ui ui;
    QTemporaryDir folder;
    fake_devices* devices = nullptr;
    std::int64_t now = 5'000'000'000'000;
    std::unique_ptr<orbel_client> client;
    vux_engine* e = nullptr;

    explicit client_fixture(const QString& session = QStringLiteral("alice")) {
        orbel_test_clear_settings();
        client = make(session);
    }
    std::unique_ptr<orbel_client> make(const QString& session) {
        orbel_client_setup setup;
        setup.document = QByteArray("DOC");
        setup.blob = QByteArray("BLOB");
        setup.folder = folder.path() + QStringLiteral("/emulator");
        setup.session_text = session;
        setup.host = QStringLiteral("127.0.0.1");
        setup.port = 8080;
        setup.devices = [this](QWidget*) {
            auto d = std::make_unique<fake_devices>();
            devices = d.get();
            return d;
        };
        setup.clock = [this] { return now; };
        auto c = std::make_unique<orbel_client>(314, 474, std::move(setup));
        EXPECT_TRUE(c->create());
        e = c->host()->handle();
        e->calls.clear();
        return c;
    }
    vux_facility_table& f() { return e->facility; }
    std::vector<std::string> calls_after_settling() {
        settle();
        return e->calls;
    }
};

std::string text_of(const char* p) { return p ? p : "(null)"; }

TEST(Client, create_runs_the_steps_in_order_and_gives_the_engine_who_it_is) {
    orbel_test_ui ui;
    orbel_test_clear_settings();
    orbel_client_setup setup;
    setup.document = QByteArray("DOC");
    setup.session_text = QStringLiteral("alice");
    setup.host = QStringLiteral("le.example");
    setup.port = 80;
    orbel_client client(314, 474, std::move(setup));
    ASSERT_TRUE(client.create());
    vux_engine* e = client.host()->handle();
    EXPECT_EQ(e->calls, (std::vector<std::string>{"set_facility", "set_network", "set_graphics", "load_private 0",
                                                  "start_document 3", "call_function __function_no_exit"}));
    EXPECT_TRUE(client.started());
    const vux_facility_table& f = e->facility;
    EXPECT_EQ(text_of(f.device_key(f.user)), "999000000000000");
    EXPECT_EQ(text_of(f.platform(f.user)), "VUX1.0~WIN32~VARNEK");
    EXPECT_EQ(text_of(f.model(f.user)), "Windows Emulator");
    EXPECT_EQ(text_of(f.application_id(f.user)), "quellhome");
    EXPECT_EQ(text_of(f.session_text(f.user)), "alice");
    EXPECT_EQ(text_of(e->network.get_host(e->network.user)), "le.example");
    EXPECT_EQ(e->network.get_port(e->network.user), 80);
    EXPECT_EQ(e->graphics.screen_width(e->graphics.user), 314);
    EXPECT_EQ(e->graphics.screen_height(e->graphics.user), 474);
    EXPECT_EQ(vux_le_get_document().persist().profile_name(), QStringLiteral("alice"));
}

TEST(Client, the_program_setup_takes_its_host_from_one_constant_or_the_environment) {
    qunsetenv("QUELLMARK_SERVICE");
    orbel_client_setup setup = orbel_client_default_setup();
    EXPECT_EQ(setup.host, QString::fromLatin1(orbel_client_emulator_host));
    EXPECT_EQ(setup.port, 80);
    EXPECT_EQ(setup.folder,
              QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/emulator"));
    EXPECT_TRUE(setup.blob.startsWith("\x89PNG"));
    EXPECT_TRUE(setup.devices);
    qputenv("QUELLMARK_SERVICE", "127.0.0.1:4321");
    setup = orbel_client_default_setup();
    EXPECT_EQ(setup.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(setup.port, 4321);
    qunsetenv("QUELLMARK_SERVICE");
}

TEST(Client, the_program_devices_read_the_running_engine_outside_its_calls) {
    orbel_test_ui ui;
    QTemporaryDir folder;
    orbel_client_setup setup = orbel_client_default_setup();
    setup.document = QByteArray("DOC");
    setup.folder = folder.path();
    orbel_client client(314, 474, std::move(setup));
    ASSERT_TRUE(client.create());
    vux_engine* e = client.host()->handle();
    e->calls.clear();
    const std::u16string title = u"[e]Say";
    inside_engine(e, [&] {
        e->facility.open_text_input(e->facility.user, 1, 20, reinterpret_cast<const uint16_t*>(title.data()),
                                    int(title.size()), nullptr, 0);
    });
    settle();
    // the emoticon grid asked the engine for its codes, from the event loop
    EXPECT_EQ(fake_count(*e, "get_variable __key_emoticon"), 1);
    e->facility.close_text_input(e->facility.user);
    EXPECT_TRUE(fake_count(*e, "input_text") == 0);
    settle();
    EXPECT_EQ(fake_count(*e, "input_text"), 0);
}

TEST(Client, a_store_saved_through_entry_9_loads_at_the_next_create) {
    orbel_test_ui ui;
    orbel_test_clear_settings();
    auto created = [](const QString& session) {
        orbel_client_setup setup;
        setup.session_text = session;
        auto client = std::make_unique<orbel_client>(314, 474, std::move(setup));
        EXPECT_TRUE(client->create());
        return client;
    };
    auto first = created(QStringLiteral("bob/x"));
    const vux_facility_table& f = first->host()->handle()->facility;
    const uint8_t store[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(f.save_private(f.user, store, 5), 1);
    first.reset();
    auto second = created(QStringLiteral("bob/x"));
    EXPECT_EQ(fake_count(*second->host()->handle(), "load_private 5"), 1);
    auto stranger = created(QStringLiteral("bob"));  // another profile has no store
    EXPECT_EQ(fake_count(*stranger->host()->handle(), "load_private 0"), 1);
}

TEST(Client, timer_ticks_from_zero_at_the_rate_and_ignores_rates_without_a_period) {
    client_fixture fx;
    fx.f().start_timer(fx.f().user, 0);
    fx.f().start_timer(fx.f().user, -5);
    EXPECT_FALSE(fx.client->tick_timer().isActive());
    fx.f().start_timer(fx.f().user, 5000);  // 1000 / 5000 = 0: at least 1 ms
    EXPECT_EQ(fx.client->tick_timer().interval(), 1);
    fx.f().start_timer(fx.f().user, 50);
    EXPECT_EQ(fx.client->tick_timer().interval(), 20);
    ASSERT_TRUE(ORBEL_WAIT(fake_count(*fx.e, "tick") >= 3));
    EXPECT_EQ(fx.e->calls[0], "tick 0");
    EXPECT_EQ(fx.e->calls[1], "tick 1");
    EXPECT_EQ(fx.e->calls[2], "tick 2");
    fx.f().stop_timer(fx.f().user);
    EXPECT_FALSE(fx.client->tick_timer().isActive());
    // a new start counts from 0 again
    fx.e->calls.clear();
    fx.f().start_timer(fx.f().user, 100);
    ASSERT_TRUE(ORBEL_WAIT(fake_count(*fx.e, "tick") >= 1));
    EXPECT_EQ(fx.e->calls[0], "tick 0");
    fx.f().stop_timer(fx.f().user);
}

TEST(Client, the_tick_count_moves_on_after_the_engine_call) {
    client_fixture fx;
    // The engine restarts its timer inside tick 1: the count that was reset
    // to 0 moves on after the call, so the next tick passes 1.
    bool restarted = false;
    fx.e->inside = [&](const std::string& call) {
        if (call != "tick 1" || restarted) return;
        restarted = true;
        fx.f().start_timer(fx.f().user, 100);
    };
    fx.f().start_timer(fx.f().user, 100);
    ASSERT_TRUE(ORBEL_WAIT(fake_count(*fx.e, "tick") >= 4));
    fx.f().stop_timer(fx.f().user);
    fx.e->inside = nullptr;
    std::vector<std::string> ticks;
    for (const std::string& c : fx.e->calls)
        if (c.rfind("tick ", 0) == 0 && ticks.size() < 4) ticks.push_back(c);
    EXPECT_EQ(ticks, (std::vector<std::string>{"tick 0", "tick 1", "tick 1", "tick 2"}));
}

TEST(Client, keys_wheel_and_pointer_reach_the_engine) {
    const struct {
        int qt_key;
        int code;
    } keys[] = {{Qt::Key_Return, 0}, {Qt::Key_Enter, 0}, {Qt::Key_Space, 0}, {Qt::Key_Escape, 7}, {Qt::Key_Left, 3},
                {Qt::Key_Up, 5},     {Qt::Key_Right, 4}, {Qt::Key_Down, 6},  {Qt::Key_A, -1},     {Qt::Key_Tab, -1}};
    for (const auto& k : keys) EXPECT_EQ(orbel_client_key_code(k.qt_key), k.code) << k.qt_key;

    client_fixture fx;
    QTest::keyClick(fx.client.get(), Qt::Key_Left);
    QTest::keyClick(fx.client.get(), Qt::Key_A);
    EXPECT_EQ(fx.e->calls, (std::vector<std::string>{"key 3"}));

    const struct {
        int delta;
        std::vector<std::string> calls;
    } wheels[] = {{119, {}}, {-119, {}}, {120, {"key 12"}}, {-360, {"key 13", "key 13", "key 13"}}};
    for (const auto& w : wheels) {
        fx.e->calls.clear();
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, w.delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(fx.client.get(), &wheel);
        EXPECT_EQ(fx.e->calls, w.calls) << w.delta;
    }

    fx.e->calls.clear();
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, fx.client->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(fx.client.get(), &event);
    };
    mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton);  // no press yet: nothing
    mouse(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {11, 30}, Qt::LeftButton);
    // the wheel does nothing while a press is in progress
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::LeftButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(fx.client.get(), &wheel);
    mouse(QEvent::MouseButtonRelease, {12, 40}, Qt::NoButton);
    EXPECT_EQ(fx.e->calls, (std::vector<std::string>{"pointer 0 10 20", "pointer 2 11 30", "pointer 1 12 40"}));
}

TEST(Client, events_before_the_start_reach_nothing) {
    orbel_client_setup setup;
    orbel_client client(314, 474, std::move(setup));  // never created
    QTest::keyClick(&client, Qt::Key_Left);
    QTest::mouseClick(&client, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(client.started());
    EXPECT_EQ(client.host(), nullptr);
    EXPECT_EQ(client.grab().toImage().pixelColor(100, 100), QColor(Qt::black));
}

TEST(Client, a_fast_drag_flings_until_the_engine_stops_it_and_a_key_stops_it_early) {
    client_fixture fx;
    vux_le_slip& slip = fx.client->slip();
    auto drag = [&](int from, int to) {
        QTest::mousePress(fx.client.get(), Qt::LeftButton, {}, QPoint(50, from));
        fx.now += 100;
        QMouseEvent move(QEvent::MouseMove, QPointF(50, to), fx.client->mapToGlobal(QPointF(50, to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(fx.client.get(), &move);
        QTest::mouseRelease(fx.client.get(), Qt::LeftButton, {}, QPoint(50, to));
    };
    drag(100, 300);
    EXPECT_TRUE(slip.flinging());
    QTest::keyClick(fx.client.get(), Qt::Key_Up);
    EXPECT_FALSE(slip.flinging());
    drag(300, 100);
    ASSERT_TRUE(slip.flinging());
    slip.step();  // the fake's step answers 0
    EXPECT_FALSE(slip.flinging());
    EXPECT_EQ(fake_count(*fx.e, "drag_step 1 0 1"), 1);
}

TEST(Client, copy_asks_first_outside_the_engine_and_strips_the_markers) {
    client_fixture fx;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    fx.ui.answer = false;
    inside_engine(fx.e, [&] { fx.f().open_link(fx.f().user, "copy", "a[[[0b"); });
    EXPECT_TRUE(fx.ui.questions.isEmpty());  // not asked inside the engine's step
    settle();
    EXPECT_EQ(fx.ui.questions, QStringList{QStringLiteral("是否复制文字到系统剪切板？")});
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));

    fx.ui.answer = true;
    inside_engine(fx.e, [&] { fx.f().open_link(fx.f().user, "copy", "x[[[0y[[[1z[[[2[[[[1"); });
    settle();
    EXPECT_EQ(clipboard->text(), QStringLiteral("xyz[[[2["));

    inside_engine(fx.e, [&] {
        fx.f().open_link(fx.f().user, "copyx", "p[[[0q");
        fx.f().open_link(fx.f().user, "copy", nullptr);
        fx.f().open_link(fx.f().user, "copyx", nullptr);
        fx.f().open_link(fx.f().user, "xml", "r");
    });
    settle();
    EXPECT_EQ(clipboard->text(), QStringLiteral("p[[[0q"));
    EXPECT_EQ(fx.ui.questions.size(), 2);
}

TEST(Client, a_link_without_kind_hands_the_file_to_the_engine_after_the_step) {
    client_fixture fx;
    inside_engine(fx.e, [&] { fx.f().open_link(fx.f().user, nullptr, "missing.bin"); });
    EXPECT_TRUE(fx.calls_after_settling().empty());

    const uint8_t bytes[] = {9, 8, 7, 6};
    fx.f().write_file(fx.f().user, "records.bin", bytes, 4);
    inside_engine(fx.e, [&] { fx.f().open_link(fx.f().user, nullptr, "records.bin"); });
    EXPECT_TRUE(fx.e->calls.empty());
    EXPECT_EQ(fx.calls_after_settling(), (std::vector<std::string>{"clipboard 4"}));
}

TEST(Client, web_links_open_only_http_and_https) {
    const struct {
        const char* text;
        const char* url;  // empty: refused
    } rows[] = {
        {"example.com/a?b=1", "http://example.com/a?b=1"},
        {"https://example.com", "https://example.com"},
        {"HTTP://Example.com/x", "http://example.com/x"},
        {"javascript:alert(1)", ""},
        {"file:///etc/passwd", ""},
        {"ftp://example.com", ""},
        {"mailto:a@b.c", ""},
        {"example.com:8080/x", "http://example.com:8080/x"},
        {"", ""},
        {"http://", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(orbel_client_link_url(r.text).toString(), QString::fromLatin1(r.url)) << r.text;
    EXPECT_FALSE(orbel_client_link_url(nullptr).isValid());

    client_fixture fx;
    fx.f().open_link(fx.f().user, "web", "example.com");
    fx.f().open_link(fx.f().user, "wap", "https://m.example.com");
    fx.f().open_link(fx.f().user, "web", "file:///etc/passwd");
    EXPECT_EQ(fx.ui.urls, (QList<QUrl>{QUrl("http://example.com"), QUrl("https://m.example.com")}));
}

TEST(Client, restart_runs_after_the_tick_returned) {
    client_fixture fx;
    fx.e->inside = [&](const std::string& call) {
        if (call == "tick 0") fx.f().after_logout(fx.f().user);
    };
    fx.f().start_timer(fx.f().user, 100);
    ASSERT_TRUE(ORBEL_WAIT(fake_count(*fx.e, "start_document") == 1));
    fx.f().stop_timer(fx.f().user);
    fx.e->inside = nullptr;
    settle();
    EXPECT_EQ(fx.e->calls[0], "tick 0");
    const auto start = std::find(fx.e->calls.begin(), fx.e->calls.end(), "start_document 3");
    ASSERT_NE(start, fx.e->calls.end());
    ASSERT_NE(start + 1, fx.e->calls.end());
    EXPECT_EQ(start[1], "call_function __function_no_exit");
    EXPECT_TRUE(fx.client->started());
}

TEST(Client, nothing_queued_reaches_a_destroyed_window) {
    client_fixture fx;
    inside_engine(fx.e, [&] {
        fx.f().after_logout(fx.f().user);
        fx.f().open_link(fx.f().user, "copy", "x");
        fx.f().open_text_input(fx.f().user, 1, 10, nullptr, 0, nullptr, 0);
    });
    fx.client.reset();
    settle();  // the sanitizers catch any call into the gone window or engine
    EXPECT_TRUE(fx.ui.questions.isEmpty());
}

TEST(Client, text_input_opens_after_the_step_and_answers_once) {
    client_fixture fx;
    const std::u16string title = u"标题";
    const std::u16string initial = u"hi";
    auto open = [&] {
        inside_engine(fx.e, [&] {
            fx.f().open_text_input(fx.f().user, 2, 30, reinterpret_cast<const uint16_t*>(title.data()), 2,
                                   reinterpret_cast<const uint16_t*>(initial.data()), 2);
        });
    };
    open();
    EXPECT_TRUE(fx.devices->text_requests.empty());  // no dialog inside the engine's step
    settle();
    ASSERT_EQ(fx.devices->text_requests.size(), 1u);
    EXPECT_TRUE(fx.devices->text_requests[0].single_line);
    EXPECT_EQ(fx.devices->text_requests[0].maximum, 30);
    EXPECT_EQ(fx.devices->text_requests[0].title, QStringLiteral("标题"));
    EXPECT_EQ(fx.devices->text_requests[0].text, QStringLiteral("hi"));

    const struct {
        std::optional<QString> answer;
        const char* call;
    } rows[] = {{QStringLiteral("hello"), "input_text 5"},
                {QString(), "input_text null 0"},
                {std::nullopt, "input_text null 0"}};
    for (const auto& r : rows) {
        fx.e->calls.clear();
        if (!fx.devices->text_open()) {
            open();
            settle();
        }
        ASSERT_TRUE(fx.devices->answer_text(r.answer));
        EXPECT_EQ(fx.calls_after_settling(), std::vector<std::string>{r.call});
    }

    // closed by slot 4 once open: the engine hears nothing
    fx.e->calls.clear();
    open();
    settle();
    fx.f().close_text_input(fx.f().user);
    EXPECT_FALSE(fx.devices->answer_text(QStringLiteral("late")));
    // closed in the same step that asked: it never opens
    const size_t opened = fx.devices->text_requests.size();
    inside_engine(fx.e, [&] {
        fx.f().open_text_input(fx.f().user, 0, 0, nullptr, 0, nullptr, 0);
        fx.f().close_text_input(fx.f().user);
    });
    EXPECT_TRUE(fx.calls_after_settling().empty());
    EXPECT_EQ(fx.devices->text_requests.size(), opened);
}

TEST(Client, media_ends_in_exactly_one_answer_unless_closed_first) {
    client_fixture fx;
    auto open = [&](const char* kind) { inside_engine(fx.e, [&] { fx.f().open_media(fx.f().user, 0, kind); }); };
    open("photo");
    EXPECT_TRUE(fx.devices->capture_kinds.empty());
    settle();
    ASSERT_EQ(fx.devices->capture_kinds, std::vector<QString>{QStringLiteral("photo")});
    ASSERT_TRUE(fx.devices->answer_media(QByteArray("JPEGDATA")));
    EXPECT_FALSE(fx.devices->answer_media(QByteArray("again")));
    EXPECT_EQ(fx.calls_after_settling(), std::vector<std::string>{"media 8"});

    for (auto answer : {std::optional<QByteArray>(), std::optional<QByteArray>(QByteArray())}) {
        fx.e->calls.clear();
        open("voice");
        settle();
        ASSERT_TRUE(fx.devices->answer_media(answer));
        EXPECT_EQ(fx.calls_after_settling(), std::vector<std::string>{"media null 0"});
    }

    fx.e->calls.clear();
    open("camera");
    settle();
    fx.f().close_media(fx.f().user);
    EXPECT_FALSE(fx.devices->answer_media(QByteArray("late")));
    inside_engine(fx.e, [&] {
        fx.f().open_media(fx.f().user, 0, "photo");
        fx.f().close_media(fx.f().user);
        fx.f().open_media(fx.f().user, 0, "video");
        fx.f().open_media(fx.f().user, 0, nullptr);
    });
    EXPECT_TRUE(fx.calls_after_settling().empty());
    EXPECT_EQ(fx.devices->capture_kinds.size(), 4u);
}

TEST(Client, location_is_prefilled_and_reported_on_ok_only) {
    client_fixture fx;
    vux_le_get_document().persist().set_location(QStringLiteral("31.2"), QStringLiteral("121.5"));
    inside_engine(fx.e, [&] { fx.f().request_location(fx.f().user, 3); });
    EXPECT_TRUE(fx.devices->location_prefills.empty());
    settle();
    ASSERT_EQ(fx.devices->location_prefills.size(), 1u);
    EXPECT_EQ(fx.devices->location_prefills[0], std::make_pair(QStringLiteral("31.2"), QStringLiteral("121.5")));
    ASSERT_TRUE(fx.devices->answer_location(std::make_pair(QStringLiteral("12.5"), QStringLiteral("45.25"))));
    EXPECT_EQ(fx.calls_after_settling(), std::vector<std::string>{"location 3 12.5 45.25"});

    fx.e->calls.clear();
    fx.f().request_location(fx.f().user, 1);
    settle();
    ASSERT_TRUE(fx.devices->answer_location(std::nullopt));
    EXPECT_TRUE(fx.calls_after_settling().empty());
}

TEST(Client, voice_and_busy_go_to_the_devices) {
    client_fixture fx;
    const uint8_t amr[] = {'#', '!', 'A', 'M', 'R'};
    EXPECT_EQ(fx.f().play_music(fx.f().user, "audio/x-wav", amr, 5), 1);
    ASSERT_EQ(fx.devices->played.size(), 1u);
    EXPECT_EQ(fx.devices->played[0], QByteArray("#!AMR"));
    fx.f().stop_music(fx.f().user, 2);
    EXPECT_EQ(fx.devices->stops, 0);
    fx.f().stop_music(fx.f().user, 1);
    EXPECT_EQ(fx.devices->stops, 1);

    vux_graphics_table& g = fx.e->graphics;
    g.busy(g.user, 1, 7);
    EXPECT_TRUE(fx.devices->busy);
    g.busy(g.user, 2, 40);
    g.busy(g.user, 0, 0);
    EXPECT_FALSE(fx.devices->busy);
    EXPECT_EQ(fx.devices->busy_steps, (std::vector<std::pair<int, int>>{{1, 7}, {2, 40}}));
}

TEST(Client, files_stay_plain_names_in_one_folder_under_the_cap) {
    const QString folder = QStringLiteral("/data/emulator");
    const struct {
        const char* name;
        bool plain;
    } names[] = {{"a.txt", true},  {"中文.bin", true},   {"../x", false},    {"a/b", false},
                 {"a\\b", false},  {".hidden", false},   {"..", false},      {"", false},
                 {"a\x01", false}, {"tab\tname", false}, {"\xff\xfe", false}};
    for (const auto& n : names) EXPECT_EQ(orbel_client_file_path(folder, n.name).isEmpty(), !n.plain) << n.name;
    EXPECT_FALSE(orbel_client_file_path(folder, std::string(128, 'n').c_str()).isEmpty());
    EXPECT_TRUE(orbel_client_file_path(folder, std::string(129, 'n').c_str()).isEmpty());
    EXPECT_TRUE(orbel_client_file_path(folder, nullptr).isEmpty());
    EXPECT_TRUE(orbel_client_file_path(QString(), "a").isEmpty());

    client_fixture fx;
    auto& f = fx.f();
    const uint8_t bytes[] = {1, 2, 3};
    f.write_file(f.user, "store.bin", bytes, 3);
    EXPECT_EQ(f.query_file(f.user, "store.bin"), 3);
    EXPECT_EQ(fx.client->read_file("store.bin"), QByteArray("\x01\x02\x03", 3));
    f.write_file(f.user, "../escape.bin", bytes, 3);
    EXPECT_FALSE(QFile::exists(fx.folder.path() + QStringLiteral("/escape.bin")));
    f.write_file(f.user, "neg.bin", bytes, -1);
    EXPECT_EQ(f.query_file(f.user, "neg.bin"), 0);
    // a null write deletes, inside the folder only
    QFile outside(fx.folder.path() + QStringLiteral("/keep.bin"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.close();
    f.write_file(f.user, "../keep.bin", nullptr, 0);
    EXPECT_TRUE(outside.exists());
    f.write_file(f.user, "store.bin", nullptr, 0);
    EXPECT_EQ(f.query_file(f.user, "store.bin"), 0);
    EXPECT_TRUE(fx.client->read_file("store.bin").isEmpty());

    // past the cap: neither read nor reported
    QFile big(fx.folder.path() + QStringLiteral("/emulator/big.bin"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(orbel_client::file_cap + 1));
    big.close();
    EXPECT_EQ(f.query_file(f.user, "big.bin"), 0);
    EXPECT_TRUE(fx.client->read_file("big.bin").isEmpty());
    ASSERT_TRUE(big.resize(orbel_client::file_cap));
    EXPECT_EQ(f.query_file(f.user, "big.bin"), orbel_client::file_cap);
    EXPECT_EQ(fx.client->read_file("big.bin").size(), orbel_client::file_cap);
}

TEST(Client, the_buffer_is_painted_once_started) {
    client_fixture fx;
    vux_graphics_table& g = fx.e->graphics;
    g.clear(g.user, 0x000000FF);
    const QImage shot = fx.client->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(313, 473), QColor(0, 0, 255));
}

}  // namespace
