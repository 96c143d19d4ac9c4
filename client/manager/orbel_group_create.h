#pragma once
#include "client/controls/orbel_form_dialog.h"

class QLineEdit;

// The new-site dialog (104): the management name of a new site.
class orbel_group_create : public orbel_form_dialog {
    Q_OBJECT
public:
    explicit orbel_group_create(QWidget* parent = nullptr);
    // The name as typed.
    QString name() const;

private:
    QLineEdit* name_;
};
