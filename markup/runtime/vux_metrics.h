#pragma once
#include <array>
#include <cstdint>
#include "core/vux_rect.h"
#include "markup/runtime/vux_graphics.h"

class vux_extent;
class vux_menu;

// The layout metrics of the runtime's screens in a portrait and a landscape
// variant, in design units of 1/240 of the shorter screen side.
class vux_metrics : public vux_graphics {
public:
    static constexpr int32_t entry_count = 42;

    vux_metrics();

    // number 1..42 addresses entry number - 1; variant 0 or 1.
    void set_metric(int32_t variant, int32_t number, int32_t value);
    void apply_extent(const vux_extent& extent);
    int32_t entry(int32_t k) const;  // the current variant's value
    int32_t entry(int32_t k, int32_t variant) const;
    bool is_landscape() const;
    bool is_portrait_tall() const;
    int32_t scale(int32_t units) const;
    int32_t metric(int32_t n) const;
    // Selects the host font of a size class; answers the text height.
    int32_t select_font(int32_t size_class, int32_t style) const;
    // The title bar's and the command bar's font (a step larger on a tall
    // portrait screen); answers the text height.
    int32_t select_bar_font() const;
    // The font of a dialog's text: entry 0 less entry 2 unless the host's
    // font is fixed, which is what size class 2 selects.
    static constexpr int32_t dialog_text_class = 2;
    int32_t title_bar_height() const;
    int32_t command_bar_height() const;
    int32_t row_height() const;
    // Clears the cached screen side and bar heights.
    void reset_caches();

    // ---- screen rectangles, in pixels
    vux_rect screen_rect() const;
    vux_rect title_bar_rect() const;
    vux_rect command_bar_rect() const;
    vux_rect client_rect() const;
    vux_rect without_command_bar() const;
    // A scrolling window client's rectangle: the bars that are not shown take
    // no room, and without a command bar the switch's strip stays free at the
    // bottom.
    vux_rect scrolling_client_rect(bool title_shown, bool bar_shown, int32_t switch_height) const;
    // Slot i (0 left, 1 right) of a bar with two commands; one takes it all.
    vux_rect soft_key_rect(int32_t i, bool two) const;
    vux_rect notice_rect() const;
    vux_rect busy_rect() const;
    vux_rect corner_rect() const;
    vux_rect centred_box() const;
    vux_rect text_column() const;
    // The track along the right (or bottom) edge of an area.
    vux_rect scroll_track(const vux_rect& area, bool vertical, bool shifted) const;
    vux_rect list_area(bool whole_screen) const;
    // Grid columns of a style-5 menu, at least 1.
    int32_t grid_columns() const;
    // The menu's rectangle by its style; upper and lower anchor a style-4 menu.
    vux_rect menu_rect(const vux_menu& menu, int32_t upper = 0, int32_t lower = 0) const;
    // Item i's rectangle inside a menu placed at `at`.
    vux_rect menu_item_rect(const vux_menu& menu, const vux_rect& at, int32_t i) const;
    // Slot i of n on a bar; alignment 1 left, 2 centred, 3 right.
    static vux_rect slot_rect(const vux_rect& bar, int32_t i, int32_t n, int32_t alignment, int32_t slot_width,
                              int32_t slot_height, int32_t gap, int32_t margin, int32_t top_offset);

private:
    int32_t bar_height(int32_t extra_entry, int32_t& cache) const;

    std::array<int32_t, 2 * entry_count> table_;
    mutable int32_t short_side_ = 0;
    mutable int32_t title_height_ = 0;
    mutable int32_t command_height_ = 0;
};
