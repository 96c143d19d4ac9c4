#pragma once
#include "emulator/vux_le_persist.h"
#include "markup/runtime/vux_engine.h"

#include <QString>
#include <string>

class vux_le_window;

// The engine's facility host table: identity texts, local time, the private
// store, and the window's services.
class vux_le_facility {
public:
    enum identity { device_id, platform, model, application_id, session_text, identity_count };

    explicit vux_le_facility(const vux_le_persist& persist) : persist_(persist) {}

    vux_facility_table table();
    void set_window(vux_le_window* window) { window_ = window; }
    void set_identity(identity which, const QString& text) { texts_[which] = text; }
    void set_instance(int n) { instance_ = n; }

    int supports(int kind) const;
    // The device id with its last two digits moved on by the instance number.
    QString adjusted_device_id() const;
    static int local_time(int kind);

private:
    const char* hand_out(identity which, const QString& text);

    const vux_le_persist& persist_;
    QString texts_[identity_count];
    int instance_ = 0;
    vux_le_window* window_ = nullptr;
    // One UTF-8 copy per entry, each valid until that entry's next call.
    std::string handed_[identity_count];

    friend struct vux_le_facility_entries;
};
