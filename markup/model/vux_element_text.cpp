#include "markup/model/vux_element_text.h"
#include <algorithm>
#include "core/vux_color.h"
#include "core/vux_tea.h"
#include "markup/model/vux_variables.h"

void vux_element_text::fields(vux_field_visitor& v) {
    v.int32("font_size", font_size);
    v.int32("bold", bold);
    v.int32("colour", colour);
    v.int32("second_colour", second_colour);
    v.string("key", key);
    v.unicode("text", text);
    v.strings("list", list);
}

bool vux_element_text::ends_with_ellipsis() const {
    const int32_t n = text.length();
    return n >= 4 && text.unit_at(n - 1) == u'.' && text.unit_at(n - 2) == u'.' && text.unit_at(n - 3) == u'.';
}

void vux_element_text::ensure_marker(bool at_front) {
    if (text.find_unit(marker) >= 0) return;
    if (at_front)
        text.prepend_unit(marker);
    else
        text.append_unit(marker);
}

void vux_element_text::set_text_utf8(const vux_string& value) {
    text.clear();
    value.decode_utf8_into(text);
    saved_text.reset();
}

void vux_element_text::restore_full_text() {
    if (!full_text) return;
    text = *full_text;
    full_text.reset();
}

void vux_element_text::save_full_text() {
    if (!full_text) full_text = std::make_unique<vux_unicode>(text);
}

namespace {
// A password shows as stars: as many as the value's characters (a cipher
// text's stated plain length), at most ten.
vux_unicode masked_form(const vux_string& v) {
    vux_unicode decoded;
    v.decode_utf8_into(decoded);
    int32_t n = decoded.length();
    // The cipher header states the plain length; never trust it past the text.
    if (vux_tea::is_cipher_text(v)) n = std::clamp(vux_tea::text_length(v), 0, n);
    n = std::min(n, 10);
    vux_unicode stars;
    for (int32_t i = 0; i < n; ++i) stars.append_unit(u'*');
    return stars;
}
}  // namespace

bool vux_element_text::sync(bool masked, const vux_variables& environment) {
    if (key.empty()) return false;
    vux_string v;
    if (environment.get(key, v)) {
        if (!saved_text && !text.empty()) saved_text = std::make_unique<vux_unicode>(text);
        if (masked) {
            // The stars never equal the value itself: compare what would be
            // shown, so an unchanged password is no change (and its box is
            // not laid out again on every paint).
            vux_unicode stars = masked_form(v);
            if (stars == text || (full_text && stars == *full_text)) return false;
            text = std::move(stars);
            full_text.reset();
            return true;
        }
        const bool differs = !(v == text.to_utf8_string()) && (!full_text || !(v == full_text->to_utf8_string()));
        if (!text.empty() && !differs) return false;
        text.clear();
        v.decode_utf8_into(text);
        full_text.reset();
        return true;
    }
    if (!saved_text) return false;
    text = *saved_text;
    saved_text.reset();
    return true;
}

namespace {
int32_t word_index(const vux_string& value, std::initializer_list<const char*> words) {
    int32_t i = 1;
    for (const char* w : words) {
        if (vux_string_equals_cstr(value, w)) return i;
        ++i;
    }
    return 0;
}
}  // namespace

bool vux_element_text::set_property(const vux_string& name, const vux_string& value) {
    const std::string_view n = name.view();
    if (n == "text") {
        set_text_utf8(value);
    } else if (n == "key") {
        key = value;
    } else if (n == "font") {
        if (int32_t i = word_index(value, {"tiny", "small", "normal", "large", "great", "huge"})) font_size = i;
    } else if (n == "bold") {
        if (vux_string_equals_cstr(value, "yes")) bold = 1;
        if (vux_string_equals_cstr(value, "no")) bold = 0;
    } else if (n == "color") {
        const int32_t i = word_index(value, {"default", "notice", "information", "message", "advertising", "name",
                                             "number", "time", "correct", "wrong"});
        colour = i ? i : vux_color::parse(value);
    } else if (n == "colors") {
        second_colour = vux_color::parse(value);
    } else {
        return false;
    }
    return true;
}
