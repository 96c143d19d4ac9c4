#pragma once
#include <QString>

#include "core/vux_string_list.h"

// The local address book: a UTF-8 file (mark EF BB BF) of "value name" lines
// ended by CR LF; an empty book is no file. Contacts stay on this machine.
// A book that cannot be read (not UTF-8, too large, unopenable) is never
// written over: whatever the user kept there stays as it is.
class orbel_address_book {
public:
    static constexpr qint64 max_file_size = 16 * 1024 * 1024;

    // orbel_address_book_path() unless a test gives another file.
    explicit orbel_address_book(QString path = QString());

    // The lines of the book; false (lines empty) when the file exists but
    // cannot be read as a book. A missing or empty file is an empty book.
    bool read(vux_string_list& lines) const;
    // Replaces the file atomically; an empty list deletes it.
    bool write(const vux_string_list& lines) const;
    // Drops the first line equal to `line`; false when the book is unreadable.
    bool remove(const vux_string& line) const;
    // Adds `line` unless an equal line is there; false when unreadable.
    bool add(const vux_string& line) const;

    const QString& path() const { return path_; }

private:
    QString path_;
};

// A book line's (value, name): split at the first space; false unless the
// value is a mobile number (or, with `mobile_only` false, an e-mail address)
// and the name a valid name.
bool orbel_address_book_entry(const vux_string& line, bool mobile_only, vux_string& value, QString& name);
