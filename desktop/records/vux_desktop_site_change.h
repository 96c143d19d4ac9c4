#pragma once
#include <cstdint>

// The bits of vux_desktop_site::change_mask: which values of the site an
// update sets. The client's editors set them, the service takes exactly the
// values they name.
struct vux_desktop_site_change {
    static constexpr int32_t publish_state = 0x1;
    static constexpr int32_t options = 0x2;
    static constexpr int32_t tray_color = 0x4;
    static constexpr int32_t column_align = 0x8;
    static constexpr int32_t style = 0x10;
    static constexpr int32_t columns = 0x20;
    static constexpr int32_t name = 0x40;
    static constexpr int32_t web_address = 0x80;
    static constexpr int32_t tray_picture = 0x100;
    static constexpr int32_t icon = 0x200;
    static constexpr int32_t background = 0x400;
    static constexpr int32_t home_picture = 0x800;
    static constexpr int32_t activation_number = 0x1000;
    static constexpr int32_t introduction = 0x2000;
    static constexpr int32_t telephone = 0x4000;
    static constexpr int32_t address = 0x8000;
    static constexpr int32_t map_options = 0x10000;
    static constexpr int32_t longitude = 0x20000;
    static constexpr int32_t latitude = 0x40000;
    static constexpr int32_t brush = 0x80000;  // opacity or any colour entry
    static constexpr int32_t managers = 0x100000;
    static constexpr int32_t members = 0x200000;
    static constexpr int32_t waiters = 0x400000;
    static constexpr int32_t news = 0x800000;
    static constexpr int32_t notices = 0x1000000;
    static constexpr int32_t votes = 0x2000000;
};
