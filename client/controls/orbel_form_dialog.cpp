#include "client/controls/orbel_form_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/controls/orbel_label.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/manager/orbel_ok_rules.h"
#include "client/start/orbel.h"

orbel_form_dialog::orbel_form_dialog(const char* id, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(id));
    setWindowTitle(title);
    grid_ = new QGridLayout;
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("1"));
    // Enter is this dialog's own (keyPressEvent): no button takes it over
    // by having had the focus.
    ok_->setDefault(true);
    ok_->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
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
    // Room for a long e-mail address ("someone.longer.name@example.com.cn").
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    const int row = int(fields_.size());
    grid_->addWidget(orbel_label_for(edit, label), row, 0);
    grid_->addWidget(edit, row, 1);
    fields_.push_back(edit);
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

void orbel_form_dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // The title bar shows the whole title (the transfer's carries the site's
    // key): its text, the window's icon and buttons beside it.
    const int title_width = QFontMetrics(font()).horizontalAdvance(windowTitle()) + 120;
    if (minimumWidth() < title_width) setMinimumWidth(title_width);
    if (width() < minimumWidth()) resize(minimumWidth(), height());
    if (fields_.empty()) return;
    QLineEdit* first = fields_.front();
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

void orbel_form_dialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return QDialog::keyPressEvent(event);
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    switch (orbel_ok_rules::on_enter(ok_->isEnabled(), button != nullptr)) {
    case orbel_ok_rules::enter::accept: accept(); break;
    case orbel_ok_rules::enter::press_button: button->click(); break;
    case orbel_ok_rules::enter::nothing: break;
    }
    event->accept();
}
