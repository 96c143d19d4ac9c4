#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_keyword.h"
#include "markup/model/vux_model_factory.h"

vux_element_box::vux_element_box() = default;
vux_element_box::~vux_element_box() = default;

void vux_element_box::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("line_flags", line_flags);
    v.int32("left", left);
    v.int32("top", top);
    v.int32("top_rows", top_rows);
    v.int32("width", width);
    v.int32("height", height);
    v.int32("height_rows", height_rows);
    v.int32("margin_left", margin_left);
    v.int32("margin_top", margin_top);
    v.int32("margin_right", margin_right);
    v.int32("margin_bottom", margin_bottom);
    v.int32("ground", ground);
    v.int32("ground_s", ground_s);
    v.int32("ground_f", ground_f);
    v.int32("ground_t", ground_t);
    v.int32("ground_corner", ground_corner);
    v.int32("border", border);
    v.int32("border_s", border_s);
    v.int32("border_f", border_f);
    v.int32("border_corner", border_corner);
    v.int32("border_indent", border_indent);
    v.int32("align", align);
    v.int32("breadth", breadth);
    v.int32("text_left", text_left);
    v.int32("text_top", text_top);
    v.int32("text_right", text_right);
    v.int32("text_bottom", text_bottom);
    v.int32("text_align", text_align);
    v.int32("text_valign", text_valign);
    v.int32("text_interval", text_interval);
    v.int32("gap", gap);
    v.int32("index", index);
    v.int32("tile", tile);
    v.int32("fit", fit);
    v.int32("colour_a", colour_a);
    v.int32("triangle", triangle);
    v.string("name", name);
    v.string("key_mark", key_mark);
    v.string("image", image);
    v.string("image_s", image_s);
    v.string("image_f", image_f);
    v.string("image_a", image_a);
    v.record("text", text);
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.child_as("press", press, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

bool vux_element_box::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }

std::unique_ptr<vux_object> vux_element_box::clone() const {
    auto copy = vux_clone_record(*this);
    copy->clear_run_time_bits();
    return copy;
}


namespace {
using B = vux_element_box;
using K = vux_keyword<B>;
const char* const align_words[] = {"left", "center", "right", nullptr};
const char* const valign_words[] = {"top", "center", "bottom", nullptr};
const char* const tile_words[] = {"null", "horizontal", "vertical", "block", "horizontal_copy", "vertical_copy", nullptr};
const char* const fit_words[] = {"null", "center", "bottom", "height", "whole", nullptr};
const char* const triangle_words[] = {"left", "top", "right", "bottom", nullptr};

// In the order the keywords are tested; the text's follow.
const K keywords[] = {
    {"wrap", K::flag, &B::flags, 0},
    {"ellipsis", K::flag, &B::flags, 1},
    {"opaque", K::flag, &B::flags, 2},
    {"flat", K::flag, &B::flags, 3},
    {"animation", K::flag, &B::flags, 4},
    {"ignore", K::flag, &B::flags, 5},
    {"trival", K::flag, &B::flags, 6},
    {"static", K::flag, &B::flags, 7},
    {"overlay", K::flag, &B::flags, 9},
    {"password", K::flag, &B::flags, 10},
    {"stick", K::flag, &B::flags, 11},
    {"mark", K::flag, &B::flags, 12},
    {"inside", K::flag, &B::flags, 13},
    {"bottom", K::flag, &B::flags, 14},
    {"follow", K::flag, &B::flags, 15},
    {"float", K::flag, &B::flags, 17},
    {"roll", K::flag, &B::flags, 18},
    {"indicator", K::flag, &B::flags, 19},
    {"note", K::flag, &B::flags, 20},
    {"emoticon", K::flag, &B::flags, 21},
    {"expand", K::flag, &B::flags, 22},
    {"waiter", K::flag, &B::flags, 23},
    {"lleft", K::flag, &B::line_flags, 0},
    {"ltop", K::flag, &B::line_flags, 1},
    {"lright", K::flag, &B::line_flags, 2},
    {"lbottom", K::flag, &B::line_flags, 3},
    {"left", K::integer, &B::left},
    {"top", K::integer, &B::top},
    {"topx", K::integer, &B::top_rows},
    {"width", K::integer, &B::width},
    {"height", K::integer, &B::height},
    {"heightx", K::integer, &B::height_rows},
    {"mleft", K::integer, &B::margin_left},
    {"mtop", K::integer, &B::margin_top},
    {"mright", K::integer, &B::margin_right},
    {"mbottom", K::integer, &B::margin_bottom},
    {"ground", K::colour, &B::ground},
    {"grounds", K::colour, &B::ground_s},
    {"groundf", K::colour, &B::ground_f},
    {"groundt", K::colour, &B::ground_t},
    {"gcorner", K::integer, &B::ground_corner},
    {"border", K::colour, &B::border},
    {"borders", K::colour, &B::border_s},
    {"borderf", K::colour, &B::border_f},
    {"bcorner", K::integer, &B::border_corner},
    {"bindent", K::integer, &B::border_indent},
    {"align", K::word, &B::align, 0, align_words, 1},
    {"breadth", K::integer, &B::breadth},
    {"tleft", K::integer, &B::text_left},
    {"ttop", K::integer, &B::text_top},
    {"tright", K::integer, &B::text_right},
    {"tbottom", K::integer, &B::text_bottom},
    {"talign", K::word, &B::text_align, 0, align_words, 1},
    {"taline", K::word, &B::text_valign, 0, valign_words, 1},
    {"tinterval", K::integer, &B::text_interval},
    {"gap", K::integer, &B::gap},
    {"index", K::integer, &B::index},
    {"tile", K::word, &B::tile, 0, tile_words, 0},
    {"pfit", K::word, &B::fit, 0, fit_words, 0},
    {"colora", K::colour, &B::colour_a},
    {"triangle", K::word, &B::triangle, 0, triangle_words, 1},
    {"name", K::string, nullptr, 0, nullptr, 0, &B::name},
    {"keym", K::string, nullptr, 0, nullptr, 0, &B::key_mark},
    {"image", K::string, nullptr, 0, nullptr, 0, &B::image},
    {"images", K::string, nullptr, 0, nullptr, 0, &B::image_s},
    {"imagef", K::string, nullptr, 0, nullptr, 0, &B::image_f},
    {"imagea", K::string, nullptr, 0, nullptr, 0, &B::image_a},
};
}  // namespace

void vux_element_box::set_property(const vux_string& key, const vux_string& value) {
    if (vux_string_equals_cstr(key, "auto")) {
        if (hyperlink && hyperlink->action) hyperlink->action->countdown = vux_decimal::parse(value);
        return;
    }
    if (const K* k = vux_find_keyword(keywords, key)) {
        k->apply(*this, value);
        return;
    }
    text.set_property(key, value);
}
