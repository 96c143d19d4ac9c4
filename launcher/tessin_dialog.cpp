#include "launcher/tessin_dialog.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include "desktop/transport/orbel_socket_list.h"
#include "launcher/tessin_host.h"
#include "launcher/tessin_strings.h"

tessin_dialog::tessin_dialog(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& service,
                             const QString& client_path, const QString& text, QWidget* parent)
    : QDialog(parent),
      host_(host),
      sockets_(sockets),
      service_(service),
      client_path_(client_path),
      body_(new QVBoxLayout(this)) {
    setWindowTitle(tessin_load_string(tessin_ids_app_title));
    // One icon of several sizes: the title bar takes the small picture, the
    // task switcher the large one.
    setWindowIcon(tessin_icon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    body_->addWidget(new QLabel(text, this));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    // Not a default button: Enter must not cancel.
    cancel->setAutoDefault(false);
    cancel->setDefault(false);
    connect(cancel, &QPushButton::clicked, this, &tessin_dialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    body_->addLayout(row);
}

tessin_dialog::~tessin_dialog() = default;

tessin_outcome tessin_dialog::run() {
    send();
    return tessin_outcome(exec());
}

void tessin_dialog::send_request(const vux_object& request, vux_http_body_sink* body_sink) {
    sockets_.send_request(request, service_.host, service_.port, service_.path, this, body_sink);
}

void tessin_dialog::reject() {
    // Once a reply has decided, the dialog is about to close with that
    // outcome; a late cancel must not undo a client already written.
    if (settled_) return;
    settled_ = true;
    cancel_requests();
    done(tessin_cancelled);
}

void tessin_dialog::finish(tessin_outcome outcome, int message_id) {
    if (settled_) return;
    settled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, outcome, message_id] {
            if (message_id != 0) host_.show_message(this, tessin_load_string(message_id));
            done(outcome);
        },
        Qt::QueuedConnection);
}

void tessin_dialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
