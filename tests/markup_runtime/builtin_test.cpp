#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "engine_fixture.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_response_register.h"
#include "resources/markup/vux_builtin_document.h"

namespace {

// A service reply: the HTTP envelope around a document of records.
template <class... R>
std::string reply_of(const R&... records) {
    const std::string body = doc_builder().add(records...).done();
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The built-in document run against the recording host.
struct Builtin : engine_fixture {
    // The service answers the register request on connection 1 with a home;
    // two ticks read it, and the document goes on to enter.
    void answer_register() {
        vux_response_register r;
        r.user = vux_string("u1");
        r.password = vux_string("p1");
        r.home.host = vux_string("home.test");
        r.home.port = 80;
        r.home.path = vux_string("/cs");
        vux_engine_on_socket_ready(e, 1);
        feed(1, reply_of(r));
        ticks(3, 2);
    }
};

// The built-in document as the host starts it: it loads whole (the timer
// starts only when there is no script error), files every screen and the
// connecting function under its "ok" variable, and registers when the host
// calls "__function_no_exit".
TEST_F(Builtin, LoadsDefinesItsScreensAndRegistersOnNoExit) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    EXPECT_EQ(host.count("facility.start_timer"), 1);
    for (const char* name : {"__dialog_status", "__dialog_error", "__dialog_fatal", "__dialog_establish",
                             "__window_start", "__menu_default", "__function_no_exit"})
        EXPECT_EQ(variable(name), "ok") << name;
    // Left undefined on purpose: they stop retries or override the host's address.
    for (const char* name : {"__key_final", "__key_ip", "__key_port"}) EXPECT_EQ(variable(name), "(none)") << name;
    EXPECT_EQ(host.count("network.open_connection"), 0);

    vux_engine_call_function(e, "__function_no_exit");
    ASSERT_EQ(host.requests.count(1), 1u);
    const std::string& request = host.requests[1];
    const size_t body = request.find("\r\n\r\n");
    ASSERT_NE(body, std::string::npos) << request;
    EXPECT_EQ(request.substr(body + 4 + 9, 4), std::string("\0\0\x05\x1c", 4));  // 1308, register
    // The status dialog shows the document's own register text.
    EXPECT_EQ(variable("__dialog_status_text"), "正在注册本机…");
}

// Brightness of a 0xRRGGBB colour, 0 to 255.
int brightness(uint32_t c) {
    return int((299 * ((c >> 16) & 0xff) + 587 * ((c >> 8) & 0xff) + 114 * (c & 0xff)) / 1000);
}

// The start window as the host first shows it: its plain text stands out
// from the ground the client is filled with.
TEST_F(Builtin, StartWindowTextStandsOutFromItsGround) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    host.clear_log();
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    const auto welcome = std::find_if(host.log.begin(), host.log.end(),
                                      [](const std::string& l) { return l.rfind("graphics.text \"欢迎使用", 0) == 0; });
    ASSERT_NE(welcome, host.log.end());
    // the last colours set before the text: the client's ground (fill) and
    // the text's own
    auto last_colour = [&](const char* slot) -> long long {
        const std::string prefix = std::string("graphics.set_colour ") + slot + " ";
        for (auto at = welcome; at != host.log.begin();)
            if ((--at)->rfind(prefix, 0) == 0) return std::atoll(at->c_str() + prefix.size());
        return -1;
    };
    const long long ground = last_colour("0"), text = last_colour("2");
    ASSERT_GE(ground, 0);
    ASSERT_GE(text, 0);
    EXPECT_GE(std::abs(brightness(uint32_t(ground)) - brightness(uint32_t(text))), 128) << ground << " " << text;
}

// Where the last dialog that drew `text` stood: its text at the move before
// the text, its box the clip set before its ground (the nine-slice texture).
struct dialog_box {
    bool found = false;
    int tx = -1, ty = -1, bx = -1, by = -1, bw = -1, bh = -1;
};
dialog_box last_dialog_box(const vux_fake_host& host, const std::string& text) {
    dialog_box d;
    std::vector<std::string> log(host.log.rbegin(), host.log.rend());
    auto at = std::find_if(log.begin(), log.end(),
                           [&](const std::string& l) { return l.rfind("graphics.text \"" + text + "\"", 0) == 0; });
    auto seek = [&](auto found) {
        while (at != log.end() && !found(*at)) ++at;
    };
    seek([&](const std::string& l) { return std::sscanf(l.c_str(), "graphics.move_to %d %d", &d.tx, &d.ty) == 2; });
    seek([](const std::string& l) { return l.rfind("graphics.texture 2 0 ", 0) == 0; });
    seek([&](const std::string& l) {
        return std::sscanf(l.c_str(), "graphics.set_clip %d %d %d %d", &d.bx, &d.by, &d.bw, &d.bh) == 4;
    });
    d.found = at != log.end();
    return d;
}

// While the phone registers, the status dialog is a box about its text,
// not the full text column, below the busy indicator (an 80-pixel square
// over the middle of the client, which would hide the text), and its text
// sits in the box's middle. Metrics on this 240-pixel screen are design
// units.
TEST_F(Builtin, StatusDialogIsABoxAboutItsTextBelowTheBusyIndicator) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    host.clear_log();
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    ASSERT_EQ(variable("__dialog_status_text"), "正在注册本机…");
    const dialog_box d = last_dialog_box(host, "正在注册本机…");
    ASSERT_TRUE(d.found);
    const int tw = 7 * 6, th = 12;  // seven characters of the fake host's 6 x 12
    // inside the client (the title and command bars are a line and 14
    // high), narrower than the text column (220) and at most four lines tall
    EXPECT_GE(d.by, th + 14);
    EXPECT_LE(d.by + d.bh, 320 - (th + 14));
    EXPECT_LT(d.bw, 220);
    EXPECT_LE(d.bh, 4 * th + 12);
    EXPECT_EQ(d.bx + d.bw / 2, 120);
    EXPECT_GE(d.by, 320 / 2 + 40) << "below the busy indicator";
    // the text in the box's middle, give or take a pixel of rounding
    EXPECT_GE(d.tx, d.bx);
    EXPECT_LE(d.tx + tw, d.bx + d.bw);
    EXPECT_NEAR(d.tx + tw / 2, d.bx + d.bw / 2, 1);
    EXPECT_NEAR(d.ty + th / 2, d.by + d.bh / 2, 1);
    // only the dialog says it: the start window under it does not repeat it
    auto drawn = [&](const std::string& prefix) {
        return std::count_if(host.log.begin(), host.log.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(drawn("graphics.text \"正在注册本机…\""), drawn("graphics.texture 2 0 "));
}

// Whether a text drawn since the log was last cleared starts with `text`.
bool drew_text(const vux_fake_host& host, const std::string& text) {
    const std::string prefix = "graphics.text \"" + text;
    return std::any_of(host.log.begin(), host.log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

// The service turns the phone away with a fatal error step: the fatal dialog
// opens and shows the step's text.
TEST_F(Builtin, FatalErrorStepShowsItsTextInTheDialog) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    host.clear_log();
    vux_action a;
    a.disposition = 1;  // run as soon as the reply is read
    auto step = std::make_unique<vux_action_error>();
    step->flag = 1;
    step->message = vux_unicode(u"This phone is not known to the service.");
    a.add_step(std::move(step));
    vux_engine_on_socket_ready(e, 1);
    feed(1, reply_of(a));
    ticks(3, 2);
    EXPECT_EQ(variable("__dialog_fatal_text"), "This phone is not known to the service.");
    EXPECT_TRUE(drew_text(host, "This phone")) << "the fatal dialog was painted without its text";
}

// The phone cannot reach the service, or loses it: the error's dialog has
// one soft key, which starts the phone anew (a logout: the host restarts the
// built-in document, which connects again); no key leaves a phone that
// answers nothing, as an exit would in the emulator.
TEST_F(Builtin, AFailedConnectionIsLeftByStartingAnew) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    vux_engine_on_socket_error(e, 1);
    ticks(3, 2);
    ASSERT_EQ(variable("__dialog_error_text"), "无法连接服务。");
    EXPECT_TRUE(drew_text(host, "重新连接"));
    // a box about its text, as the status dialog is, not the whole client
    const dialog_box d = last_dialog_box(host, "无法连接服务。");
    ASSERT_TRUE(d.found);
    EXPECT_LT(d.bw, 220);
    EXPECT_LE(d.bh, 8 * 12);
    EXPECT_EQ(d.bx + d.bw / 2, 120);
    vux_engine_key(e, 1);  // the first press: the lost exchange is no longer waited for
    ticks(5, 2);
    EXPECT_EQ(host.count("facility.after_logout"), 1);
    EXPECT_EQ(host.count("facility.after_exit"), 0);
    // The start window's right soft key does not end the phone either.
    vux_engine_call_function(e, "__function_no_exit");
    ticks(7, 2);
    vux_engine_key(e, 2);
    ticks(9, 2);
    EXPECT_EQ(host.count("facility.after_exit"), 0);
}

// The service takes the phone's register reply, then falls silent on the
// enter: once the document gives up waiting ("__key_network_timeout"), the
// status dialog says so and how to end the wait; a key ends it.
TEST_F(Builtin, ASilentServiceIsToldInTheStatusDialog) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    answer_register();
    ASSERT_EQ(variable("__dialog_status_text"), "正在进入…");
    EXPECT_FALSE(drew_text(host, "服务没有回答"));
    vux_engine_on_socket_ready(e, 2);
    // The tick that gives up paints the dialog with the line.
    for (int t = 5; t < 400 && variable("__key_network_timeout") != "ok"; ++t) {
        host.clear_log();
        vux_engine_tick(e, t);
    }
    ASSERT_EQ(variable("__key_network_timeout"), "ok");
    EXPECT_TRUE(drew_text(host, "服务没有回答"));
    vux_engine_key(e, 0);
    EXPECT_EQ(variable("__status_main"), "(none)");
    // The wait is over, and with it what its time-out said: the next
    // request does not start as timed out.
    EXPECT_EQ(variable("__key_network_timeout"), "(none)");
    EXPECT_EQ(variable("__key_network_retry"), "(none)");
}

// The status text changes while the start window and the status dialog are
// already laid out: the new text is measured and drawn.
TEST_F(Builtin, StatusTextSetAfterTheLayoutIsDrawn) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    EXPECT_TRUE(drew_text(host, "正在注册本机")) << "the status text shown with the dialog is not drawn";
    host.clear_log();
    answer_register();
    ASSERT_EQ(variable("__dialog_status_text"), "正在进入…");
    EXPECT_TRUE(drew_text(host, "正在进入")) << "the changed status text is not drawn";
}

}  // namespace
