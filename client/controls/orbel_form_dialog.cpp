#include "client/controls/orbel_form_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/start/orbel.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_tool_tips.h"

orbel_form_dialog::orbel_form_dialog(const char* id, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(id));
    setWindowTitle(title);
    grid_ = new QGridLayout;
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    layout->addLayout(buttons);
    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
}

QLineEdit* orbel_form_dialog::add_edit(const char* id, const QString& label, const QString& tip, bool password) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(id));
    if (password) edit->setEchoMode(QLineEdit::Password);
    grid_->addWidget(orbel_label_for(edit, label), rows_, 0);
    grid_->addWidget(edit, rows_, 1);
    ++rows_;
    if (!tip.isEmpty()) tips_->add(edit, tip);
    connect(edit, &QLineEdit::textChanged, this, &orbel_form_dialog::check_ok);
    return edit;
}

void orbel_form_dialog::set_ok_rule(std::function<bool()> rule) {
    rule_ = std::move(rule);
    check_ok();
}

void orbel_form_dialog::check_ok() {
    const bool ok = !rule_ || rule_();
    if (ok_->isEnabled() != ok) ok_->setEnabled(ok);
}
