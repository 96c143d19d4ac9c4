#include "client/content/orbel_item_list.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/content/orbel_add_item.h"
#include "client/content/orbel_content_rules.h"
#include "client/content/orbel_item_detail.h"
#include "client/controls/orbel_list_box.h"
#include "client/start/orbel.h"
#include "desktop/records/vux_desktop_site.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

using rules = orbel_content_rules;

namespace {

QPushButton* button(QWidget* parent, const char* id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(id));
    b->setAutoDefault(false);
    return b;
}

vux_string trimmed_utf8(const QString& text) { return orbel_to_utf8(text.trimmed()); }

vux_link link_of(const QByteArray& bytes) { return vux_link(bytes.constData(), int32_t(bytes.size())); }

template <class Dialog, class List>
int32_t run_list(QWidget* parent, const QString& name, const List& list, List& target, vux_desktop_site& update,
                 int32_t bit) {
    Dialog dialog(name, list, parent);
    if (dialog.exec() != QDialog::Accepted) return 0;
    if (dialog.export_changed(target) == 0) return 0;
    update.change_mask |= bit;
    return bit;
}
}  // namespace

orbel_item_list::orbel_item_list(const texts& t, const QString& management_name, QWidget* parent)
    : QDialog(parent), limit_(t.limit) {
    setObjectName(QLatin1String(t.id));
    setWindowTitle(t.title + QStringLiteral(" - ") + management_name);
    list_ = new orbel_list_box(this);
    list_->setObjectName(QStringLiteral("1011"));
    auto* add_button = button(this, "1027", t.add);
    detail_ = button(this, "1017", QStringLiteral("查看详情"));
    delete_ = button(this, "1007", t.remove);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = button(this, "2", QStringLiteral("取消"));
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_button, detail_, delete_}) side->addWidget(b);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(side);
    resize(520, 360);

    connect(add_button, &QPushButton::clicked, this, &orbel_item_list::add);
    connect(detail_, &QPushButton::clicked, this, &orbel_item_list::show_selected);
    connect(delete_, &QPushButton::clicked, this, &orbel_item_list::remove_selected);
    connect(list_, &QListWidget::itemDoubleClicked, this, &orbel_item_list::show_selected);
    connect(list_, &QListWidget::currentRowChanged, this, &orbel_item_list::update_buttons);
    connect(list_, &QListWidget::itemSelectionChanged, this, &orbel_item_list::update_buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void orbel_item_list::fill() {
    for (int32_t i = 0; i < item_count(); ++i) insert_row(list_->count(), i);
    update_buttons();
}

void orbel_item_list::insert_row(int row, int32_t item) {
    auto* entry = new QListWidgetItem(row_text(item));
    int32_t index = keys_.find(item_key(item));
    if (index < 0) {
        keys_.append(item_key(item));
        index = keys_.count() - 1;
    }
    entry->setData(Qt::UserRole, index);
    list_->insertItem(row, entry);
}

void orbel_item_list::update_buttons() {
    const bool selected = list_->currentRow() >= 0 && !list_->selectedItems().isEmpty();
    detail_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void orbel_item_list::add() {
    if (!rules::can_add(list_->count())) {
        orbel_get_ui().message(this, limit_);
        return;
    }
    const int32_t item = run_add();
    if (item < 0) return;
    insert_row(0, item);
    list_->setCurrentRow(0);
    update_buttons();
}

void orbel_item_list::remove_selected() {
    const int row = list_->currentRow();
    QListWidgetItem* entry = list_->item(row);
    if (!entry || !entry->isSelected()) return;
    const int32_t item = find(keys_.item_at(entry->data(Qt::UserRole).toInt()));
    if (item >= 0) state_of(item) = rules::deleted_state(state_of(item));
    delete list_->takeItem(row);
    list_->setCurrentRow(rules::selection_after_remove(row, list_->count()));
    update_buttons();
}

void orbel_item_list::show_selected() {
    QListWidgetItem* entry = list_->currentItem();
    if (!entry || !entry->isSelected()) return;
    const int32_t item = find(keys_.item_at(entry->data(Qt::UserRole).toInt()));
    if (item >= 0) run_detail(item);
}

// --- news

orbel_news::orbel_news(const QString& management_name, const vux_desktop_news_list& list, QWidget* parent)
    : orbel_item_list_of({"126", QStringLiteral("新闻"), QStringLiteral("新建新闻"), QStringLiteral("删除新闻"),
                          QStringLiteral("新闻总数不能超过50个。")},
                         management_name, list, parent) {
    fill();
}

QString orbel_news::row_text(int32_t i) const { return orbel_to_qstring(list_.items.at(i)->title); }

int32_t orbel_news::run_add() {
    orbel_add_news dialog(this);
    if (dialog.exec() != QDialog::Accepted) return -1;
    const vux_string key = rules::take_key(list_);
    list_.add_news(key, orbel_app().session.account, trimmed_utf8(dialog.title()), trimmed_utf8(dialog.content()),
                   link_of(dialog.picture()), dialog.comments());
    return list_.items.get_count() - 1;
}

// --- notices

orbel_notice::orbel_notice(const QString& management_name, const vux_desktop_notice_list& list, QWidget* parent)
    : orbel_item_list_of({"127", QStringLiteral("通知"), QStringLiteral("新建通知"), QStringLiteral("删除通知"),
                          QStringLiteral("通知总数不能超过50个。")},
                         management_name, list, parent) {
    fill();
}

QString orbel_notice::row_text(int32_t i) const { return orbel_to_qstring(list_.items.at(i)->content); }

int32_t orbel_notice::run_add() {
    orbel_add_notice dialog(this);
    if (dialog.exec() != QDialog::Accepted) return -1;
    const vux_string key = rules::take_key(list_);
    list_.add_notice(key, orbel_app().session.account, trimmed_utf8(dialog.content()), link_of(dialog.picture()),
                     dialog.members_only(), dialog.push(), dialog.show_receivers());
    return list_.items.get_count() - 1;
}

// --- votes

orbel_vote::orbel_vote(const QString& management_name, const vux_desktop_vote_list& list, QWidget* parent)
    : orbel_item_list_of({"129", QStringLiteral("投票"), QStringLiteral("新建投票"), QStringLiteral("删除投票"),
                          QStringLiteral("投票总数不能超过50个。")},
                         management_name, list, parent) {
    fill();
}

QString orbel_vote::row_text(int32_t i) const { return orbel_to_qstring(list_.items.at(i)->content); }

int32_t orbel_vote::run_add() {
    orbel_add_vote dialog(this);
    if (dialog.exec() != QDialog::Accepted) return -1;
    vux_string_list options;
    for (const QString& option : dialog.options()) options.append(orbel_to_utf8(option));
    const vux_string key = rules::take_key(list_);
    list_.add_vote(options, key, orbel_app().session.account, trimmed_utf8(dialog.content()), link_of(dialog.picture()),
                   dialog.valid_days(), dialog.max_selections(), dialog.members_only(), dialog.comments());
    return list_.items.get_count() - 1;
}

// --- the site manager's steps

int32_t orbel_run_news(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                       vux_desktop_site& update) {
    return run_list<orbel_news>(parent, management_name, site.news, update.news, update, vux_desktop_site_change::news);
}

int32_t orbel_run_notices(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                          vux_desktop_site& update) {
    return run_list<orbel_notice>(parent, management_name, site.notices, update.notices, update,
                                  vux_desktop_site_change::notices);
}

int32_t orbel_run_votes(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                        vux_desktop_site& update) {
    return run_list<orbel_vote>(parent, management_name, site.votes, update.votes, update,
                                vux_desktop_site_change::votes);
}
