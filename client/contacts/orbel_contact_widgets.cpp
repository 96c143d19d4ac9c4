#include "client/contacts/orbel_contact_widgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "client/contacts/orbel_address_book.h"
#include "client/controls/orbel_list_control.h"
#include "gui/orbel_text.h"

QHBoxLayout* orbel_ok_cancel_row(QDialog* dialog, QPushButton** ok) {
    auto* ok_button = new QPushButton(QStringLiteral("确定"), dialog);
    ok_button->setObjectName(QStringLiteral("1"));
    ok_button->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), dialog);
    cancel->setObjectName(QStringLiteral("2"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok_button);
    row->addWidget(cancel);
    *ok = ok_button;
    return row;
}

orbel_list_control* orbel_book_list(QDialog* dialog, const orbel_address_book& book, const QString& value_title,
                                    bool mobile_only) {
    auto* list = new orbel_list_control(dialog);
    list->setObjectName(QStringLiteral("1011"));
    list->setHeaderLabels({QStringLiteral("姓名"), value_title});
    list->setColumnWidth(0, 150);
    list->setColumnWidth(1, 200);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    vux_string_list lines;
    book.read(lines);  // an unreadable book shows no rows and is never written
    for (int32_t i = 0; i < lines.count(); ++i) {
        vux_string value;
        QString name;
        if (!orbel_address_book_entry(lines.item_at(i), mobile_only, value, name)) continue;
        const int row = list->insert_row(list->topLevelItemCount(), orbel_to_utf8(name));
        list->set_text(row, value);
    }
    return list;
}
