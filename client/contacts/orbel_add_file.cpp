#include "client/contacts/orbel_add_file.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <algorithm>

#include "client/contacts/orbel_contact_widgets.h"
#include "client/controls/orbel_line_layout.h"
#include "client/controls/orbel_richedit.h"
#include "gui/orbel_text.h"

orbel_add_file::orbel_add_file(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("150"));
    setWindowTitle(QStringLiteral("文件导入"));
    view_ = new orbel_richedit(this);
    view_->setObjectName(QStringLiteral("1038"));
    orbel_line_layout::set_lines(view_, text);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = orbel_ok_cancel_row(this, &ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(buttons);
    resize(400, 360);
}

bool orbel_decode_gbk(const uint8_t* data, int32_t length, std::u16string& out) {
    QStringDecoder decoder("GBK");
    const QByteArrayView bytes(data, length);
    out.resize(size_t(decoder.requiredSpace(bytes.size())));
    QChar* begin = reinterpret_cast<QChar*>(out.data());
    out.resize(size_t(decoder.appendToBuffer(begin, bytes) - begin));
    if (decoder.hasError()) {
        out.clear();
        return false;
    }
    return true;
}

orbel_import_error orbel_import_file(const QString& path, orbel_textfile& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return orbel_import_error::unopened;
    if (file.size() > orbel_textfile::max_file_size) return orbel_import_error::format;
    const QByteArray bytes = file.read(orbel_textfile::max_file_size + 1);
    if (bytes.size() > orbel_textfile::max_file_size) return orbel_import_error::format;
    return orbel_read_contacts(vux_link(bytes.constData(), int32_t(bytes.size())), orbel_decode_gbk, out);
}

QString orbel_import_message(orbel_import_error error) {
    switch (error) {
    case orbel_import_error::empty: return QStringLiteral("文本文件不能为空!");
    case orbel_import_error::format: return QStringLiteral("不支持的文件格式!");
    case orbel_import_error::parse: return QStringLiteral("无法正确解析数据，请查看文件格式说明!");
    default: return QString();
    }
}

QString orbel_import_preview(const orbel_textfile& file) {
    qsizetype length = 0;
    for (const orbel_textfile::pair& p : file.pairs()) length += p.value.length() + p.name.length() + 3;
    QString out;
    out.reserve(length);
    for (const orbel_textfile::pair& p : file.pairs()) {
        // A number or an address is ASCII: its bytes are its characters.
        const QByteArrayView value(p.value.data(), p.value.length());
        if (std::all_of(value.begin(), value.end(), [](char c) { return uint8_t(c) < 0x80; }))
            out += QLatin1StringView(value);
        else
            out += QString::fromUtf8(value);
        out += QLatin1Char(' ');
        out += QStringView(p.name.units(), p.name.length());
        out += QLatin1StringView("\r\n");
    }
    return out;
}
