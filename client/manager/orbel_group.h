#pragma once
#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "client/common/orbel_reply_path.h"
#include "client/manager/orbel_emulator_factory.h"
#include "client/manager/orbel_group_outcome.h"
#include "client/manager/orbel_group_rules.h"
#include "core/vux_string.h"
#include "desktop/messages/vux_desktop_request_site.h"

class QPushButton;
class orbel_banner;
class orbel_list_control;
class orbel_tool_tips;
class vux_desktop_document;
class vux_desktop_group;
class vux_desktop_site;

// The site manager (103): the administrator's sites in a list, every command
// button enabled exactly while the selected site allows it, and the commands
// themselves. It sends the account's requests (profile, site list and its
// operations, SMS, password) one at a time; site fetches and updates go
// through the application's site cache. Replies are handled in queued calls.
//
// Dialogs that come with later parts plug in through the setters below: the
// site sheet (own sites, and a newly created site once it arrives), the
// per-command steps of contacts, sharing, reminders, messages, votes, news,
// notices and the home page, and the emulator window.
class orbel_group : public QWidget, public orbel_reply_path {
    Q_OBJECT
public:
    explicit orbel_group(QWidget* parent = nullptr);
    ~orbel_group() override;

    // Opening: sends the profile request; the site list follows its reply.
    void start();
    // The idle pass: enables each command by its rule.
    void refresh_commands();
    // The site cache cached the site of `key`: its row shows it.
    void site_arrived(const vux_string& key);
    // True while a request of the site manager is out.
    bool busy() const { return busy_; }

    // What the site sheet is opened with, and what it gives back.
    struct sheet_request {
        const vux_desktop_group& group;  // title = its management name, key = its key
        const vux_desktop_site& site;    // the cached site
        // The site to fill from instead (a site created by "复制到"); null otherwise.
        const vux_desktop_site* template_site = nullptr;
        // The site was just created: the type and member pages are shown.
        bool new_site = false;
    };
    struct sheet_result {
        // OK (Finish for a never-edited site) ended the sheet.
        bool accepted = false;
        // The update the sheet collected; sent when its change mask is not 0.
        std::unique_ptr<vux_desktop_request_site> update;
    };
    using sheet_opener = std::function<sheet_result(QWidget* parent, const sheet_request& request)>;
    // The site sheet for own sites ("编辑", a double click, a created site).
    void set_sheet_opener(sheet_opener opener) { sheet_opener_ = std::move(opener); }

    // A command whose dialog lives elsewhere (1047, 1041, 1049, 1022, 1079,
    // 1043, 1020, 1096): called with the selected group and its cached site
    // (copies, good for the step's whole run) once the command's rule holds.
    // The dialog sends through send_update, send_sms or send_share.
    using command_step = std::function<void(const vux_desktop_group& group, const vux_desktop_site& site)>;
    void set_command_step(int id, command_step step) { steps_[id] = std::move(step); }

    // Makes the emulator window (1091), owned by this dialog; shown and
    // hidden by the command afterwards.
    using emulator_factory = orbel_emulator_factory;
    void set_emulator_factory(emulator_factory factory) { emulator_factory_ = std::move(factory); }
    QWidget* emulator() const { return emulator_.get(); }

    // An update of the site of `key` (operation 2, the key and the session are
    // filled in) through the site cache; nothing when its change mask is 0.
    void send_update(const vux_string& key, std::unique_ptr<vux_desktop_request_site> update);
    // The SMS download reminder (3916) with the site's key.
    void send_sms(const vux_string& key, const QString& text, const vux_string_list& numbers);
    // The share request (3912 operation 3) with the share entries, through the
    // site cache, whose reply brings the site back.
    void send_share(const vux_string& key, const vux_buffer& entries);

    // Runs a command as its button would.
    void run_command(int id);

    orbel_list_control* list() const { return list_; }
    // The key whose site opens in the sheet when it arrives (a create's).
    const std::optional<vux_string>& created_key() const { return created_key_; }
    const vux_desktop_site* template_site() const { return template_site_.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void take_reply(int32_t code, std::unique_ptr<vux_record> reply) override;
    void take_failure() override;
    bool takes_replies() const override { return busy_; }

private:
    // The selected row's group and its cached site (either may be null).
    orbel_group_rules::state current_state() const;
    const vux_desktop_group* group_of(const vux_string& key) const;
    vux_string selected_key() const;

    void send(const vux_object& request, int32_t expected);
    void send_group(int32_t operation, std::initializer_list<vux_string> arguments);
    void set_busy(bool on);
    // After a modal dialog or question: the manager is still there, the
    // program is not ending and no request of the manager is out.
    static bool free_after_modal(const QPointer<orbel_group>& self);
    void apply(const orbel_group_outcome& outcome);
    // Moves the document in (the reply is done with it).
    void take_document(vux_desktop_document& document);
    void refill();
    void forget_created();

    void create(bool from_template);
    void properties();
    void open_sheet(const vux_string& key, bool created);
    // wait_turn: while a request is out, the delete goes once it is answered.
    void delete_site(vux_string key, bool ask, bool wait_turn = false);
    void send_waiting_delete();
    void rename();
    void transfer();
    void change_password();
    void refresh();
    void toggle_emulator();

    orbel_banner* banner_;
    orbel_list_control* list_;
    orbel_tool_tips* tips_;
    std::map<int, QPushButton*> buttons_;

    bool busy_ = false;
    int32_t last_operation_ = 0;  // of the group request out
    vux_string last_key_;         // its first argument
    QString chosen_password_;     // of the password request out
    vux_string pending_selection_;
    // The key a create's reply named; its sheet opens once its site arrives.
    std::optional<vux_string> created_key_;
    std::unique_ptr<vux_desktop_site> template_site_;
    // The site whose delete waits for the request out (a cancelled wizard's).
    std::optional<vux_string> waiting_delete_;
    // The first row of each key, rebuilt at each refill, so a site's arrival
    // finds its row without a search. Row i shows group i.
    std::unordered_map<std::string, int> row_of_key_;

    sheet_opener sheet_opener_;
    std::map<int, command_step> steps_;
    // The program's, unless a test sets its own.
    emulator_factory emulator_factory_ = orbel_get_emulator_factory();
    std::unique_ptr<QWidget> emulator_;
};
