#include "client/start/orbel_logon.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/common/orbel_web.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "client/start/orbel_banner.h"
#include "client/start/orbel_ip.h"
#include "desktop/messages/vux_desktop_request_logon.h"
#include "desktop/messages/vux_desktop_request_verify.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "desktop/transport/orbel_service_address.h"
#include "gui/orbel_image_pack.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

namespace {

QPushButton* make_button(QWidget* parent, const char* id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(id));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

orbel_logon::orbel_logon(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("101"));
    setWindowTitle(QStringLiteral("登录"));
    if (auto* app = orbel::instance()) setWindowIcon(app->icon);

    banner_ = new orbel_banner(this);
    banner_->setObjectName(QStringLiteral("1055"));
    banner_->setAccessibleName(windowTitle());
    auto* address_tool = make_button(this, "1059", QStringLiteral("..."));
    auto* pack_tool = make_button(this, "1094", QStringLiteral("..."));
    user_edit_ = new QLineEdit(this);
    user_edit_->setObjectName(QStringLiteral("1001"));
    password_edit_ = new QLineEdit(this);
    password_edit_->setObjectName(QStringLiteral("1002"));
    password_edit_->setEchoMode(QLineEdit::Password);
    remember_box_ = new QCheckBox(QStringLiteral("记住密码"), this);
    remember_box_->setObjectName(QStringLiteral("1015"));
    no_tips_box_ = new QCheckBox(QStringLiteral("不显示提示信息"), this);
    no_tips_box_->setObjectName(QStringLiteral("1071"));
    no_tips_box_->setVisible(false);
    logon_button_ = make_button(this, "1003", QStringLiteral("登录"));
    logon_button_->setDefault(true);
    auto* new_user = make_button(this, "1004", QStringLiteral("新用户"));
    auto* forgotten = make_button(this, "1005", QStringLiteral("忘记密码"));
    auto* cancel = make_button(this, "2", QStringLiteral("取消"));

    auto* form = new QGridLayout;
    form->addWidget(orbel_label_for(user_edit_, QStringLiteral("用户名：")), 0, 0);
    form->addWidget(user_edit_, 0, 1);
    form->addWidget(address_tool, 0, 2);
    form->addWidget(orbel_label_for(password_edit_, QStringLiteral("密码：")), 1, 0);
    form->addWidget(password_edit_, 1, 1);
    form->addWidget(pack_tool, 1, 2);
    form->addWidget(remember_box_, 2, 1);
    form->addWidget(no_tips_box_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {logon_button_, new_user, forgotten, cancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(banner_);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 0);
    body->addLayout(form);
    body->addLayout(buttons);
    layout->addLayout(body);

    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
    tips_->add(user_edit_, QStringLiteral("　注册用户时所用邮箱，如果尚未注册，请点击【新用户】按钮。"));
    tips_->add(no_tips_box_, QStringLiteral("　勾选后系统将不再显示功能提示，熟练使用软件之前，建议不要勾选此选项。"));
    tips_->add(new_user, QStringLiteral("　转到官方网站注册新用户。"));
    tips_->add(forgotten, QStringLiteral("　转到官方网站获取密码，密码将以邮件形式发送到指定邮箱。"));

    const orbel_service_address address = orbel_service_address_in_force();
    port_ = address.port;
    host_ = address.host;
    path_ = orbel_to_utf8(address.path);

    const QString stored_user = orbel_get_profile_username();
    if (!stored_user.isEmpty()) {
        user_edit_->setText(stored_user);
        password_edit_->setFocus();
    } else {
        user_edit_->setFocus();
    }
    const QString stored_password = orbel_get_profile_password();
    if (!stored_password.isEmpty()) {
        password_edit_->setText(stored_password);
        remember_box_->setChecked(true);
        logon_button_->setFocus();
    }
    no_tips_box_->setChecked(orbel_hints_off() != 0);
    address_tool->setVisible(false);
    pack_tool->setVisible(false);

    connect(logon_button_, &QPushButton::clicked, this, &orbel_logon::accept);
    auto open_account_page = [this] { orbel_open_web_page(this, orbel_web_page(orbel_web_account_page)); };
    connect(new_user, &QPushButton::clicked, this, open_account_page);
    connect(forgotten, &QPushButton::clicked, this, open_account_page);
    connect(no_tips_box_, &QCheckBox::toggled, this, [this](bool checked) { tips_->set_active(!checked); });
    connect(address_tool, &QPushButton::clicked, this, &orbel_logon::on_server_address);
    connect(pack_tool, &QPushButton::clicked, this, &orbel_logon::on_image_pack);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

orbel_logon::~orbel_logon() { set_busy(false); }

void orbel_logon::set_address(const QString& host, int port) {
    host_ = host;
    port_ = port;
}

void orbel_logon::accept() {
    // Enter while a request is out must not send a second one.
    if (busy()) return;
    logon_checks();
}

void orbel_logon::logon_checks() {
    const QString name = user_edit_->text();
    if (name.isEmpty()) {
        user_edit_->setFocus();
        orbel_get_ui().message(this, orbel_string(orbel_ids_user_empty));
        return;
    }
    user_ = orbel_to_utf8(name);
    user_.to_lower();
    if (!user_.is_email_address()) {
        user_edit_->setFocus();
        user_edit_->selectAll();
        orbel_get_ui().message(this, orbel_string(orbel_ids_user_not_email));
        return;
    }
    const QString typed = password_edit_->text();
    if (typed.isEmpty()) {
        password_edit_->setFocus();
        orbel_get_ui().message(this, orbel_string(orbel_ids_password_empty));
        return;
    }
    password_ = orbel_to_utf8(typed);
    vux_desktop_request_logon request;
    request.user_name = user_;
    send(request, step::logon);
}

void orbel_logon::send(const vux_object& request, step next) {
    set_busy(true);
    step_ = next;
    forget_replies();  // only the latest request counts
    expect(orbel_app().socket_list.send_request(request, host_, quint16(port_), orbel_to_qstring(path_), this),
           next == step::logon ? vux_desktop_response_logon::code : vux_desktop_response_verify::code);
}

void orbel_logon::set_busy(bool on) {
    if (!on) step_ = step::idle;
    user_edit_->setEnabled(!on);
    password_edit_->setEnabled(!on);
    logon_button_->setEnabled(!on);
    if (on && !cursor_set_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursor_set_ = true;
    } else if (!on && cursor_set_) {
        QApplication::restoreOverrideCursor();
        cursor_set_ = false;
    }
}

void orbel_logon::take_failure() { apply(orbel_logon_outcome::on_failure(), nullptr); }

orbel_logon_outcome::request orbel_logon::request_state() const {
    orbel_logon_outcome::request state;
    state.user = user_;
    state.password = password_;
    state.typed_password = password_edit_->text();
    state.remember = remember_box_->isChecked();
    state.no_tips = no_tips_box_->isChecked();
    state.hints_off = orbel_app().hints_off;
    return state;
}

void orbel_logon::take_reply(int32_t code, std::unique_ptr<vux_record> decoded) {
    const orbel_logon_outcome::request state = request_state();
    if (code == vux_desktop_response_logon::code) {
        const auto reply = reply_as<vux_desktop_response_logon>(std::move(decoded));
        return apply(orbel_logon_outcome::on_logon_reply(state, reply.get()), nullptr);
    }
    const auto reply = reply_as<vux_desktop_response_verify>(std::move(decoded));
    apply(orbel_logon_outcome::on_verify_reply(state, reply.get()), reply.get());
}

void orbel_logon::apply(const orbel_logon_outcome& outcome, const vux_desktop_response_verify* signed_in) {
    if (outcome.next) return send(*outcome.next, step::verify);
    orbel& app = orbel_app();
    if (outcome.signed_in && signed_in) {
        app.service_port = signed_in->port;
        app.service_host = orbel_to_qstring(signed_in->host);
        app.service_path = signed_in->path;
        app.session.copy_from(signed_in->session);
    }
    for (const orbel_logon_outcome::profile_write& w : outcome.writes) {
        if (w.is_text)
            orbel_write_setting_text(*w.key, w.text);
        else
            orbel_write_setting_int(*w.key, w.value);
    }
    if (outcome.hints_off) app.hints_off = *outcome.hints_off;
    if (outcome.signed_in) return done(Accepted);

    set_busy(false);
    if (outcome.fatal) close_nested_dialogs();
    if (QLineEdit* focus = outcome.focus == orbel_logon_outcome::field::user       ? user_edit_
                           : outcome.focus == orbel_logon_outcome::field::password ? password_edit_
                                                                                   : nullptr) {
        focus->setFocus();
        focus->selectAll();
    }
    if (outcome.message) orbel_get_ui().message(this, orbel_string(outcome.message));
    if (outcome.fatal) done(Rejected);
}

void orbel_logon::close_nested_dialogs() {
    // Dialogs opened from this one close first, so the fatal message and the
    // end of the program are not held up behind them.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* top = QApplication::activeModalWidget();
        if (!top || top == this) return;
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
    }
}

void orbel_logon::done(int result) {
    cancel_requests();
    forget_replies();
    set_busy(false);
    QDialog::done(result);
}

void orbel_logon::on_server_address() {
    orbel_ip dialog(host_, port_, this);
    QPointer<orbel_logon> self(this);
    const int result = dialog.exec();
    if (!self || !isVisible() || result != Accepted) return;
    const QString address = dialog.address();
    const int port = dialog.port();
    if (address.isEmpty() || !orbel_ip::is_valid_port(port)) return;
    if (address != host_) {
        host_ = address;
        orbel_write_setting_text(orbel_key_ip, address);
    }
    if (port != port_) {
        port_ = port;
        orbel_write_setting_int(orbel_key_port, port);
    }
}

void orbel_logon::on_image_pack() {
    const QString target =
        orbel_get_ui().save_file_name(this, QStringLiteral("dat"), QStringLiteral("资源文件 (*.dat)"));
    if (target.isEmpty()) return;
    QString error;
    if (!orbel_write_image_pack(QFileInfo(target).absolutePath(), target, &error)) orbel_get_ui().message(this, error);
}
