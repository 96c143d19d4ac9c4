#include "client/manager/orbel_password.h"

#include <QLineEdit>

#include "client/manager/orbel_ok_rules.h"

orbel_password::orbel_password(QWidget* parent) : orbel_form_dialog("128", QStringLiteral("修改密码"), parent) {
    password_ = add_edit("1002", QStringLiteral("新的密码："),
                         QStringLiteral("　密码长度最少7位，只能是英文数字和字母。"), true);
    repeated_ = add_edit("1077", QStringLiteral("重复密码："), QString(), true);
    set_ok_rule([this] { return orbel_ok_rules::password(password_->text(), repeated_->text()); });
}

QString orbel_password::password() const { return password_->text(); }
