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

}  // namespace
