#include "client/manager/orbel_group_acquire.h"

#include <QLineEdit>

#include "client/manager/orbel_ok_rules.h"

orbel_group_acquire::orbel_group_acquire(QWidget* parent) : orbel_form_dialog("106", QStringLiteral("获取"), parent) {
    code_ = add_edit("1038", QStringLiteral("验证码："), QStringLiteral("　输入对方设置的验证码，需要事先得到告知。"));
    set_ok_rule([this] { return orbel_ok_rules::acquire(code_->text()); });
}

QString orbel_group_acquire::code() const { return code_->text(); }
