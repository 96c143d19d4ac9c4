#include "client/sheet/orbel_site_sheet.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWizard>
#include <QWizardPage>

#include "client/contacts/orbel_contact.h"
#include "client/sheet/orbel_site_type.h"
#include "client/start/orbel.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_text.h"

namespace {

constexpr int32_t operation_update = 2;

// Enter and Esc never end the sheet: a slip of the finger would send the
// update or drop the edits. Held for the sheet's lifetime.
class key_guard : public QObject {
public:
    explicit key_guard(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }
    ~key_guard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != window_) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    }

private:
    QWidget* window_;
};

// A page of the sheet as a wizard page; the setup page checks itself before
// Next lets it go, and the share page ends the wizard unless the member page
// has something to ask for.
class wizard_page : public QWizardPage {
public:
    wizard_page(orbel_site_page* page, std::function<bool()> check, std::function<bool()> last = nullptr)
        : check_(std::move(check)), last_(std::move(last)) {
        setObjectName(QStringLiteral("page_") + page->objectName());
        setTitle(page->title());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
    }
    bool validatePage() override { return !check_ || check_(); }
    int nextId() const override { return last_ && last_() ? -1 : QWizardPage::nextId(); }

private:
    std::function<bool()> check_;
    std::function<bool()> last_;
};

// The run's "remember contacts" flag, which the member page's add dialog
// starts from and writes back.
int32_t& remember_contacts() {
    static int32_t without_application = 1;
    orbel* app = orbel::instance();
    return app ? app->remember_contacts : without_application;
}

// The tabbed form: OK checks the setup page first, and so does leaving it.
class tab_dialog : public QDialog {
public:
    tab_dialog(QWidget* parent, orbel_site_setup* setup) : QDialog(parent), setup_(setup) {
        tabs_ = new QTabWidget(this);
        auto* ok = new QPushButton(QStringLiteral("确定"), this);
        ok->setObjectName(QStringLiteral("1"));
        auto* cancel = new QPushButton(QStringLiteral("取消"), this);
        cancel->setObjectName(QStringLiteral("2"));
        for (QPushButton* b : {ok, cancel}) b->setAutoDefault(false);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(tabs_);
        layout->addLayout(buttons);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (keep_setup()) return;
            accept();
        });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(tabs_, &QTabWidget::currentChanged, this, [this](int now) {
            const int before = std::exchange(current_, now);
            if (before != tabs_->indexOf(setup_) || now == before) return;
            if (keep_setup()) current_ = tabs_->indexOf(setup_);
        });
    }
    QTabWidget* tabs() const { return tabs_; }
    void start() { current_ = tabs_->currentIndex(); }

private:
    // True when the setup page does not pass: it becomes (or stays) the
    // current page, with the message and the focus on the field.
    bool keep_setup() {
        if (!orbel_site_setup::check(setup_->get_values())) return false;
        current_ = tabs_->indexOf(setup_);
        tabs_->setCurrentWidget(setup_);
        setup_->validate();
        return true;
    }

    QTabWidget* tabs_;
    orbel_site_setup* setup_;
    int current_ = 0;
};

}  // namespace

std::unique_ptr<vux_desktop_request_site> orbel_site_update_request(const vux_string& key,
                                                                    const vux_desktop_site& update) {
    auto request = std::make_unique<vux_desktop_request_site>();
    request->operation = operation_update;
    request->key = key;
    request->site.copy_from(update);
    return request;
}

orbel_site_sheet::values orbel_site_sheet::fill(const vux_desktop_site& site, bool from_cache,
                                                const QString& telephone) {
    return {orbel_site_setup::fill(site, from_cache, telephone), orbel_site_column::fill(site),
            orbel_site_share::fill(site)};
}

bool orbel_site_sheet::collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update) {
    // Bits the pages do not show (the service's own, or later ones) must
    // reach the service as they are, or every accept would clear them.
    update.options = cached.options & ~owned_options;
    update.columns = cached.columns & ~owned_columns;
    const bool number_changed = orbel_site_setup::collect(v.setup, cached, update);
    orbel_site_column::collect(v.column, cached, update);
    orbel_site_share::collect(v.share, update);
    if (update.options != cached.options) update.change_mask |= vux_desktop_site_change::options;
    if (update.columns != cached.columns) update.change_mask |= vux_desktop_site_change::columns;
    return number_changed;
}

orbel_site_sheet::outcome orbel_site_sheet::run(QWidget* parent, const QString& management_name, const vux_string& key,
                                                const vux_desktop_site& cached, const vux_desktop_site* template_site,
                                                bool new_site) {
    orbel_site_sheet sheet(parent, management_name, key, cached, template_site, new_site);
    outcome out;
    out.accepted = sheet.window()->exec() == QDialog::Accepted;
    if (!out.accepted) return out;
    const std::unique_ptr<vux_desktop_site> update = sheet.collect_update();
    if (update->change_mask != 0) out.request = orbel_site_update_request(key, *update);
    return out;
}

orbel_site_sheet::orbel_site_sheet(QWidget* parent, const QString& management_name, const vux_string& key,
                                   const vux_desktop_site& cached, const vux_desktop_site* template_site, bool new_site)
    : cached_(cached),
      from_template_(template_site != nullptr),
      new_site_(template_site ? false : new_site),
      wizard_(cached.name.empty()) {
    setup_ = new orbel_site_setup;
    if (new_site_) type_ = new orbel_site_type;
    column_ = new orbel_site_column;
    share_ = new orbel_site_share;
    share_->set_key(key);
    // A new site's first members come with it, when it has a column for them.
    if (new_site_) {
        members_page_ = new orbel_contact_wizard_page(remember_contacts());
        members_page_->fill(cached);
    }
    if (wizard_)
        build_wizard();
    else
        build_tabs();
    window_->setParent(parent, window_->windowFlags());
    window_->setWindowTitle(management_name);
    window_->setModal(true);
    window_->resize(760, 540);
    new key_guard(window_.get());

    const vux_desktop_site& source = template_site ? *template_site : cached;
    const values v = fill(source, !from_template_, orbel_get_profile_telephone());
    setup_->set_values(v.setup);
    column_->set_values(v.column);
    share_->set_values(v.share);
    if (template_site) {
        vux_desktop_contact::append_all_from(managers_, template_site->managers);
        vux_desktop_contact::append_all_from(members_, template_site->members);
        vux_desktop_contact::append_all_from(waiters_, template_site->waiters);
    }
    if (type_)
        QObject::connect(type_, &orbel_site_type::preset_chosen, window_.get(), [this](int id) { choose_preset(id); });
}

orbel_site_sheet::~orbel_site_sheet() = default;

void orbel_site_sheet::build_tabs() {
    auto dialog = std::make_unique<tab_dialog>(nullptr, setup_);
    for (orbel_site_page* page : std::initializer_list<orbel_site_page*>{setup_, type_, column_, share_})
        if (page) dialog->tabs()->addTab(page, page->title());
    if (members_page_) dialog->tabs()->addTab(members_page_, members_page_->title());
    dialog->start();
    window_ = std::move(dialog);
}

void orbel_site_sheet::build_wizard() {
    auto wizard = std::make_unique<QWizard>();
    wizard->setWizardStyle(QWizard::ClassicStyle);
    wizard->setOptions(QWizard::NoBackButtonOnStartPage | QWizard::NoDefaultButton);
    wizard->setButtonText(QWizard::BackButton, QStringLiteral("< 上一步"));
    wizard->setButtonText(QWizard::NextButton, QStringLiteral("下一步 >"));
    wizard->setButtonText(QWizard::FinishButton, QStringLiteral("完成"));
    wizard->setButtonText(QWizard::CancelButton, QStringLiteral("取消"));
    // The ids the wizard's buttons have on the platform the sheet comes from.
    wizard->button(QWizard::BackButton)->setObjectName(QStringLiteral("12323"));
    wizard->button(QWizard::NextButton)->setObjectName(QStringLiteral("12324"));
    wizard->button(QWizard::FinishButton)->setObjectName(QStringLiteral("12325"));
    wizard->button(QWizard::CancelButton)->setObjectName(QStringLiteral("2"));
    wizard->addPage(new wizard_page(setup_, [this] { return setup_->validate(); }));
    if (type_) wizard->addPage(new wizard_page(type_, nullptr));
    wizard->addPage(new wizard_page(column_, nullptr));
    wizard->addPage(new wizard_page(share_, nullptr, [this] { return !wants_members(); }));
    if (members_page_) wizard->addPage(members_page_);
    window_ = std::move(wizard);
}

void orbel_site_sheet::choose_preset(int id) {
    orbel_site_column::values column = column_->get_values();
    orbel_site_share::values share = share_->get_values();
    if (!orbel_site_type::apply_preset(id, column, share)) return;
    column_->set_values(column);
    share_->set_values(share);
    if (auto* wizard = qobject_cast<QWizard*>(window_.get())) {
        wizard->next();
    } else if (auto* tabs = window_->findChild<QTabWidget*>()) {
        tabs->setCurrentWidget(column_);
    }
}

bool orbel_site_sheet::wants_members() const {
    return members_page_ && (column_->get_values().columns & orbel_contact_wizard_page::member_columns);
}

std::unique_ptr<vux_desktop_site> orbel_site_sheet::collect_update() const {
    auto update = std::make_unique<vux_desktop_site>();
    const values v{setup_->get_values(), column_->get_values(), share_->get_values()};
    if (collect(v, cached_, *update)) orbel_write_setting_text(orbel_key_telephone, v.setup.number);
    // Only with a member column (the page checks the update's columns).
    if (members_page_) members_page_->collect(*update);
    if (from_template_) {
        const std::pair<const vux_desktop_contact*, std::pair<vux_desktop_contact*, int32_t>> holders[] = {
            {&managers_, {&update->managers, vux_desktop_site_change::managers}},
            {&members_, {&update->members, vux_desktop_site_change::members}},
            {&waiters_, {&update->waiters, vux_desktop_site_change::waiters}}};
        for (const auto& [holder, target] : holders) {
            const int32_t before = target.first->entry_count();
            vux_desktop_contact::export_changed(*holder, *target.first);
            if (target.first->entry_count() > before) update->change_mask |= target.second;
        }
    }
    return update;
}
