#pragma once
#include <array>

#include "client/sheet/orbel_site_page.h"
#include "desktop/records/vux_desktop_site.h"
#include "desktop/vux_desktop_columns.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class orbel_static_color;
class orbel_static_picture;

// Page 142 "栏目" of the site sheet: which columns the phone shows, the
// private-message rules, the column colours, alignment, opacity and
// background.
class orbel_site_column : public orbel_site_page {
    Q_OBJECT
public:
    // The controls of one column of the phone application; columns[k]
    // belongs to vux_desktop_columns[k] (its bit, colour key, default colour
    // and name).
    struct column {
        int id;      // its check
        int swatch;  // its colour swatch
        const char16_t* tip;
    };
    static const std::array<column, 13> columns;
    // The option bits of this page and their checks.
    static constexpr int32_t with_you = 0x1, among_members = 0x2, with_waiters = 0x4, points = 0x800;
    static constexpr int32_t option_bits = with_you | among_members | with_waiters | points;
    static constexpr int32_t private_messages = 0x40, where = 0x200;
    // Every column bit but sharing (which is the share page's).
    static constexpr int32_t column_bits = 0x3FFE;

    struct values {
        int32_t columns = 0;  // column bits (no sharing)
        int32_t options = 0;  // option_bits only
        int align = 1;
        int opacity = vux_desktop_brush::default_opacity;
        std::array<int32_t, 13> colors{};  // by key - 1
        QByteArray background;
    };

    static values fill(const vux_desktop_site& site);
    // Alignment, opacity, colours and background into the update, with
    // their change bits; ORs the page's bits into the update's option and
    // column bits (the sheet compares those once every page is in).
    static void collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update);
    // A check of this page (by id) was set or cleared by the user: the value
    // and the checks that follow it.
    static void toggle(values& v, int id, bool checked);
    // The text beside the opacity bar.
    static QString opacity_text(int opacity);

    explicit orbel_site_column(QWidget* parent = nullptr);

    void set_values(const values& v);
    values get_values() const;

private:
    void show_checks();
    void refresh();

    values values_;
    std::array<QCheckBox*, 13> column_boxes_{};
    std::array<orbel_static_color*, 13> swatches_{};
    QCheckBox* with_you_;
    QCheckBox* among_members_;
    QCheckBox* with_waiters_;
    QCheckBox* points_;
    QComboBox* align_;
    QSlider* opacity_;
    QLabel* opacity_label_;
    int shown_opacity_ = -1;
    orbel_static_picture* background_;
    QPushButton* clear_background_;
};
