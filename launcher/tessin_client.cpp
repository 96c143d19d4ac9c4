#include "launcher/tessin_client.h"
#include <algorithm>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include "core/vux_buffer.h"
#include "desktop/orbel_md5.h"
#include "launcher/tessin_host.h"

QString tessin_client_file_name()
{
#ifdef Q_OS_WIN
    return QStringLiteral("orbel.exe");
#else
    return QStringLiteral("orbel");
#endif
}

QString tessin_client_path_for(const QString& launcher_path)
{
    const qsizetype cut = std::max(launcher_path.lastIndexOf(u'/'), launcher_path.lastIndexOf(u'\\'));
    return launcher_path.left(cut + 1) + tessin_client_file_name();
}

QString tessin_client_path()
{
    return tessin_client_path_for(QCoreApplication::applicationFilePath());
}

void tessin_client_digest(const QString& path, vux_string& out)
{
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

namespace {
// Every class that may read the file may also run it.
QFileDevice::Permissions executable(QFileDevice::Permissions p)
{
    using P = QFileDevice;
    p |= P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadUser | P::WriteUser | P::ExeUser;
    if (p & P::ReadGroup) p |= P::ExeGroup;
    if (p & P::ReadOther) p |= P::ExeOther;
    return p;
}
}  // namespace

bool tessin_write_client(const QString& path, const vux_link& bytes)
{
    const QFileInfo old(path);
    const QFileDevice::Permissions permissions = executable(
        old.exists() ? old.permissions()
                     : QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const qint64 length = bytes.length();
    if (length > 0 && file.write(reinterpret_cast<const char*>(bytes.data()), length) != length) {
        file.cancelWriting();
        return false;
    }
    if (!file.setPermissions(permissions)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool tessin_launch_client(tessin_host& host, const QString& path)
{
    return host.start_program(path, {QStringLiteral("shell")});
}
