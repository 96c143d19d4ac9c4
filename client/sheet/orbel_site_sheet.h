#pragma once
#include <QString>
#include <memory>

#include "client/sheet/orbel_site_column.h"
#include "client/sheet/orbel_site_setup.h"
#include "client/sheet/orbel_site_share.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/records/vux_desktop_contact.h"

class QDialog;
class QWidget;
class orbel_contact_wizard_page;
class orbel_site_type;

// An update of one site (operation 2) carrying `update` and its change
// mask; the site cache adds the session when it sends it.
std::unique_ptr<vux_desktop_request_site> orbel_site_update_request(const vux_string& key,
                                                                    const vux_desktop_site& update);

// The site sheet: the setup, type (new sites only), column, share and member
// (new sites only) pages over one site, as a tabbed dialog ("确定" / "取消") or, for a site that was
// never edited (empty name), as a wizard whose Finish is success. It never
// edits the cached site: accepting builds an update record that holds only
// what changed, with the change mask saying what that is.
class orbel_site_sheet {
public:
    // Every page's values, filled and collected as one.
    struct values {
        orbel_site_setup::values setup;
        orbel_site_column::values column;
        orbel_site_share::values share;
    };
    // Option and column bits that one of the pages owns; the others are the
    // service's and pass through untouched.
    static constexpr int32_t owned_options =
        orbel_site_setup::option_bits | orbel_site_column::option_bits | orbel_site_share::option_bits;
    static constexpr int32_t owned_columns = orbel_site_column::column_bits | orbel_site_share::sharing;

    // `from_cache`: the activation status is shown.
    static values fill(const vux_desktop_site& site, bool from_cache, const QString& telephone);
    // Setup, column and share into `update`, a fresh record, against the
    // cached site; the bits no page owns are the cached ones. True when the
    // activation number changed.
    static bool collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update);

    // The entry the site manager calls. The sheet runs modally over `parent`
    // for the site `key` (`cached` its cached record): filled from
    // `template_site` when one is given (a copy of another site, with its
    // contacts), else from `cached`, with the type and member pages when
    // `new_site`.
    // `accepted` is false for Cancel (the manager then removes a site whose
    // name is empty); `request` is the update to send through the site
    // cache, null when nothing changed.
    struct outcome {
        bool accepted = false;
        std::unique_ptr<vux_desktop_request_site> request;
    };
    static outcome run(QWidget* parent, const QString& management_name, const vux_string& key,
                       const vux_desktop_site& cached, const vux_desktop_site* template_site, bool new_site);

    orbel_site_sheet(QWidget* parent, const QString& management_name, const vux_string& key,
                     const vux_desktop_site& cached, const vux_desktop_site* template_site, bool new_site);
    ~orbel_site_sheet();

    QDialog* window() const { return window_.get(); }
    bool is_wizard() const { return wizard_; }
    orbel_site_setup* setup() const { return setup_; }
    orbel_site_type* type() const { return type_; }
    orbel_site_column* column() const { return column_; }
    orbel_site_share* share() const { return share_; }
    // The member page of a new site's wizard; null otherwise.
    orbel_contact_wizard_page* members_page() const { return members_page_; }

    // The update from the pages as they stand (and the profile's telephone
    // when the activation number changed); the change mask may be 0.
    std::unique_ptr<vux_desktop_site> collect_update() const;

private:
    void build_tabs();
    void build_wizard();
    void choose_preset(int id);
    // A new site with a column only members use: the member page follows
    // the share page.
    bool wants_members() const;

    const vux_desktop_site& cached_;
    bool from_template_ = false;
    bool new_site_ = false;
    bool wizard_ = false;
    std::unique_ptr<QDialog> window_;
    orbel_site_setup* setup_ = nullptr;
    orbel_site_type* type_ = nullptr;
    orbel_site_column* column_ = nullptr;
    orbel_site_share* share_ = nullptr;
    orbel_contact_wizard_page* members_page_ = nullptr;
    // The copied site's contacts, sent with the new site.
    vux_desktop_contact managers_;
    vux_desktop_contact members_;
    vux_desktop_contact waiters_;
};
