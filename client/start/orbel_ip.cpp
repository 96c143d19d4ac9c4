#include "client/start/orbel_ip.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

orbel_ip::orbel_ip(const QString& host, int port, QWidget* parent)
    : orbel_form_dialog("132", QStringLiteral("服务器地址"), parent) {
    address_ = add_edit("1059", QStringLiteral("地址："), QString());
    address_->setText(host);
    port_ = add_edit("1104", QStringLiteral("端口号："), QString());
    port_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), port_));
    port_->setText(QString::number(port));
}

QString orbel_ip::address() const { return address_->text(); }

int orbel_ip::port() const {
    bool ok = false;
    const int value = port_->text().toInt(&ok);
    return ok ? value : 0;
}
