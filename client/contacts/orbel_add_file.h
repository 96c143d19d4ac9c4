#pragma once
#include <QDialog>
#include <QString>
#include <string>

#include "desktop/orbel_textfile.h"

class orbel_richedit;

// The import preview (150 "文件导入"): the pairs read from the file, one
// "value name" line each, in a read-only view; OK adds them.
class orbel_add_file : public QDialog {
    Q_OBJECT
public:
    explicit orbel_add_file(const QString& text, QWidget* parent = nullptr);
    orbel_richedit* view() const { return view_; }

private:
    orbel_richedit* view_;
};

// Code page 936 through Qt's converter, for orbel_textfile::decode.
bool orbel_decode_gbk(const uint8_t* data, int32_t length, std::u16string& out);
// Reads a contact file (refused unread past orbel_textfile::max_file_size)
// into out.
orbel_import_error orbel_import_file(const QString& path, orbel_textfile& out);
// The message of an import outcome; empty for none.
QString orbel_import_message(orbel_import_error error);
// The preview text: "value name" and CR LF per pair.
QString orbel_import_preview(const orbel_textfile& file);
