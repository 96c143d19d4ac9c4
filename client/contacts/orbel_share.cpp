#include "client/contacts/orbel_share.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/contacts/orbel_contact_widgets.h"
#include "client/contacts/orbel_number_list.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

namespace {
constexpr int32_t share_operation = 3;
}

orbel_share::orbel_share(int32_t count, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("116"));
    setWindowTitle(QStringLiteral("分享"));
    auto* count_label = new QLabel(QStringLiteral("总的分享数：%1").arg(count), this);
    count_label->setObjectName(QStringLiteral("1044"));
    numbers_text_ = new QPlainTextEdit(this);
    numbers_text_->setObjectName(QStringLiteral("1038"));
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = orbel_ok_cancel_row(this, &ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count_label);
    layout->addWidget(numbers_text_);
    layout->addLayout(buttons);
    auto* tips = new orbel_tool_tips(this);
    tips->set_active(orbel_hints_off() == 0);
    tips->add(numbers_text_,
              QStringLiteral(
                  "　出于安全的考虑，系统会对手机号进行不可逆加密。也可以直接输入手机号的加密形式，加密算法采用MD5。"));
    connect(ok, &QPushButton::clicked, this, &orbel_share::accept);
    resize(360, 360);
}

void orbel_share::accept() {
    orbel_number_list::share_outcome o = orbel_number_list::share_rule(orbel_crlf_lines(numbers_text_->toPlainText()));
    digests_ = std::move(o.digests);
    if (!o.message.isEmpty()) orbel_get_ui().message(this, o.message);
    if (o.close) QDialog::accept();
}

bool orbel_share::run(const vux_desktop_site& site, const vux_string& key, QWidget* parent,
                      vux_desktop_request_site& request) {
    orbel_share dialog(site.count_share_entries(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    request.operation = share_operation;
    request.key = key;
    request.data = dialog.digests();
    return true;
}
