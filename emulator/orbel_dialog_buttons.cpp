#include "emulator/orbel_dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* orbel_dialog_buttons(QDialog* dialog, QWidget* first) {
    auto* ok = new QPushButton(QStringLiteral("确定"), dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), dialog);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    if (first) row->addWidget(first);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
