#include "client/start/orbel_instance_mark.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QtGlobal>

namespace {
constexpr char activate_request[] = "raise\n";
constexpr int connect_wait_ms = 1000;
constexpr int connect_attempts = 5;
constexpr int connect_retry_ms = 200;
}  // namespace

orbel_instance_mark::orbel_instance_mark(QObject* parent) : QObject(parent) {}

orbel_instance_mark::~orbel_instance_mark() = default;

bool orbel_instance_mark::lock(const QString& name) {
    if (locked()) return true;
    auto file = std::make_unique<QLockFile>(orbel_instance_lock_path(name));
    // Never stale by age: only when the process that holds it has gone.
    file->setStaleLockTime(0);
    if (!file->tryLock(0)) return false;
    lock_ = std::move(file);
    return true;
}

bool orbel_instance_mark::locked() const { return lock_ && lock_->isLocked(); }

bool orbel_instance_mark::listen(const QString& name) {
    if (!lock(name)) return false;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        // Only the lock's holder listens here, so whatever holds the name is
        // what a run that crashed left behind.
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

QString orbel_instance_lock_path(const QString& name) {
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
}

bool orbel_find_running_instance(const QString& name) {
    QLocalSocket socket;
    for (int attempt = 0;; ++attempt) {
        socket.connectToServer(name);
        if (socket.waitForConnected(connect_wait_ms)) break;
        if (attempt + 1 == connect_attempts) return false;
        QThread::msleep(connect_retry_ms);
    }
    socket.write(activate_request);
    const bool sent = socket.waitForBytesWritten(connect_wait_ms) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(connect_wait_ms);
    return sent;
}
