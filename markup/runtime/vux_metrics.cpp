#include "markup/runtime/vux_metrics.h"
#include <algorithm>
#include "markup/model/vux_extent.h"

namespace {

// entry: portrait, landscape
constexpr int32_t defaults[vux_metrics::entry_count][2] = {
    {0, 0},    {2, 2},     {2, 2},     {7, 3},   {14, 10}, {36, 36}, {6, 3},   {4, 4},   {2, 2},
    {14, 10},  {10, 7},    {4, 4},     {4, 4},   {1, 1},   {1, 1},   {4, 4},   {6, 6},   {2, 2},
    {0, 0},    {2, 2},     {8, 8},     {7, 7},   {6, 6},   {11, 11}, {60, 60}, {60, 60}, {40, 40},
    {6, 3},    {120, 120}, {90, 90},   {6, 6},   {3, 1},   {10, 10}, {1, 1},   {3, 3},   {6, 6},
    {220, 220}, {12, 12},  {6, 6},     {32, 32}, {120, 120}, {13, 13},
};

// metric(n) for n 0..34: the entry scaled (-1: screen width), and whether
// the font height is added.
struct metric_rule {
    int8_t entry;
    bool plus_height;
    int8_t times = 1;
};
constexpr metric_rule metric_rules[] = {
    {-1, false}, {12, false}, {5, false},  {6, true},   {7, false},  {8, false},  {10, true},
    {11, false}, {13, false}, {14, false}, {15, false}, {16, false}, {17, false}, {18, false},
    {19, false}, {20, false}, {21, false}, {22, false}, {23, false}, {24, false}, {25, false},
    {26, false}, {27, true},  {28, false}, {29, false}, {30, false}, {31, true, 2}, {32, false},
    {35, false}, {36, false}, {37, false}, {38, false}, {39, false}, {40, false}, {41, false},
};

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

bool vux_metrics::is_portrait_tall() const {
    return int64_t(4) * screen_width() < int64_t(3) * screen_height();
}

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

int32_t vux_metrics::bar_height(int32_t extra_entry, int32_t& cache) const {
    if (cache != 0) return cache;
    int32_t size = entry(0);
    if (is_portrait_tall() && call(&vux_graphics_table::reserved_5) == 0) size += entry(1, 0);
    vux_graphics::select_font(size, 0);
    cache = text_height() + scale(entry(extra_entry));
    return cache;
}

int32_t vux_metrics::title_bar_height() const { return bar_height(4, title_height_); }
int32_t vux_metrics::command_bar_height() const { return bar_height(9, command_height_); }
int32_t vux_metrics::row_height() const { return text_height() + 2 * scale(entry(3)); }

void vux_metrics::reset_caches() { short_side_ = title_height_ = command_height_ = 0; }
