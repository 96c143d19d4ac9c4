#include "client/content/orbel_messagebox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/common/orbel_fatal.h"
#include "client/common/orbel_resources.h"
#include "client/content/orbel_chat.h"
#include "client/content/orbel_message_rules.h"
#include "client/controls/orbel_list_control.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "gui/orbel_text.h"

using rules = orbel_message_rules;

namespace {
QIcon icon_of(int id) {
    auto image = orbel_load_png_resource(id);
    return image ? QIcon(image->pixmap()) : QIcon();
}

void set_columns(orbel_list_control* list, const QStringList& names, const QList<int>& widths) {
    list->setColumnCount(int(names.size()));
    list->setHeaderLabels(names);
    for (int i = 0; i < widths.size(); ++i) list->header()->resizeSection(i, widths[i]);
}

void select_row(orbel_list_control* list, int row) {
    if (QTreeWidgetItem* item = list->topLevelItem(row)) {
        list->clearSelection();
        list->setCurrentItem(item);
        item->setSelected(true);
    }
}
}  // namespace

orbel_messagebox::orbel_messagebox(const vux_string& site_key, const QString& site_name,
                                   const vux_desktop_contact& members, QWidget* parent)
    : orbel_message_dialog(parent), site_key_(site_key), site_name_(site_name) {
    members_.copy_from(members);
    setObjectName(QStringLiteral("120"));
    setWindowTitle(QStringLiteral("私信 - %1").arg(site_name));

    recent_list_ = new orbel_list_control(this);
    recent_list_->setObjectName(QStringLiteral("1045"));
    set_columns(recent_list_, {QStringLiteral("姓名"), QStringLiteral("最新私信"), QStringLiteral("时间")},
                {100, 400, 200});
    contacts_ = new orbel_list_control(this);
    contacts_->setObjectName(QStringLiteral("1047"));
    set_columns(contacts_, {QStringLiteral("姓名"), QStringLiteral("手机号或邮箱")}, {100, 160});

    auto* open = new QPushButton(QStringLiteral("打开"), this);
    open->setObjectName(QStringLiteral("1028"));
    auto* refresh = new QPushButton(QStringLiteral("刷新"), this);
    refresh->setObjectName(QStringLiteral("1008"));
    send_ = new QPushButton(QStringLiteral("发私信"), this);
    send_->setObjectName(QStringLiteral("1046"));
    for (QPushButton* b : {open, refresh, send_}) b->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(recent_list_, 1);
    auto* left_buttons = new QHBoxLayout;
    left_buttons->addStretch();
    left_buttons->addWidget(open);
    left_buttons->addWidget(refresh);
    left->addLayout(left_buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(contacts_, 1);
    auto* right_buttons = new QHBoxLayout;
    right_buttons->addStretch();
    right_buttons->addWidget(send_);
    right->addLayout(right_buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 1);
    resize(1060, 480);

    connect(open, &QPushButton::clicked, this, &orbel_messagebox::open_recent);
    connect(refresh, &QPushButton::clicked, this, [this] {
        stop_timer();
        poll();
    });
    connect(send_, &QPushButton::clicked, this, &orbel_messagebox::open_member);
    connect(recent_list_, &QTreeWidget::itemDoubleClicked, this, &orbel_messagebox::open_recent);
    connect(contacts_, &QTreeWidget::itemDoubleClicked, this, &orbel_messagebox::open_member);
    connect(contacts_, &QTreeWidget::itemSelectionChanged, this, &orbel_messagebox::on_idle);
    connect(&timer(), &QTimer::timeout, this, &orbel_messagebox::poll);
    fill_contacts();
    on_idle();
}

void orbel_messagebox::on_idle() { send_->setEnabled(contacts_->selectedItems().size() == 1); }

void orbel_messagebox::fill_contacts() {
    const QIcon icons[] = {icon_of(orbel_res_list_member), icon_of(orbel_res_list_contact)};
    for (int32_t i = 0; i < members_.entry_count(); ++i) {
        // Each field read within its bounds: the key fills all its 32 bytes.
        const vux_unicode units = members_.name_of(i);
        const QString name = QString::fromUtf16(units.units(), units.length());
        int row = 0;
        while (row < contacts_->topLevelItemCount() && contacts_->topLevelItem(row)->text(0).compare(name) <= 0) ++row;
        row = contacts_->insert_row(row, orbel_to_utf8(name));
        QTreeWidgetItem* item = contacts_->topLevelItem(row);
        item->setText(1, orbel_to_qstring(members_.text_of(i)));
        item->setIcon(0, icons[members_.icon_of(i, 2)]);
        contacts_->set_key(members_.key_of(i), row);
    }
    select_row(contacts_, 0);
}

int orbel_messagebox::contact_row(const vux_string& key) const {
    const int32_t index = contacts_->keys().find(key);
    return index < 0 ? -1 : contacts_->find_row(index);
}

void orbel_messagebox::poll() {
    vux_desktop_request_message request;
    rules::box_poll(site_key_, recent_, orbel_app().session, request);
    send(request);
}

void orbel_messagebox::on_message(const vux_desktop_response_message& reply) {
    const rules::merge_result merged = rules::merge(recent_, reply.recent, members_);
    for (int32_t i = 0; i < merged.replaced.count(); ++i) {
        const int32_t index = recent_list_->keys().find(merged.replaced.item_at(i));
        for (int row; index >= 0 && (row = recent_list_->find_row(index)) >= 0;)
            delete recent_list_->takeTopLevelItem(row);
    }
    const QIcon icons[] = {icon_of(orbel_res_list_read), icon_of(orbel_res_list_unread)};
    int position = 0;
    for (int32_t i : merged.shown) {
        const vux_desktop_recent& entry = *reply.recent.entries.at(i);
        const int from = contact_row(entry.key);
        if (from < 0) continue;
        const int row = recent_list_->insert_row(position++, orbel_to_utf8(contacts_->topLevelItem(from)->text(0)));
        QTreeWidgetItem* item = recent_list_->topLevelItem(row);
        item->setText(1, orbel_to_qstring(entry.text));
        item->setText(2, rules::time_text(entry.time, true));
        item->setIcon(0, icons[rules::recent_icon(entry.image)]);
        item->setData(1, Qt::UserRole, rules::recent_icon(entry.image));
        recent_list_->set_key(entry.key, row);
    }
    if (recent_list_->topLevelItemCount() > 0) select_row(recent_list_, 0);
    start_timer();
}

void orbel_messagebox::open_recent() {
    const int row = recent_list_->selected_row();
    if (row < 0) return;
    run_chat(recent_list_->key_of(row), recent_list_->topLevelItem(row)->text(0));
}

void orbel_messagebox::open_member() {
    if (contacts_->selectedItems().size() != 1) return;
    const int row = contacts_->selected_row();
    run_chat(contacts_->key_of(row), contacts_->topLevelItem(row)->text(0));
}

void orbel_messagebox::run_chat(const vux_string& member_key, const QString& member_name) {
    orbel_chat chat(site_key_, member_key, site_name_, member_name, this);
    chat.exec();
    if (orbel_ending() || !isVisible()) return;
    if (chat.sent()) {
        stop_timer();
        poll();
        return;
    }
    // Polls may have rebuilt the rows meanwhile: the row is found by its key.
    const int32_t index = recent_list_->keys().find(member_key);
    const int row = index < 0 ? -1 : recent_list_->find_row(index);
    if (QTreeWidgetItem* item = recent_list_->topLevelItem(row)) {
        item->setIcon(0, icon_of(orbel_res_list_read));
        item->setData(1, Qt::UserRole, 0);
    }
}

void orbel_run_messagebox(QWidget* parent, const vux_string& site_key, const QString& site_name,
                          const vux_desktop_contact& members) {
    orbel_messagebox box(site_key, site_name, members, parent);
    box.exec();
}
