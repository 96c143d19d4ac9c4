#include "client/sheet/orbel_address.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/common/orbel_web.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

orbel_address::orbel_address(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("122"));
    setWindowTitle(QStringLiteral("按地址检索"));

    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("1038"));
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    lookup_ = new QPushButton(QStringLiteral("检索"), this);
    lookup_->setObjectName(QStringLiteral("1060"));
    lookup_->setDefault(true);
    lookup_->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));

    connect(address_, &QLineEdit::textChanged, this,
            [this](const QString& text) { lookup_->setEnabled(!text.isEmpty()); });
    connect(lookup_, &QPushButton::clicked, this, &orbel_address::on_lookup);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("地址："), this));
    top->addWidget(address_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(lookup_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);
}

QUrl orbel_address::lookup_url(const QString& address) {
    QString encoded;
    orbel_url_encode_cstring(address, encoded);
    return QUrl(QStringLiteral("http://%1%2%3")
                    .arg(QLatin1String(orbel_geocoder_host), QLatin1String(orbel_geocoder_page), encoded),
                QUrl::StrictMode);
}

void orbel_address::on_lookup() {
    const QString address = address_->text();
    if (address.isEmpty()) return;
    orbel_open_web_page(this, lookup_url(address));
    done(1);
}
