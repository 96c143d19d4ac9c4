#include "client/contacts/orbel_contact_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/common/orbel_resources.h"
#include "client/contacts/orbel_add_contact.h"
#include "client/contacts/orbel_add_file.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

const orbel_contact_page::kind orbel_contact_member::page{
    "139", "成员", "1027", "添加成员", "1099", "1007", "删除成员", "1011", 100, "成员总数不能超过%d个。"};
const orbel_contact_page::kind orbel_contact_waiter::page{
    "140", "服务员", "1089", "添加服务员", "1101", "1092", "删除服务员", "1088", 50, "服务员总数不能超过%d个。"};
const orbel_contact_page::kind orbel_contact_manager::page{
    "141", "管理员", "1056", "添加管理员", "1100", "1026", "删除管理员", "1052", 10, "管理员总数不能超过%d个。"};

namespace {
QPushButton* button(QWidget* parent, const char* id, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QLatin1String(id));
    return b;
}

QIcon icon_of(int id) {
    std::unique_ptr<orbel_image> image = orbel_load_png_resource(id);
    return image ? QIcon(image->pixmap()) : QIcon();
}

QString to_qstring(const vux_unicode& u) { return QString::fromUtf16(u.units(), u.length()); }
vux_unicode to_unicode(const QString& s) {
    return vux_unicode(reinterpret_cast<const char16_t*>(s.utf16()), int32_t(s.size()));
}
}  // namespace

orbel_contact_page::orbel_contact_page(const kind& k, int32_t& remember_contacts, QWidget* parent)
    : QWidget(parent), kind_(k), remember_(remember_contacts), table_(k.limit) {
    setObjectName(QLatin1String(k.id));
    list_ = new orbel_list_control(this);
    list_->setObjectName(QLatin1String(k.list_id));
    list_->setHeaderLabels({QStringLiteral("姓名"), QStringLiteral("手机号或邮箱")});
    list_->setColumnWidth(0, 100);
    list_->setColumnWidth(1, 160);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setIconSize(QSize(16, 16));
    icons_[0] = icon_of(orbel_res_list_member);
    icons_[1] = icon_of(orbel_res_list_contact);
    auto* add = button(this, k.add_id, k.add_text);
    auto* import = button(this, k.import_id, "文件导入");
    delete_ = button(this, k.delete_id, k.delete_text);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(import);
    buttons->addWidget(delete_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
    tips_->add(import,
               QStringLiteral("　每行一个联系人：姓名，空格或逗号，手机号或电子邮箱。支持UTF-16、UTF-8和GBK编码。"));
    connect(add, &QPushButton::clicked, this, &orbel_contact_page::on_add);
    connect(import, &QPushButton::clicked, this, &orbel_contact_page::on_import);
    connect(delete_, &QPushButton::clicked, this, &orbel_contact_page::on_delete);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &orbel_contact_page::check_buttons);
    check_buttons();
}

QString orbel_contact_page::limit_message() const { return QString::asprintf(kind_.limit_message, kind_.limit); }

void orbel_contact_page::fill(const vux_desktop_contact& table) {
    table_.fill(table);
    show_rows(0);
}

bool orbel_contact_page::export_to(vux_desktop_contact& target) const {
    const int32_t before = target.entry_count();
    vux_desktop_contact::export_changed(table_.holder(), target);
    return target.entry_count() > before;
}

void orbel_contact_page::show_rows(int select) {
    list_->clear();
    for (const orbel_contact_table::row& r : table_.rows()) {
        const int row = list_->insert_row(list_->topLevelItemCount(), to_qstring(r.name).toUtf8().constData());
        list_->set_text(row, r.shown);
        list_->set_key(r.key, row);
        list_->topLevelItem(row)->setIcon(0, icons_[r.icon == 1 ? 1 : 0]);
    }
    if (select >= 0 && select < list_->topLevelItemCount()) {
        list_->topLevelItem(select)->setSelected(true);
        list_->setCurrentItem(list_->topLevelItem(select), 0, QItemSelectionModel::NoUpdate);
    }
    check_buttons();
}

void orbel_contact_page::check_buttons() { delete_->setEnabled(!list_->selectedItems().isEmpty()); }

void orbel_contact_page::add_pairs(const std::vector<std::pair<QString, QString>>& pairs) {
    const int selected = list_->selected_row();
    bool dropped = false;
    for (const auto& [name, value] : pairs) {
        // A full page takes nothing more: the rest is not walked.
        if (table_.add_one(to_unicode(name), orbel_to_utf8(value)) == orbel_contact_table::added::full) {
            dropped = true;
            break;
        }
    }
    show_rows(selected >= 0 ? selected : 0);
    if (dropped) orbel_get_ui().message(this, limit_message());
}

void orbel_contact_page::on_add() {
    if (table_.full()) {
        orbel_get_ui().message(this, limit_message());
        return;
    }
    orbel_add_contact dialog(remember_ != 0, book_, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    remember_ = dialog.remember() ? 1 : 0;
    if (!ok) return;
    if (!dialog.picked().empty()) return add_pairs(dialog.picked());
    dialog.remember_typed();
    add_pairs({{dialog.name().trimmed(), dialog.value().toUpper()}});
}

void orbel_contact_page::on_import() {
    const QString path =
        orbel_get_ui().open_file_name(this, QStringLiteral("文本文件(*.txt)"), QStringLiteral("文件导入"));
    if (path.isEmpty()) return;
    orbel_textfile file;
    const orbel_import_error error = orbel_import_file(path, file);
    if (error != orbel_import_error::none) {
        if (error != orbel_import_error::unopened) orbel_get_ui().message(this, orbel_import_message(error));
        return;
    }
    orbel_add_file preview(orbel_import_preview(file), this);
    if (preview.exec() != QDialog::Accepted) return;
    std::vector<std::pair<QString, QString>> pairs;
    for (const orbel_textfile::pair& p : file.pairs())
        pairs.emplace_back(to_qstring(p.name), QString::fromUtf8(p.value.data(), p.value.length()));
    add_pairs(pairs);
}

void orbel_contact_page::on_delete() {
    std::vector<int> selected;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        if (list_->topLevelItem(row)->isSelected()) selected.push_back(row);
    if (selected.empty()) return;
    show_rows(table_.delete_rows(selected));
}
