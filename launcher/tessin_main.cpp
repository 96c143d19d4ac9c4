#include "launcher/tessin_main.h"
#include "desktop/messages/vux_desktop_request_upgrade.h"
#include "desktop/messages/vux_desktop_response_upgrade.h"
#include "desktop/vux_desktop_accept.h"
#include "launcher/tessin_client.h"
#include "launcher/tessin_strings.h"

tessin_main::tessin_main(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& service,
                         const QString& client_path, QWidget* parent)
    : tessin_dialog(host, sockets, service, client_path, QStringLiteral("并检查软件更新..."), parent) {
    setObjectName(QStringLiteral("101"));
}

void tessin_main::send() {
    vux_desktop_request_upgrade request;
    request.application_id.assign(vux_desktop_application_id);
    tessin_client_digest(client_path(), request.digest);
    send_request(request);
}

void tessin_main::on_reply(int32_t, const vux_buffer& body) {
    // Anything but a whole 3903 is a failed check, never "current".
    auto response = vux_desktop_accept_as<vux_desktop_response_upgrade>(body);
    if (!response || response->status != 0) {
        finish(tessin_failed, tessin_ids_network_failure);
    } else if (response->upgrade == 0) {
        finish(tessin_start_client);
    } else {
        // Whatever address the answer names, the download dialog tries it
        // and its failure tells. A port outside 1-65535 becomes 0, which no
        // socket reaches, never a port cut to 16 bits that may be another
        // service's.
        const bool port_fits = response->port > 0 && response->port <= 65535;
        download_from_.host = QString::fromUtf8(response->host.data(), response->host.length());
        download_from_.port = port_fits ? quint16(response->port) : 0;
        download_from_.path = QString::fromUtf8(response->path.data(), response->path.length());
        finish(tessin_download_client);
    }
}

void tessin_main::on_failure(int32_t) { finish(tessin_failed, tessin_ids_network_failure); }
