#include "client/start/orbel_main.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include "client/manager/orbel_group.h"
#include "client/manager/orbel_group_steps.h"
#include "client/start/orbel.h"
#include "client/start/orbel_logon.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"

namespace {
constexpr Qt::WindowStates not_restored = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
}

orbel_main::orbel_main(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    move(0, 0);
    const int width = orbel_read_setting_int(orbel_key_width);
    const int height = orbel_read_setting_int(orbel_key_height);
    resize(width > 0 ? width : orbel_key_width.default_value, height > 0 ? height : orbel_key_height.default_value);
}

orbel_main::~orbel_main() {
    if (auto* app = orbel::instance()) app->instance_mark.set_on_activate(nullptr);
}

bool orbel_main::create() {
    if (auto* app = orbel::instance()) {
        app->instance_mark.listen(app->instance_name);
        app->instance_mark.set_on_activate([this] { bring_forward(); });
        setWindowIcon(app->icon);
    }
    setWindowTitle(orbel_string(orbel_ids_app_name));
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    bool signed_in = false;
    {
        orbel_logon logon(this);
        logon_ = &logon;
        signed_in = logon.exec() == QDialog::Accepted;
        logon_ = nullptr;
    }
    finish_logon(signed_in);
    // Signed in: the site manager asks for the profile, then the site list.
    if (signed_in && site_manager_) site_manager_->start();
    return signed_in;
}

void orbel_main::finish_logon(bool signed_in) {
    if (!signed_in) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    if (auto* app = orbel::instance()) setWindowTitle(orbel_to_qstring(app->session.account));
    site_manager_ = new orbel_group(this);
    orbel_add_group_steps(*site_manager_);
    // The window cannot shrink below what the site manager shows whole.
    setMinimumSize(site_manager_->minimumSize());
    site_manager_->setGeometry(rect());
    site_manager_->show();
    show();
    showNormal();
}

void orbel_main::bring_forward() {
    // While the logon runs the main window is still hidden: the dialog is
    // what the user is looking for.
    QWidget* target = logon_ ? static_cast<QWidget*>(logon_.data()) : this;
    if (!target->isVisible())
        target->showNormal();
    else if (target->isMinimized())
        target->showNormal();
    target->raise();
    target->activateWindow();
}

orbel_logon* orbel_main::running_logon() const { return logon_; }

void orbel_main::refresh_commands() {
    if (site_manager_) site_manager_->refresh_commands();
}

void orbel_main::store_size(const QSize& size) {
    if (!size.isValid()) return;
    if (size.width() != orbel_read_setting_int(orbel_key_width)) orbel_write_setting_int(orbel_key_width, size.width());
    if (size.height() != orbel_read_setting_int(orbel_key_height))
        orbel_write_setting_int(orbel_key_height, size.height());
}

void orbel_main::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Only a restored window's size is kept; the creation size is ours already.
    if (isVisible() && !(windowState() & not_restored)) store_size(event->size());
    if (site_manager_) {
        site_manager_->setGeometry(0, 0, width(), height());
        site_manager_->update();
    }
}

void orbel_main::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The resize of a maximise may come before the state says so; the size
    // to keep is then the one the window had before.
    if (event->type() == QEvent::WindowStateChange && (windowState() & not_restored) && isVisible())
        store_size(normalGeometry().size());
}

void orbel_main::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    event->accept();
    if (on_closed_)
        QMetaObject::invokeMethod(
            this, [cb = on_closed_] { cb(); }, Qt::QueuedConnection);
}
