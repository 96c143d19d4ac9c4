#pragma once
#include "client/sheet/orbel_site_column.h"
#include "client/sheet/orbel_site_page.h"
#include "client/sheet/orbel_site_share.h"

// Page 152 "组织形式", shown while a site is being created: five presets of
// columns, private-message rules and sharing; a choice moves on to the next
// page.
class orbel_site_type : public orbel_site_page {
    Q_OBJECT
public:
    // The preset of a button (1111-1115) into the column and share values;
    // what a preset does not list stays. False for another id.
    static bool apply_preset(int id, orbel_site_column::values& column, orbel_site_share::values& share);

    explicit orbel_site_type(QWidget* parent = nullptr);

signals:
    void preset_chosen(int id);
};
