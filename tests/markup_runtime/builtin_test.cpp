#include <algorithm>
#include <cstdlib>
#include "engine_fixture.h"
#include "resources/markup/vux_builtin_document.h"

namespace {

using Builtin = engine_fixture;

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
    EXPECT_EQ(variable("__dialog_status_text"), "Registering this device\xE2\x80\xA6");
}

// Brightness of a 0xRRGGBB colour, 0 to 255.
int brightness(uint32_t c) { return int((299 * ((c >> 16) & 0xff) + 587 * ((c >> 8) & 0xff) + 114 * (c & 0xff)) / 1000); }

// The start window as the host first shows it: its plain text stands out
// from the ground the client is filled with.
TEST_F(Builtin, StartWindowTextStandsOutFromItsGround) {
    vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
    host.clear_log();
    vux_engine_call_function(e, "__function_no_exit");
    ticks(1, 2);
    const auto welcome = std::find_if(host.log.begin(), host.log.end(), [](const std::string& l) {
        return l.rfind("graphics.text \"Welcome", 0) == 0;
    });
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

}  // namespace
