#pragma once
#include <QIcon>
#include <QString>
#include <QWidget>
#include <vector>

#include "client/contacts/orbel_address_book.h"
#include "client/contacts/orbel_contact_table.h"

class QPushButton;
class orbel_list_control;
class orbel_tool_tips;

// One contact table on a page of the contact sheet: a list with add, import
// and delete buttons. The page works on a byte copy of the site's table and
// exports what changed.
class orbel_contact_page : public QWidget {
    Q_OBJECT
public:
    // Which table, and its controls' ids, texts and limit.
    struct kind {
        const char* id;
        const char* title;
        const char* add_id;
        const char* add_text;
        const char* import_id;
        const char* delete_id;
        const char* delete_text;
        const char* list_id;
        int limit;
        const char* limit_message;  // with %d for the limit
    };

    // `remember_contacts` is the run's flag: the add dialog's box starts
    // from it and writes it back.
    orbel_contact_page(const kind& k, int32_t& remember_contacts, QWidget* parent = nullptr);

    // The page works on a byte copy of `table`.
    void fill(const vux_desktop_contact& table);
    // Appends the changed entries to `target`; true when any were appended.
    bool export_to(vux_desktop_contact& target) const;

    // Adds pairs in order (typed, picked or imported); rows past the limit
    // are dropped with the limit message, shown once.
    void add_pairs(const std::vector<std::pair<QString, QString>>& pairs);

    const orbel_contact_table& table() const { return table_; }
    QString limit_message() const;
    QString title() const { return QString::fromUtf8(kind_.title); }
    // Where the add dialog reads and remembers contacts (tests give their own).
    void set_address_book(const orbel_address_book& book) { book_ = book; }

private:
    void show_rows(int select);
    void on_add();
    void on_import();
    void on_delete();
    void check_buttons();

    kind kind_;
    int32_t& remember_;
    orbel_address_book book_;
    orbel_contact_table table_;
    orbel_list_control* list_;
    QPushButton* delete_;
    orbel_tool_tips* tips_;
    QIcon icons_[2];  // byte 126 of an entry: a plain contact, one marked by the service
};

// The three pages: members, waiters and managers.
class orbel_contact_member : public orbel_contact_page {
    Q_OBJECT
public:
    static const kind page;
    explicit orbel_contact_member(int32_t& remember_contacts, QWidget* parent = nullptr)
        : orbel_contact_page(page, remember_contacts, parent) {}
};

class orbel_contact_waiter : public orbel_contact_page {
    Q_OBJECT
public:
    static const kind page;
    explicit orbel_contact_waiter(int32_t& remember_contacts, QWidget* parent = nullptr)
        : orbel_contact_page(page, remember_contacts, parent) {}
};

class orbel_contact_manager : public orbel_contact_page {
    Q_OBJECT
public:
    static const kind page;
    explicit orbel_contact_manager(int32_t& remember_contacts, QWidget* parent = nullptr)
        : orbel_contact_page(page, remember_contacts, parent) {}
};
