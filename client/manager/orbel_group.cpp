#include "client/manager/orbel_group.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QResizeEvent>
#include <algorithm>
#include <iterator>

#include "client/common/orbel_fatal.h"
#include "client/common/orbel_web.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/manager/orbel_group_acquire.h"
#include "client/manager/orbel_group_create.h"
#include "client/manager/orbel_group_rename.h"
#include "client/manager/orbel_group_transfer.h"
#include "client/manager/orbel_password.h"
#include "client/start/orbel.h"
#include "client/start/orbel_banner.h"
#include "client/start/orbel_main.h"
#include "desktop/messages/vux_desktop_request_group.h"
#include "desktop/messages/vux_desktop_request_profile.h"
#include "desktop/messages/vux_desktop_request_sms.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_password.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "desktop/messages/vux_desktop_response_sms.h"
#include "desktop/records/vux_desktop_group.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

namespace {

enum group_operation : int32_t { op_list = 1, op_create, op_rename, op_transfer, op_cancel, op_acquire, op_delete };
enum group_state : int32_t { own = 0, offered = 1, offered_to_us = 3 };
constexpr int32_t site_update = 2;
constexpr int32_t site_share = 3;

struct button_text {
    int id;
    const char16_t* label;
    const char16_t* tip;  // null for none
};

// Both rows of buttons, in order.
constexpr button_text button_texts[] = {
    {1006, u"新建", u"　创建一个新的站点。"},
    {1016, u"编辑", u"　修改选中站点的数据。"},
    {1047, u"联系人",
     u"　给选中站点添加（删除）成员和管理员。在允许服务员与成员之间发私信时，可以添加（删除）服务员。"},
    {1009, u"重命名", u"　更改选中站点的名称。"},
    {1014, u"移交", u"　将选中站点移交给指定用户，站点移交后需重新激活。使用该功能需要成为会员用户。"},
    {1007, u"删除", u"　删除选中的站点。"},
    {1065, u"复制到", u"　以选中站点为蓝本创建新的站点，使用该功能需要成为会员用户。"},
    {1041, u"分享", u"　将选中站点分享给更多的手机用户。"},
    {1022, u"私信", u"　查看或者给手机用户发送私信。"},
    {1049, u"下载提醒", u"　以短信方式提醒手机用户下载【Quellmark】手机客户端。使用该功能需要成为会员用户。"},
    {1079, u"投票", u"　新增或者删除选中站点的投票数据。"},
    {1096, u"主页", u"　设置选中站点主页内容，包括网页，简介，服务电话，地图，位置等。"},
    {1043, u"新闻", u"　新增或者删除选中站点的新闻数据。"},
    {1020, u"通知", u"　新增或者删除选中站点的通知数据。"},
    {1002, u"修改密码", u"　修改登录密码。"},
    {1008, u"刷新", u"　从服务器端获取最新站点数据。"},
    {1040, u"帮助", u"　转到官方网站查看常见问题。"},
    {1091, u"手机模拟器", u"　在PC上完成大部分手机功能。"},
};
// Shown in the site list while the account has no site.
constexpr const char16_t* empty_list_hint = u"还没有站点。点击“新建”创建一个新的站点。";

constexpr int buttons_per_row = 9;
constexpr int margin = 10;
constexpr int button_width = 80;
constexpr int button_height = 26;
constexpr int spacing = 5;

QString text_of(const char16_t* text) { return QString::fromUtf16(text); }

// Where the two rows of buttons and the list go below the banner. Every
// button is as wide as the widest label needs, at least button_width.
struct button_grid {
    int each;  // the width of every button
    int top;   // the first row's

    static button_grid of(const std::map<int, QPushButton*>& buttons, int banner_height) {
        int widest = button_width;
        for (const auto& entry : buttons) widest = std::max(widest, entry.second->sizeHint().width());
        return {widest, banner_height + margin};
    }
    QRect at(int index) const {
        return QRect(margin + (index % buttons_per_row) * (each + spacing),
                     top + (index / buttons_per_row) * (button_height + spacing), each, button_height);
    }
    int list_top() const {
        const int rows = (int(std::size(button_texts)) + buttons_per_row - 1) / buttons_per_row;
        return top + rows * (button_height + spacing) + margin - spacing;
    }
    // The least size that shows every button whole and a few rows of the list.
    QSize minimum(int list_height) const {
        return QSize(2 * margin + buttons_per_row * each + (buttons_per_row - 1) * spacing,
                     list_top() + list_height + margin);
    }
};

// Hands the keys pressed in a widget to `on_key`, which says whether it took them.
class key_relay final : public QObject {
public:
    key_relay(QWidget* widget, std::function<bool(int key)> on_key) : QObject(widget), on_key_(std::move(on_key)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && on_key_(static_cast<QKeyEvent*>(event)->key())) return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(int key)> on_key_;
};

QString status_text(const vux_desktop_group& group, const vux_desktop_site* site, const QString& current) {
    if (!site) return {};
    return orbel_group_rules::status(group, *site).value_or(current);
}

}  // namespace

orbel_group::orbel_group(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("103"));
    banner_ = new orbel_banner(this);
    banner_->setObjectName(QStringLiteral("1055"));
    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
    for (const button_text& b : button_texts) {
        auto* button = new QPushButton(text_of(b.label), this);
        button->setObjectName(QString::number(b.id));
        button->setAutoDefault(false);
        // A click leaves the focus on the site list, which then has it back
        // when the command's dialog closes; Tab still reaches the button.
        button->setFocusPolicy(Qt::TabFocus);
        if (b.tip) tips_->add(button, text_of(b.tip));
        connect(button, &QPushButton::clicked, this, [this, id = b.id] { run_command(id); });
        buttons_[b.id] = button;
    }
    list_ = new orbel_list_control(this);
    list_->setObjectName(QStringLiteral("1011"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("显示名称"), QStringLiteral("状态")});
    list_->setColumnWidth(0, 150);
    list_->setColumnWidth(1, 300);
    list_->setColumnWidth(2, 150);
    list_->header()->setStretchLastSection(false);
    list_->setAccessibleName(QStringLiteral("站点"));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { run_command(1016); });
    new key_relay(list_, [this](int key) {
        const std::optional<int> command = orbel_group_rules::list_key_command(key, !selected_key().empty());
        if (command) run_command(*command);
        return command.has_value();
    });
    // The list is where a signed-in administrator starts: it has the focus.
    list_->setFocus();
    // The header and four rows of the list below the buttons.
    const int list_height = list_->header()->sizeHint().height() + 4 * (list_->fontMetrics().height() + 6);
    setMinimumSize(button_grid::of(buttons_, banner_->sizeHint().height()).minimum(list_height));

    if (auto* app = orbel::instance())
        app->site_list.set_on_arrived([this](const vux_string& key) { site_arrived(key); });
    resize(800, 600);
}

orbel_group::~orbel_group() {
    if (auto* app = orbel::instance()) app->site_list.set_on_arrived(nullptr);
    set_busy(false);
}

void orbel_group::start() {
    vux_desktop_request_profile request;
    request.session.copy_from(orbel_app().session);
    send(request, vux_desktop_response_profile::code);
}

void orbel_group::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The banner keeps its place and height and reaches the right edge; the
    // list keeps its place and leaves its left margin on the right and below.
    const int banner_height = banner_->sizeHint().height();
    banner_->setGeometry(0, 0, width(), banner_height);
    const button_grid grid = button_grid::of(buttons_, banner_height);
    for (size_t i = 0; i < std::size(button_texts); ++i) buttons_[button_texts[i].id]->setGeometry(grid.at(int(i)));
    const int top = grid.list_top();
    list_->setGeometry(margin, top, std::max(0, width() - 2 * margin), std::max(0, height() - top - margin));
}

// ---- state ------------------------------------------------------------------

const vux_desktop_group* orbel_group::group_of(const vux_string& key) const {
    const auto it = row_of_key_.find(key.str());
    if (it == row_of_key_.end()) return nullptr;
    return orbel_app().document.groups.groups.at(it->second);
}

vux_string orbel_group::selected_key() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? vux_string() : list_->key_of(rows.first().row());
}

orbel_group_rules::state orbel_group::current_state() const {
    orbel_group_rules::state s;
    s.busy = busy_;
    const orbel& app = orbel_app();
    s.cache_busy = app.site_list.busy();
    const vux_string key = selected_key();
    if (key.empty()) return s;
    s.group = group_of(key);
    if (s.group) s.site = app.site_list.find(key);
    return s;
}

void orbel_group::refresh_commands() {
    const orbel_group_rules::state s = current_state();
    for (int id : orbel_group_rules::command_ids()) {
        QWidget* control = id == 1011 ? static_cast<QWidget*>(list_) : buttons_.count(id) ? buttons_[id] : nullptr;
        const bool enabled = orbel_group_rules::enabled(id, s);
        if (control && control->isEnabled() != enabled) control->setEnabled(enabled);
    }
}

void orbel_group::set_busy(bool on) {
    busy_ = on;
    if (on)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

// ---- requests ---------------------------------------------------------------

void orbel_group::send(const vux_object& request, int32_t expected) {
    orbel& app = orbel_app();
    set_busy(true);
    forget_replies();  // only the latest request counts
    expect(app.socket_list.send_request(request, app.service_host, quint16(app.service_port),
                                        orbel_to_qstring(app.service_path), this),
           expected);
}

void orbel_group::send_group(int32_t operation, std::initializer_list<vux_string> arguments) {
    vux_desktop_request_group request;
    request.operation = operation;
    for (const vux_string& a : arguments) request.arguments.append(a);
    request.session.copy_from(orbel_app().session);
    last_operation_ = operation;
    last_key_ = arguments.size() ? *arguments.begin() : vux_string();
    send(request, vux_desktop_response_group::code);
}

void orbel_group::send_update(const vux_string& key, std::unique_ptr<vux_desktop_request_site> update) {
    if (!update || update->site.change_mask == 0 || orbel_ending()) return;
    update->operation = site_update;
    update->key = key;
    orbel_app().site_list.send_update(std::move(update));
}

void orbel_group::send_share(const vux_string& key, const vux_buffer& entries) {
    if (orbel_ending()) return;
    auto request = std::make_unique<vux_desktop_request_site>();
    request->operation = site_share;
    request->key = key;
    request->data = entries;
    orbel_app().site_list.send_update(std::move(request));
}

void orbel_group::send_sms(const vux_string& key, const QString& text, const vux_string_list& numbers) {
    if (busy_ || orbel_ending()) return;
    vux_desktop_request_sms request;
    request.site_key = key;
    request.text = orbel_to_utf8(text.trimmed());
    request.numbers = numbers;
    request.session.copy_from(orbel_app().session);
    send(request, vux_desktop_response_sms::code);
}

// ---- replies ----------------------------------------------------------------

void orbel_group::take_failure() {
    set_busy(false);
    apply(orbel_group_outcome::on_failure());
}

void orbel_group::take_reply(int32_t code, std::unique_ptr<vux_record> decoded) {
    set_busy(false);
    orbel& app = orbel_app();
    switch (code) {
    case vux_desktop_response_profile::code: {
        const auto reply = reply_as<vux_desktop_response_profile>(std::move(decoded));
        const orbel_group_outcome out = orbel_group_outcome::on_profile_reply(reply.get());
        if (reply && !out.fatal) app.profile.value = reply->profile.value;
        return apply(out);
    }
    case vux_desktop_response_group::code: {
        const auto reply = reply_as<vux_desktop_response_group>(std::move(decoded));
        const orbel_group_outcome out = orbel_group_outcome::on_group_reply(reply.get());
        const int32_t operation = std::exchange(last_operation_, 0);
        const vux_string key = std::exchange(last_key_, vux_string());
        // A refused create leaves nothing to open.
        if (out.refused && operation == op_create) forget_created();
        if (out.take_document) {
            if (operation == op_create && !reply->document.groups.text.empty()) {
                created_key_ = reply->document.groups.text;
                // The service may give a new site the key of one deleted
                // before: a copy cached under it is the old site's, and the
                // new one opens from its own fetch.
                app.site_list.forget(*created_key_);
            }
            // The service activates an acquired site anew: the cached copy is stale.
            if (operation == op_acquire) app.site_list.forget(key);
            take_document(reply->document);
        }
        return apply(out);
    }
    case vux_desktop_response_sms::code:
        return apply(orbel_group_outcome::on_sms_reply(reply_as<vux_desktop_response_sms>(std::move(decoded)).get()));
    case vux_desktop_response_password::code: {
        const auto reply = reply_as<vux_desktop_response_password>(std::move(decoded));
        const orbel_group_outcome out = orbel_group_outcome::on_password_reply(
            reply.get(), orbel_get_profile_password(), std::exchange(chosen_password_, QString()));
        if (out.remembered_password) orbel_write_setting_text(orbel_key_password, *out.remembered_password);
        return apply(out);
    }
    }
}

void orbel_group::apply(const orbel_group_outcome& outcome) {
    if (outcome.fatal) return orbel_fatal_message(outcome.message);
    if (outcome.send_list) send_group(op_list, {});
    if (!outcome.message.isEmpty()) {
        QPointer<orbel_group> self(this);
        orbel_get_ui().message(this, outcome.message);
        if (!self) return;
    }
    send_waiting_delete();
}

void orbel_group::take_document(vux_desktop_document& document) {
    orbel& app = orbel_app();
    app.document.value = document.value;
    app.document.groups.text = std::move(document.groups.text);
    app.document.groups.groups = std::move(document.groups.groups);
    app.document.strings = std::move(document.strings);
    refill();
    app.site_list.enqueue_missing(app.document.groups);
}

void orbel_group::refill() {
    const orbel& app = orbel_app();
    const auto& groups = app.document.groups.groups;
    list_->clear();
    row_of_key_.clear();
    row_of_key_.reserve(size_t(groups.get_count()));
    QList<QTreeWidgetItem*> items;
    items.reserve(groups.get_count());
    for (int32_t i = 0; i < groups.get_count(); ++i) {
        const vux_desktop_group& g = *groups.at(i);
        // The texts go in at construction: one column list per row, not one
        // growth of it per setText.
        const vux_desktop_site* site = app.site_list.find(g.name);
        auto* item =
            new QTreeWidgetItem(site ? QStringList{orbel_to_qstring(g.display_name), orbel_to_qstring(site->name),
                                                   status_text(g, site, QString())}
                                     : QStringList{orbel_to_qstring(g.display_name)});
        item->setData(0, Qt::UserRole, list_->key_index(g.name));
        items.append(item);
        row_of_key_.try_emplace(g.name.str(), i);
    }
    list_->addTopLevelItems(items);
    // Only once the service has answered does an empty list mean no sites.
    list_->set_empty_hint(QString::fromUtf16(empty_list_hint));
    const auto row_of = [this](const vux_string& key) {
        const auto it = row_of_key_.find(key.str());
        return it == row_of_key_.end() ? -1 : it->second;
    };
    const int row =
        orbel_group_rules::refill_selection(int(items.size()), row_of, pending_selection_, app.document.groups.text);
    pending_selection_ = vux_string();
    if (row >= 0) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        list_->setCurrentItem(item);
        item->setSelected(true);
    }
}

void orbel_group::site_arrived(const vux_string& key) {
    const vux_desktop_group* group = group_of(key);
    const auto row = row_of_key_.find(key.str());
    const vux_desktop_site* site = orbel_app().site_list.find(key);
    if (group && site && row != row_of_key_.end()) {
        QTreeWidgetItem* item = list_->topLevelItem(row->second);
        item->setText(1, orbel_to_qstring(site->name));
        item->setText(2, status_text(*group, site, item->text(2)));
    }
    if (site && created_key_ && *created_key_ == key) {
        // Taken out before it is cleared: `key` may name this very member.
        const vux_string created = *std::exchange(created_key_, std::nullopt);
        // Not inside the cache's reply handling: the sheet runs a loop of its own.
        QMetaObject::invokeMethod(
            this, [this, created] { open_sheet(created, true); }, Qt::QueuedConnection);
    }
}

void orbel_group::forget_created() {
    created_key_.reset();
    template_site_.reset();
}

// ---- commands ---------------------------------------------------------------

void orbel_group::run_command(int id) {
    if (orbel_ending()) return;
    const orbel_group_rules::state s = current_state();
    if (!orbel_group_rules::enabled(id, s)) return;
    switch (id) {
    case 1006: return create(false);
    case 1065: return create(true);
    case 1016: return properties();
    case 1009: return rename();
    case 1014: return transfer();
    case 1007: return delete_site(s.group->name, orbel_group_rules::ask_before_delete(*s.site));
    case 1002: return change_password();
    case 1008: return refresh();
    case 1040: orbel_open_web_page(this, orbel_web_page(orbel_web_help_page)); return;
    case 1091: return toggle_emulator();
    }
    const auto step = steps_.find(id);
    if (step == steps_.end() || !step->second || !s.group || !s.site) return;
    // The step's dialog runs a loop of its own: it works on copies, which a
    // reply arriving meanwhile cannot replace under it.
    const auto group_copy = vux_clone_record(*s.group);
    const auto site_copy = s.site->duplicate();
    step->second(*group_copy, *site_copy);
}

bool orbel_group::free_after_modal(const QPointer<orbel_group>& self) {
    return self && !orbel_ending() && !self->busy_;
}

void orbel_group::create(bool from_template) {
    const vux_string key = selected_key();
    QPointer<orbel_group> self(this);
    orbel_group_create dialog(this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok || !free_after_modal(self)) return;
    const vux_desktop_site* site = orbel_app().site_list.find(key);
    if (from_template && !site) return;  // the site vanished meanwhile
    // A later create drops what an earlier one left waiting.
    forget_created();
    if (from_template) template_site_ = site->duplicate();
    send_group(op_create, {orbel_to_utf8(dialog.name().trimmed())});
}

void orbel_group::properties() {
    const vux_desktop_group* group = current_state().group;
    const vux_string key = group->name;
    QPointer<orbel_group> self(this);
    if (group->state == offered) {
        const bool yes = orbel_get_ui().question(this, QStringLiteral("是否取消移交？"));
        if (yes && free_after_modal(self) && group_of(key)) send_group(op_cancel, {key});
        return;
    }
    if (group->state == offered_to_us) {
        orbel_group_acquire dialog(this);
        const bool ok = dialog.exec() == QDialog::Accepted;
        if (ok && free_after_modal(self) && group_of(key)) send_group(op_acquire, {key, orbel_to_utf8(dialog.code())});
        return;
    }
    if (group->state == own) open_sheet(key, false);
}

void orbel_group::open_sheet(const vux_string& key, bool created) {
    if (orbel_ending()) return;
    const vux_desktop_group* group = group_of(key);
    const vux_desktop_site* site = orbel_app().site_list.find(key);
    // The template belongs to the created site only, and is used up by it.
    std::unique_ptr<vux_desktop_site> template_site = created ? std::move(template_site_) : nullptr;
    if (!group || !site || group->state != own || !sheet_opener_) return;
    // The sheet works on copies: the cache may replace its sites meanwhile.
    const auto group_copy = vux_clone_record(*group);
    const auto site_copy = site->duplicate();
    QPointer<orbel_group> self(this);
    sheet_result result =
        sheet_opener_(this, {*group_copy, *site_copy, template_site.get(), created && !template_site});
    if (!self || orbel_ending()) return;
    if (result.accepted) return send_update(key, std::move(result.update));
    // A site that was never edited is discarded when its wizard is cancelled,
    // behind the request still out if there is one: left alone it would stay
    // on the service, nameless.
    if (site_copy->name.empty() && group_of(key))
        delete_site(key, orbel_group_rules::ask_before_delete(*site_copy), true);
}

void orbel_group::delete_site(vux_string key, bool ask, bool wait_turn) {
    if (ask) {
        QPointer<orbel_group> self(this);
        const bool yes = orbel_get_ui().question(this, QStringLiteral("是否删除所选项？"));
        if (!yes || !self || orbel_ending() || !group_of(key)) return;
        if (busy_ && !wait_turn) return;
    }
    if (busy_ && wait_turn) {
        waiting_delete_ = key;
        return;
    }
    send_group(op_delete, {key});
}

void orbel_group::send_waiting_delete() {
    if (!waiting_delete_ || busy_ || orbel_ending()) return;
    const vux_string key = *std::exchange(waiting_delete_, std::nullopt);
    if (group_of(key)) send_group(op_delete, {key});
}

void orbel_group::rename() {
    const vux_desktop_group* group = current_state().group;
    const vux_string key = group->name;
    QPointer<orbel_group> self(this);
    orbel_group_rename dialog(orbel_to_qstring(group->display_name), this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok || !free_after_modal(self) || !group_of(key)) return;
    send_group(op_rename, {key, orbel_to_utf8(dialog.name().trimmed())});
}

void orbel_group::transfer() {
    const vux_string key = current_state().group->name;
    QPointer<orbel_group> self(this);
    orbel_group_transfer dialog(orbel_to_qstring(key), orbel_app().session.account, this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok || !free_after_modal(self) || !group_of(key)) return;
    // Account names are lower-case everywhere.
    vux_string receiver = orbel_to_utf8(dialog.receiver());
    receiver.to_lower();
    send_group(op_transfer, {key, receiver, orbel_to_utf8(dialog.code())});
}

void orbel_group::change_password() {
    QPointer<orbel_group> self(this);
    orbel_password dialog(this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok || !free_after_modal(self)) return;
    chosen_password_ = dialog.password();
    send(orbel_group_outcome::password_request(chosen_password_, orbel_app().session),
         vux_desktop_response_password::code);
}

void orbel_group::refresh() {
    pending_selection_ = selected_key();
    forget_created();
    orbel_app().site_list.clear();
    send_group(op_list, {});
}

void orbel_group::toggle_emulator() {
    if (emulator_ && emulator_->isVisible()) {
        emulator_->hide();
        return;
    }
    if (!emulator_) {
        if (!emulator_factory_) return;
        setCursor(Qt::WaitCursor);
        emulator_ = emulator_factory_(this, orbel_to_qstring(orbel_app().session.account));
        if (!busy_) unsetCursor();
        if (!emulator_) return;
    }
    emulator_->setProperty(orbel_emulator_site_property, QString::fromStdString(selected_key().str()));
    emulator_->show();
    emulator_->raise();
    emulator_->activateWindow();
}
