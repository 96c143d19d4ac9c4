#pragma once
#include "client/controls/orbel_select_picture.h"

// Picker 134 "图标库": the gallery of site icons (DAT 205).
class orbel_select_logo : public orbel_select_picture {
    Q_OBJECT
public:
    static const kind gallery;
    explicit orbel_select_logo(QWidget* parent = nullptr) : orbel_select_picture(gallery, parent) {}
};
