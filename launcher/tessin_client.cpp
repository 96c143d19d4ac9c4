#include "launcher/tessin_client.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include "core/vux_buffer.h"
#include "desktop/orbel_md5.h"
#include "launcher/tessin_client_writer.h"
#include "launcher/tessin_host.h"

QString tessin_client_file_name() {
#ifdef Q_OS_WIN
    return QStringLiteral("orbel.exe");
#else
    return QStringLiteral("orbel");
#endif
}

QString tessin_client_path_for(const QString& launcher_path) {
    const qsizetype cut = std::max(launcher_path.lastIndexOf(u'/'), launcher_path.lastIndexOf(u'\\'));
    return launcher_path.left(cut + 1) + tessin_client_file_name();
}

QString tessin_client_path() { return tessin_client_path_for(QCoreApplication::applicationFilePath()); }

void tessin_client_digest(const QString& path, vux_string& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    // No download can deliver a client larger than a buffer may grow; a file
    // past that gets the empty digest, which makes the service resend it.
    const qint64 size = file.size();
    if (size <= 0 || size > vux_buffer::max_capacity) return;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size) return;  // a read error: no digest rather than a wrong one
    orbel_md5_hex_of_bytes(vux_link(bytes.constData(), int32_t(bytes.size())), out);
}

bool tessin_write_client(const QString& path, const vux_link& bytes) {
    tessin_client_writer writer(path);
    return writer.open(bytes.length()) && writer.write(bytes.data(), bytes.length()) && writer.commit();
}

bool tessin_launch_client(tessin_host& host, const QString& path) {
    return host.start_program(path, {QStringLiteral("shell")});
}
