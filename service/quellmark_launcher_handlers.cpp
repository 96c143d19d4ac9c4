// The launcher's two messages: whether the client is current, and the client
// program itself.
#include "desktop/messages/vux_desktop_request_download.h"
#include "desktop/messages/vux_desktop_request_upgrade.h"
#include "desktop/messages/vux_desktop_response_download.h"
#include "desktop/messages/vux_desktop_response_upgrade.h"
#include "desktop/orbel_md5.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

namespace {
// Where the launcher is sent for the new client.
constexpr const char* download_path = "/download";

bool known_application(const vux_string& id) { return vux_string_equals_cstr(id, vux_desktop_application_id); }

std::unique_ptr<vux_record> upgrade(const vux_desktop_request_upgrade& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_upgrade>();
    if (!known_application(request.application_id)) {
        response->status = 1;
        return response;
    }
    // No client to serve: whatever the launcher has is the one to run.
    if (!c.state.has_client()) return response;
    const QByteArray client = c.state.client_bytes();
    vux_string digest;
    if (!client.isEmpty()) orbel_md5_hex_of_bytes(vux_link(client.constData(), int32_t(client.size())), digest);
    if (vux_string_equal(digest, request.digest)) return response;
    response->upgrade = 1;
    response->port = c.port;
    response->host = quellmark_utf8(c.host);
    response->path = vux_string(download_path);
    return response;
}

std::unique_ptr<vux_record> download(const vux_desktop_request_download& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_download>();
    const QByteArray client = c.state.client_bytes();
    if (!known_application(request.application_id) || client.isEmpty()) {
        response->status = 1;
        return response;
    }
    response->file.assign_bytes(client.constData(), int32_t(client.size()));
    return response;
}
}  // namespace

void quellmark_add_launcher_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_upgrade::code] = quellmark_handler_for<vux_desktop_request_upgrade>(upgrade);
    table[vux_desktop_request_download::code] = quellmark_handler_for<vux_desktop_request_download>(download);
}
