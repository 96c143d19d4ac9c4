#pragma once
#include <QString>
#include <QVariant>

// The client's settings: QSettings("__ORBEL", "Quellmark"), group "setting".
// Every key the client reads or writes is declared here, with its default.
struct orbel_setting_key {
    const char* name;
    int default_value;  // for integer keys; text keys default to empty
};

inline constexpr orbel_setting_key orbel_key_username{"username", 0};
inline constexpr orbel_setting_key orbel_key_password{"password", 0};
inline constexpr orbel_setting_key orbel_key_notip{"notip", 0};  // written, never read back
inline constexpr orbel_setting_key orbel_key_ip{"ip", 0};        // written, never read back
inline constexpr orbel_setting_key orbel_key_port{"port", 0};    // written, never read back
inline constexpr orbel_setting_key orbel_key_width{"width", 800};
inline constexpr orbel_setting_key orbel_key_height{"height", 600};
inline constexpr orbel_setting_key orbel_key_telephone{"telephone", 0};

QString orbel_read_setting_text(const orbel_setting_key& key);
int orbel_read_setting_int(const orbel_setting_key& key);
// Writes go straight to the file, which is kept readable by its owner only
// (it may hold the remembered password).
void orbel_write_setting_text(const orbel_setting_key& key, const QString& value);
void orbel_write_setting_int(const orbel_setting_key& key, int value);

// Any group of the same settings file, through the same owner-only writer
// (the emulator keeps its state, which may hold credentials, in "__EMULATOR").
QVariant orbel_read_setting_value(const char* group, const QString& key, const QVariant& fallback);
// True when the value reached the file.
bool orbel_write_setting_value(const char* group, const QString& key, const QVariant& value);

// The full name of the settings file.
QString orbel_settings_file();

QString orbel_get_profile_username();
QString orbel_get_profile_password();
QString orbel_get_profile_telephone();
