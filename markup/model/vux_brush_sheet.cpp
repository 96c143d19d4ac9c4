#include "markup/model/vux_brush_sheet.h"

int32_t vux_brush_sheet::color(int32_t key) const {
    int32_t v = 0;
    return colors_.get(key, v) ? v : 0;
}

void vux_brush_sheet::reset() {
    alternate_ = 0;
    colors_.clear();
}

int32_t vux_brush_sheet::map_extended(int32_t code) const {
    return code >= 11 && code <= 18 ? color(code - 11 + 65) : code;
}

int32_t vux_brush_sheet::map_extended_short(int32_t code) const {
    return code >= 11 && code <= 14 ? color(code - 11 + 65) : code;
}

int32_t vux_brush_sheet::text_color() const { return color(alternate() ? 3 : 6); }

int32_t vux_brush_sheet::map_text(int32_t code) const {
    if (code == 1) return text_color();
    if (code >= 2 && code <= 10) return color(code - 2 + 47);
    return code;
}

int32_t vux_brush_sheet::map_frame(int32_t code) const { return code == 3 ? color(alternate() ? 2 : 5) : code; }

int32_t vux_brush_sheet::map_ground(int32_t code) const {
    switch (code) {
    case 2: return color(alternate() ? 1 : 4);
    case 4: return color(45);
    case 5: return color(46);
    default: return code;
    }
}
