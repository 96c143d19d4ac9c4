#include "client/manager/orbel_group_transfer.h"

#include <QLineEdit>

#include "client/manager/orbel_ok_rules.h"

orbel_group_transfer::orbel_group_transfer(const QString& key, const vux_string& account, QWidget* parent)
    : orbel_form_dialog("107", QStringLiteral("移交 - ") + key, parent) {
    receiver_ =
        add_edit("1001", QStringLiteral("对方用户名："), QStringLiteral("　输入对方用户的【Quellmark】注册邮箱。"));
    code_ = add_edit("1010", QStringLiteral("验证码："), QStringLiteral("　随意设定，但需要通过某种方式告知给对方。"));
    set_ok_rule([this, account] { return orbel_ok_rules::transfer(receiver_->text(), code_->text(), account); });
}

QString orbel_group_transfer::receiver() const { return receiver_->text(); }

QString orbel_group_transfer::code() const { return code_->text(); }
