#include "client/sheet/orbel_site_column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_select_background.h"
#include "client/controls/orbel_static_color.h"
#include "client/controls/orbel_static_picture.h"
#include "desktop/records/vux_desktop_site_change.h"

const std::array<orbel_site_column::column, 13> orbel_site_column::columns = {{
    {1096, 1088, u"　【主页】栏目对所有用户开放，可以打开网页，地图和直接拨打联系电话。"},
    {1043, 1090, u"　【新闻】栏目对所有用户开放。"},
    {1020, 1089, u"　【通知】栏目对所有用户开放，某些通知在发送时可以设定只让成员用户看到。"},
    {1033, 1094, u"　【论坛】栏目只对成员用户开放，成员用户可以发贴或添加评论，管理员可以删除内容。"},
    {1021, 1092, u"　【群聊】栏目只对成员用户开放。"},
    {1022, 1097, u"　【私信】栏目只对成员用户开放。"},
    {1079, 1091, u"　【投票】栏目对所有用户开放。在创建投票时，可以设定只允许成员用户投票。"},
    {1086, 1095, u"　【相册】栏目只对成员用户开放。相册按照发布的日期组织在一起。"},
    {1081, 1102,
     u"　【在哪】栏目对所有用户开放，管理员或成员可以动态创建兴趣点，用户可以根据当前位置查找附近的兴趣点。"},
    {1080, 1101, u"　【问答】栏目对所有用户开放，任何人都可以发问，任何人也都可以回答。"},
    {1023, 1103, u"　【任务】栏目只对成员用户开放，成员之间可以互相安排任务。"},
    {1024, 1104, u"　【会议】栏目只对成员用户开放，一组成员可以在一个事先创建好的会议室里语音通话。"},
    {1025, 1105, u"　【日历】栏目只对成员用户开放，成员可以通过日历安排自己的工作和学习。"},
}};

namespace {
// The order in which the colours go into the update's brush.
constexpr int brush_order[] = {1, 3, 2, 7, 5, 4, 8, 9, 10, 11, 12, 13, 6};

void set_bit(int32_t& bits, int32_t bit, bool on) { bits = on ? (bits | bit) : (bits & ~bit); }
}  // namespace

orbel_site_column::values orbel_site_column::fill(const vux_desktop_site& site) {
    values v;
    v.align = site.column_align;
    v.opacity = site.brush.opacity;
    v.options = site.options & option_bits;
    v.columns = site.columns & column_bits;
    for (const vux_desktop_column& c : vux_desktop_columns)
        v.colors[size_t(c.key - 1)] = site.brush.value_of(c.key, c.colour);
    v.background = bytes_of(site.background);
    return v;
}

void orbel_site_column::collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update) {
    if (v.align != cached.column_align) {
        update.column_align = v.align;
        update.change_mask |= vux_desktop_site_change::column_align;
    }
    // The update's opacity is always the page's: the service takes the whole
    // brush whenever its bit is set, and that bit is set on every accept.
    update.brush.opacity = v.opacity;
    if (v.opacity != cached.brush.opacity) update.change_mask |= vux_desktop_site_change::brush;
    update.options |= v.options & option_bits;
    update.columns |= v.columns & column_bits;
    for (int key : brush_order)
        if (update.set_brush_entry(key, v.colors[size_t(key - 1)]))
            update.change_mask |= vux_desktop_site_change::brush;
    if (!same_bytes(v.background, cached.background)) {
        set_buffer(update.background, v.background);
        update.change_mask |= vux_desktop_site_change::background;
    }
}

void orbel_site_column::toggle(values& v, int id, bool checked) {
    int32_t& o = v.options;
    int32_t& c = v.columns;
    switch (id) {
    case 1022:  // "私信"
        set_bit(c, private_messages, checked);
        if (checked)
            o |= with_you | among_members;
        else
            o &= ~(with_you | among_members | with_waiters);
        return;
    case 1062:
        set_bit(o, with_you, checked);
        if (checked)
            c |= private_messages;
        else if (!(o & (among_members | with_waiters)))
            c &= ~private_messages;
        return;
    case 1064:
        set_bit(o, among_members, checked);
        if (checked) {
            c |= private_messages;
            o &= ~with_waiters;
        } else if (!(o & (with_you | with_waiters))) {
            c &= ~private_messages;
        }
        return;
    case 1093:
        set_bit(o, with_waiters, checked);
        if (checked) {
            c |= private_messages;
            o &= ~among_members;
        } else if (!(o & (with_you | among_members))) {
            c &= ~private_messages;
        }
        return;
    case 1063:  // members may create points of interest: needs "在哪"
        set_bit(o, points, checked);
        if (checked) c |= where;
        return;
    default: break;
    }
    for (size_t k = 0; k < columns.size(); ++k) {
        if (columns[k].id != id) continue;
        const int32_t bit = vux_desktop_columns[k].bit;
        set_bit(c, bit, checked);
        if (bit == where && !checked) o &= ~points;
        return;
    }
}

QString orbel_site_column::opacity_text(int opacity) {
    if (opacity == 0) return QStringLiteral("全透明");
    if (opacity == 100) return QStringLiteral("不透明");
    return QString::asprintf("%d%%", opacity);
}

orbel_site_column::orbel_site_column(QWidget* parent) : orbel_site_page("142", QStringLiteral("栏目"), parent) {
    auto* grid_box = new QGroupBox(QStringLiteral("栏目"), this);
    auto* grid = new QGridLayout(grid_box);
    int shown = 0;
    for (size_t k = 0; k < columns.size(); ++k) {
        const column& col = columns[k];
        const QByteArray id = QByteArray::number(col.id), swatch_id = QByteArray::number(col.swatch);
        auto* box = named(new QCheckBox(QString::fromUtf8(vux_desktop_columns[k].label), this), id.constData(),
                          QString::fromUtf16(col.tip));
        auto* swatch = named(new orbel_static_color(this), swatch_id.constData());
        swatch->setFixedSize(40, 20);
        column_boxes_[k] = box;
        swatches_[k] = swatch;
        connect(box, &QCheckBox::clicked, this, [this, id = col.id](bool on) {
            toggle(values_, id, on);
            show_checks();
        });
        connect(swatch, &orbel_static_color::color_chosen, this, [this, k](int color) { values_.colors[k] = color; });
        if (!vux_desktop_columns[k].offered) {
            box->hide();
            swatch->hide();
            continue;
        }
        const int row = shown % 4, at = shown / 4 * 2;
        grid->addWidget(box, row, at);
        grid->addWidget(swatch, row, at + 1);
        ++shown;
    }

    grid->setColumnStretch(4, 1);

    auto* messages_box = new QGroupBox(QStringLiteral("私信"), this);
    auto* messages = new QVBoxLayout(messages_box);
    with_you_ = named(new QCheckBox(QStringLiteral("允许成员和你相互发私信"), this), "1062",
                      QStringLiteral("　你和成员用户之间一对一的通讯方式。"));
    among_members_ = named(new QCheckBox(QStringLiteral("允许成员之间相互发私信"), this), "1064",
                           QStringLiteral("　成员用户之间一对一的通讯方式。"));
    with_waiters_ = named(new QCheckBox(QStringLiteral("允许成员与服务员之间相互发私信"), this), "1093",
                          QStringLiteral("　成员与服务员之间一对一的通讯方式。在该方式下，成员只能看到服务员，"
                                         "服务员只能看到成员。成员之间，以及服务员之间互相不可见。"));
    points_ = named(new QCheckBox(QStringLiteral("允许成员创建兴趣点"), this), "1063",
                    QStringLiteral("　除了管理员之外，也允许成员用户动态创建兴趣点。"));
    points_->hide();
    for (QCheckBox* box : {with_you_, among_members_, with_waiters_}) messages->addWidget(box);
    const std::pair<QCheckBox*, int> option_boxes[] = {
        {with_you_, 1062}, {among_members_, 1064}, {with_waiters_, 1093}, {points_, 1063}};
    for (const auto& [box, id] : option_boxes)
        connect(box, &QCheckBox::clicked, this, [this, id = id](bool on) {
            toggle(values_, id, on);
            show_checks();
        });

    align_ = named(new QComboBox(this), "1098");
    align_->addItems({QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    connect(align_, &QComboBox::currentIndexChanged, this, [this](int i) { values_.align = i; });
    opacity_ = named(new QSlider(Qt::Horizontal, this), "1099");
    opacity_->setRange(0, 100);
    opacity_label_ = named(new QLabel(this), "1100");
    opacity_label_->setMinimumWidth(50);
    connect(opacity_, &QSlider::valueChanged, this, [this](int value) {
        values_.opacity = value;
        refresh();
    });
    auto* look = new QGridLayout;
    look->addWidget(new QLabel(QStringLiteral("文字对齐："), this), 0, 0);
    look->addWidget(align_, 0, 1, 1, 2);
    look->addWidget(new QLabel(QStringLiteral("透明度："), this), 1, 0);
    look->addWidget(opacity_, 1, 1);
    look->addWidget(opacity_label_, 1, 2);

    auto* background_box = new QGroupBox(QStringLiteral("栏目背景"), this);
    background_ = named(new orbel_static_picture(this), "1073",
                        QStringLiteral("　设置站点在手机端的栏目背景，标准尺寸640x960，jpg格式。"));
    background_->setFixedSize(96, 144);
    auto* pack = named(new QPushButton(QStringLiteral("背景库..."), this), "1076");
    auto* file = named(new QPushButton(QStringLiteral("自定义..."), this), "1074");
    clear_background_ = named(new QPushButton(QStringLiteral("清除背景"), this), "1072");
    auto* background_buttons = new QVBoxLayout;
    for (QPushButton* b : {pack, file, clear_background_}) background_buttons->addWidget(b);
    background_buttons->addStretch();
    auto* background_row = new QHBoxLayout(background_box);
    background_row->addWidget(background_);
    background_row->addLayout(background_buttons);

    auto* left = new QVBoxLayout;
    left->addWidget(grid_box);
    left->addWidget(messages_box);
    left->addLayout(look);
    left->addStretch();
    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addWidget(background_box, 0, Qt::AlignTop);

    connect(pack, &QPushButton::clicked, this, [this] {
        orbel_select_background picker(this);
        if (picker.exec() != QDialog::Accepted || picker.result().isEmpty()) return;
        values_.background = picker.result();
        background_->set_bytes(values_.background);
        refresh();
    });
    connect(file, &QPushButton::clicked, this, [this] {
        const orbel_picture_texts texts{orbel_picture_filter(QStringLiteral("图片文件")), QStringLiteral("自定义背景"),
                                        QStringLiteral("背景文件不能为空!"), QStringLiteral("不支持的背景文件格式!")};
        if (!choose_file(this, texts, QSize(640, 960), background_)) return;
        values_.background = background_->bytes();
        refresh();
    });
    connect(clear_background_, &QPushButton::clicked, this, [this] {
        values_.background.clear();
        background_->set_bytes({});
        refresh();
    });
    set_values(values_);
}

void orbel_site_column::set_values(const values& v) {
    values_ = v;
    align_->setCurrentIndex(v.align >= 0 && v.align < align_->count() ? v.align : -1);
    values_.align = v.align;
    opacity_->setValue(v.opacity);
    values_.opacity = v.opacity;
    for (size_t k = 0; k < columns.size(); ++k) swatches_[k]->set_color(v.colors[k]);
    background_->set_bytes(v.background);
    show_checks();
    refresh();
}

orbel_site_column::values orbel_site_column::get_values() const { return values_; }

void orbel_site_column::show_checks() {
    for (size_t k = 0; k < columns.size(); ++k)
        column_boxes_[k]->setChecked(values_.columns & vux_desktop_columns[k].bit);
    with_you_->setChecked(values_.options & with_you);
    among_members_->setChecked(values_.options & among_members);
    with_waiters_->setChecked(values_.options & with_waiters);
    points_->setChecked(values_.options & points);
}

void orbel_site_column::refresh() {
    clear_background_->setEnabled(!values_.background.isEmpty());
    if (opacity_->value() != shown_opacity_) {
        shown_opacity_ = opacity_->value();
        opacity_label_->setText(opacity_text(shown_opacity_));
    }
}
