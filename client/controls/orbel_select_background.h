#pragma once
#include "client/controls/orbel_select_picture.h"

// Picker 135 "背景库": the gallery of column backgrounds (DAT 207).
class orbel_select_background : public orbel_select_picture {
    Q_OBJECT
public:
    static const kind gallery;
    explicit orbel_select_background(QWidget* parent = nullptr) : orbel_select_picture(gallery, parent) {}
};
