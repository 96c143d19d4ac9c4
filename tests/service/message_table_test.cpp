#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include "core/vux_message_table.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/vux_desktop_accept.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_runtime_messages.h"
#include "service/quellmark_service.h"

namespace {
struct named_table {
    const char* name;
    vux_message_table table;
    int32_t first, last;
};
const named_table tables[] = {
    {"desktop", vux_desktop_message_table(), 3902, 3923},
    {"runtime", vux_runtime_message_table(), 1300, 1309},
};
}  // namespace

// Each table holds its code range exactly once, each row makes its own class,
// and every request is answered by exactly one response of the same table.
TEST(MessageTable, rows_are_whole_and_consistent) {
    for (const named_table& t : tables) {
        SCOPED_TRACE(t.name);
        std::set<int32_t> codes, answered;
        for (const vux_message_entry& e : t.table) {
            SCOPED_TRACE(e.code);
            EXPECT_TRUE(codes.insert(e.code).second);
            EXPECT_GE(e.code, t.first);
            EXPECT_LE(e.code, t.last);
            auto made = e.make();
            ASSERT_TRUE(made);
            EXPECT_EQ(made->type_code(), e.code);
            EXPECT_EQ(std::string(made->class_name()), e.class_name);
            EXPECT_EQ(e.response, e.answers != 0);
            if (!e.response) continue;
            const vux_message_entry* request = vux_find_message(t.table, e.answers);
            ASSERT_TRUE(request);
            EXPECT_FALSE(request->response);
            EXPECT_TRUE(answered.insert(e.answers).second) << "answered twice";
        }
        EXPECT_EQ(codes.size(), size_t(t.last - t.first + 1));
        EXPECT_EQ(answered.size() * 2, codes.size());
    }
}

TEST(MessageTable, make_and_accept_keep_to_the_kind_and_the_table) {
    const vux_message_table desktop = vux_desktop_message_table();
    EXPECT_FALSE(vux_make_message(desktop, 1304));
    EXPECT_FALSE(vux_make_message(desktop, 3901));
    EXPECT_FALSE(vux_make_message(desktop, 3907, vux_message_kind::request));
    EXPECT_FALSE(vux_make_message(desktop, 3906, vux_message_kind::response));
    EXPECT_TRUE(vux_make_message(desktop, 3906, vux_message_kind::request));

    const vux_buffer frame = vux_desktop_frame(*vux_make_message(desktop, 3907));
    EXPECT_TRUE(vux_accept_message(frame, desktop));
    EXPECT_TRUE(vux_accept_message(frame, desktop, vux_message_kind::response));
    EXPECT_FALSE(vux_accept_message(frame, desktop, vux_message_kind::request));
    EXPECT_FALSE(vux_accept_message(frame, vux_runtime_message_table()));
}

// The service decodes every request of both tables: a runtime message is
// served by its handler only (a later one replaces it), and a code outside
// the tables (or a response code) cannot take a handler.
TEST(MessageTable, service_serves_any_request_of_the_tables) {
    quellmark_service service;
    EXPECT_FALSE(service.set_handler(3907, {}));
    EXPECT_FALSE(service.set_handler(4000, {}));

    vux_request_logon request;
    const vux_buffer frame = vux_desktop_frame(request);
    EXPECT_FALSE(service.respond_frame(frame).empty());  // the built-in handler

    ASSERT_TRUE(service.set_handler(vux_type_request_logon, quellmark_handler_for<vux_request_logon>(
                                                                [](const vux_request_logon&, quellmark_context&) {
                                                                    return std::make_unique<vux_response_logon>();
                                                                })));
    const vux_buffer reply = service.respond_frame(frame);
    auto back = vux_accept_message(reply, vux_runtime_message_table(), vux_message_kind::response);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type_code(), vux_type_response_logon);
    EXPECT_EQ(service.served(vux_type_request_logon), 2);  // the built-in handler, then this one

    // A handler that answers with another message's class is not sent.
    service.set_handler(vux_type_request_logon,
                        [](const vux_record&, quellmark_context&) -> std::unique_ptr<vux_record> {
                            return vux_make_runtime_message(vux_type_response_go);
                        });
    EXPECT_TRUE(service.respond_frame(frame).empty());
}
