#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_message_table.h"
#include "core/vux_record.h"

// The runtime's messages, 1300-1309: each request, then the response that
// answers it.
vux_message_table vux_runtime_message_table();

// The runtime's requests and responses by type code: 1300-1309, requests even
// and each response the odd code after its request. Null for any other code.
std::unique_ptr<vux_record> vux_make_runtime_message(int32_t code);
// Responses only (1301, 1303, ... 1309): the ones a document stream may carry.
std::unique_ptr<vux_record> vux_make_runtime_response(int32_t code);

inline constexpr vux_record_factory vux_runtime_messages{true, vux_make_runtime_message};
