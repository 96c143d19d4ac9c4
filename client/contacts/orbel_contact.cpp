#include "client/contacts/orbel_contact.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "client/contacts/orbel_contact_page.h"
#include "client/contacts/orbel_contact_widgets.h"
#include "desktop/records/vux_desktop_site.h"
#include "desktop/records/vux_desktop_site_change.h"

orbel_contact::orbel_contact(const vux_desktop_site& site, const QString& management_name, int32_t& remember_contacts,
                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("联系人 - ") + management_name);
    // The context-help button of a property sheet does nothing here.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    tabs_ = new QTabWidget(this);
    members_ = new orbel_contact_member(remember_contacts, tabs_);
    tabs_->addTab(members_, members_->title());
    if (site.options & orbel_option_waiters) {
        waiters_ = new orbel_contact_waiter(remember_contacts, tabs_);
        tabs_->addTab(waiters_, waiters_->title());
    }
    managers_ = new orbel_contact_manager(remember_contacts, tabs_);
    tabs_->addTab(managers_, managers_->title());
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = orbel_ok_cancel_row(this, &ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    fill(site);
    resize(420, 420);
}

void orbel_contact::fill(const vux_desktop_site& site) {
    members_->fill(site.members);
    if (waiters_) waiters_->fill(site.waiters);
    managers_->fill(site.managers);
}

int32_t orbel_contact::collect(vux_desktop_site& update) const {
    int32_t mask = 0;
    if (members_->export_to(update.members)) mask |= vux_desktop_site_change::members;
    if (waiters_ && waiters_->export_to(update.waiters)) mask |= vux_desktop_site_change::waiters;
    if (managers_->export_to(update.managers)) mask |= vux_desktop_site_change::managers;
    update.change_mask |= mask;
    return mask;
}

int32_t orbel_contact::run(const vux_desktop_site& site, const QString& management_name, int32_t& remember_contacts,
                           vux_desktop_site& update, QWidget* parent) {
    orbel_contact sheet(site, management_name, remember_contacts, parent);
    if (sheet.exec() != QDialog::Accepted) return 0;
    return sheet.collect(update);
}

orbel_contact_wizard_page::orbel_contact_wizard_page(int32_t& remember_contacts, QWidget* parent)
    : QWizardPage(parent) {
    setTitle(QStringLiteral("成员"));
    setFinalPage(true);
    page_ = new orbel_contact_member(remember_contacts, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
}

void orbel_contact_wizard_page::fill(const vux_desktop_site& site) { page_->fill(site.members); }

int32_t orbel_contact_wizard_page::collect(vux_desktop_site& update) const {
    if (!(update.columns & member_columns) || !page_->export_to(update.members)) return 0;
    update.change_mask |= vux_desktop_site_change::members;
    return vux_desktop_site_change::members;
}
