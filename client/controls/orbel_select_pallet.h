#pragma once
#include "client/controls/orbel_select_picture.h"

// Picker 151 "托盘库": the gallery of tray pictures (DAT 209).
class orbel_select_pallet : public orbel_select_picture {
    Q_OBJECT
public:
    static const kind gallery;
    explicit orbel_select_pallet(QWidget* parent = nullptr) : orbel_select_picture(gallery, parent) {}
};
