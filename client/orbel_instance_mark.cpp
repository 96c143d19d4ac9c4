#include "client/orbel_instance_mark.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QtGlobal>

namespace {
constexpr char activate_request[] = "raise\n";
constexpr int connect_wait_ms = 1000;
}  // namespace

orbel_instance_mark::orbel_instance_mark(QObject* parent) : QObject(parent) {}

orbel_instance_mark::~orbel_instance_mark() = default;

bool orbel_instance_mark::listen(const QString& name) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        // Nobody answered on this name before we got here, so whatever holds
        // it is what a crashed run left behind.
        QLocalServer::removeServer(name);
        if (!server_->listen(name)) {
            server_.reset();
            return false;
        }
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &orbel_instance_mark::on_connection);
    return true;
}

bool orbel_instance_mark::listening() const { return server_ && server_->isListening(); }

void orbel_instance_mark::on_connection() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        QPointer<QLocalSocket> guard(peer);
        auto take = [this, guard]() {
            if (!guard) return;
            if (!guard->canReadLine()) return;
            const QByteArray line = guard->readLine(64);
            guard->disconnectFromServer();
            if (line == activate_request && on_activate_) on_activate_();
        };
        connect(peer, &QLocalSocket::readyRead, this, take);
        take();
    }
}

QString orbel_instance_name() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty()) user = QStandardPaths::writableLocation(QStandardPaths::HomeLocation).section('/', -1);
    return QStringLiteral("__ORBEL-%1").arg(user);
}

bool orbel_find_running_instance(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connect_wait_ms)) return false;
    socket.write(activate_request);
    const bool sent = socket.waitForBytesWritten(connect_wait_ms) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(connect_wait_ms);
    return sent;
}
