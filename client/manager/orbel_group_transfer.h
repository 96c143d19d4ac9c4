#pragma once
#include "client/controls/orbel_form_dialog.h"
#include "core/vux_string.h"

class QLineEdit;

// The transfer dialog (107): the receiving account and a verification code.
class orbel_group_transfer : public orbel_form_dialog {
    Q_OBJECT
public:
    // `key` ends the caption; `account` is the signed-in account, which may not receive.
    orbel_group_transfer(const QString& key, const vux_string& account, QWidget* parent = nullptr);
    QString receiver() const;
    QString code() const;

private:
    QLineEdit* receiver_;
    QLineEdit* code_;
};
