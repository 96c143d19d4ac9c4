#pragma once
#include <array>
#include <cstdint>
#include "markup/runtime/vux_graphics.h"

class vux_extent;

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
    int32_t title_bar_height() const;
    int32_t command_bar_height() const;
    int32_t row_height() const;
    // Clears the cached screen side and bar heights.
    void reset_caches();

private:
    int32_t bar_height(int32_t extra_entry, int32_t& cache) const;

    std::array<int32_t, 2 * entry_count> table_;
    int32_t spare_[3] = {0, 0, 0};
    mutable int32_t short_side_ = 0;
    mutable int32_t title_height_ = 0;
    mutable int32_t command_height_ = 0;
};
