#pragma once
#include <QString>

class QLabel;
class QWidget;

// The label in front of a control, in the control's parent, set as its
// buddy: screen readers and UI automation find the control by this text.
QLabel* orbel_label_for(QWidget* control, const QString& text);
