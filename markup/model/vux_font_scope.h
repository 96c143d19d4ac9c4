#pragma once

class vux_element_text;
class vux_layout;

// The text's font while an element measures or paints; the layout's
// mode comes back at the end of the scope.
class vux_font_scope {
public:
    vux_font_scope(vux_layout& layout, const vux_element_text& text);
    ~vux_font_scope();
    vux_font_scope(const vux_font_scope&) = delete;
    vux_font_scope& operator=(const vux_font_scope&) = delete;

private:
    vux_layout& layout_;
    bool on_;
};
