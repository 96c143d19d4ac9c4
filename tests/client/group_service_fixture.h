#pragma once
// The site manager against the in-process stand-in with its demo accounts:
// a fresh application signed in, the manager opened and settled, its rows
// read back and its commands run as the buttons would.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "client/common/orbel_fatal.h"
#include "client/controls/orbel_list_control.h"
#include "client/manager/orbel_group.h"
#include "client/start/orbel.h"
#include "gui/orbel_text.h"
#include "orbel_test_support.h"
#include "service/quellmark_service.h"

inline const QString refused = QStringLiteral("服务器拒绝了该操作。");

struct row {
    QString name, display, status;
    bool operator==(const row&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const row& r) {
    return os << r.name.toStdString() << " | " << r.display.toStdString() << " | " << r.status.toStdString();
}

class group_service_fixture : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_clear_settings();
        orbel_fatal_reset();
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
        sign_in("demo@quellmark.com");
    }
    void TearDown() override {
        group.reset();
        app.reset();
        orbel_fatal_reset();
    }

    // A fresh application signed in as `account`, as the logon leaves it.
    void sign_in(const char* account) {
        group.reset();
        app.reset();
        app = std::make_unique<orbel>();
        app->service_host = service.host();
        app->service_port = service.port();
        app->service_path = orbel_to_utf8(service.path());
        const quellmark_session& s = service.state().open_session(account);
        app->session.id = s.id;
        app->session.text1 = vux_string(s.token);
        app->session.account = vux_string(s.account);
    }
    // Opens the site manager and waits for the list and every site.
    void open() {
        group = std::make_unique<orbel_group>();
        group->resize(800, 600);
        group->show();
        group->start();
        settle();
    }
    bool idle() const { return !group->busy() && !app->site_list.busy() && app->site_list.queued_count() == 0; }
    void settle() { ASSERT_TRUE(ORBEL_WAIT(idle())); }

    std::map<std::string, row> rows() const {
        std::map<std::string, row> out;
        orbel_list_control* list = group->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            out[list->key_of(i).str()] = {item->text(0), item->text(1), item->text(2)};
        }
        return out;
    }
    std::string selected() const {
        const QList<QTreeWidgetItem*> items = group->list()->selectedItems();
        return items.isEmpty() ? std::string()
                               : group->list()->key_of(group->list()->indexOfTopLevelItem(items[0])).str();
    }
    void select(const char* key) {
        orbel_list_control* list = group->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->key_of(i).str() == key) {
                list->setCurrentItem(list->topLevelItem(i));
                list->topLevelItem(i)->setSelected(true);
                return;
            }
        FAIL() << "no row " << key;
    }
    bool enabled(int id) {
        group->refresh_commands();
        return group->findChild<QWidget*>(QString::number(id))->isEnabled();
    }
    // Fills the dialog that the next command opens and presses OK.
    template <class Dialog>
    void answer_with(std::map<const char*, QString> edits) {
        QTimer::singleShot(0, [edits] {
            auto* dialog = orbel_test_modal<Dialog>();
            ASSERT_NE(dialog, nullptr);
            for (const auto& [id, text] : edits) dialog->template findChild<QLineEdit*>(id)->setText(text);
            ASSERT_TRUE(dialog->template findChild<QPushButton*>("1")->isEnabled());
            dialog->template findChild<QPushButton*>("1")->click();
        });
    }
    // Runs a command and waits for everything it sent.
    void run(int id) {
        ASSERT_TRUE(enabled(id)) << id;
        group->run_command(id);
        settle();
    }

    orbel_test_ui ui;
    quellmark_service service;
    std::unique_ptr<orbel> app;
    std::unique_ptr<orbel_group> group;
};
