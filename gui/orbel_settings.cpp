#include "gui/orbel_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr char orbel_settings_organisation[] = "__ORBEL";
constexpr char orbel_settings_application[] = "Quellmark";
constexpr char orbel_settings_group[] = "setting";

constexpr QFileDevice::Permissions owner_only = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Creates the file empty and private before the first write, so the
// password is never readable by others, not even for a moment; the settings
// writer keeps an existing file's permissions when it replaces it.
void make_private_file(const QString& name) {
    QFileInfo info(name);
    QDir().mkpath(info.absolutePath());
    if (!info.exists()) {
        QFile file(name);
        file.open(QIODevice::WriteOnly, owner_only);
    }
    QFile::setPermissions(name, owner_only);
}

template <class Write>
bool write_setting(Write&& write, const char* group = orbel_settings_group) {
    const QString name = orbel_settings_file();
    make_private_file(name);
    bool ok = false;
    {
        QSettings settings(orbel_settings_organisation, orbel_settings_application);
        settings.beginGroup(group);
        write(settings);
        settings.endGroup();
        settings.sync();
        ok = settings.status() == QSettings::NoError;
    }
    QFile::setPermissions(name, owner_only);
    return ok;
}

QVariant read_setting(const orbel_setting_key& key, const QVariant& fallback) {
    QSettings settings(orbel_settings_organisation, orbel_settings_application);
    settings.beginGroup(orbel_settings_group);
    return settings.value(key.name, fallback);
}

}  // namespace

QString orbel_settings_file() { return QSettings(orbel_settings_organisation, orbel_settings_application).fileName(); }

QVariant orbel_read_setting_value(const char* group, const QString& key, const QVariant& fallback) {
    QSettings settings(orbel_settings_organisation, orbel_settings_application);
    settings.beginGroup(group);
    return settings.value(key, fallback);
}

bool orbel_write_setting_value(const char* group, const QString& key, const QVariant& value) {
    return write_setting([&](QSettings& s) { s.setValue(key, value); }, group);
}

QString orbel_read_setting_text(const orbel_setting_key& key) { return read_setting(key, QString()).toString(); }

int orbel_read_setting_int(const orbel_setting_key& key) {
    bool ok = false;
    const int value = read_setting(key, key.default_value).toInt(&ok);
    return ok ? value : key.default_value;
}

void orbel_write_setting_text(const orbel_setting_key& key, const QString& value) {
    write_setting([&](QSettings& s) { s.setValue(key.name, value); });
}

void orbel_write_setting_int(const orbel_setting_key& key, int value) {
    write_setting([&](QSettings& s) { s.setValue(key.name, value); });
}

QString orbel_get_profile_username() { return orbel_read_setting_text(orbel_key_username); }
QString orbel_get_profile_password() { return orbel_read_setting_text(orbel_key_password); }
QString orbel_get_profile_telephone() { return orbel_read_setting_text(orbel_key_telephone); }
