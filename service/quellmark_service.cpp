#include "service/quellmark_service.h"
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include "core/vux_message_table.h"
#include "core/vux_reader.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/vux_desktop_accept.h"
#include "markup/model/vux_runtime_messages.h"
#include "service/quellmark_connection.h"
#include "service/quellmark_contact_handlers.h"
#include "service/quellmark_content_handlers.h"
#include "service/quellmark_document_reply.h"
#include "service/quellmark_site_update.h"

namespace {
// Offsets in a frame: "vux+", a byte, an int32, then the type code and the
// message's first field (every response begins with its result).
constexpr int32_t code_offset = 9;
constexpr int32_t first_field_offset = 13;

// Every message the service decodes: the desktop's and the runtime's.
const vux_message_table tables[] = {vux_desktop_message_table(), vux_runtime_message_table()};

const vux_message_entry* find_entry(int32_t code) {
    for (vux_message_table t : tables)
        if (const vux_message_entry* e = vux_find_message(t, code)) return e;
    return nullptr;
}

// The row of the response that answers a request code; null when none does.
const vux_message_entry* response_to(int32_t request) {
    for (vux_message_table t : tables)
        for (const vux_message_entry& e : t)
            if (e.response && e.answers == request) return &e;
    return nullptr;
}

// A request code that some response answers.
bool answerable(int32_t code) {
    const vux_message_entry* e = find_entry(code);
    return e && !e->response && response_to(code);
}

std::unique_ptr<vux_record> decode_request(const vux_link& frame) {
    const vux_message_entry* e = find_entry(vux_frame_code(frame));
    if (!e || e->response) return nullptr;
    for (vux_message_table t : tables)
        if (vux_find_message(t, e->code) == e) return vux_accept_message(frame, t, vux_message_kind::request);
    return nullptr;
}

const char* reason_of(int status) {
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}
}  // namespace

quellmark_service::quellmark_service() {
    quellmark_handler_table built_in;
    quellmark_add_launcher_handlers(built_in);
    quellmark_add_logon_handlers(built_in);
    quellmark_add_account_handlers(built_in);
    quellmark_add_runtime_handlers(built_in);
    quellmark_add_group_handlers(built_in);
    quellmark_add_site_update_handlers(built_in);
    quellmark_add_content_handlers(built_in);
    quellmark_add_contact_handlers(built_in);
    for (auto& [key, handler] : built_in)
        if (answerable(key.code)) handlers_[key] = std::move(handler);
}

quellmark_service::~quellmark_service() = default;

bool quellmark_service::listen(const QHostAddress& address, quint16 port) {
    server_ = std::make_unique<QTcpServer>();
    QTcpServer* s = server_.get();
    QObject::connect(s, &QTcpServer::newConnection, s, [this, s] {
        while (QTcpSocket* socket = s->nextPendingConnection()) new quellmark_connection(socket, *this, s);
    });
    if (server_->listen(address, port)) return true;
    server_.reset();
    return false;
}

void quellmark_service::close() { server_.reset(); }

int32_t quellmark_service::open_connections() const {
    // Each connection owns its socket; a dropped one goes with its socket.
    return server_ ? int32_t(server_->findChildren<QTcpSocket*>().size()) : 0;
}

quint16 quellmark_service::port() const {
    if (public_port_) return public_port_;
    return server_ ? server_->serverPort() : 0;
}

QString quellmark_service::host() const {
    if (!public_host_.isEmpty()) return public_host_;
    return server_ ? server_->serverAddress().toString() : QString();
}

QString quellmark_service::address() const {
    const QString h = host();
    return (h.contains(QLatin1Char(':')) ? QLatin1Char('[') + h + QLatin1Char(']') : h) + QLatin1Char(':') +
           QString::number(port());
}

bool quellmark_service::set_handler(int32_t code, quellmark_handler handler) {
    if (!answerable(code)) return false;
    // The new handler answers every operation of the code.
    std::erase_if(handlers_, [code](const auto& entry) { return entry.first.code == code; });
    if (handler) handlers_[code] = std::move(handler);
    return true;
}

int32_t quellmark_service::peak_in_flight(int32_t code) const {
    const auto it = peak_in_flight_.find(code);
    return it == peak_in_flight_.end() ? 0 : it->second;
}

void quellmark_service::note_in_flight(int32_t code, int32_t delta) {
    const int32_t now = in_flight_[code] += delta;
    peak_in_flight_[code] = std::max(peak_in_flight_[code], now);
}

int32_t quellmark_service::served(int32_t code) const {
    auto it = served_.find(code);
    return it == served_.end() ? 0 : it->second;
}

quellmark_context quellmark_service::context() { return {state_, host(), port(), path_}; }

vux_buffer quellmark_service::respond_frame(const vux_link& request) {
    const int32_t code = vux_frame_code(request);
    if (!quellmark_handles(handlers_, code)) return {};
    std::unique_ptr<vux_record> decoded = decode_request(request);
    if (!decoded) return {};
    const quellmark_handler* handler = quellmark_find_handler(handlers_, code, *decoded);
    if (!handler) return {};
    quellmark_context c = context();
    std::unique_ptr<vux_record> response = (*handler)(*decoded, c);
    const vux_message_entry* reply = response_to(code);
    if (!response || !reply || response->type_code() != reply->code) return {};
    ++served_[code];
    // A runtime reply is a whole document, not one framed message.
    if (const auto* document = dynamic_cast<const quellmark_document_reply*>(response.get())) return document->frame();
    return vux_desktop_frame(*response);
}

QByteArray quellmark_service::http(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason_of(status) +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

quellmark_service::answer quellmark_service::respond(const QByteArray&, const QByteArray& body) {
    const vux_link request(body.constData(), int32_t(body.size()));
    const int32_t code = vux_frame_code(request);
    if (!quellmark_handles(handlers_, code)) return {http(404, {})};
    vux_buffer frame = respond_frame(request);
    if (frame.empty()) return {http(400, {})};
    const int32_t response_code = response_to(code)->code;

    answer a;
    int status = 200;
    int64_t send = -1;
    for (auto it = faults_.begin(); it != faults_.end();) {
        const quellmark_fault& f = *it;
        if (f.code != 0 && f.code != code) {
            ++it;
            continue;
        }
        const int64_t v = f.value_or_default(response_code);
        switch (f.kind) {
        case quellmark_fault::status: frame.put_be32(first_field_offset, int32_t(v)); break;
        case quellmark_fault::wrong_code: frame.put_be32(code_offset, int32_t(v)); break;
        case quellmark_fault::truncated:
            frame.set_length(int32_t(std::max<int64_t>(0, frame.length() - std::max<int64_t>(0, v))));
            break;
        case quellmark_fault::early_close: send = std::max<int64_t>(0, v); break;
        case quellmark_fault::delay: a.delay_ms = std::max<int64_t>(0, v); break;
        case quellmark_fault::http_status: status = int(std::clamp<int64_t>(v, 100, 999)); break;
        }
        if (it->times > 0 && --it->times == 0)
            it = faults_.erase(it);
        else
            ++it;
    }
    a.bytes = http(status, QByteArray(reinterpret_cast<const char*>(frame.data()), frame.length()));
    a.send = send;
    return a;
}
