#include "client/controls/orbel_static_picture.h"

#include <QPainter>

#include "client/common/orbel_fatal.h"
#include "client/common/orbel_image.h"
#include "client/controls/orbel_grid.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_data.h"
#include "desktop/messages/vux_desktop_response_data.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"

orbel_static_picture::orbel_static_picture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void orbel_static_picture::set_bytes(const QByteArray& bytes) {
    bytes_ = bytes;
    auto image = orbel_image_from_memory(bytes_);
    image_ = image ? image->image() : QImage();
    update();
}

void orbel_static_picture::load(const vux_string& key) {
    key_ = key;
    busy_ = true;
    orbel& app = orbel_app();
    vux_desktop_request_data request;
    request.operation = 1;
    request.name = key;
    request.session.copy_from(app.session);
    forget_replies();  // only the latest load counts
    expect(app.socket_list.send_request(request, app.service_host, quint16(app.service_port),
                                        orbel_to_qstring(app.service_path), this),
           vux_desktop_response_data::code);
}

void orbel_static_picture::take_failure() {
    busy_ = false;
    orbel_fatal(orbel_ids_network_failure);
}

void orbel_static_picture::take_reply(int32_t, std::unique_ptr<vux_record> decoded) {
    busy_ = false;
    const auto reply = reply_as<vux_desktop_response_data>(std::move(decoded));
    if (!reply || reply->result != 0) return orbel_fatal(orbel_ids_system_failure);
    set_bytes(QByteArray(reinterpret_cast<const char*>(reply->bytes.data()), reply->bytes.length()));
}

void orbel_static_picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (image_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(orbel_fit_rect(image_.size(), rect()), image_);
}
