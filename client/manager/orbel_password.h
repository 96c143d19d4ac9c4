#pragma once
#include "client/controls/orbel_form_dialog.h"

class QLineEdit;

// The password change dialog (128): the new password, typed twice.
class orbel_password : public orbel_form_dialog {
    Q_OBJECT
public:
    explicit orbel_password(QWidget* parent = nullptr);
    // The new password after OK.
    QString password() const;

private:
    QLineEdit* password_;
    QLineEdit* repeated_;
};
