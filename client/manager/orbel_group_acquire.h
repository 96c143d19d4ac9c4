#pragma once
#include "client/controls/orbel_form_dialog.h"

class QLineEdit;

// The acquire dialog (106): the verification code of a site offered to us.
class orbel_group_acquire : public orbel_form_dialog {
    Q_OBJECT
public:
    explicit orbel_group_acquire(QWidget* parent = nullptr);
    QString code() const;

private:
    QLineEdit* code_;
};
