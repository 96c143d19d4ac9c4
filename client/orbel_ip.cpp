#include "client/orbel_ip.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "client/orbel_label.h"

orbel_ip::orbel_ip(const QString& host, int port, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("132"));
    setWindowTitle(QStringLiteral("服务器地址"));

    address_ = new QLineEdit(host, this);
    address_->setObjectName(QStringLiteral("1059"));
    port_ = new QLineEdit(QString::number(port), this);
    port_->setObjectName(QStringLiteral("1104"));
    port_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), port_));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(orbel_label_for(address_, QStringLiteral("地址：")), 0, 0);
    grid->addWidget(address_, 0, 1);
    grid->addWidget(orbel_label_for(port_, QStringLiteral("端口号：")), 1, 0);
    grid->addWidget(port_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

QString orbel_ip::address() const { return address_->text(); }

int orbel_ip::port() const {
    bool ok = false;
    const int value = port_->text().toInt(&ok);
    return ok ? value : 0;
}
