#include "markup/model/vux_pick.h"

void vux_pick::fields(vux_field_visitor& v) {
    v.int32("linked", linked);
    v.int32("selected", selected);
    v.strings("choices", choices);
}

bool vux_pick::move_selection(int32_t& selected, int32_t n, bool backward, bool wrap) {
    if (n < 2) return false;
    if (selected < 0 || selected >= n) {
        selected = backward ? n - 1 : 0;
        return true;
    }
    if (backward) {
        if (selected > 0)
            --selected;
        else if (wrap)
            selected = n - 1;
        else
            return false;
    } else {
        if (selected < n - 1)
            ++selected;
        else if (wrap)
            selected = 0;
        else
            return false;
    }
    return true;
}

bool vux_pick::select_text(const vux_string& text) {
    if (!linked) return false;
    const int32_t i = choices.find(text);
    if (i < 0) return false;
    selected = i;
    return true;
}
