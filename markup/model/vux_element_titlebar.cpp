#include "markup/model/vux_element_titlebar.h"
#include "markup/model/vux_variables.h"

void vux_element_titlebar::fields(vux_field_visitor& v) {
    v.int32("value", value);
    v.string("key", key);
    v.string("string_2", string_2);
    v.unicode("title", title);
    v.strings("list", list);
}

void vux_element_titlebar::set_title(const vux_unicode& text) {
    title = text;
    display_cache.clear();
}

void vux_element_titlebar::refresh(const vux_variables& environment) {
    vux_string v;
    if (key.empty() || !environment.get(key, v)) return;
    title.clear();
    v.decode_utf8_into(title);
    display_cache.clear();
}
