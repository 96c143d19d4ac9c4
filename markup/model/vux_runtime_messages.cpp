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

std::unique_ptr<vux_record> vux_make_runtime_message(int32_t code) {
    switch (code) {
    case vux_type_request_enter: return std::make_unique<vux_request_enter>();
    case vux_type_response_enter: return std::make_unique<vux_response_enter>();
    case vux_type_request_go: return std::make_unique<vux_request_go>();
    case vux_type_response_go: return std::make_unique<vux_response_go>();
    case vux_type_request_logon: return std::make_unique<vux_request_logon>();
    case vux_type_response_logon: return std::make_unique<vux_response_logon>();
    case vux_type_request_poll: return std::make_unique<vux_request_poll>();
    case vux_type_response_poll: return std::make_unique<vux_response_poll>();
    case vux_type_request_register: return std::make_unique<vux_request_register>();
    case vux_type_response_register: return std::make_unique<vux_response_register>();
    default: return nullptr;
    }
}

std::unique_ptr<vux_record> vux_make_runtime_response(int32_t code) {
    if (code % 2 == 0) return nullptr;
    return vux_make_runtime_message(code);
}
