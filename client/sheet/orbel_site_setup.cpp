#include "client/sheet/orbel_site_setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_select_logo.h"
#include "client/controls/orbel_select_pallet.h"
#include "client/controls/orbel_static_color.h"
#include "client/controls/orbel_static_picture.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

namespace {
constexpr int32_t paused_state = 1;
}  // namespace

orbel_site_setup::values orbel_site_setup::fill(const vux_desktop_site& site, bool with_status,
                                                const QString& telephone) {
    values v;
    v.style = site.style;
    v.pinned = site.options & pinned_bit;
    v.paused = site.publish_state == paused_state;
    v.tray_only = site.options & tray_only_bit;
    v.feedback = site.options & feedback_bit;
    v.title = orbel_to_qstring(site.name);
    v.tray_color = site.tray_color;
    v.number = site.activation_number.empty() ? telephone : orbel_to_qstring(site.activation_number);
    if (with_status && !v.number.isEmpty())
        v.status = site.activated ? QStringLiteral("【已经激活】") : QStringLiteral("【尚未激活】");
    v.tray = bytes_of(site.tray_picture);
    v.icon = bytes_of(site.icon);
    return v;
}

bool orbel_site_setup::collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update) {
    if (v.style != cached.style) {
        update.style = v.style;
        update.change_mask |= vux_desktop_site_change::style;
    }
    if (v.pinned) update.options |= pinned_bit;
    if (v.tray_only) update.options |= tray_only_bit;
    if (v.feedback) update.options |= feedback_bit;
    if (v.paused) update.publish_state = paused_state;
    if (update.publish_state != cached.publish_state) update.change_mask |= vux_desktop_site_change::publish_state;
    const vux_string title = orbel_to_utf8(v.title.trimmed());
    if (title.view() == cached.name.view()) {
        update.name.clear();
    } else {
        update.name = title;
        update.change_mask |= vux_desktop_site_change::name;
    }
    update.tray_color = v.tray_color;
    if (update.tray_color != cached.tray_color) update.change_mask |= vux_desktop_site_change::tray_color;
    const vux_string number = orbel_to_utf8(v.number);
    bool number_changed = false;
    if (number.view() == cached.activation_number.view()) {
        update.activation_number.clear();
    } else {
        update.activation_number = number;
        update.change_mask |= vux_desktop_site_change::activation_number;
        number_changed = true;
    }
    if (!same_bytes(v.tray, cached.tray_picture)) {
        set_buffer(update.tray_picture, v.tray);
        update.change_mask |= vux_desktop_site_change::tray_picture;
    }
    if (!same_bytes(v.icon, cached.icon)) {
        set_buffer(update.icon, v.icon);
        update.change_mask |= vux_desktop_site_change::icon;
    }
    return number_changed;
}

std::optional<orbel_site_setup::problem> orbel_site_setup::check(const values& v) {
    if (v.title.trimmed().isEmpty()) return problem{"1030", QStringLiteral("显示标题不能为空!")};
    if (v.number.isEmpty()) return problem{"1024", QStringLiteral("激活手机号不能为空!")};
    if (!orbel_to_utf8(v.number).is_mobile_number())
        return problem{"1024", QStringLiteral("请输入一个合法的激活手机号!")};
    return std::nullopt;
}

orbel_site_setup::orbel_site_setup(QWidget* parent) : orbel_site_page("112", QStringLiteral("设置"), parent) {
    title_ = named(new QLineEdit(this), "1030", QStringLiteral("　当前站点在手机端的显示名称。"));
    number_ = named(new QLineEdit(this), "1024",
                    QStringLiteral("　发布站点需要用此手机号手动激活。未激活的站点对手机用户是不可见的。"
                                   "激活手机号一旦更改，需要重新进行激活。"));
    status_ = named(new QLabel(this), "1032");
    style_ = named(new QComboBox(this), "1099");
    style_->addItem(QStringLiteral("微软(Metro UI)"));
    style_->setEnabled(false);
    pinned_ = named(new QCheckBox(QStringLiteral("站点置顶"), this), "1098",
                    QStringLiteral("　将该站点置于手机用户站点列表的首部，使用该功能需要成为会员用户。"));
    paused_ = named(new QCheckBox(QStringLiteral("暂停发布"), this), "1012",
                    QStringLiteral("　暂停发布会使当前站点在用户的手机上暂时消失。"));
    tray_only_ = named(new QCheckBox(QStringLiteral("只显示托盘图片"), this), "1110",
                       QStringLiteral("　只显示托盘图片，不在上面显示站点标题，图标等其它内容。"));
    feedback_ = named(new QCheckBox(QStringLiteral("意见与反馈"), this), "1013",
                      QStringLiteral("　提供意见与建议功能，任何用户都可以提出意见和建议，管理员负责及时答复。"));
    tray_color_ = named(new orbel_static_color(this), "1087", QStringLiteral("　设置站点在手机端托盘的颜色。"));
    tray_color_->setFixedSize(60, 24);
    icon_ = named(new orbel_static_picture(this), "1036",
                  QStringLiteral("　设置站点在手机端的显示图标，标准尺寸100x100，png或者jpg格式。"));
    icon_->setFixedSize(100, 100);
    tray_ = named(new orbel_static_picture(this), "1108",
                  QStringLiteral("　设置站点在手机端托盘的图片，标准尺寸360x136，jpg格式。"));
    tray_->setFixedSize(270, 102);
    auto* icon_pack = named(new QPushButton(QStringLiteral("图标库..."), this), "1025");
    auto* icon_file = named(new QPushButton(QStringLiteral("自定义..."), this), "1037");
    clear_icon_ = named(new QPushButton(QStringLiteral("清除图标"), this), "1007");
    auto* tray_pack = named(new QPushButton(QStringLiteral("图片库..."), this), "1107");
    auto* tray_file = named(new QPushButton(QStringLiteral("自定义..."), this), "1109");
    clear_tray_ = named(new QPushButton(QStringLiteral("清除图片"), this), "1106");

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("显示标题："), this), 0, 0);
    form->addWidget(title_, 0, 1, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("激活手机号："), this), 1, 0);
    form->addWidget(number_, 1, 1);
    form->addWidget(status_, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("界面风格："), this), 2, 0);
    form->addWidget(style_, 2, 1, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("托盘颜色："), this), 3, 0);
    form->addWidget(tray_color_, 3, 1, Qt::AlignLeft);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* box : {pinned_, paused_, tray_only_, feedback_}) checks->addWidget(box);
    checks->addStretch();

    auto* icon_box = new QGroupBox(QStringLiteral("图标"), this);
    auto* icon_buttons = new QVBoxLayout;
    for (QPushButton* b : {icon_pack, icon_file, clear_icon_}) icon_buttons->addWidget(b);
    icon_buttons->addStretch();
    auto* icon_row = new QHBoxLayout(icon_box);
    icon_row->addWidget(icon_, 0, Qt::AlignTop);
    icon_row->addLayout(icon_buttons);
    icon_row->addStretch();

    auto* tray_box = new QGroupBox(QStringLiteral("托盘图片"), this);
    auto* tray_buttons = new QVBoxLayout;
    for (QPushButton* b : {tray_pack, tray_file, clear_tray_}) tray_buttons->addWidget(b);
    tray_buttons->addStretch();
    auto* tray_row = new QHBoxLayout(tray_box);
    tray_row->addWidget(tray_, 0, Qt::AlignTop);
    tray_row->addLayout(tray_buttons);
    tray_row->addStretch();

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(icon_box);
    pictures->addWidget(tray_box, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addLayout(checks);
    page->addLayout(pictures);
    page->addStretch();

    connect(icon_pack, &QPushButton::clicked, this, &orbel_site_setup::choose_icon_pack);
    connect(icon_file, &QPushButton::clicked, this, &orbel_site_setup::choose_icon_file);
    connect(clear_icon_, &QPushButton::clicked, this, [this] {
        icon_->set_bytes({});
        refresh();
    });
    connect(tray_pack, &QPushButton::clicked, this, &orbel_site_setup::choose_tray_pack);
    connect(tray_file, &QPushButton::clicked, this, &orbel_site_setup::choose_tray_file);
    connect(clear_tray_, &QPushButton::clicked, this, &orbel_site_setup::clear_tray);
    refresh();
}

void orbel_site_setup::set_values(const values& v) {
    style_->setCurrentIndex(v.style >= 0 && v.style < style_->count() ? v.style : -1);
    pinned_->setChecked(v.pinned);
    pinned_->setEnabled(!v.pinned);  // once pinned it cannot be undone here
    paused_->setChecked(v.paused);
    tray_only_->setChecked(v.tray_only);
    tray_only_->setEnabled(!v.tray.isEmpty());
    feedback_->setChecked(v.feedback);
    title_->setText(v.title);
    number_->setText(v.number);
    status_->setText(v.status);
    icon_->set_bytes(v.icon);
    tray_->set_bytes(v.tray);
    tray_color_->set_color(v.tray_color);
    style_value_ = v.style;
    refresh();
}

orbel_site_setup::values orbel_site_setup::get_values() const {
    values v;
    // The one style the combo offers stands for whatever the site holds.
    v.style = style_value_;
    v.pinned = pinned_->isChecked();
    v.paused = paused_->isChecked();
    v.tray_only = tray_only_->isChecked();
    v.feedback = feedback_->isChecked();
    v.title = title_->text();
    v.number = number_->text();
    v.status = status_->text();
    v.icon = icon_->bytes();
    v.tray = tray_->bytes();
    v.tray_color = tray_color_->color();
    return v;
}

bool orbel_site_setup::validate() {
    const std::optional<problem> p = check(get_values());
    if (!p) return true;
    orbel_get_ui().message(this, p->message);
    if (auto* field = findChild<QLineEdit*>(QLatin1String(p->focus))) field->setFocus();
    return false;
}

void orbel_site_setup::refresh() {
    clear_icon_->setEnabled(!icon_->bytes().isEmpty());
    clear_tray_->setEnabled(!tray_->bytes().isEmpty());
}

void orbel_site_setup::choose_icon_pack() {
    orbel_select_logo picker(this);
    if (picker.exec() != QDialog::Accepted || picker.result().isEmpty()) return;
    icon_->set_bytes(picker.result());
    refresh();
}

void orbel_site_setup::choose_icon_file() {
    const orbel_picture_texts texts{orbel_picture_filter(QStringLiteral("图标文件")), QStringLiteral("自定义图标"),
                                    QStringLiteral("图标文件不能为空!"), QStringLiteral("不支持的图标文件格式!")};
    if (choose_file(this, texts, QSize(100, 100), icon_)) refresh();
}

void orbel_site_setup::choose_tray_pack() {
    orbel_select_pallet picker(this);
    if (picker.exec() != QDialog::Accepted || picker.result().isEmpty()) return;
    tray_->set_bytes(picker.result());
    tray_only_->setEnabled(true);
    refresh();
}

void orbel_site_setup::choose_tray_file() {
    const orbel_picture_texts texts{orbel_picture_filter(QStringLiteral("托盘文件")), QStringLiteral("自定义托盘"),
                                    QStringLiteral("托盘文件不能为空!"), QStringLiteral("不支持的托盘文件格式!")};
    if (!choose_file(this, texts, QSize(360, 160), tray_)) return;
    tray_only_->setEnabled(true);
    refresh();
}

void orbel_site_setup::clear_tray() {
    tray_->set_bytes({});
    tray_only_->setChecked(false);
    tray_only_->setEnabled(false);
    refresh();
}
