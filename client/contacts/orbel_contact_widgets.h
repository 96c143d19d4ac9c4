#pragma once
#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;
class orbel_address_book;
class orbel_list_control;

// Pieces the contact, SMS and share dialogs share.

// The row of buttons 1 "确定" (the default) and 2 "取消", right-aligned;
// Cancel rejects, OK is connected by the caller (its own accept rule).
QHBoxLayout* orbel_ok_cancel_row(QDialog* dialog, QPushButton** ok);

// The address-book list (1011): extended selection, columns "姓名" 150 and
// `value_title` 200, a row (name, value) per good line of the book (mobile
// numbers only, or numbers and e-mail addresses).
orbel_list_control* orbel_book_list(QDialog* dialog, const orbel_address_book& book, const QString& value_title,
                                    bool mobile_only);
