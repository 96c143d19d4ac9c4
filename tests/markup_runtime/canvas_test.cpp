#include "markup/model/vux_data.h"
#include "markup/model/vux_device.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_resource.h"
#include "markup/model/vux_subtitle.h"
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
        {"have", "have", ""}, {"$ which", "have", ""}, {"pic", "", "_pic"}, {"logo", "", "brand.png"}, {"a/b", "", ""},
        {"..", "", ""},       {"x\\..\\y", "", ""},    {".hidden", "", ""}, {"tab\tname", "", ""},     {"", "", ""},
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
    EXPECT_EQ(c.emoticon_number(text, 16, 8), 2);   // the list's last marker, up to its end
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

// Measuring the fonts for a request leaves the host in the font every
// painter starts from and returns to (size class 3, style 0): the painters
// that draw without choosing one, the overtime box among them, draw in it.
TEST_F(Canvas, DescribingTheDeviceLeavesTheDefaultFont) {
    start(doc_builder().done());
    const vux_canvas& c = m().canvas();
    host.clear_log();
    c.select_font(3, 0);
    const std::string normal = host.calls("graphics.select_font").back();
    vux_device device;
    c.describe_device(device);
    EXPECT_EQ(host.calls("graphics.select_font").back(), normal);
    EXPECT_EQ(device.metric_4, c.select_font(3, 0));
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

// A window that closed is new again when a later stream brings it back:
// the host tidies it again.
TEST_F(Canvas, AClosedWindowIsTidiedAgainWhenItComesBack) {
    const std::string a = doc_builder().add(*screen_named<vux_window>("a")).done();
    start(a);
    run(action_of(show_step(1, 2, "a")));
    run(action_of(show_step(1, 4, "a")));
    vux_engine_on_clipboard(e, reinterpret_cast<const uint8_t*>(a.data()), int(a.size()));
    run(action_of(show_step(1, 2, "a")));
    EXPECT_EQ(host.count(R"(facility.open_link "tidy" "a")"), 2);
}

// Each painter's texture mode and flag (the dialog's and menu's empty
// command bars draw nothing); without the texture it fills.
TEST_F(Canvas, TextureModesAndFallbacks) {
    auto w = screen_named<vux_window>("w");
    w->titlebar.title = vux_unicode(u"W");
    w->commandbar.left = command_of("Go", vux_action());
    auto d = screen_named<vux_dialog>("d");
    auto m = screen_named<vux_menu>("m");
    m->commands.append(command_of("A", vux_action()));
    doc_builder with;
    for (const char* t :
         {"__texture_titlebar", "__texture_commandbar", "__texture_dialog", "__texture_menu", "__texture_menuitem"})
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
    EXPECT_EQ(host.count("graphics.rectangle 1 0"), 3);  // title bar, client and command bar filled
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

namespace {

// A window whose client holds `n` one-line paragraphs "line 0", "line 1", ...
std::unique_ptr<vux_window> long_window(int n) {
    auto w = screen_named<vux_window>("w");
    w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    for (int i = 0; i < n; ++i) {
        auto p = std::make_unique<vux_element_paragraph>();
        auto s = std::make_unique<vux_element_segment>();
        const std::string text = "line " + std::to_string(i);
        s->text.text = vux_unicode(std::u16string(text.begin(), text.end()));
        p->children.append(std::move(s));
        w->client.paragraphs.append(std::move(p));
    }
    return w;
}

}  // namespace

TEST_F(Canvas, ClientIsLaidOutOnceAndPaintedInItsRectangle) {
    start(doc_builder().add(*long_window(3)).done());
    host.clear_log();
    run(action_of(show_step(1, 2, "w")));
    EXPECT_EQ(host.count(R"(graphics.text "line 0" 0)"), 1);
    EXPECT_EQ(host.count(R"(graphics.text "line 2" 0)"), 1);
    vux_layout* first =
        static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client.current_layout();
    ASSERT_NE(first, nullptr);
    machine().settle(true);
    EXPECT_EQ(static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client.current_layout(), first);
}

// A repeat step saves the client as it stands (entry 17), moves it with the
// host's copy from there (entry 18), and only then paints the ground and the
// content, clipped to the strip that came into view.
TEST_F(Canvas, ScrollByCopyingPaintsOnlyTheUncoveredStrip) {
    start(doc_builder().add(*long_window(60)).done());
    run(action_of(show_step(1, 2, "w")));
    vux_element_scrollbar& bar =
        *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client.scroll_bar;
    ASSERT_TRUE(bar.content_taller());
    press(50, 100);
    host.clear_log();
    ASSERT_EQ(vux_engine_drag_step(e, 1, 0, 0), 1);
    const int shift = bar.y_offset;
    ASSERT_GT(shift, 0);
    // A window without bars: the client is the whole screen, 0..320.
    EXPECT_EQ(host.calls("graphics.restore_area"),
              (std::vector<std::string>{"graphics.restore_area 0 " + std::to_string(shift) + " 240 " +
                                        std::to_string(320 - shift) + " 0 0"}));
    const std::vector<std::string> clips = host.calls("graphics.set_clip");
    ASSERT_GE(clips.size(), 2u);
    const std::string strip = "graphics.set_clip 0 " + std::to_string(320 - shift) + " 240 " + std::to_string(shift);
    EXPECT_EQ(clips[1], strip);
    // Nothing is drawn before the copy, and the ground is filled inside the strip.
    std::vector<std::string> order;
    for (const std::string& call : host.log)
        if (call.rfind("graphics.set_clip", 0) == 0 || call.rfind("graphics.save_area", 0) == 0 ||
            call.rfind("graphics.restore_area", 0) == 0 || call.rfind("graphics.rectangle", 0) == 0)
            order.push_back(call.substr(0, call.find(' ', 9)));
    ASSERT_GE(order.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 5),
              (std::vector<std::string>{"graphics.set_clip", "graphics.save_area", "graphics.restore_area",
                                        "graphics.set_clip", "graphics.rectangle"}));
    EXPECT_EQ(host.calls("graphics.save_area"), (std::vector<std::string>{"graphics.save_area 0 0 240 320"}));

    TearDown();
    SetUp();
    host.answer("facility.supports 4", "0");  // without copying: the whole client again
    start(doc_builder().add(*long_window(60)).done());
    run(action_of(show_step(1, 2, "w")));
    press(50, 100);
    host.clear_log();
    vux_engine_drag_step(e, 1, 0, 0);
    EXPECT_EQ(host.count("graphics.restore_area"), 0);
    EXPECT_EQ(host.count("graphics.save_area"), 0);
}

// A list that asks for the whole screen has it only while its command bar is
// shown; once that changes, the list is laid out again in its new area.
TEST_F(Canvas, ListIsLaidOutAgainWhenItsAreaMoves) {
    auto w = screen_named<vux_window>("w");
    w->client.flags |= 1 << 4;
    w->commandbar.value_3 = 1;  // a touch-hide bar
    w->commandbar.left = command_of("Go", vux_action());
    start(doc_builder().add(*w).done());
    run(action_of(set_step("__key_touch_screen", "no"), show_step(1, 2, "w")));
    const vux_element_client& c = static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client;
    const int in = m().canvas().metric(12);
    EXPECT_EQ(c.client_rect.y, in);  // the whole screen, inset
    run(action_of(set_step("__key_touch_screen", "yes")));
    machine().settle(true);
    EXPECT_EQ(c.client_rect.y, m().canvas().title_bar_height() + in);
}

// The picture a host keeps for a window (capability 4) is released with the
// window: the host hears its name (entry 29), and the next window over the
// same picture draws it afresh instead of copying back what was kept.
TEST_F(Canvas, AClosedWindowReleasesThePictureKeptForIt) {
    host.answer("facility.supports 3", "0");
    host.answer("facility.supports 4", "1");
    auto a = long_window(3);
    a->client.string_1 = vux_string("ground");
    auto b = long_window(3);
    b->name = vux_string("b");
    b->client.string_1 = vux_string("ground");
    start(doc_builder().add(data_named("ground")).add(*a).add(*b).done());
    run(action_of(show_step(1, 2, "w")));
    EXPECT_EQ(host.count(R"(graphics.texture 5 1 "ground" 4)"), 1);
    EXPECT_EQ(host.count("graphics.data_replaced"), 0);
    run(action_of(show_step(1, 4, "w")));
    EXPECT_EQ(host.calls("graphics.data_replaced"), (std::vector<std::string>{R"(graphics.data_replaced "ground")"}));
    host.clear_log();
    run(action_of(show_step(1, 2, "b")));
    EXPECT_EQ(host.count(R"(graphics.texture 5 1 "ground" 4)"), 1);
    EXPECT_EQ(host.count("graphics.restore_area"), 0);
}

// A dialog whose client names no font shows its text in the dialog font:
// entry 0 less entry 2 (0 - 2 by default), or entry 0 itself when the host's
// font is fixed; a client that names a font keeps its own.
TEST_F(Canvas, DialogTextStandsInTheDialogFont) {
    struct row {
        int32_t client_font;
        const char* fixed;
        const char* font;  // selected for the text
    };
    const row rows[] = {
        {0, "0", "graphics.select_font -2 0"},
        {0, "1", "graphics.select_font 0 0"},
        {4, "0", "graphics.select_font 2 0"},  // large: entry 0 + entry 1
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.client_font) + " fixed " + r.fixed);
        TearDown();
        SetUp();
        host.answer("graphics.reserved_5", r.fixed);
        auto d = screen_named<vux_dialog>("d");
        d->client.font_size = r.client_font;
        auto p = std::make_unique<vux_element_paragraph>();
        auto s = std::make_unique<vux_element_segment>();
        s->text.text = vux_unicode(u"hello");
        p->children.append(std::move(s));
        d->client.paragraphs.append(std::move(p));
        start(doc_builder().add(*d).done());
        host.clear_log();
        run(action_of(show_step(2, 2, "d")));
        std::string font;
        bool drawn = false;
        for (const std::string& call : host.log) {
            if (call.rfind("graphics.select_font", 0) == 0) font = call;
            if (call == R"(graphics.text "hello" 0)") {
                drawn = true;
                break;
            }
        }
        ASSERT_TRUE(drawn);
        EXPECT_EQ(font, r.font);
    }
}

// A focused link names its variables through the layout; the window in front
// is painted again when it shows one of them (a text bound to it, a soft key
// whose condition reads it), not for a name it does not show.
TEST_F(Canvas, ANamedVariableRepaintsTheWindowThatShowsIt) {
    auto w = screen_named<vux_window>("w");
    auto p = std::make_unique<vux_element_paragraph>();
    auto s = std::make_unique<vux_element_segment>();
    s->text.key = vux_string("shown");
    p->children.append(std::move(s));
    w->client.paragraphs.append(std::move(p));
    w->commandbar.left = command_of("Go", vux_action());
    w->commandbar.left->guard = std::make_unique<vux_condition_list>();
    w->commandbar.left->guard->add().name = vux_string("ready");
    start(doc_builder().add(*w).done());
    run(action_of(show_step(1, 2, "w")));
    const vux_element_client& client = static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client;
    struct row {
        const char* name;
        bool assign;
        uint8_t changed;
    };
    const row rows[] = {
        {"shown", true, 1}, {"shown", false, 1}, {"ready", true, 1}, {"other", true, 0}, {"", true, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + (r.assign ? " assigned" : " removed"));
        machine().settle(true);  // a text that follows a variable lays the client out again
        ASSERT_EQ(screens().windows.changed, 0);
        vux_layout& layout = *client.current_layout();
        if (r.assign)
            layout.assign_variable(vux_string(r.name), vux_string("1"));
        else
            layout.remove_variable(vux_string(r.name));
        EXPECT_EQ(screens().windows.changed, r.changed);
    }
}

// On a touch screen a touch-hide window's soft keys sit in the title bar,
// where a tap takes them; elsewhere they keep the command bar.
TEST_F(Canvas, TouchSoftKeysMoveIntoTheTitleBar) {
    auto w = screen_named<vux_window>("w");
    w->commandbar.value_3 = 1;
    w->titlebar.title = vux_unicode(u"Touch");  // an empty title bar shows no keys
    w->commandbar.left = command_of("Go", action_of(set_step("went", "1")));
    start(doc_builder().add(*w).done());
    run(action_of(show_step(1, 2, "w")));
    const vux_rect key =
        static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->commandbar.shown_command(0)->rect;
    ASSERT_FALSE(key.is_empty());
    EXPECT_LT(key.bottom(), m().canvas().title_bar_height() + 1);
    press(key.left() + 2, key.top() + 2);
    release(key.left() + 2, key.top() + 2);
    EXPECT_EQ(variable("went"), "1");

    TearDown();
    SetUp();
    host.answer("facility.supports 0", "0");
    start(doc_builder().add(*w).done());
    run(action_of(show_step(1, 2, "w")));
    const vux_rect bar_key =
        static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->commandbar.shown_command(0)->rect;
    EXPECT_EQ(bar_key.top(), m().canvas().command_bar_rect().top());
}

TEST_F(Canvas, CornerImageOnlyWhenTheDocumentHoldsIt) {
    auto w = screen_named<vux_window>("w");
    for (const char* x : {"", "", "mark"}) w->extras.append_cstr(x);
    for (bool held : {false, true}) {
        SCOPED_TRACE(held);
        TearDown();
        SetUp();
        doc_builder b;
        if (held) b.add(data_named("mark"));
        start(b.add(*w).done());
        host.clear_log();
        run(action_of(show_step(1, 2, "w")));
        EXPECT_EQ(host.count(R"(graphics.image "mark" 0 4 0 0 0)"), held ? 1 : 0);
        EXPECT_EQ(host.count(R"(graphics.image "_mark" 0 0 0 0 0)"), 0);  // never asked of the host by name
    }
}

TEST_F(Canvas, OvertimeOnItsWindowShowsTheTicksLeft) {
    vux_overtime late;
    late.limit = 5;
    late.title = vux_string("w");
    start(doc_builder().add(*screen_named<vux_window>("w")).add(*screen_named<vux_window>("other")).add(late).done());
    run(action_of(show_step(1, 2, "w")));
    EXPECT_EQ(host.count(R"(graphics.text "5" 0)"), 1);
    host.clear_log();
    run(action_of(show_step(1, 1, "other")));
    EXPECT_EQ(host.count(R"(graphics.text "5" 0)"), 0);  // bound to another window
}

// One test of whether the document's overtime runs on the top window (not
// stopped, bound to that window or to none) decides both its box with the
// ticks left and, with its fourth integer set, its hold on the soft keys:
// held keys run nothing, so the bar shows no command (its strip stays, but a
// bar that hides when empty is not drawn, nor are touch soft keys in the
// title bar).
TEST_F(Canvas, OvertimeOnTheTopWindowShowsItsBoxAndHoldsTheSoftKeys) {
    struct row {
        const char* what;
        int32_t owns;
        const char* runs_on;
        bool stopped;
        int32_t hides_when_empty, touch_hide;
        bool box, label, strip, key_runs;  // "5" drawn; the command drawn; the bar's strip; the left key runs
    };
    const row rows[] = {
        {"not owned", 0, "w", false, 0, 0, true, true, true, true},
        {"owned", 1, "w", false, 0, 0, true, false, true, false},
        {"owned on another window", 1, "other", false, 0, 0, false, true, true, true},
        {"owned, bound to no window", 1, "", false, 0, 0, true, false, true, false},
        {"owned, stopped", 1, "w", true, 0, 0, false, true, true, true},
        {"owned, a bar that hides when empty", 1, "w", false, 1, 0, true, false, false, false},
        {"owned, touch soft keys", 1, "w", false, 0, 1, true, false, false, false},
        {"not owned, touch soft keys", 0, "w", false, 0, 1, true, true, false, true},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        vux_overtime late;
        late.limit = 5;
        late.value_b = r.owns;
        late.title = vux_string(r.runs_on);
        auto w = screen_named<vux_window>("w");
        w->titlebar.title = vux_unicode(u"Title");
        w->commandbar.value_1 = r.hides_when_empty;
        w->commandbar.value_3 = r.touch_hide;
        w->commandbar.left = command_of("Go", action_of(set_step("went", "1")));
        start(doc_builder().add(*w).add(late).done());
        doc().overtime->stopped = r.stopped ? 1 : 0;
        host.clear_log();
        run(action_of(show_step(1, 2, "w")));
        const vux_rect bar = m().canvas().command_bar_rect();
        EXPECT_EQ(host.count(R"(graphics.text "5" 0)"), r.box ? 1 : 0);
        EXPECT_EQ(host.count(R"(graphics.text "Go" 0)"), r.label ? 1 : 0);
        EXPECT_EQ(host.count("graphics.set_clip " + std::to_string(bar.left()) + " " + std::to_string(bar.top()) + " " +
                             std::to_string(bar.width()) + " " + std::to_string(bar.height())),
                  r.strip ? 1 : 0);
        const vux_rect key =
            static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->commandbar.shown_command(0)->rect;
        EXPECT_EQ(key.is_empty(), !r.label);
        this->key(1);
        EXPECT_EQ(variable("went"), r.key_runs ? "1" : "(none)");
    }
}

// A touch soft key is filled in 73 (74 while pressed) and lettered in 75,
// or in 76 while pressed over its fill; over its picture the text keeps 75.
TEST_F(Canvas, TouchSoftKeyColours) {
    struct row {
        bool picture, pressed;
        uint32_t fill, text;  // 0: no fill
    };
    const row rows[] = {
        {false, false, 0x73, 0x75},
        {false, true, 0x74, 0x76},
        {true, false, 0, 0x75},
        {true, true, 0, 0x75},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.picture ? "picture" : "fill") + (r.pressed ? ", pressed" : ""));
        TearDown();
        SetUp();
        auto w = screen_named<vux_window>("w");
        w->commandbar.value_3 = 1;
        w->titlebar.title = vux_unicode(u"Touch");
        w->commandbar.left = command_of("Go", vux_action());
        if (r.picture) {
            w->commandbar.left->normal_image = vux_string("up");
            w->commandbar.left->pressed_image = vux_string("down");
        }
        start(doc_builder().add(*w).add(data_named("up")).add(data_named("down")).done());
        vux_brush colours;
        for (const int32_t k : {73, 74, 75, 76}) colours.set(k, k - 73 + 0x73);
        m().canvas().brush_sheet().merge(colours);
        run(action_of(show_step(1, 2, "w")));
        const vux_rect key =
            static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->commandbar.shown_command(0)->rect;
        ASSERT_FALSE(key.is_empty());
        if (r.pressed) press(key.left() + 2, key.top() + 2);
        host.clear_log();
        machine().repaint_full();
        const auto text = std::find(host.log.begin(), host.log.end(), R"(graphics.text "Go" 0)");
        ASSERT_NE(text, host.log.end());
        std::string ink, ground;
        for (auto i = host.log.begin(); i != text; ++i) {
            if (i->rfind("graphics.set_colour 2 ", 0) == 0) ink = *i;
            if (i->rfind("graphics.set_colour 0 ", 0) == 0) ground = *i;
        }
        EXPECT_EQ(ink, "graphics.set_colour 2 " + std::to_string(r.text));
        if (r.fill) {
            EXPECT_EQ(ground, "graphics.set_colour 0 " + std::to_string(r.fill));
        }
    }
}

// The title strip: a subtitle takes it from the title, and is drawn after
// the notice line, over it.
TEST_F(Canvas, SubtitleIsDrawnAfterTheNoticeLine) {
    auto w = screen_named<vux_window>("w");
    w->titlebar.title = vux_unicode(u"Title");
    w->extras.append_cstr("Notice");
    start(doc_builder().add(*w).done());
    run(action_of(show_step(1, 2, "w")));
    auto news = std::make_unique<vux_subtitle>();
    news->text = vux_unicode(u"News");
    doc().subtitles.add(std::move(news));
    doc().subtitles.start();
    ASSERT_NE(doc().subtitles.current(), nullptr);
    doc().subtitles.current()->scrolled = 100;  // well into the strip
    host.clear_log();
    machine().repaint_full();
    const auto notice = std::find(host.log.begin(), host.log.end(), R"(graphics.text "Notice" 0)");
    const auto news_text = std::find(host.log.begin(), host.log.end(), R"(graphics.text "News" 0)");
    ASSERT_NE(notice, host.log.end());
    ASSERT_NE(news_text, host.log.end());
    EXPECT_LT(notice - host.log.begin(), news_text - host.log.begin());
    EXPECT_EQ(host.count(R"(graphics.text "Title" 0)"), 0);
}

// A host that shows the window's picture (capability 3) is handed the data
// item the top window names at every repaint, or told there is none.
TEST_F(Canvas, WindowImageGoesToAHostThatShowsIt) {
    vux_data empty;
    empty.name = vux_string("blank");
    auto window_naming = [](const char* picture) {
        auto w = screen_named<vux_window>(picture);
        w->extras.append_cstr("");
        w->extras.append_cstr(picture);
        return w;
    };
    start(doc_builder()
              .add(data_named("have"))
              .add(empty)
              .add(*window_naming("have"))
              .add(*window_naming("blank"))
              .add(*window_naming("gone"))
              .add(*screen_named<vux_window>("plain"))
              .done());
    struct row {
        const char* window;
        bool capable;
        const char* call;  // the one entry called, or "" for none
    };
    const row rows[] = {
        {"have", true, R"(graphics.window_image "have" 4)"},
        {"blank", true, "graphics.hook_16"},  // a data item without bytes
        {"gone", true, "graphics.hook_16"},   // no such data item
        {"plain", true, "graphics.hook_16"},  // no picture named
        {"have", false, ""},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.window) + (r.capable ? " capable" : ""));
        host.answer("facility.supports 3", r.capable ? "1" : "0");
        run(action_of(show_step(1, 2, r.window)));
        host.clear_log();
        machine().repaint_full();
        std::vector<std::string> calls = host.calls("graphics.window_image");
        for (const std::string& c : host.calls("graphics.hook_16")) calls.push_back(c);
        EXPECT_EQ(calls, r.call[0] ? std::vector<std::string>{r.call} : std::vector<std::string>{});
    }
}

// A window client's picture is bottom-cropped over the client (texture mode 5,
// flag 1). A host that keeps areas (capability 4) saves it once and copies it
// back at the next paint; a host that shows it itself (3) is not drawn on.
TEST_F(Canvas, WindowPictureIsKeptByAHostThatKeepsAreas) {
    auto w = long_window(3);
    w->client.string_1 = vux_string("ground");
    struct row {
        const char* name;
        bool keeps, shows;
        int textures, saves, restores;  // over the first two paints
    };
    const row rows[] = {
        {"keeps", true, false, 1, 1, 1},
        {"draws", false, false, 2, 0, 0},
        {"shows", true, true, 0, 0, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        TearDown();
        SetUp();
        host.answer("facility.supports 3", r.shows ? "1" : "0");
        host.answer("facility.supports 4", r.keeps ? "1" : "0");
        start(doc_builder().add(data_named("ground")).add(*w).done());
        host.clear_log();
        run(action_of(show_step(1, 2, "w")));
        machine().repaint_full();
        const vux_rect c = m().canvas().screen_rect();  // no bars: the client is the screen
        const std::string area = std::to_string(c.left()) + " " + std::to_string(c.top()) + " " +
                                 std::to_string(c.width()) + " " + std::to_string(c.height());
        EXPECT_EQ(host.count(R"(graphics.texture 5 1 "ground" 4)"), r.textures);
        EXPECT_EQ(host.count("graphics.save_area " + area), r.saves);
        EXPECT_EQ(host.count("graphics.restore_area " + area + " " + std::to_string(c.left()) + " " +
                             std::to_string(c.top())),
                  r.restores);
        EXPECT_EQ(host.count("graphics.texture"), r.textures);
    }
}

namespace {

// A paragraph of one segment whose link underlays its whole row (mode 1).
std::unique_ptr<vux_element_paragraph> link_row(const char16_t* text) {
    auto p = std::make_unique<vux_element_paragraph>();
    auto s = std::make_unique<vux_element_segment>();
    s->text.text = vux_unicode(text);
    s->hyperlink = std::make_unique<vux_hyperlink>();
    s->hyperlink->mode = 1;
    p->children.append(std::move(s));
    return p;
}

}  // namespace

// Every paint of a client starts its rows afresh: a single link row gets its
// band (a row less twice metric 14: 26 - 4) on each paint, and of two rows
// only the second joins the first (a full row high), never the first the
// last row of the frame before.
TEST_F(Canvas, RowWideBandsAreTheSameOnEveryPaint) {
    for (const int rows : {1, 2}) {
        SCOPED_TRACE(rows);
        TearDown();
        SetUp();
        auto w = screen_named<vux_window>("w");
        for (int i = 0; i < rows; ++i) w->client.paragraphs.append(link_row(u"go"));
        start(doc_builder().add(*w).done());
        const std::vector<std::string> bands =
            rows == 1 ? std::vector<std::string>{"graphics.set_height 22"}
                      : std::vector<std::string>{"graphics.set_height 22", "graphics.set_height 26"};
        for (int paint = 0; paint < 3; ++paint) {
            SCOPED_TRACE(paint);
            host.clear_log();
            if (paint == 0)
                run(action_of(show_step(1, 2, "w")));
            else
                machine().repaint_full();
            std::vector<std::string> drawn;
            for (const std::string& h : host.calls("graphics.set_height"))
                if (h == "graphics.set_height 22" || h == "graphics.set_height 26") drawn.push_back(h);
            EXPECT_EQ(drawn, bands);
        }
    }
}

// The client steps of the canvas, each seen from the host: a client that
// asks not to be painted while its command bar is hidden (flag bit 11) is
// left out; a dialog client that asks for side margins (bit 10) takes the
// screen less the dialog's side margin (its second extra text) on each side
// instead of the text column; a pending clip of the client bounds the first
// pass and is then dropped; the scroll bars stand in the client's visible
// rectangle: below a fixed band when the bar locks the header.
TEST_F(Canvas, ClientStepsSkipMarginsClipAndBarsInTheVisibleRectangle) {
    struct row {
        const char* what;
        bool dialog;
        int32_t flags;            // client flag word
        bool bar;                 // a command bar with a command
        bool painted;             // the client's text is drawn
        bool touch_hide = false;  // the bar hides on a touch screen (this host is one)
    };
    const row rows[] = {
        {"window, asks not to be painted, no bar", false, 1 << 11, false, false},
        {"window, asks not to be painted, bar shown", false, 1 << 11, true, true},
        {"window, painted", false, 0, false, true},
        {"dialog, asks not to be painted, no bar", true, 1 << 11, false, false},
        {"dialog, asks not to be painted, bar shown", true, 1 << 11, true, true},
        {"dialog, asks not to be painted, touch-hide bar", true, 1 << 11, true, false, true},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        doc_builder b;
        auto w = long_window(3);
        std::unique_ptr<vux_dialog> d;
        vux_element_client& client = r.dialog ? (d = screen_named<vux_dialog>("d"))->client : w->client;
        client.flags = r.flags;
        if (r.dialog) {
            client.paragraphs.append(link_row(u"inside"));
            if (r.bar) d->commandbar.left = command_of("Ok", vux_action());
            d->commandbar.value_3 = r.touch_hide ? 1 : 0;
            b.add(*d);
        } else if (r.bar) {
            w->commandbar.left = command_of("Ok", vux_action());
        }
        start(b.add(*w).done());
        host.clear_log();
        run(action_of(show_step(1, 2, "w")));
        if (r.dialog) {
            host.clear_log();
            run(action_of(show_step(2, 2, "d")));
        }
        EXPECT_EQ(host.count(r.dialog ? R"(graphics.text "inside" 0)" : R"(graphics.text "line 0" 0)") > 0, r.painted);
        EXPECT_EQ(host.count(R"(graphics.text "Ok" 0)") > 0, r.bar && !r.touch_hide);
    }

    // Side margins: 30 units a side on a screen 240 wide is 30 pixels; the
    // client stands inside the dialog's ground (metric 8) and its indent
    // (metric 12).
    for (const bool margins : {false, true}) {
        SCOPED_TRACE(margins ? "side margins" : "text column");
        TearDown();
        SetUp();
        auto d = screen_named<vux_dialog>("d");
        d->client.flags = margins ? 1 << 10 : 0;
        for (const char* x : {"", "30"}) d->extras.append_cstr(x);
        d->client.paragraphs.append(link_row(u"x"));
        start(doc_builder().add(*d).done());
        run(action_of(show_step(2, 2, "d")));
        const vux_canvas& c = m().canvas();
        const int32_t left = margins ? 30 : c.text_column().left();
        const vux_layout_rect& at =
            static_cast<vux_dialog*>(screens().find_screen(2, vux_string("d")))->client.client_rect;
        EXPECT_EQ(at.x, left + c.metric(8) + c.metric(12));
        EXPECT_EQ(at.w, 240 - 2 * (left + c.metric(8) + c.metric(12)));
    }

    // A pending clip, then the whole client again for the second pass.
    TearDown();
    SetUp();
    start(doc_builder().add(*long_window(3)).done());
    run(action_of(show_step(1, 2, "w")));
    vux_window& w = *static_cast<vux_window*>(screens().find_screen(1, vux_string("w")));
    w.client.third_rect = {10, 100, 50, 40};
    host.clear_log();
    machine().repaint_full();
    const std::vector<std::string> clips = host.calls("graphics.set_clip");
    ASSERT_GE(clips.size(), 2u);
    EXPECT_EQ(clips[0], "graphics.set_clip 10 100 50 40");
    // The screen, as neither bar is shown.
    EXPECT_NE(std::find(clips.begin() + 1, clips.end(), "graphics.set_clip 0 0 240 320"), clips.end());
    EXPECT_EQ(w.client.third_rect.w, 0);

    // Bars in the visible rectangle: right of what scrolls, below the fixed band.
    for (const int32_t lock : {0, 1}) {
        SCOPED_TRACE(lock ? "header lock" : "no lock");
        TearDown();
        SetUp();
        auto lw = long_window(60);
        lw->client.scroll_bar->header_lock = lock;
        lw->client.paragraph(0)->set_flag(vux_element_paragraph::fixed_bit, true);
        start(doc_builder().add(*lw).done());
        run(action_of(show_step(1, 2, "w")));
        vux_element_client& client = static_cast<vux_window*>(screens().find_screen(1, vux_string("w")))->client;
        const vux_layout_rect& v = client.view_rect;
        const int32_t band = lock ? client.current_layout()->band_bottom : 0;
        ASSERT_TRUE(!lock || band > 0);
        const vux_rect& track = client.scroll_bar->track_v;
        const int32_t t = m().canvas().metric(1);
        EXPECT_EQ(track.right(), 240);  // the client's rectangle is the screen's width
        EXPECT_EQ(track.left(), 240 - t);
        EXPECT_EQ(track.top(), v.y + band + t / 2);
        EXPECT_EQ(track.bottom(), v.y + v.h - t / 2);
    }
}

// A dialog of style 1 without a picture is one colour, rounded only by its
// own corner radius (its first extra text, scaled), not by its on-top flag.
TEST_F(Canvas, DialogCornersComeFromItsRadiusNotItsOnTopFlag) {
    struct row {
        const char* what;
        int32_t on_top;
        const char* radius;
        const char* ground;  // the call that fills the dialog
    };
    const row rows[] = {
        {"on top, no radius", 1, "", "graphics.rectangle 1 0"},
        {"not on top, radius 8", 0, "8", "graphics.round_rectangle 1 8"},
        {"on top, radius 8", 1, "8", "graphics.round_rectangle 1 8"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        auto d = screen_named<vux_dialog>("d");
        d->value_5 = r.on_top;
        d->extras.append_cstr(r.radius);
        start(doc_builder().add(*d).done());
        host.clear_log();
        run(action_of(show_step(2, 2, "d")));
        EXPECT_EQ(host.count(r.ground), 1);
        EXPECT_EQ(host.count("graphics.round_rectangle"),
                  std::string(r.ground).find("round") != std::string::npos ? 1 : 0);
    }
}
