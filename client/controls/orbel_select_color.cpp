#include "client/controls/orbel_select_color.h"

#include <QLabel>
#include <QPushButton>

#include "client/controls/orbel_color_list.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"
#include "gui/orbel_ui.h"

orbel_select_color::orbel_select_color(int initial, QWidget* parent)
    : QDialog(parent), initial_(initial), color_(initial) {
    setObjectName(QStringLiteral("136"));
    setWindowTitle(QStringLiteral("选择颜色"));
    constexpr int width = 220, cells_height = 100;
    setFixedSize(width, cells_height + 84);

    auto* size_label = new QLabel(QStringLiteral("大小"), this);
    size_label->setGeometry(10, 10, 32, 32);
    size_label->hide();
    const QRect r = size_label->geometry();

    grid_ = new orbel_color_list(this);
    grid_->setGeometry(0, 0, width, cells_height);
    grid_->set_template({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    connect(grid_, &orbel_grid::chosen, this, [this](int index) {
        color_ = orbel_color_list::palette[size_t(index)];
        accept();
    });

    auto* custom = new QPushButton(QStringLiteral("自定义颜色..."), this);
    custom->setObjectName(QStringLiteral("1025"));
    custom->setGeometry(10, cells_height + 8, width - 20, 28);
    connect(custom, &QPushButton::clicked, this, &orbel_select_color::choose_custom);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(width - 90, cells_height + 46, 80, 28);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);
}

void orbel_select_color::choose_custom() {
    const std::optional<int> chosen = orbel_get_ui().choose_color(this, initial_);
    if (!chosen) return;
    color_ = *chosen & 0xFFFFFF;
    accept();
}
