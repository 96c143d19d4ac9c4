#include "client/content/orbel_add_item.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "client/content/orbel_content_rules.h"
#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_label.h"
#include "client/controls/orbel_list_box.h"
#include "client/controls/orbel_static_picture.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "gui/orbel_text.h"

using rules = orbel_content_rules;

namespace {
const QString comments_tip = QStringLiteral("　打开评论功能，允许成员用户添加评论，普通关注者只能观看。");

QPushButton* button(QWidget* parent, const char* id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(id));
    b->setAutoDefault(false);
    return b;
}

int32_t checked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
}  // namespace

orbel_add_item::orbel_add_item(const char* id, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(id));
    setWindowTitle(title);
    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
    grid_ = new QGridLayout;
    content_ = new QPlainTextEdit(this);
    content_->setObjectName(QStringLiteral("1038"));
    picture_ = new orbel_static_picture(this);
    picture_->setObjectName(QStringLiteral("1036"));
    picture_->setFixedSize(120, 180);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(content_, &QPlainTextEdit::textChanged, this, &orbel_add_item::check);
}

void orbel_add_item::add_row(const QString& label, QWidget* control) {
    if (label.isEmpty())
        grid_->addWidget(control, rows_, 1);
    else
        grid_->addWidget(orbel_label_for(control, label), rows_, 0, Qt::AlignTop);
    if (!label.isEmpty()) grid_->addWidget(control, rows_, 1);
    ++rows_;
}

QCheckBox* orbel_add_item::add_check(const char* id, const QString& label, const QString& tip) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QLatin1String(id));
    if (!tip.isEmpty()) tips_->add(box, tip);
    return box;
}

QLineEdit* orbel_add_item::add_number(const char* id, const QString& label, const QString& tip, const QString& value) {
    auto* edit = new QLineEdit(value, this);
    edit->setObjectName(QLatin1String(id));
    // Digits only as typed; pasted text is checked again by the OK rule.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    tips_->add(edit, tip);
    connect(edit, &QLineEdit::textChanged, this, &orbel_add_item::check);
    add_row(label, edit);
    return edit;
}

void orbel_add_item::finish() {
    add_row(QStringLiteral("内容："), content_);
    auto* set = button(this, "1037", QStringLiteral("设置图片"));
    auto* clear = button(this, "1007", QStringLiteral("清除图片"));
    connect(set, &QPushButton::clicked, this, &orbel_add_item::set_picture);
    connect(clear, &QPushButton::clicked, this, [this] { picture_->set_bytes(QByteArray()); });
    auto* picture_column = new QVBoxLayout;
    picture_column->addWidget(picture_);
    picture_column->addWidget(set);
    picture_column->addWidget(clear);
    picture_column->addStretch();
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* top = new QHBoxLayout;
    top->addLayout(picture_column);
    top->addLayout(grid_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    check();
}

void orbel_add_item::check() {
    const bool ok = ok_allowed();
    if (ok_->isEnabled() != ok) ok_->setEnabled(ok);
}

QString orbel_add_item::content() const { return content_->toPlainText(); }
const QByteArray& orbel_add_item::picture() const { return picture_->bytes(); }

void orbel_add_item::set_picture() {
    const orbel_picture_texts texts{orbel_picture_filter(QStringLiteral("图片文件")), QStringLiteral("设置图片"),
                                    QStringLiteral("图片文件不能为空!"), QStringLiteral("不支持的图片文件格式!")};
    QByteArray bytes;
    if (orbel_custom_picture(this, texts, QSize(rules::picture_width, rules::picture_height), bytes))
        picture_->set_bytes(bytes);
}

// --- news

orbel_add_news::orbel_add_news(QWidget* parent) : orbel_add_item("118", QStringLiteral("新建新闻"), parent) {
    title_ = new QLineEdit(this);
    title_->setObjectName(QStringLiteral("1030"));
    connect(title_, &QLineEdit::textChanged, this, &orbel_add_news::check);
    add_row(QStringLiteral("标题："), title_);
    finish();
    comments_ = add_check("1042", QStringLiteral("允许成员添加评论"), comments_tip);
    add_row(QString(), comments_);
    resize(560, 360);
}

QString orbel_add_news::title() const { return title_->text(); }
int32_t orbel_add_news::comments() const { return checked(comments_); }
bool orbel_add_news::ok_allowed() const { return title_ && rules::news_ok(title_->text(), content()); }

// --- notice

orbel_add_notice::orbel_add_notice(QWidget* parent) : orbel_add_item("114", QStringLiteral("新建通知"), parent) {
    finish();
    members_only_ = add_check("1039", QStringLiteral("只有成员能看到"),
                              QStringLiteral("　只有成员用户能看到此通知，对普通关注者不可见。"));
    push_ = add_check("1078", QStringLiteral("成员消息推送"),
                      QStringLiteral("　给成员用户推送消息，成员用户必须在手机上设置允许推送。"));
    show_receivers_ = add_check("1067", QStringLiteral("查看接收者信息"),
                                QStringLiteral("　可以查看接收者的数目，以及具体的成员用户。"));
    for (QCheckBox* box : {members_only_, push_, show_receivers_}) add_row(QString(), box);
    resize(560, 360);
}

int32_t orbel_add_notice::members_only() const { return checked(members_only_); }
int32_t orbel_add_notice::push() const { return checked(push_); }
int32_t orbel_add_notice::show_receivers() const { return checked(show_receivers_); }
bool orbel_add_notice::ok_allowed() const { return rules::notice_ok(content()); }

// --- vote

orbel_add_vote::orbel_add_vote(QWidget* parent) : orbel_add_item("130", QStringLiteral("新建投票"), parent) {
    finish();
    days_ = add_number("1084", QStringLiteral("投票有效天数："),
                       QStringLiteral("　表示投票自发布之日起，允许用户投票的时间范围，0表示没有任何时间范围限制。"),
                       QStringLiteral("0"));
    max_ =
        add_number("1085", QStringLiteral("最多可投项数："),
                   QStringLiteral("　允许用户可以多选。多选数目必须大于0，而且不能大于总的可选数，1表示只能选择一个。"),
                   QStringLiteral("1"));
    options_ = new orbel_list_box(this);
    options_->setObjectName(QStringLiteral("1011"));
    tips()->add(options_, QStringLiteral("　应该至少包含两个选项，选项名字不能重复。"));
    add_ = button(this, "1027", QStringLiteral("添加选项"));
    delete_ = button(this, "1081", QStringLiteral("删除选项"));
    up_ = button(this, "1082", QStringLiteral("上移选项"));
    down_ = button(this, "1083", QStringLiteral("下移选项"));
    auto* option_buttons = new QWidget(this);
    auto* row = new QHBoxLayout(option_buttons);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {add_, delete_, up_, down_}) row->addWidget(b);
    add_row(QString(), options_);
    add_row(QString(), option_buttons);
    members_only_ = add_check("1039", QStringLiteral("只有成员能参与"),
                              QStringLiteral("　只有成员用户能参与此投票，对普通关注者不可见。"));
    comments_ = add_check("1042", QStringLiteral("允许成员添加评论"), comments_tip);
    add_row(QString(), members_only_);
    add_row(QString(), comments_);
    connect(add_, &QPushButton::clicked, this, &orbel_add_vote::on_add_option);
    connect(delete_, &QPushButton::clicked, this, &orbel_add_vote::on_delete_option);
    connect(up_, &QPushButton::clicked, this, [this] { move_option(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move_option(1); });
    connect(options_, &QListWidget::currentRowChanged, this, &orbel_add_vote::check);
    check();
    resize(600, 520);
}

int32_t orbel_add_vote::valid_days() const {
    int32_t v = 0;
    return rules::read_number(days_->text(), v) ? v : 0;
}
int32_t orbel_add_vote::max_selections() const {
    int32_t v = 1;
    return rules::read_number(max_->text(), v) ? v : 1;
}
int32_t orbel_add_vote::members_only() const { return checked(members_only_); }
int32_t orbel_add_vote::comments() const { return checked(comments_); }

QStringList orbel_add_vote::options() const {
    QStringList out;
    for (int i = 0; i < options_->count(); ++i) out << options_->item(i)->text();
    return out;
}

bool orbel_add_vote::ok_allowed() const {
    if (!options_) return false;  // still being built
    const int n = options_->count();
    const int selected = options_->currentRow();
    add_->setEnabled(rules::can_add_option(n));
    delete_->setEnabled(rules::can_delete_option(selected));
    up_->setEnabled(rules::can_move_up(selected));
    down_->setEnabled(rules::can_move_down(selected, n));
    return rules::vote_ok(content(), n, max_->text(), days_->text());
}

bool orbel_add_vote::add_option(const QString& name) {
    if (!rules::can_add_option(options_->count()) || !rules::option_acceptable(options(), name)) return false;
    options_->addItem(name.trimmed());
    options_->setCurrentRow(options_->count() - 1);
    check();
    return true;
}

void orbel_add_vote::on_add_option() {
    if (!rules::can_add_option(options_->count())) return;
    orbel_input_option input(this);
    if (input.exec() == QDialog::Accepted) add_option(input.name());
}

void orbel_add_vote::on_delete_option() {
    const int row = options_->currentRow();
    if (row < 0) return;
    delete options_->takeItem(row);
    options_->setCurrentRow(rules::selection_after_remove(row, options_->count()));
    check();
}

void orbel_add_vote::move_option(int by) {
    const int row = options_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= options_->count()) return;
    QListWidgetItem* item = options_->takeItem(row);
    options_->insertItem(to, item);
    options_->setCurrentRow(to);
    check();
}

// --- option name

orbel_input_option::orbel_input_option(QWidget* parent) : orbel_form_dialog("133", QStringLiteral("添加选项"), parent) {
    name_ = add_edit("1038", QStringLiteral("选项名称："), QString());
}

QString orbel_input_option::name() const { return name_->text(); }
