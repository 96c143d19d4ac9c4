#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include "core/vux_link.h"
#include "core/vux_record.h"

// One row of a message table: a message's type code, its class, whether it
// is a response, and for a response the request code it answers (0 for a
// request). Every factory, decoder, handler registry, fuzz harness and test
// loop iterates a table instead of keeping a list of its own.
struct vux_message_entry {
    int32_t code = 0;
    const char* class_name = nullptr;
    bool response = false;
    int32_t answers = 0;
    std::unique_ptr<vux_record> (*make)() = nullptr;
};

using vux_message_table = std::span<const vux_message_entry>;

// The row of message class T: a request when `answers` is 0, otherwise the
// response to the request code `answers`.
template <class T>
constexpr vux_message_entry vux_message_row(int32_t code, const char* class_name, int32_t answers = 0) {
    return {code, class_name, answers != 0, answers,
            []() -> std::unique_ptr<vux_record> { return std::make_unique<T>(); }};
}

// The row of a code; null when the table does not hold it.
const vux_message_entry* vux_find_message(vux_message_table table, int32_t code);

// A new, empty message for a code of the table (any, only requests or only
// responses); null for any other code.
enum class vux_message_kind { any, request, response };
std::unique_ptr<vux_record> vux_make_message(vux_message_table table, int32_t code,
                                             vux_message_kind kind = vux_message_kind::any);

// The one rule by which a frame is taken: a good header, a code of the table
// of the wanted kind, every field of the message present (the reader's error
// flag clear after the last field) and the trailer at the very end. Null
// otherwise.
std::unique_ptr<vux_record> vux_accept_message(const vux_link& body, vux_message_table table,
                                               vux_message_kind kind = vux_message_kind::any);

// The type code of a frame whose header is good; 0 otherwise.
int32_t vux_frame_code(const vux_link& body);
