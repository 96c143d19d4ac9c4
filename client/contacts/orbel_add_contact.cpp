#include "client/contacts/orbel_add_contact.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/contacts/orbel_contact_table.h"
#include "client/contacts/orbel_contact_widgets.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "core/vux_unicode.h"
#include "desktop/orbel_contact_key.h"
#include "desktop/orbel_md5.h"
#include "gui/orbel_text.h"

namespace {
QPushButton* button(QWidget* parent, const char* id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(id));
    return b;
}

bool is_valid_name(const QString& name) {
    return vux_unicode(reinterpret_cast<const char16_t*>(name.utf16()), int32_t(name.size())).is_valid_name();
}
}  // namespace

orbel_add_contact::orbel_add_contact(bool remember, const orbel_address_book& book, QWidget* parent)
    : QDialog(parent), book_(book) {
    setObjectName(QStringLiteral("110"));
    setWindowTitle(QStringLiteral("添加联系人"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("1023"));
    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("1024"));
    remember_ = new QCheckBox(QStringLiteral("在本地记住所添加的联系人"), this);
    remember_->setObjectName(QStringLiteral("1015"));
    remember_->setChecked(remember);
    list_ = orbel_book_list(this, book_, QStringLiteral("手机号或邮箱"), false);
    pick_ = button(this, "1025", QStringLiteral("添加选中"));
    delete_ = button(this, "1007", QStringLiteral("删除选中"));

    auto* grid = new QGridLayout;
    grid->addWidget(orbel_label_for(name_, QStringLiteral("姓名：")), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(orbel_label_for(value_, QStringLiteral("手机号或邮箱：")), 1, 0);
    grid->addWidget(value_, 1, 1);
    grid->addWidget(remember_, 2, 1);
    auto* list_buttons = new QHBoxLayout;
    list_buttons->addWidget(pick_);
    list_buttons->addWidget(delete_);
    list_buttons->addStretch();
    QHBoxLayout* buttons = orbel_ok_cancel_row(this, &ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(list_);
    layout->addLayout(list_buttons);
    layout->addLayout(buttons);

    auto* tips = new orbel_tool_tips(this);
    tips->set_active(orbel_hints_off() == 0);
    tips->add(name_, QStringLiteral("　输入联系人的真实姓名。"));
    tips->add(value_,
              QStringLiteral(
                  "　出于安全的考虑，系统会对手机号进行不可逆加密。也可以直接输入手机号的加密形式，加密算法采用MD5。"));
    tips->add(remember_, QStringLiteral("　联系人信息只会保留在本地，不会上传到服务器。"));
    tips->add(pick_, QStringLiteral("　可以多选同时添加多个联系人。"));
    tips->add(delete_, QStringLiteral("　只删除本地保留的联系人信息。"));

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pick_, &QPushButton::clicked, this, &orbel_add_contact::pick);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &orbel_add_contact::pick);
    connect(delete_, &QPushButton::clicked, this, &orbel_add_contact::delete_selected);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &orbel_add_contact::on_selection);
    connect(name_, &QLineEdit::textChanged, this, &orbel_add_contact::check_buttons);
    connect(value_, &QLineEdit::textChanged, this, &orbel_add_contact::check_buttons);
    resize(420, 400);
    check_buttons();
}

bool orbel_add_contact::ok_allowed(int selected_rows, const QString& name, const QString& value) {
    if (selected_rows >= 2 || !is_valid_name(name.trimmed())) return false;
    const vux_string v = orbel_to_utf8(value.toUpper());
    return v.is_mobile_number() || orbel_is_md5_hex(orbel_contact_canonical(v)) || v.is_email_address();
}

QString orbel_add_contact::name() const { return name_->text(); }
QString orbel_add_contact::value() const { return value_->text(); }
bool orbel_add_contact::remember() const { return remember_->isChecked(); }

void orbel_add_contact::remember_typed() const {
    if (!remember()) return;
    // The value as typed: the book is the user's own list; the key made of
    // it is the same in any case.
    const vux_string line = orbel_to_utf8(value()) + " " + orbel_to_utf8(name().trimmed());
    book_.add(line);
}

void orbel_add_contact::check_buttons() {
    const int selected = int(list_->selectedItems().size());
    ok_->setEnabled(ok_allowed(selected, name_->text(), value_->text()));
    pick_->setEnabled(selected > 0);
    delete_->setEnabled(selected > 0);
}

void orbel_add_contact::on_selection() {
    const QList<QTreeWidgetItem*> items = list_->selectedItems();
    if (items.size() == 1) {
        name_->setText(items[0]->text(0));
        value_->setText(items[0]->text(1));
    }
    check_buttons();
}

void orbel_add_contact::pick() {
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list_->topLevelItem(row);
        if (item->isSelected()) picked_.emplace_back(item->text(0), item->text(1));
    }
    if (!picked_.empty()) accept();
}

void orbel_add_contact::delete_selected() {
    std::vector<int> selected;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        if (list_->topLevelItem(row)->isSelected()) selected.push_back(row);
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(*row);
        book_.remove(orbel_to_utf8(item->text(1) + QLatin1Char(' ') + item->text(0)));
        delete list_->takeTopLevelItem(*row);
    }
    const int next = orbel_contact_table::selection_after_delete(selected, list_->topLevelItemCount());
    list_->clearSelection();
    if (next >= 0) list_->topLevelItem(next)->setSelected(true);
    check_buttons();
}
