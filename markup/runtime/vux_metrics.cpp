#include "markup/runtime/vux_metrics.h"
#include <algorithm>
#include "markup/model/vux_extent.h"
#include "markup/model/vux_menu.h"

namespace {

// entry: portrait, landscape
constexpr int32_t defaults[vux_metrics::entry_count][2] = {
    {0, 0}, {2, 2},   {2, 2},   {7, 3},     {14, 10}, {36, 36}, {6, 3},     {4, 4},     {2, 2},   {14, 10}, {10, 7},
    {4, 4}, {4, 4},   {1, 1},   {1, 1},     {4, 4},   {6, 6},   {2, 2},     {0, 0},     {2, 2},   {8, 8},   {7, 7},
    {6, 6}, {11, 11}, {60, 60}, {60, 60},   {40, 40}, {6, 3},   {120, 120}, {90, 90},   {6, 6},   {3, 1},   {10, 10},
    {1, 1}, {3, 3},   {6, 6},   {220, 220}, {12, 12}, {6, 6},   {32, 32},   {120, 120}, {13, 13},
};

// metric(n) for n 0..34: the entry scaled (-1: screen width), and whether
// the font height is added.
struct metric_rule {
    int8_t entry;
    bool plus_height;
    int8_t times = 1;
};
constexpr metric_rule metric_rules[] = {
    {-1, false}, {12, false}, {5, false},  {6, true},   {7, false},  {8, false},    {10, true},
    {11, false}, {13, false}, {14, false}, {15, false}, {16, false}, {17, false},   {18, false},
    {19, false}, {20, false}, {21, false}, {22, false}, {23, false}, {24, false},   {25, false},
    {26, false}, {27, true},  {28, false}, {29, false}, {30, false}, {31, true, 2}, {32, false},
    {35, false}, {36, false}, {37, false}, {38, false}, {39, false}, {40, false},   {41, false},
};

// Screen coordinates are 16-bit: every rectangle is built through here so that
// document-sized metrics cannot wrap a corner around.
vux_rect rect_of(int64_t x, int64_t y, int64_t w, int64_t h) {
    auto c = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); };
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    return vux_rect(vux_point(c(x), c(y)), vux_point(c(x + w), c(y + h)));
}

int32_t visible_count(const vux_menu& m) {
    int32_t n = 0;
    for (int32_t i = 0; i < m.count(); ++i) n += m.is_visible(i) ? 1 : 0;
    return n;
}

}  // namespace

vux_metrics::vux_metrics() {
    for (int32_t k = 0; k < entry_count; ++k) {
        table_[2 * k] = defaults[k][0];
        table_[2 * k + 1] = defaults[k][1];
    }
}

void vux_metrics::set_metric(int32_t variant, int32_t number, int32_t value) {
    if (number < 1 || number > entry_count || variant < 0 || variant > 1) return;
    table_[2 * (number - 1) + variant] = value;
}

void vux_metrics::apply_extent(const vux_extent& extent) {
    const int32_t variant = extent.variant != 0 ? 1 : 0;
    for (int32_t i = 0; i < extent.count(); ++i)
        set_metric(variant, int32_t(uint32_t(extent.entries.get(i)) >> 24), extent.value_at(i));
}

int32_t vux_metrics::entry(int32_t k, int32_t variant) const {
    if (k < 0 || k >= entry_count) return 0;
    return table_[2 * k + (variant ? 1 : 0)];
}

int32_t vux_metrics::entry(int32_t k) const { return entry(k, is_landscape() ? 1 : 0); }

bool vux_metrics::is_landscape() const { return screen_width() >= screen_height(); }

bool vux_metrics::is_portrait_tall() const { return int64_t(4) * screen_width() < int64_t(3) * screen_height(); }

int32_t vux_metrics::scale(int32_t units) const {
    if (short_side_ == 0) short_side_ = std::max(0, std::min(screen_width(), screen_height()));
    const int64_t v = (int64_t(units) * short_side_ + 120) / 240;
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t vux_metrics::metric(int32_t n) const {
    if (n < 0 || n >= int32_t(std::size(metric_rules))) return 0;
    const metric_rule& r = metric_rules[n];
    if (r.entry < 0) return screen_width();
    const int32_t v = r.times * scale(entry(r.entry));
    return r.plus_height ? text_height() + v : v;
}

int32_t vux_metrics::select_font(int32_t size_class, int32_t style) const {
    int32_t size = entry(0);
    if (call(&vux_graphics_table::reserved_5) == 0) {
        const int32_t up = entry(1), down = entry(2);
        switch (size_class) {
        case 1: size -= 2 * down; break;
        case 2: size -= down; break;
        case 4: size += up; break;
        case 5: size += 2 * up; break;
        case 6: size += 4 * up; break;
        default: break;
        }
    }
    vux_graphics::select_font(size, style);
    return text_height();
}

int32_t vux_metrics::select_bar_font() const {
    int32_t size = entry(0);
    if (is_portrait_tall() && call(&vux_graphics_table::reserved_5) == 0) size += entry(1, 0);
    vux_graphics::select_font(size, 0);
    return text_height();
}

int32_t vux_metrics::bar_height(int32_t extra_entry, int32_t& cache) const {
    if (cache != 0) return cache;
    cache = select_bar_font() + scale(entry(extra_entry));
    return cache;
}

int32_t vux_metrics::title_bar_height() const { return bar_height(4, title_height_); }
int32_t vux_metrics::command_bar_height() const { return bar_height(9, command_height_); }
int32_t vux_metrics::row_height() const { return text_height() + 2 * scale(entry(3)); }

void vux_metrics::reset_caches() { short_side_ = title_height_ = command_height_ = 0; }

// ---- rectangles

vux_rect vux_metrics::screen_rect() const { return rect_of(0, 0, screen_width(), screen_height()); }

vux_rect vux_metrics::title_bar_rect() const { return rect_of(0, 0, screen_width(), title_bar_height()); }

vux_rect vux_metrics::command_bar_rect() const {
    const int64_t h = command_bar_height();
    return rect_of(0, int64_t(screen_height()) - h, screen_width(), h);
}

vux_rect vux_metrics::client_rect() const {
    const int64_t top = title_bar_height();
    return rect_of(0, top, screen_width(), int64_t(screen_height()) - top - command_bar_height());
}

vux_rect vux_metrics::without_command_bar() const {
    return rect_of(0, 0, screen_width(), int64_t(screen_height()) - command_bar_height());
}

vux_rect vux_metrics::scrolling_client_rect(bool title_shown, bool bar_shown, int32_t switch_height) const {
    if (title_shown && bar_shown) return client_rect();
    if (bar_shown) return without_command_bar();
    const int64_t top = title_shown ? title_bar_height() : 0;
    return rect_of(0, top, screen_width(), int64_t(screen_height()) - top - std::max(0, switch_height));
}

vux_rect vux_metrics::soft_key_rect(int32_t i, bool two) const {
    const vux_rect bar = command_bar_rect();
    if (!two) return bar;
    const int64_t half = bar.width() / 2;
    return i == 0 ? rect_of(bar.left(), bar.top(), half, bar.height())
                  : rect_of(bar.left() + half, bar.top(), bar.width() - half, bar.height());
}

vux_rect vux_metrics::notice_rect() const {
    const int64_t inset = metric(27);
    return rect_of(inset, 0, screen_width() - 2 * inset, metric(26));
}

vux_rect vux_metrics::busy_rect() const {
    const vux_rect bar = command_bar_rect();
    const int64_t w = metric(33), h = metric(34);
    return rect_of(bar.left() + (bar.width() - w) / 2, bar.top() + (bar.height() - h) / 2, w, h);
}

vux_rect vux_metrics::corner_rect() const {
    const int64_t w = metric(23), shift = metric(25);
    return rect_of(int64_t(screen_width()) - w - shift, shift, w, metric(24));
}

vux_rect vux_metrics::centred_box() const {
    const vux_rect bar = command_bar_rect();
    const int64_t w = metric(21), h = metric(22);
    return rect_of(bar.left() + (bar.width() - w) / 2, bar.top() + (bar.height() - h) / 2, w, h);
}

vux_rect vux_metrics::text_column() const {
    const int64_t w = scale(220);
    return rect_of((int64_t(screen_width()) - w) / 2, 0, w, screen_height());
}

vux_rect vux_metrics::scroll_track(const vux_rect& area, bool vertical, bool shifted) const {
    const int64_t t = metric(1), half = t / 2;
    if (vertical) {
        const int64_t x = int64_t(area.right()) - t - (shifted ? half : 0);
        return shifted ? rect_of(x, area.top(), t, area.height())
                       : rect_of(x, area.top() + half, t, int64_t(area.height()) - 2 * half);
    }
    const int64_t y = int64_t(area.bottom()) - t - (shifted ? half : 0);
    return shifted ? rect_of(area.left(), y, area.width(), t)
                   : rect_of(area.left() + half, y, int64_t(area.width()) - 2 * half, t);
}

vux_rect vux_metrics::list_area(bool whole_screen) const {
    if (whole_screen) return screen_rect();
    const vux_rect c = client_rect();
    const int64_t side = metric(13);
    return rect_of(c.left() + side, c.top(), int64_t(c.width()) - 2 * side, c.height());
}

// A document may set metric 19 to 0: the cell width and the column count
// are both kept at 1 or more, so a grid never divides by zero.
int32_t vux_metrics::grid_columns() const {
    const int64_t cell = std::max(metric(19), 1);
    const int64_t c = (int64_t(screen_width()) - 2 * int64_t(metric(11))) / cell;
    return int32_t(std::clamp<int64_t>(c, 1, INT32_MAX));
}

vux_rect vux_metrics::menu_rect(const vux_menu& menu, int32_t upper, int32_t lower) const {
    const int64_t n = visible_count(menu), m = metric(11), width = screen_width();
    const vux_rect client = client_rect();
    const int64_t rows_h = int64_t(row_height()) * n + 2 * m;
    switch (menu.style) {
    case vux_menu::grid_style: {
        const int64_t c = grid_columns(), cell_w = std::max(metric(19), 1);
        const int64_t rows = (n + c - 1) / c;
        const int64_t w = c * cell_w + 2 * m, h = rows * metric(20) + 2 * m;
        return rect_of((width - w) / 2, int64_t(client.bottom()) - h, w, h);
    }
    case 6: {
        const int64_t w = metric(29), h = (int64_t(metric(32)) + metric(31)) * n + 2 * int64_t(metric(30)) - metric(31);
        return rect_of(client.left() + (client.width() - w) / 2, client.top() + (client.height() - h) / 2, w, h);
    }
    case 7:
    case 8: {
        // Nothing visible: an empty rectangle, so nothing is painted.
        if (n == 0) return vux_rect();
        const int64_t w = scale(menu.layout_1);
        const int64_t h = int64_t(row_height()) * n + (n - 1) * int64_t(scale(menu.layout_2)) + 2 * m +
                          int64_t(menu.layout_5) + menu.layout_6;
        const int64_t x = width - scale(menu.layout_3) - w;
        const int64_t y = menu.style == 7 ? int64_t(title_bar_height()) + scale(menu.layout_4)
                                          : int64_t(screen_height()) - scale(menu.layout_4) - h;
        return rect_of(x, y, w, h);
    }
    case 3: return rect_of(0, client.top() + (client.height() - rows_h) / 2, metric(0), rows_h);
    case 4: {
        const int64_t gap = metric(10);
        if (int64_t(lower) + gap + rows_h <= client.bottom()) return rect_of(0, int64_t(lower) + gap, width, rows_h);
        if (int64_t(upper) - gap - rows_h >= client.top())
            return rect_of(0, int64_t(upper) - gap - rows_h, width, rows_h);
        return rect_of(0, client.top() + (client.height() - rows_h) / 2, width, rows_h);
    }
    default:  // lists: full width, so left and right alignment agree
        return rect_of(0, int64_t(client.bottom()) - rows_h, width, rows_h);
    }
}

vux_rect vux_metrics::menu_item_rect(const vux_menu& menu, const vux_rect& at, int32_t i) const {
    const int64_t m = metric(11), r = row_height();
    switch (menu.style) {
    case vux_menu::grid_style: {
        const int64_t c = grid_columns(), w = std::max(metric(19), 1), h = metric(20);
        return rect_of(at.left() + m + (i % c) * w, at.top() + m + (i / c) * h, w, h);
    }
    case 6: {
        const int64_t e = metric(30);
        return rect_of(at.left() + e, at.top() + e + int64_t(i) * (int64_t(metric(31)) + metric(32)),
                       int64_t(at.width()) - 2 * e, metric(32));
    }
    case 7:
    case 8:
        return rect_of(at.left() + m, at.top() + m + menu.layout_5 + int64_t(i) * (r + scale(menu.layout_2)),
                       int64_t(at.width()) - 2 * m, r);
    default: return rect_of(at.left() + m, at.top() + m + int64_t(i) * r, int64_t(at.width()) - 2 * m, r);
    }
}

vux_rect vux_metrics::slot_rect(const vux_rect& bar, int32_t i, int32_t n, int32_t alignment, int32_t slot_width,
                                int32_t slot_height, int32_t gap, int32_t margin, int32_t top_offset) {
    const int64_t step = int64_t(slot_width) + gap, span = int64_t(n) * step - gap;
    int64_t x = int64_t(bar.left()) + int64_t(i) * step;
    if (alignment == 1) x += margin;
    if (alignment == 2) x += (int64_t(bar.width()) - span) / 2;
    if (alignment == 3) x += int64_t(bar.width()) - span - margin;
    return rect_of(x, int64_t(bar.top()) + top_offset, slot_width, slot_height);
}
