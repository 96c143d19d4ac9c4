#pragma once
#include <QByteArray>
#include <QString>

// The emulator's persisted state in the client's settings file, group
// "__EMULATOR": the engine's private store per profile and the location
// last typed into the location dialog.
class vux_le_persist {
public:
    static constexpr char group[] = "__EMULATOR";

    void set_profile_name(const QString& name) { profile_ = name; }
    const QString& profile_name() const { return profile_; }

    // "__PRIVATE_000" or "__PRIVATE_<profile>_000"; "/", "\\" and "%" of the
    // profile name are percent-encoded so the name cannot split the key.
    QString private_key(int index) const;
    // Empty when absent.
    QByteArray load_private(int index) const;
    // True when the value was written.
    bool save_private(int index, const QByteArray& bytes) const;

    QString latitude() const;
    QString longitude() const;
    void set_location(const QString& latitude, const QString& longitude) const;

private:
    QString profile_;
};
