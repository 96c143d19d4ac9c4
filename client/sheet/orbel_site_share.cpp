#include "client/sheet/orbel_site_share.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/sheet/orbel_view.h"

namespace {
struct option_box {
    int id;
    int32_t bit;
    const char16_t* label;
    const char16_t* tip;
};
const option_box option_table[] = {
    {1063, orbel_site_share::recommend, u"允许手机用户之间相互推荐", u"　允许手机用户添加其他关注者。"},
    {1010, orbel_site_share::scan, u"允许手机用户扫描二维码添加关注", u"　允许手机用户通过扫描二维码成为你的关注者。"},
    {1051, orbel_site_share::keyword, u"允许手机用户搜索关键词添加关注",
     u"　允许手机用户通过关键词搜索找到你，并且成为你的关注者。"},
    {1058, orbel_site_share::nearby, u"允许手机用户搜索周边位置添加关注",
     u"　允许手机用户通过查找周边位置找到你，并且成为你的关注者。该功能要求必须填写或动态获取经纬度信息。"},
    {1011, orbel_site_share::apply, u"允许手机用户通过申请成为成员用户",
     u"　允许手机用户通过关键词搜索，扫描二维码或者查找周边位置找到你，然后申请成为成员用户，"
     u"管理员可以决定哪些用户可以成为成员用户。"},
};
}  // namespace

orbel_site_share::values orbel_site_share::fill(const vux_desktop_site& site) {
    return {bool(site.columns & sharing), site.options & option_bits};
}

void orbel_site_share::collect(const values& v, vux_desktop_site& update) {
    update.options |= v.options & option_bits;
    if (v.sharing) update.columns |= sharing;
}

void orbel_site_share::toggle(values& v, int id, bool checked) {
    if (id == 1041) {
        v.sharing = checked;
        // Without sharing nobody can find the site to follow it.
        if (!checked) v.options &= ~(recommend | keyword | scan | nearby);
        return;
    }
    for (const option_box& box : option_table) {
        if (box.id != id) continue;
        v.options = checked ? (v.options | box.bit) : (v.options & ~box.bit);
        if (checked) v.sharing = true;
        return;
    }
}

orbel_site_share::orbel_site_share(QWidget* parent) : orbel_site_page("143", QStringLiteral("分享"), parent) {
    auto* page = new QVBoxLayout(this);
    sharing_ =
        named(new QCheckBox(QStringLiteral("开启分享功能"), this), "1041",
              QStringLiteral("　允许添加非成员用户，适合大型组织。非成员用户（关注者）和成员用户在功能上有所区别。"
                             "非成员用户只有手机号而没有姓名，所以无法实现他们之间的某些互动功能。"));
    page->addWidget(sharing_);
    connect(sharing_, &QCheckBox::clicked, this, [this](bool on) {
        toggle(values_, 1041, on);
        show_checks();
    });
    size_t i = 0;
    for (const option_box& o : option_table) {
        const QByteArray id = QByteArray::number(o.id);
        auto* box = named(new QCheckBox(QString::fromUtf16(o.label), this), id.constData(), QString::fromUtf16(o.tip));
        option_boxes_[i++] = {box, o.bit};
        connect(box, &QCheckBox::clicked, this, [this, id = o.id](bool on) {
            toggle(values_, id, on);
            show_checks();
        });
        if (o.bit == apply)
            box->hide();
        else
            page->addWidget(box);
    }
    auto* view = named(new QPushButton(QStringLiteral("查看二维码"), this), "1067");
    auto* row = new QHBoxLayout;
    row->addWidget(view);
    row->addStretch();
    page->addLayout(row);
    page->addStretch();
    connect(view, &QPushButton::clicked, this, [this] {
        orbel_view dialog(key_, this);
        dialog.exec();
    });
    show_checks();
}

void orbel_site_share::set_values(const values& v) {
    values_ = v;
    show_checks();
}

void orbel_site_share::show_checks() {
    sharing_->setChecked(values_.sharing);
    for (const auto& [box, bit] : option_boxes_) box->setChecked(values_.options & bit);
}
