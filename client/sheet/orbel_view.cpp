#include "client/sheet/orbel_view.h"

#include <QPushButton>

#include "client/controls/orbel_tool_tips.h"
#include "client/sheet/orbel_code.h"
#include "client/start/orbel.h"
#include "gui/orbel_ui.h"

orbel_view::orbel_view(const vux_string& site_id, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("124"));
    setWindowTitle(QStringLiteral("查看二维码"));
    setFixedSize(380, 420);
    code_ = new orbel_code(this);
    code_->setObjectName(QStringLiteral("1010"));
    code_->setGeometry(10, 10, 360, 360);
    code_->render(site_id);

    auto* save_button = new QPushButton(QStringLiteral("保存"), this);
    save_button->setObjectName(QStringLiteral("1069"));
    save_button->setGeometry(200, 382, 80, 28);
    save_button->setDefault(true);
    connect(save_button, &QPushButton::clicked, this, &orbel_view::save);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(290, 382, 80, 28);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
}

void orbel_view::save() {
    const QString path = orbel_get_ui().save_file_name(this, QStringLiteral("png"), QStringLiteral("图片文件(*.png)"),
                                                       QStringLiteral("保存二维码"));
    if (path.isEmpty()) return;
    if (!code_->save(path)) orbel_get_ui().message(this, QStringLiteral("二维码保存失败！"));
}
