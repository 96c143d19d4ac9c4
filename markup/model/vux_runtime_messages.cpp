#include "markup/model/vux_runtime_messages.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/model/vux_response_enter.h"
#include "markup/model/vux_response_go.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_poll.h"
#include "markup/model/vux_response_register.h"

namespace {
constexpr vux_message_entry rows[] = {
    vux_message_row<vux_request_enter>(vux_type_request_enter, "vux_request_enter"),
    vux_message_row<vux_response_enter>(vux_type_response_enter, "vux_response_enter", vux_type_request_enter),
    vux_message_row<vux_request_go>(vux_type_request_go, "vux_request_go"),
    vux_message_row<vux_response_go>(vux_type_response_go, "vux_response_go", vux_type_request_go),
    vux_message_row<vux_request_logon>(vux_type_request_logon, "vux_request_logon"),
    vux_message_row<vux_response_logon>(vux_type_response_logon, "vux_response_logon", vux_type_request_logon),
    vux_message_row<vux_request_poll>(vux_type_request_poll, "vux_request_poll"),
    vux_message_row<vux_response_poll>(vux_type_response_poll, "vux_response_poll", vux_type_request_poll),
    vux_message_row<vux_request_register>(vux_type_request_register, "vux_request_register"),
    vux_message_row<vux_response_register>(vux_type_response_register, "vux_response_register",
                                           vux_type_request_register),
};
}  // namespace

vux_message_table vux_runtime_message_table() { return rows; }

std::unique_ptr<vux_record> vux_make_runtime_message(int32_t code) { return vux_make_message(rows, code); }

std::unique_ptr<vux_record> vux_make_runtime_response(int32_t code) {
    return vux_make_message(rows, code, vux_message_kind::response);
}
