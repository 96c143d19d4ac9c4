#pragma once
#include <QTreeWidget>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/vux_string.h"

// The keys of a list's rows, each once, in the order they were first stored.
class orbel_list_keys {
public:
    int32_t count() const { return int32_t(texts_.size()); }
    // The key's index; -1 when absent.
    int32_t find(const vux_string& key) const;
    // The key's index, added when absent.
    int32_t add(const vux_string& key);
    // Empty outside 0..count-1.
    vux_string item_at(int32_t i) const;

private:
    // A deque, so a text stays where it is as keys are added and the index
    // can look into it.
    std::deque<std::string> texts_;
    std::unordered_map<std::string_view, int32_t> index_;
};

// A report list whose rows carry, as their UserRole data, the index of their
// key in the control's key list. Presses and double clicks on empty space
// only take the focus, so the selection survives them.
class orbel_list_control : public QTreeWidget {
    Q_OBJECT
public:
    explicit orbel_list_control(QWidget* parent = nullptr);

    // A new row at `position` (clamped to 0..rows) with `text` in column 0;
    // returns its row.
    int insert_row(int position, const vux_string& text);
    // Column 1 of `row`.
    void set_text(int row, const vux_string& text);
    // Adds the key to the key list when absent and stores its index in the row.
    void set_key(const vux_string& key, int row);
    // The key's index in the key list, added when absent (for rows made in bulk).
    int32_t key_index(const vux_string& key);
    // The first row whose data is key index `index`; -1 when none.
    int find_row(int index) const;
    // The first selected row in row order; -1 when none.
    int selected_row() const;

    const orbel_list_keys& keys() const { return keys_; }
    // The key stored in `row`; empty when the row has none.
    vux_string key_of(int row) const;

    // A text shown in the middle of the list while it has no rows; none when empty.
    void set_empty_hint(const QString& text);
    const QString& empty_hint() const { return empty_hint_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool on_empty_space(QMouseEvent* event);

    orbel_list_keys keys_;
    QString empty_hint_;
};
