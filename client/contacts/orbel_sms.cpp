#include "client/contacts/orbel_sms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "client/contacts/orbel_contact_widgets.h"
#include "client/contacts/orbel_number_list.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_sms.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

orbel_sms::orbel_sms(const QString& site_name, const orbel_address_book& book, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("123"));
    setWindowTitle(QStringLiteral("发送短信通知用户下载【Quellmark】手机客户端软件"));
    text_ = new QLineEdit(site_name, this);
    text_->setObjectName(QStringLiteral("1061"));
    numbers_text_ = new QPlainTextEdit(this);
    numbers_text_->setObjectName(QStringLiteral("1038"));
    list_ = orbel_book_list(this, book, QStringLiteral("手机号"), true);
    pick_ = new QPushButton(QStringLiteral("添加选中"), this);
    pick_->setObjectName(QStringLiteral("1025"));

    auto* top = new QHBoxLayout;
    top->addWidget(orbel_label_for(text_, QStringLiteral("验证信息：")));
    top->addWidget(text_);
    auto* middle = new QHBoxLayout;
    middle->addWidget(numbers_text_);
    auto* book_side = new QVBoxLayout;
    book_side->addWidget(list_);
    book_side->addWidget(pick_, 0, Qt::AlignLeft);
    middle->addLayout(book_side);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = orbel_ok_cancel_row(this, &ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(orbel_label_for(numbers_text_, QStringLiteral("手机号（每行一个）：")));
    layout->addLayout(middle);
    layout->addLayout(buttons);

    auto* tips = new orbel_tool_tips(this);
    tips->set_active(orbel_hints_off() == 0);
    tips->add(numbers_text_,
              QStringLiteral("　每次发送最多100条。发送完短信后，手机号信息会被自动删除，系统不会存储这部分信息。"));

    connect(ok, &QPushButton::clicked, this, &orbel_sms::accept);
    connect(pick_, &QPushButton::clicked, this, &orbel_sms::pick);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &orbel_sms::pick);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { pick_->setEnabled(!list_->selectedItems().isEmpty()); });
    pick_->setEnabled(false);
    resize(560, 380);
}

QString orbel_sms::text() const { return text_->text(); }

void orbel_sms::pick() {
    QString added;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        if (list_->topLevelItem(row)->isSelected()) added += list_->topLevelItem(row)->text(1) + QLatin1Char('\n');
    if (added.isEmpty()) return;
    QString text = numbers_text_->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
    numbers_text_->setPlainText(text + added);
    numbers_text_->moveCursor(QTextCursor::End);
    numbers_text_->verticalScrollBar()->setValue(numbers_text_->verticalScrollBar()->maximum());
}

void orbel_sms::accept() {
    const orbel_number_list::sms_outcome o =
        orbel_number_list::sms_rule(text_->text(), orbel_crlf_lines(numbers_text_->toPlainText()));
    numbers_ = o.numbers;
    if (!o.message.isEmpty()) orbel_get_ui().message(this, o.message);
    if (o.close) QDialog::accept();
}

bool orbel_sms::run(const vux_string& site_key, const QString& site_name, QWidget* parent,
                    vux_desktop_request_sms& request, const orbel_address_book& book) {
    orbel_sms dialog(site_name, book, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    request.site_key = site_key;
    request.text = orbel_to_utf8(dialog.text().trimmed());
    request.numbers = dialog.numbers();
    return true;
}
