#pragma once
#include "client/controls/orbel_form_dialog.h"

class QLineEdit;

// The rename dialog (105): a new management name, prefilled with the current one.
class orbel_group_rename : public orbel_form_dialog {
    Q_OBJECT
public:
    // `previous` is the current name; OK needs a different one.
    explicit orbel_group_rename(const QString& previous, QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* name_;
    QString previous_;
};
