#include "markup/model/vux_data.h"
#include "markup/model/vux_resource.h"
#include "markup/model/vux_switch.h"
#include "screens_fixture.h"

namespace {

vux_data data_named(const char* name) {
    vux_data d;
    d.name = vux_string(name);
    d.flags = 1;  // drawable from its bytes
    d.bytes.assign_bytes("PIC!", 4);
    return d;
}

}  // namespace

using Canvas = screens_fixture;

TEST_F(Canvas, ImageNamesTheHostMayResolve) {
    vux_resource map;
    map.pairs.append_cstr("logo");
    map.pairs.append_cstr("brand.png");
    start(doc_builder().add(data_named("have")).add(map).done());
    run(action_of(set_step("which", "have")));
    struct row {
        const char* name;
        const char* item;       // the data item found, or ""
        const char* host_name;  // what the host is asked for, or ""
    };
    const row rows[] = {
        {"have", "have", ""},   {"$ which", "have", ""},  {"pic", "", "_pic"},  {"logo", "", "brand.png"},
        {"a/b", "", ""},        {"..", "", ""},           {"x\\..\\y", "", ""}, {".hidden", "", ""},
        {"tab\tname", "", ""},  {"", "", ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const vux_canvas::image_ref ref = m().canvas().find_image(vux_string(r.name));
        EXPECT_EQ(ref.item ? ref.item->name.str() : "", r.item);
        EXPECT_EQ(ref.host_name.str(), r.host_name);
    }
}

TEST_F(Canvas, EmoticonNumbersStayInsideTheListAndTheText) {
    start(doc_builder().done());
    vux_canvas& c = m().canvas();
    const vux_unicode text(u"hi [sad] [smile][smiles]");
    run(action_of(set_step("__key_emoticon", "[smile][sad][smiles]")));
    EXPECT_EQ(c.emoticon_number(text, 3, 5), 1);
    EXPECT_EQ(c.emoticon_number(text, 9, 7), 0);
    EXPECT_EQ(c.emoticon_number(text, 16, 8), 2);  // the list's last marker, up to its end
    EXPECT_EQ(c.emoticon_number(text, 16, 9), -1);  // past the text
    EXPECT_EQ(c.emoticon_number(text, -1, 3), -1);
    // The list is read once; a new engine reads one without a bracket.
    TearDown();
    SetUp();
    start(doc_builder().done());
    run(action_of(set_step("__key_emoticon", "smile sad")));
    EXPECT_EQ(m().canvas().emoticon_number(text, 3, 5), -1);
    EXPECT_EQ(vux_canvas::emoticon_image_name(7), "em007.png");
    EXPECT_EQ(vux_canvas::emoticon_image_name(42), "em042.png");
    EXPECT_EQ(vux_canvas::emoticon_image_name(120), "em120.png");
}

TEST_F(Canvas, TouchScreenAnswer) {
    start(doc_builder().done());
    host.answer("facility.supports 0", "0");
    EXPECT_FALSE(m().canvas().is_touch_screen());
    vux_engine_pointer(e, 2, 1, 1);
    EXPECT_TRUE(m().canvas().is_touch_screen());
    run(action_of(set_step("__key_touch_screen", "no")));
    EXPECT_FALSE(m().canvas().is_touch_screen());
}

TEST_F(Canvas, WindowsAreTidiedOncePerName) {
    start(doc_builder().add(*screen_named<vux_window>("a")).add(*screen_named<vux_window>("b")).done());
    run(action_of(show_step(1, 2, "a")));
    machine().settle(true);
    machine().settle(true);
    run(action_of(show_step(1, 1, "b")));
    machine().settle(true);
    EXPECT_EQ(host.calls("facility.open_link"),
              (std::vector<std::string>{R"(facility.open_link "tidy" "a")", R"(facility.open_link "tidy" "b")"}));
}

// Each painter's texture mode and flag (the dialog's and menu's empty
// command bars draw nothing); without the texture it fills.
TEST_F(Canvas, TextureModesAndFallbacks) {
    auto w = screen_named<vux_window>("w");
    w->commandbar.left = command_of("Go", vux_action());
    auto d = screen_named<vux_dialog>("d");
    auto m = screen_named<vux_menu>("m");
    m->commands.append(command_of("A", vux_action()));
    doc_builder with;
    for (const char* t : {"__texture_titlebar", "__texture_commandbar", "__texture_dialog", "__texture_menu",
                          "__texture_menuitem"})
        with.add(data_named(t));
    start(with.add(*w).add(*d).add(*m).done());
    run(action_of(show_step(1, 2, "w"), show_step(2, 2, "d"), show_step(3, 2, "m")));
    host.clear_log();
    machine().settle(true);
    EXPECT_EQ(host.calls("graphics.texture"), (std::vector<std::string>{
                                                  R"(graphics.texture 3 1 "__texture_titlebar" 4)",
                                                  R"(graphics.texture 3 1 "__texture_commandbar" 4)",
                                                  R"(graphics.texture 2 0 "__texture_dialog" 4)",
                                                  R"(graphics.texture 2 0 "__texture_menu" 4)",
                                                  R"(graphics.texture 0 0 "__texture_menuitem" 4)",
                                              }));

    TearDown();
    SetUp();
    start(doc_builder().add(*w).done());
    run(action_of(show_step(1, 2, "w")));
    host.clear_log();
    machine().settle(true);
    EXPECT_EQ(host.count("graphics.texture"), 0);
    EXPECT_EQ(host.count("graphics.rectangle 1 0"), 2);  // title and command bars filled
    EXPECT_EQ(host.count(R"(graphics.text "Go" 0)"), 1);
}

// The switch's selection is the window's fourth integer, from the document.
TEST_F(Canvas, SwitchSelectionOutsideItsItemsSelectsNothing) {
    vux_switch sw;
    sw.name = vux_string("tabs");
    sw.values[2] = 200;
    sw.values[3] = 20;
    for (const char* label : {"one", "two"}) sw.commands.append(command_of(label, vux_action()));
    static_cast<vux_element_command*>(sw.commands.get(1))->focus_image = vux_string("lit");
    auto w = screen_named<vux_window>("w");
    w->third = vux_string("tabs");
    for (int32_t index : {1, 2, -5, 1 << 30}) {
        SCOPED_TRACE(index);
        TearDown();
        SetUp();
        w->value_4 = index;
        start(doc_builder().add(sw).add(*w).done());
        run(action_of(show_step(1, 2, "w")));
        host.clear_log();
        machine().settle(true);
        auto* s = static_cast<vux_switch*>(doc().switches.get(0));
        EXPECT_EQ(s->current, index == 1 ? 1 : -1);
        EXPECT_EQ(host.count(R"(graphics.image "_lit" 0 0 0 0 0)"), index == 1 ? 1 : 0);
    }
}
