#include "client/manager/orbel_group_create.h"

#include <QLineEdit>

#include "client/manager/orbel_ok_rules.h"

orbel_group_create::orbel_group_create(QWidget* parent) : orbel_form_dialog("104", QStringLiteral("新建"), parent) {
    name_ = add_edit("1038", QStringLiteral("名称："),
                     QStringLiteral("　输入站点的管理名称，用于区别不同的站点，系统提供重命名功能。"));
    set_ok_rule([this] { return orbel_ok_rules::create(name_->text()); });
}

QString orbel_group_create::name() const { return name_->text(); }
