#include "markup/model/vux_font_scope.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_layout.h"

vux_font_scope::vux_font_scope(vux_layout& layout, const vux_element_text& text)
    : layout_(layout), on_(text.font_size != 0) {
    if (!on_) return;
    layout_.save_mode();
    layout_.set_mode(text.font_size, text.bold);
}

vux_font_scope::~vux_font_scope() {
    if (on_) layout_.restore_mode();
}
