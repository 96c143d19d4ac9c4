#include "client/controls/orbel_list_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/orbel_text.h"

orbel_list_control::orbel_list_control(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

int orbel_list_control::insert_row(int position, const vux_string& text) {
    const int row = std::clamp(position, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem();
    item->setText(0, orbel_to_qstring(text));
    insertTopLevelItem(row, item);
    return row;
}

void orbel_list_control::set_text(int row, const vux_string& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) item->setText(1, orbel_to_qstring(text));
}

void orbel_list_control::set_key(const vux_string& key, int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return;
    item->setData(0, Qt::UserRole, key_index(key));
}

int32_t orbel_list_keys::find(const vux_string& key) const {
    const auto it = index_.find(key.view());
    return it == index_.end() ? -1 : it->second;
}

int32_t orbel_list_keys::add(const vux_string& key) {
    if (const int32_t found = find(key); found >= 0) return found;
    const int32_t index = count();
    index_.emplace(texts_.emplace_back(key.view()), index);
    return index;
}

vux_string orbel_list_keys::item_at(int32_t i) const {
    return i < 0 || i >= count() ? vux_string() : vux_string(texts_[size_t(i)]);
}

int32_t orbel_list_control::key_index(const vux_string& key) { return keys_.add(key); }

int orbel_list_control::find_row(int index) const {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        const QVariant data = topLevelItem(row)->data(0, Qt::UserRole);
        if (data.isValid() && data.toInt() == index) return row;
    }
    return -1;
}

int orbel_list_control::selected_row() const {
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (topLevelItem(row)->isSelected()) return row;
    return -1;
}

vux_string orbel_list_control::key_of(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return vux_string();
    const QVariant data = item->data(0, Qt::UserRole);
    return data.isValid() ? keys_.item_at(data.toInt()) : vux_string();
}

bool orbel_list_control::on_empty_space(QMouseEvent* event) {
    if (itemAt(event->position().toPoint())) return false;
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return true;
}

void orbel_list_control::mousePressEvent(QMouseEvent* event) {
    if (!on_empty_space(event)) QTreeWidget::mousePressEvent(event);
}

void orbel_list_control::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!on_empty_space(event)) QTreeWidget::mouseDoubleClickEvent(event);
}

void orbel_list_control::set_empty_hint(const QString& text) {
    if (empty_hint_ == text) return;
    empty_hint_ = text;
    viewport()->update();
}

void orbel_list_control::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    if (empty_hint_.isEmpty() || topLevelItemCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin), Qt::AlignCenter | Qt::TextWordWrap,
                     empty_hint_);
}
