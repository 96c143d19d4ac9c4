#include "desktop/transport/orbel_service_address.h"
#include <QByteArray>
#include <QtGlobal>

orbel_service_address orbel_service_builtin_address() {
    return {QString::fromLatin1(orbel_service_builtin_host), orbel_service_builtin_port,
            QString::fromLatin1(orbel_service_builtin_path)};
}

bool orbel_parse_service_address(const QString& text, orbel_service_address& out) {
    const QString t = text.trimmed();
    const qsizetype colon = t.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0) return false;
    QString host = t.left(colon);
    // A bracketed IPv6 address: the brackets only separate it from the port.
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) host = host.mid(1, host.size() - 2);
    if (host.isEmpty() || host.contains(QLatin1Char('[')) || host.contains(QLatin1Char(']'))) return false;
    const QString port_text = t.mid(colon + 1);
    if (port_text.isEmpty() || port_text.size() > 5) return false;
    for (QChar c : port_text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    const int port = port_text.toInt();
    if (port < 1 || port > 65535) return false;
    out.host = host;
    out.port = quint16(port);
    return true;
}

orbel_service_address orbel_service_address_in_force() {
    orbel_service_address address = orbel_service_builtin_address();
    const QByteArray value = qgetenv(orbel_service_variable);
    if (!value.isEmpty()) orbel_parse_service_address(QString::fromUtf8(value), address);
    return address;
}
