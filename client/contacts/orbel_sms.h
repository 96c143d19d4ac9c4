#pragma once
#include <QDialog>

#include "client/contacts/orbel_address_book.h"
#include "core/vux_string_list.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class orbel_list_control;
class vux_desktop_request_sms;

// The SMS invitation dialog (123): a short verification text and up to 100
// distinct mobile numbers, typed or picked from the local address book.
class orbel_sms : public QDialog {
    Q_OBJECT
public:
    orbel_sms(const QString& site_name, const orbel_address_book& book, QWidget* parent = nullptr);

    // The verification text as typed.
    QString text() const;
    // The accepted numbers, distinct, in first-seen order (after OK).
    const vux_string_list& numbers() const { return numbers_; }

    // The site manager's SMS command: on OK fills the request's site key,
    // trimmed text and numbers (the caller adds the session and sends 3916);
    // false when cancelled.
    static bool run(const vux_string& site_key, const QString& site_name, QWidget* parent,
                    vux_desktop_request_sms& request, const orbel_address_book& book = orbel_address_book());

    void accept() override;

private:
    void pick();

    QLineEdit* text_;
    QPlainTextEdit* numbers_text_;
    orbel_list_control* list_;
    QPushButton* pick_;
    vux_string_list numbers_;
};
