#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include "core/vux_record.h"

class quellmark_service_state;

// What a handler may use besides the request: the service's state and the
// address the service gives out as its own.
struct quellmark_context {
    quellmark_service_state& state;
    QString host;
    quint16 port = 0;
    QString path;
};

// Answers one decoded request with its response; null when it cannot answer
// at all (the connection then gets an HTTP error).
using quellmark_handler = std::function<std::unique_ptr<vux_record>(const vux_record& request, quellmark_context&)>;
// Handlers by request code and, for a request that carries an operation
// (3912), by operation: the entry of quellmark_any_operation takes every
// operation that has no entry of its own. Each message area adds its own
// entries; which handler answers never depends on the order they were added.
inline constexpr int32_t quellmark_any_operation = -1;
struct quellmark_handler_key {
    quellmark_handler_key(int32_t request_code, int32_t request_operation = quellmark_any_operation)
        : code(request_code), operation(request_operation) {}
    int32_t code;
    int32_t operation;
    auto operator<=>(const quellmark_handler_key&) const = default;
};
using quellmark_handler_table = std::map<quellmark_handler_key, quellmark_handler>;

// The operation a decoded request carries; quellmark_any_operation for a
// request without one.
int32_t quellmark_operation_of(const vux_record& request);
// The handler for a request: its operation's own, else its code's general
// one; null when there is neither.
const quellmark_handler* quellmark_find_handler(const quellmark_handler_table& table, int32_t code,
                                                const vux_record& request);
// Whether any entry answers the code.
bool quellmark_handles(const quellmark_handler_table& table, int32_t code);

// A handler for one request class: the table hands it the request as that class.
template <class Request, class F>
quellmark_handler quellmark_handler_for(F f) {
    return [f](const vux_record& r, quellmark_context& c) -> std::unique_ptr<vux_record> {
        const auto* request = dynamic_cast<const Request*>(&r);
        if (!request) return nullptr;
        return f(*request, c);
    };
}

// The UTF-8 bytes of a text, as the messages carry them.
inline vux_string quellmark_utf8(const QString& text) {
    const QByteArray b = text.toUtf8();
    return vux_string(b.constData(), int32_t(b.size()));
}

// Result a response carries for a request whose session the service did not
// hand out (or that it has forgotten).
inline constexpr int32_t quellmark_result_no_session = 2;
// Result for an operation the service turns down (a bad key, code or
// receiver, a member's operation asked by a non-member).
inline constexpr int32_t quellmark_result_refused = -1;
// Result for an operation the service does not (yet) carry out.
inline constexpr int32_t quellmark_result_unsupported = 3;

void quellmark_add_launcher_handlers(quellmark_handler_table& table);  // 3902, 3904
void quellmark_add_logon_handlers(quellmark_handler_table& table);     // 3906, 3908
void quellmark_add_account_handlers(quellmark_handler_table& table);   // 3920
void quellmark_add_group_handlers(quellmark_handler_table& table);     // 3910, 3912, 3916, 3918
void quellmark_add_runtime_handlers(quellmark_handler_table& table);   // 1300-1308
