#pragma once
#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

#include "client/contacts/orbel_address_book.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class orbel_list_control;

// The add-contact dialog (110 "添加联系人"): a typed name and number or
// e-mail address, or rows picked from the local address book.
class orbel_add_contact : public QDialog {
    Q_OBJECT
public:
    // (name, value) pairs in row order.
    using pairs = std::vector<std::pair<QString, QString>>;

    // `remember` presets "在本地记住所添加的联系人".
    orbel_add_contact(bool remember, const orbel_address_book& book, QWidget* parent = nullptr);

    // OK is allowed with at most one row selected, a valid trimmed name and a
    // value that, upper-cased, is a mobile number, a digest or an address.
    static bool ok_allowed(int selected_rows, const QString& name, const QString& value);

    QString name() const;
    QString value() const;
    bool remember() const;
    // The rows picked with "添加选中" or a double click; empty after a typed OK.
    const pairs& picked() const { return picked_; }

    // After a typed OK with the box checked: "value name" goes into the
    // book (value in its canonical form) unless the line is there already.
    void remember_typed() const;

private:
    void check_buttons();
    void on_selection();
    void pick();
    void delete_selected();

    const orbel_address_book& book_;
    QLineEdit* name_;
    QLineEdit* value_;
    QCheckBox* remember_;
    orbel_list_control* list_;
    QPushButton* ok_;
    QPushButton* pick_;
    QPushButton* delete_;
    pairs picked_;
};
