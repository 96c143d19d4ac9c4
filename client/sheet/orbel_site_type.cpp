#include "client/sheet/orbel_site_type.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
struct preset {
    int id;
    const char16_t* label;
    const char16_t* description;
    int32_t columns;  // of home, news, notice, forum, group chat, vote, album, private messages
    int32_t options;  // of the three private-message rules
    bool sharing;
    int32_t share_options;
};
constexpr int32_t preset_columns = 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x80 | 0x100 | 0x40;
constexpr int32_t preset_options = 0x1 | 0x2 | 0x4;

const preset presets[] = {
    {1111, u"活动小组", u"适合兴趣小组、俱乐部和各类活动：通知、群聊和成员之间的私信。", 0x8 | 0x20 | 0x40, 0x2, false,
     0},
    {1112, u"小型企业", u"适合小型公司和团队：通知、论坛、相册和成员之间的私信。", 0x8 | 0x10 | 0x100 | 0x40, 0x2,
     false, 0},
    {1113, u"大型企业", u"适合大型机构：主页、新闻和通知。", 0x2 | 0x4 | 0x8, 0, false, 0},
    {1114, u"小型商家", u"适合小型店铺：主页、通知、论坛和与顾客之间的私信。", 0x2 | 0x8 | 0x10 | 0x40, 0x1, false, 0},
    {1115, u"大型商家", u"适合连锁商家：主页、通知和分享，顾客可以相互推荐和搜索关注。", 0x2 | 0x8, 0, true,
     orbel_site_share::recommend | orbel_site_share::keyword},
};
}  // namespace

bool orbel_site_type::apply_preset(int id, orbel_site_column::values& column, orbel_site_share::values& share) {
    for (const preset& p : presets) {
        if (p.id != id) continue;
        column.columns = (column.columns & ~preset_columns) | p.columns;
        column.options = (column.options & ~preset_options) | p.options;
        share.sharing = p.sharing;
        share.options = p.share_options;
        return true;
    }
    return false;
}

orbel_site_type::orbel_site_type(QWidget* parent) : orbel_site_page("152", QStringLiteral("组织形式"), parent) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const preset& p : presets) {
        const QByteArray id = QByteArray::number(p.id);
        auto* button = named(new QPushButton(QString::fromUtf16(p.label), this), id.constData());
        button->setMinimumWidth(120);
        auto* text = new QLabel(QString::fromUtf16(p.description), this);
        text->setWordWrap(true);
        grid->addWidget(button, row, 0);
        grid->addWidget(text, row, 1);
        ++row;
        connect(button, &QPushButton::clicked, this, [this, id = p.id] { emit preset_chosen(id); });
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}
