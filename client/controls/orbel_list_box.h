#pragma once
#include <QListWidget>

#include "core/vux_string.h"

// A plain list of texts given as protocol strings.
class orbel_list_box : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    // Adds the text as a new last item; returns its index.
    int add(const vux_string& text);
};
