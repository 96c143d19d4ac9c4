// The emulator frame, made by the program's factory, over the real
// engine: the engine's timer runs through the client window, the document's
// seconds advance, and a logout restarts the document after the engine's
// step has returned.
#include "client/orbel_emulator_factory.h"
#include "client/orbel_test_support.h"
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "emulator/orbel_emulator.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_function.h"

#include <cstdlib>

namespace {

QApplication& app = orbel_test_app();

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

std::string variable(orbel_client* client, const char* name) {
    char* v = vux_engine_get_variable(client->host()->handle(), name);
    std::string out = v ? v : "";
    std::free(v);
    return out;
}

struct frame_fixture {
    orbel_test_ui ui;
    QTemporaryDir folder;
    std::unique_ptr<QWidget> frame;

    frame_fixture() {
        orbel_test_clear_settings();
        orbel_set_emulator_factory([this](QWidget* owner) -> std::unique_ptr<QWidget> {
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
        frame = orbel_get_emulator_factory()(nullptr);
        if (frame) frame->show();
    }
    ~frame_fixture() { orbel_set_emulator_factory({}); }
    orbel_client* client() { return static_cast<orbel_emulator*>(frame.get())->client(); }
};

TEST(e2e_emulator, the_document_runs_on_the_client_timer_and_restarts_after_logout) {
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

}  // namespace
