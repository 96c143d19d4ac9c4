#include "launcher/tessin_download.h"
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include "desktop/messages/vux_desktop_request_download.h"
#include "launcher/tessin_strings.h"

tessin_download::tessin_download(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& source,
                                 const QString& client_path, QWidget* parent)
    : tessin_dialog(host, sockets, source, client_path, QStringLiteral("正在下载更新软件..."), parent),
      frame_(client_path),
      bar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("102"));
    bar_->setObjectName(QStringLiteral("1001"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    body()->insertWidget(1, bar_);
}

int tessin_download::position(int64_t total, int64_t received) {
    if (total <= 0 || received <= 0) return 0;
    if (received >= total) return 100;
    if (received > INT64_MAX / 100) {
        // received * 100 would overflow: drop bits that cannot move the bar.
        total >>= 7;
        received >>= 7;
    }
    return int(std::min<int64_t>(99, received * 100 / total));
}

void tessin_download::send() {
    // No host or no port (see tessin_main) is a connection that cannot be
    // made: the download fails as such, without a socket.
    if (address().host.isEmpty() || address().port == 0) {
        on_failure(0);
        return;
    }
    vux_desktop_request_download request;
    request.application_id.assign(vux_desktop_application_id);
    send_request(request, &frame_);
}

void tessin_download::on_progress(int32_t, int64_t expected, int64_t received) {
    if (total_ == 0 && expected > 0) total_ = expected;
    bar_->setValue(position(total_, received));
}

void tessin_download::on_reply(int32_t, const vux_buffer&) {
    // The frame has refused anything but a whole successful 3905 on the way,
    // which ends in on_failure.
    if (!frame_.whole()) {
        on_failure(0);
        return;
    }
    bar_->setValue(100);
    // A client that cannot be replaced (in use, no rights, no room) stays as
    // it was and is started all the same.
    frame_.commit();
    finish(tessin_start_client);
}

void tessin_download::on_failure(int32_t) {
    frame_.cancel();
    finish(tessin_failed, tessin_ids_update_failure);
}
