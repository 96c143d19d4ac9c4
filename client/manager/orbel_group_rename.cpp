#include "client/manager/orbel_group_rename.h"

#include <QLineEdit>

#include "client/manager/orbel_ok_rules.h"

orbel_group_rename::orbel_group_rename(const QString& previous, QWidget* parent)
    : orbel_form_dialog("105", QStringLiteral("重命名"), parent), previous_(previous) {
    name_ = add_edit("1038", QStringLiteral("新名称："),
                     QStringLiteral("　只是重命名站点的管理名称，手机端用户不受任何影响。"));
    name_->setText(previous);
    set_ok_rule([this] { return orbel_ok_rules::rename(name_->text(), previous_); });
}

QString orbel_group_rename::name() const { return name_->text(); }
