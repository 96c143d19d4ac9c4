// fuzz-libs: vux_markup_fuzz
// Arbitrary bytes as each screen record (window, dialog, menu) and as a
// paragraph. Whatever reads without error writes back to bytes that read
// into the same record; a menu's selection always lies within its list; a
// window's or dialog's client lays out, draws, ticks, scrolls, pages and
// hit-tests through a layout of fixed metrics without fault.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_reader.h"
#include "core/vux_type_codes.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_variables.h"
#include "markup/model/vux_window.h"

namespace {

vux_buffer bytes_of(const vux_record& r) {
    vux_buffer out;
    vux_writer w(out);
    r.write(w);
    return out;
}

bool same(const vux_buffer& a, const vux_buffer& b) {
    return a.length() == b.length() && (a.length() == 0 || std::memcmp(a.data(), b.data(), size_t(a.length())) == 0);
}

// Fixed metrics; drawing does nothing. `scale` stays within the int32
// range like the runtime's.
class null_layout : public vux_layout {
public:
    int32_t char_width(char16_t) override { return 6; }
    int32_t font_height() override { return 16; }
    int32_t emoticon_marker(int32_t, const vux_unicode&) override { return 0; }
    int32_t style_marker(int32_t, const vux_unicode&, int32_t&) override { return 0; }
    int32_t line_height() override { return 16; }
    int32_t line_spacing() override { return 2; }
    int32_t screen_width() override { return 240; }
    int32_t screen_height() override { return 320; }
    int32_t item_gap() override { return 4; }
    void draw_segment_text(const vux_element_segment&, const vux_point&, int32_t, const char16_t* t,
                           int32_t n) override {
        for (int32_t i = 0; i < n; ++i) sink += t[i];  // the run must lie inside the text
    }
    void draw_segment_line(const vux_element_segment&, const vux_point&, int32_t) override {}
    void draw_segment_link(const vux_element_segment&, const vux_point&) override {}
    void draw_box_text(const vux_element_box&, const vux_point&, int32_t, int32_t, const char16_t* t,
                       int32_t n) override {
        for (int32_t i = 0; i < n; ++i) sink += t[i];
    }
    void draw_emoticon(const vux_record&, const vux_point&, int32_t, int32_t) override {}
    void draw_indicator(const vux_record&, const vux_point&, int32_t, int32_t) override {}
    void draw_box_background(const vux_element_box&, const vux_point&, int32_t, int32_t) override {}
    void draw_box_frame(const vux_element_box&, const vux_point&, int32_t, int32_t) override {}
    void draw_box_border(const vux_element_box&, const vux_point&, int32_t, int32_t) override {}
    void draw_text_block(const vux_record&, const vux_point&, int32_t, int32_t) override {}
    void draw_image(const vux_element_image&, const vux_point&) override {}
    void draw_image_text(const vux_element_image&, const vux_point&) override {}
    void fill_rect(const vux_point&, int32_t, int32_t, int32_t) override {}
    void draw_box(const vux_point&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
    void draw_frame_line(const vux_point&, int32_t, bool, bool, bool) override {}
    void draw_page_control(int32_t, const vux_rect&, int32_t) override {}
    const vux_unicode& ellipsis_text() override { return ellipsis; }
    int32_t ellipsis_width() override { return 18; }
    void assign_variable(const vux_string&, const vux_string&) override {}
    void remove_variable(const vux_string&) override {}
    int32_t scale(int32_t units) override { return units; }
    bool is_touch_screen() override { return false; }
    void select_font(int32_t, int32_t) override {}
    void draw_box_image(const vux_element_box&, const vux_point&, int32_t, int32_t) override {}
    void draw_triangle(const vux_element_box&, const vux_point&, int32_t, int32_t, int32_t) override {}

    vux_unicode ellipsis{u"..."};
    uint32_t sink = 0;
};

// No variables; every guard holds.
class no_variables : public vux_variables {
public:
    bool get(const vux_string&, vux_string&) const override { return false; }
    void assign(const vux_string&, const vux_string&) override {}
    bool remove(const vux_string&) override { return false; }
    bool check_conditions(const vux_condition_list*) const override { return true; }
};

void fill_list(vux_object_list& to, const vux_object_list& from) {
    for (int32_t i = 0; i < from.get_count(); ++i)
        if (vux_object* o = from.get(i))
            if (auto c = o->clone()) to.append(std::move(c));
}

// Every mode of the three client steps, fed with clones of the client's own
// paragraphs and children and with its strings as property pairs.
void edit(vux_element_client& client) {
    no_variables env;
    for (int32_t mode = 0; mode <= 8; ++mode) {
        vux_action_paragraph ps;
        ps.value_2 = mode;
        ps.value_3 = client.count() / 2 - 1;
        ps.value_5 = mode % 2;
        ps.value_6 = 3;
        fill_list(ps.paragraphs, client.paragraphs);
        client.apply_paragraph_step(ps);
        vux_element_paragraph* first = client.paragraph(0);
        if (!first) continue;
        vux_action_element es;
        es.text_1 = first->name;
        es.value_2 = mode;
        es.value_3 = first->children.get_count() - 2;
        es.value_5 = mode % 2;
        fill_list(es.elements, first->children);
        client.apply_element_step(es);
        vux_action_property prop;
        prop.text_1 = first->name;
        prop.value_2 = mode % 3 == 0 ? vux_type_element_segment : mode % 3 == 1 ? vux_type_element_image : 0;
        prop.value_7 = mode % 2;
        prop.names.append_all(client.pending_names);
        prop.names.append_all(first->list);
        for (int32_t i = 0; i < first->children.get_count() && prop.text_2.empty(); ++i)
            if (auto* box = first->children.get_as<vux_element_box>(i)) prop.text_2 = box->name;
        client.apply_property_step(prop, env);
        client.pending_tick();
    }
    client.clear();
}

void exercise(vux_element_client& client) {
    no_variables env;
    for (int32_t round = 0; round < 2; ++round) {
        client.set_layout(std::make_unique<null_layout>());
        client.client_rect = {0, 0, 240, 320};
        client.layout(env);
        for (int32_t pass = 0; pass < 3; ++pass) client.draw(pass);
        client.tick(round * 100, round);
        client.refresh(env);
        client.sync(env);
        client.update_checked(env);
        client.update_images(env);
        client.links_changed(env);
        client.press_action_at(vux_point(120, 100));
        client.triggered_action(env);
        client.start_drag(120, 100);
        client.scroll_by_drag(20, 40);
        if (client.scroll_bar) client.scroll_bar->settle_step();
        client.end_drag();
        client.repeat_down(true, true);
        client.page_down();
        for (int32_t i = 0; i < client.count(); ++i) {
            vux_element_paragraph* p = client.paragraph(i);
            p->drag(-150);
            p->end_drag();
            p->page_step(4, 0);
        }
        client.refresh_layout(round == 0);
    }
    edit(client);
}

void read_as(const vux_link& input, int32_t code) {
    std::unique_ptr<vux_record> r = vux_model_make(code);
    vux_reader reader(input);
    r->read(reader);
    if (reader.has_error()) return;
    if (auto* menu = dynamic_cast<vux_menu*>(r.get())) {
        menu->select_next();
        menu->select_previous();
        if (menu->selected >= menu->count()) std::abort();
    }
    const vux_buffer first = bytes_of(*r);
    std::unique_ptr<vux_record> again = vux_model_make(code);
    vux_reader back(first);
    again->read(back);
    if (back.has_error() || back.remaining() != 0 || !same(bytes_of(*again), first)) std::abort();
    if (auto* window = dynamic_cast<vux_window*>(r.get())) exercise(window->client);
    if (auto* dialog = dynamic_cast<vux_dialog*>(r.get())) exercise(dialog->client);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const vux_buffer input(data, int32_t(size));
    for (int32_t code : {vux_type_window, vux_type_dialog, vux_type_menu, vux_type_element_paragraph})
        read_as(input, code);
    return 0;
}
