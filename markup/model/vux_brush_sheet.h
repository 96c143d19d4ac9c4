#pragma once
#include "markup/model/vux_brush.h"

// The runtime's colour table, filled from brush records and read by the
// canvas by fixed keys and colour codes. It holds no defaults: a key that no
// brush set reads as 0.
class vux_brush_sheet {
public:
    // The colour of a key, 0 when absent.
    int32_t color(int32_t key) const;
    bool alternate() const { return alternate_ != 0; }
    void set_alternate(bool on) { alternate_ = on ? 1 : 0; }
    void reset();
    void merge(const vux_brush& brush) { colors_.merge(brush); }

    // Colour codes: a code in a mapping's range is a sheet reference, any
    // other code is a literal colour and comes back unchanged.
    int32_t map_extended(int32_t code) const;        // 11..18 -> keys 65..72
    int32_t map_extended_short(int32_t code) const;  // 11..14 -> keys 65..68
    int32_t text_color() const;                      // key 3 when alternate, else 6
    int32_t map_text(int32_t code) const;            // 1 -> text_color; 2..10 -> keys 47..55
    int32_t map_frame(int32_t code) const;           // 3 -> key 2 when alternate, else 5
    int32_t map_ground(int32_t code) const;          // 2 -> key 1 / 4; 4 -> 45; 5 -> 46

private:
    uint8_t alternate_ = 0;
    vux_brush colors_;
};
