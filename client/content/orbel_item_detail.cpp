#include "client/content/orbel_item_detail.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/content/orbel_message_rules.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_list_box.h"
#include "client/controls/orbel_richedit.h"
#include "client/controls/orbel_static_picture.h"
#include "desktop/records/vux_desktop_news.h"
#include "desktop/records/vux_desktop_notice.h"
#include "desktop/records/vux_desktop_vote.h"
#include "gui/orbel_text.h"

namespace {
QLineEdit* read_only(QWidget* parent, const char* id, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(id));
    edit->setReadOnly(true);
    return edit;
}
}  // namespace

orbel_item_detail::orbel_item_detail(const char* id, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(id));
    setWindowTitle(title);
    grid_ = new QGridLayout;
    picture_ = new orbel_static_picture(this);
    picture_->setObjectName(QStringLiteral("1036"));
    picture_->setFixedSize(120, 180);
}

void orbel_item_detail::add_row(const QString& label, QWidget* control) {
    if (!label.isEmpty()) grid_->addWidget(orbel_label_for(control, label), rows_, 0, Qt::AlignTop);
    grid_->addWidget(control, rows_, 1);
    ++rows_;
}

orbel_richedit* orbel_item_detail::add_text(const char* id, const QString& label, const QString& text) {
    auto* edit = new orbel_richedit(this);
    edit->setObjectName(QLatin1String(id));
    edit->setStyleSheet(QStringLiteral("QTextEdit { background: #B9FFFF; }"));
    edit->set_default_format();
    edit->add_text(text);
    add_row(label, edit);
    return edit;
}

void orbel_item_detail::add_check(const char* id, const QString& label, int32_t value) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QLatin1String(id));
    box->setChecked(value != 0);
    box->setEnabled(false);
    add_row(QString(), box);
}

void orbel_item_detail::finish(const vux_string& author, int32_t time, const vux_desktop_data& picture) {
    auto* head = new QGridLayout;
    QLineEdit* author_edit = read_only(this, "1034", orbel_to_qstring(author));
    QLineEdit* date_edit = read_only(this, "1035", orbel_message_rules::time_text(time, true));
    head->addWidget(orbel_label_for(author_edit, QStringLiteral("作者：")), 0, 0);
    head->addWidget(author_edit, 0, 1);
    head->addWidget(orbel_label_for(date_edit, QStringLiteral("日期：")), 1, 0);
    head->addWidget(date_edit, 1, 1);
    picture_name_ = picture.name;
    had_bytes_ = picture.bytes.length() > 0;
    picture_->set_bytes(QByteArray(reinterpret_cast<const char*>(picture.bytes.data()), picture.bytes.length()));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* fields = new QVBoxLayout;
    fields->addLayout(head);
    fields->addLayout(grid_, 1);
    auto* picture_column = new QVBoxLayout;
    picture_column->addWidget(picture_);
    picture_column->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(picture_column);
    top->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(560, 420);
}

void orbel_item_detail::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    if (!picture_name_.empty() && !had_bytes_) picture_->load(picture_name_);
}

bool orbel_item_detail::downloading() const { return picture_->busy(); }

void orbel_item_detail::done(int result) {
    if (picture_->busy()) return;
    QDialog::done(result);
}

void orbel_item_detail::keep_picture(vux_desktop_data& picture) const {
    if (picture.bytes.length() > 0 || picture_->bytes().isEmpty()) return;
    picture.bytes.assign_bytes(picture_->bytes().constData(), int32_t(picture_->bytes().size()));
}

orbel_news_detail::orbel_news_detail(const vux_desktop_news& item, QWidget* parent)
    : orbel_item_detail("119", QStringLiteral("新闻详情"), parent) {
    add_text("1030", QStringLiteral("标题："), orbel_to_qstring(item.title))->setFixedHeight(48);
    add_text("1038", QStringLiteral("内容："), orbel_to_qstring(item.content));
    add_check("1042", QStringLiteral("允许添加评论"), item.comments);
    finish(item.author, item.time, item.picture);
}

orbel_notice_detail::orbel_notice_detail(const vux_desktop_notice& item, QWidget* parent)
    : orbel_item_detail("115", QStringLiteral("通知详情"), parent) {
    add_text("1038", QStringLiteral("内容："), orbel_to_qstring(item.content));
    add_check("1039", QStringLiteral("只有成员能看到"), item.members_only);
    add_check("1078", QStringLiteral("成员消息推送"), item.push);
    add_check("1067", QStringLiteral("查看接收者信息"), item.show_receivers);
    finish(item.author, item.time, item.picture);
}

orbel_vote_detail::orbel_vote_detail(const vux_desktop_vote& item, QWidget* parent)
    : orbel_item_detail("131", QStringLiteral("投票详情"), parent) {
    add_text("1038", QStringLiteral("内容："), orbel_to_qstring(item.content));
    add_row(QStringLiteral("投票有效天数："), read_only(this, "1084", QString::number(item.valid_days)));
    add_row(QStringLiteral("最多可投项数："), read_only(this, "1085", QString::number(item.max_selections)));
    auto* options = new orbel_list_box(this);
    options->setObjectName(QStringLiteral("1011"));
    for (int32_t i = 0; i < item.options.count(); ++i) options->add(item.options.item_at(i));
    add_row(QString(), options);
    add_check("1039", QStringLiteral("只有成员能参与"), item.members_only);
    add_check("1042", QStringLiteral("允许成员添加评论"), item.comments);
    finish(item.author, item.time, item.picture);
}
