#pragma once
#include <array>

#include "client/sheet/orbel_site_page.h"
#include "core/vux_string.h"
#include "desktop/records/vux_desktop_site.h"

class QCheckBox;

// Page 143 "分享" of the site sheet: sharing and the ways phone users find
// and follow the site; "查看二维码" shows its QR code.
class orbel_site_share : public orbel_site_page {
    Q_OBJECT
public:
    static constexpr int32_t sharing = 0x1;  // column bit
    static constexpr int32_t recommend = 0x8, scan = 0x10, keyword = 0x20, nearby = 0x40, apply = 0x1000;
    static constexpr int32_t option_bits = recommend | scan | keyword | nearby | apply;

    struct values {
        bool sharing = false;
        int32_t options = 0;  // option_bits only
    };

    static values fill(const vux_desktop_site& site);
    // ORs the page's bits into the update's option and column bits.
    static void collect(const values& v, vux_desktop_site& update);
    // A check (by id) set or cleared by the user, and what follows from it.
    static void toggle(values& v, int id, bool checked);

    explicit orbel_site_share(QWidget* parent = nullptr);

    void set_key(const vux_string& key) { key_ = key; }
    void set_values(const values& v);
    values get_values() const { return values_; }

private:
    void show_checks();

    vux_string key_;
    values values_;
    QCheckBox* sharing_;
    std::array<std::pair<QCheckBox*, int32_t>, 5> option_boxes_{};
};
