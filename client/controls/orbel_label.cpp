#include "client/controls/orbel_label.h"

#include <QLabel>

QLabel* orbel_label_for(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    return label;
}
