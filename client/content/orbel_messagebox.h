#pragma once
#include <QString>

#include "client/content/orbel_message_dialog.h"
#include "core/vux_string.h"
#include "desktop/records/vux_desktop_contact.h"
#include "desktop/records/vux_desktop_recent_list.h"

class QPushButton;
class orbel_list_control;

// The site's private messages (dialog 120): its members and the
// conversations with recent activity, polled every 15 s; each opens a chat.
class orbel_messagebox : public orbel_message_dialog {
    Q_OBJECT
public:
    orbel_messagebox(const vux_string& site_key, const QString& site_name, const vux_desktop_contact& members,
                     QWidget* parent);

    const vux_desktop_recent_list& recent() const { return recent_; }

protected:
    void on_message(const vux_desktop_response_message& reply) override;
    void on_idle() override;

protected:
    void poll() override;

private:
    void fill_contacts();
    void open_recent();
    void open_member();
    void run_chat(const vux_string& member_key, const QString& member_name);
    int contact_row(const vux_string& key) const;

    orbel_list_control* recent_list_;
    orbel_list_control* contacts_;
    QPushButton* send_;
    vux_string site_key_;
    QString site_name_;
    vux_desktop_contact members_;
    vux_desktop_recent_list recent_;
};

// The site manager's private messages: the box for the site, modal; nothing
// is sent on return.
void orbel_run_messagebox(QWidget* parent, const vux_string& site_key, const QString& site_name,
                          const vux_desktop_contact& members);
