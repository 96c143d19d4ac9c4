#include "emulator/vux_le_persist.h"

#include "gui/orbel_settings.h"

namespace {
constexpr char latitude_key[] = "__LATITUDE";
constexpr char longitude_key[] = "__LONGITUDE";
constexpr char location_default[] = "0.000";

QString escape_key_part(const QString& name) {
    QString out;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'%')
            out += u'%' + QStringLiteral("%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        else
            out += c;
    }
    return out;
}
}  // namespace

QString vux_le_persist::private_key(int index) const {
    const QString number = QStringLiteral("%1").arg(index, 3, 10, QChar(u'0'));
    if (profile_.isEmpty()) return QStringLiteral("__PRIVATE_") + number;
    return QStringLiteral("__PRIVATE_") + escape_key_part(profile_) + u'_' + number;
}

QByteArray vux_le_persist::load_private(int index) const {
    return orbel_read_setting_value(group, private_key(index), QByteArray()).toByteArray();
}

bool vux_le_persist::save_private(int index, const QByteArray& bytes) const {
    return orbel_write_setting_value(group, private_key(index), bytes);
}

QString vux_le_persist::latitude() const {
    return orbel_read_setting_value(group, latitude_key, location_default).toString();
}

QString vux_le_persist::longitude() const {
    return orbel_read_setting_value(group, longitude_key, location_default).toString();
}

void vux_le_persist::set_location(const QString& latitude, const QString& longitude) const {
    orbel_write_setting_value(group, latitude_key, latitude);
    orbel_write_setting_value(group, longitude_key, longitude);
}
