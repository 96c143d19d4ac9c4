#include "client/contacts/orbel_add_file.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "client/contacts/orbel_contact_widgets.h"
#include "client/controls/orbel_richedit.h"
#include "gui/orbel_text.h"

orbel_add_file::orbel_add_file(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("150"));
    setWindowTitle(QStringLiteral("文件导入"));
    view_ = new orbel_richedit(this);
    view_->setObjectName(QStringLiteral("1038"));
    QString shown = text;
    view_->setPlainText(orbel_lf_lines(shown));
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
    const QString text = decoder(QByteArrayView(data, length));
    if (decoder.hasError()) return false;
    out.assign(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
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
    QString out;
    for (const orbel_textfile::pair& p : file.pairs()) {
        out += QString::fromUtf8(p.value.data(), p.value.length());
        out += QLatin1Char(' ');
        out += QString::fromUtf16(p.name.units(), p.name.length());
        out += QStringLiteral("\r\n");
    }
    return out;
}
