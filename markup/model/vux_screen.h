#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_string.h"

// What windows, dialogs and menus share: the keep mode, the name the
// document finds them by, and the label that describes them.
class vux_screen : public vux_record {
public:
    bool matches(const char* key) const override { return key && vux_string_equals_cstr(name, key); }
    // None of the screens is copied.
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    bool is_kept() const { return keep == 1 || keep == 2; }
    // What closes on the close key (the flag shown as "t").
    bool closable() const { return show_title != 0; }
    // "name(ct): title": c when kept in mode 1, t when closable; empty without a name.
    vux_string describe() const;

    int32_t keep = 1;
    int32_t show_title = 0;
    vux_string name;
    vux_string title;
};
