#pragma once
#include <QDialog>
#include <QString>
#include <QWizardPage>

class QTabWidget;
class vux_desktop_site;
class orbel_contact_manager;
class orbel_contact_member;
class orbel_contact_waiter;

// The site option that lets members and waiters message each other; only
// then does a site have waiters to edit.
inline constexpr int32_t orbel_option_waiters = 0x4;

// The contact sheet "联系人 - <management name>": members, waiters (only
// with the waiter option) and managers, OK and Cancel.
class orbel_contact : public QDialog {
    Q_OBJECT
public:
    orbel_contact(const vux_desktop_site& site, const QString& management_name, int32_t& remember_contacts,
                  QWidget* parent = nullptr);

    // Each page's table as a byte copy of the site's.
    void fill(const vux_desktop_site& site);
    // Exports each page's changes into the update's tables and sets their
    // change bits; returns the bits set.
    int32_t collect(vux_desktop_site& update) const;

    // The site manager's contacts command: runs the sheet over the cached
    // site; on OK, update holds the changed entries and its change_mask the
    // bits (send operation 2 with the site's key when not 0). Returns the
    // mask; 0 when cancelled or nothing changed.
    static int32_t run(const vux_desktop_site& site, const QString& management_name, int32_t& remember_contacts,
                       vux_desktop_site& update, QWidget* parent);

    orbel_contact_member* members() const { return members_; }
    orbel_contact_waiter* waiters() const { return waiters_; }
    orbel_contact_manager* managers() const { return managers_; }

private:
    QTabWidget* tabs_;
    orbel_contact_member* members_;
    orbel_contact_waiter* waiters_ = nullptr;
    orbel_contact_manager* managers_;
};

// The member page as the last page of the new-site wizard: Back, Finish,
// Cancel. Add it to the QWizard last; fill it from the template site with
// fill(), and on Finish call collect() after the column page has set the
// update's column bits.
class orbel_contact_wizard_page : public QWizardPage {
    Q_OBJECT
public:
    // Columns only members use: forum, group chat, private messages, album.
    static constexpr int32_t member_columns = 0x10 | 0x20 | 0x40 | 0x100;

    explicit orbel_contact_wizard_page(int32_t& remember_contacts, QWidget* parent = nullptr);
    // A byte copy of the site's members.
    void fill(const vux_desktop_site& site);
    // When the update has a member column, appends the changed members and
    // sets 0x200000 if any; returns the bit set (0 otherwise).
    int32_t collect(vux_desktop_site& update) const;
    orbel_contact_member* page() const { return page_; }

private:
    orbel_contact_member* page_;
};
