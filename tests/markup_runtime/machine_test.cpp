#include "core/vux_reader.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_subtitle.h"
#include "screens_fixture.h"

namespace {

// Window "w" whose left soft key opens menu "m" and whose right one sets
// "right"; menu "m" with items A, B, C that set "picked", its own left soft
// key setting "soft". The window's client scrolls 1000 pixels in a 100 view.
struct Machine : screens_fixture {
    void SetUp() override {
        screens_fixture::SetUp();
        auto w = screen_named<vux_window>("w");
        w->commandbar.left = command_of("Menu", action_of(show_step(3, 2, "m")));
        w->commandbar.right = command_of("Right", action_of(set_step("right", "1")));
        w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        auto m = screen_named<vux_menu>("m");
        m->show_title = 1;  // closable
        for (const char* label : {"A", "B", "C"})
            m->commands.append(command_of(label, action_of(set_step("picked", label))));
        m->commandbar.left = command_of("Soft", action_of(set_step("soft", "1")));
        start(doc_builder().add(*w).add(*m).done());
        run(action_of(show_step(1, 2, "w")));
        vux_element_scrollbar& bar = *window().client.scroll_bar;
        bar.content_height = 1000;
        bar.view_height = 100;
        bar.row = 10;
        bar.half_row = 10;
        bar.max_steps = 20;
    }
    vux_window& window() { return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w"))); }
    vux_menu& menu() { return *static_cast<vux_menu*>(m().screens().find_screen(3, vux_string("m"))); }
    int32_t offset() { return window().client.scroll_bar->y_offset; }
};

}  // namespace

TEST_F(Machine, KeysOnTheWindowAndOnTheMenu) {
    struct row {
        int key;
        const char* menus;  // menu stack after the key
        int selected;       // the menu's selection, or -9 when it is not open
        int offset;         // the window client's scroll offset
    };
    const row script[] = {
        {9, "", -9, 90},                    // page down: a page less one line
        {13, "", -9, 100},                  // line down
        {11, "", -9, 900},                  // to the bottom
        {10, "", -9, 0},                    // to the top
        {1, "m", 0, 0},                     // left soft key opens the menu
        {6, "m", 1, 0},                     // down
        {9, "m", 1, 0},                     // scroll keys mean nothing over a menu
        {11, "m", 1, 0},   {3, "m", 1, 0},  // left and right move only in grids
        {5, "m", 0, 0},                     // up
        {5, "m", 2, 0},                     // wraps
        {7, "", -9, 0},                     // back closes the closable menu, nothing picked
    };
    for (const row& r : script) {
        SCOPED_TRACE("key " + std::to_string(r.key));
        key(r.key);
        EXPECT_EQ(menu_names(), r.menus);
        if (r.selected != -9) {
            EXPECT_EQ(menu().selected, r.selected);
        }
        EXPECT_EQ(offset(), r.offset);
    }
    EXPECT_EQ(variable("picked"), "(none)");
    key(1);
    key(6);
    key(0);
    EXPECT_EQ(variable("picked"), "B");
    EXPECT_EQ(menu_names(), "");
    key(2);
    EXPECT_EQ(variable("right"), "1");
}

TEST_F(Machine, ScrollKeysMeanNothingOverADialog) {
    auto d = std::make_unique<vux_dialog>();
    d->name = vux_string("d");
    m().screens().dialog_records.append(std::move(d));
    run(action_of(show_step(2, 2, "d")));
    ASSERT_EQ(dialog_names(), "d");
    for (int k = 8; k <= 13; ++k) key(k);
    EXPECT_EQ(offset(), 0);
    run(action_of(show_step(2, 3, "d")));
    key(9);
    EXPECT_EQ(offset(), 90);
}

TEST_F(Machine, SelectWithNothingFocusedFallsToTheLeftSoftKey) {
    key(0);
    EXPECT_EQ(menu_names(), "m");
}

// The action that select takes may close and discard the very screen it
// belongs to: the run goes on from a copy.
TEST_F(Machine, SelectedActionThatClosesItsOwnScreenRunsToItsEnd) {
    menu().keep = 2;
    menu().command(0)->action = action_of(show_step(3, 4, "m"), set_step("after", "1"));
    key(1);
    key(0);
    EXPECT_EQ(variable("after"), "1");
    EXPECT_EQ(m().screens().menu_records.count(), 0);

    window().keep = 2;
    window().client.default_action =
        std::make_unique<vux_action>(action_of(show_step(1, 4, "w"), set_step("gone", "1")));
    key(0);
    EXPECT_EQ(variable("gone"), "1");
    EXPECT_EQ(window_names(), "");
}

TEST_F(Machine, OnlyAWaitingMainExchangeTakesTheInput) {
    m().exchange().poll_waiting = true;
    key(2);
    EXPECT_EQ(variable("right"), "1");
    run(action_of(set_step("right", "")));
    m().exchange().main_waiting = true;
    m().variables().set_ok(vux_string("__status_main"));
    key(2);
    EXPECT_EQ(variable("right"), "(none)");
    EXPECT_FALSE(m().exchange().main_waiting);
    EXPECT_EQ(variable("__status_main"), "(none)");
    press(1, 1);
    key(2);
    EXPECT_EQ(variable("right"), "1");
}

// Painting places the slots: on 240 x 320 the command bar is 294..320, its
// left half the window's left soft key; menu "m" lies at 204..294.
TEST_F(Machine, PressOutsideAClosableMenuReachesTheScreenBelow) {
    key(1);
    ASSERT_FALSE(menu().bounds.is_empty());
    press(10, 50);
    EXPECT_EQ(menu_names(), "");
    EXPECT_EQ(machine().dragging, 1);  // the window's client took the press
    release(10, 50);

    press(10, 305);
    EXPECT_EQ(window().commandbar.pressed_slot, 0);
    // The emulator defers a command-bar hit's repaint to the next tick.
    EXPECT_EQ(machine().repaint_pending, 1);
    host.clear_log();
    vux_engine_tick(e, 1);
    EXPECT_EQ(machine().repaint_pending, 0);
    EXPECT_EQ(host.count("graphics.repaint"), 1);
    move(10, 200);  // leaves the slot
    release(10, 200);
    EXPECT_EQ(menu_names(), "");
    press(10, 305);
    release(10, 305);
    EXPECT_EQ(menu_names(), "m");
}

TEST_F(Machine, ReleaseOnAMenuItemByStyle) {
    for (int style : {0, 2, 5, 6, 7, 8}) {
        SCOPED_TRACE("style " + std::to_string(style));
        run(action_of(set_step("picked", ""), set_step("soft", "")));
        key(1);
        vux_menu& m = menu();
        m.style = style;
        m.layout_1 = 100;
        machine().settle(true);  // painted again in its style
        const vux_rect r = m.command(1)->rect;
        ASSERT_FALSE(r.is_empty());
        const int x = r.left() + r.width() / 2, y = r.top() + r.height() / 2;
        press(x, y);
        EXPECT_EQ(m.selected, 1);
        release(x, y);
        const bool takes = style >= 6;
        EXPECT_EQ(variable("picked"), takes ? "B" : "(none)");
        EXPECT_EQ(variable("soft"), takes ? "(none)" : "1");
        EXPECT_EQ(menu_names(), takes ? "" : "m");
        if (!takes) key(7);
    }
}

TEST_F(Machine, EmptyStacksTakeEveryEvent) {
    run(action_of(show_step(1, 3, "w")));
    ASSERT_EQ(window_names(), "");
    for (int k = 0; k <= 13; ++k) key(k);
    for (int kind = 0; kind <= 2; ++kind) vux_engine_pointer(e, kind, 5, 5);
    EXPECT_EQ(vux_engine_drag_step(e, 1, 1, 1), 0);
    ticks(1, 30);
    EXPECT_EQ(variable("picked"), "(none)");
    EXPECT_EQ(variable("soft"), "(none)");
}

// The client has no links: the arrows scroll it a line at a time.
TEST_F(Machine, ArrowsScrollAClientWithNothingToFocus) {
    const struct {
        int key;
        int offset;
    } script[] = {{6, 10}, {6, 20}, {4, 30}, {5, 20}, {3, 10}, {5, 0}, {5, 0}};
    for (const auto& r : script) {
        SCOPED_TRACE("key " + std::to_string(r.key));
        key(r.key);
        EXPECT_EQ(offset(), r.offset);
    }
}

TEST_F(Machine, DragStepsMoveTheWindowClient) {
    press(50, 100);  // not on a soft key: the client takes the drag
    EXPECT_EQ(machine().dragging, 1);
    EXPECT_EQ(vux_engine_drag_step(e, 1, 0, 0), 1);
    EXPECT_GT(offset(), 0);
    int steps = 1;
    while (vux_engine_drag_step(e, 0, 0, 0) != 0 && steps < 100) ++steps;
    EXPECT_LE(steps, 20);  // the bar's step limit ends the fling
    const int32_t far = offset();
    EXPECT_EQ(vux_engine_drag_step(e, 1, 1, 1), 1);  // back towards the top, fast
    EXPECT_LT(offset(), far);
    key(1);  // a menu in front: no drag
    EXPECT_EQ(vux_engine_drag_step(e, 1, 0, 0), 0);
}

TEST_F(Machine, FrontOvertimeFiresOnTheSeventhTicks) {
    // The screens' timed work goes on while a main exchange waits.
    for (const bool waiting : {false, true}) {
        TearDown();
        SetUp();
        m().exchange().main_waiting = waiting;
        window().overtime = std::make_unique<vux_overtime>();
        window().overtime->limit = 2;
        window().overtime->action = action_of(set_step("late", "1"));
        ticks(1, 7);
        EXPECT_EQ(variable("late"), "(none)") << waiting;
        ticks(8, 7);
        EXPECT_EQ(variable("late"), "1") << waiting;
    }
}

// A location reading repaints the screens that may show it; a kind the
// runtime does not know changes nothing and repaints nothing.
// Only a screen that shows the reading is painted again: the window here
// shows the position and the network address, not the cell.
TEST_F(Machine, LocationResultsRepaintTheScreens) {
    auto p = std::make_unique<vux_element_paragraph>();
    p->guard = std::make_unique<vux_condition_list>();
    for (const char* name : {"__key_gps", "__key_mac"}) p->guard->add().name = vux_string(name);
    window().client.paragraphs.append(std::move(p));
    machine().settle(true);
    const struct {
        int kind;
        const char* text;
        const char* variable;
        const char* value;
        int repaints;
    } rows[] = {{0, "31.2 121.5", "__key_gps", "31.2 121.5", 1},
                {1, nullptr, "__key_cid", "null", 0},
                {2, "aa:bb", "__key_mac", "aa:bb", 1},
                {3, "x", "__key_gps", "31.2 121.5", 0}};
    for (const auto& r : rows) {
        const int before = host.count("graphics.repaint");
        vux_engine_on_location(e, r.kind, r.text);
        EXPECT_EQ(variable(r.variable), r.value) << r.kind;
        EXPECT_EQ(host.count("graphics.repaint") - before, r.repaints) << r.kind;
    }
}

// Commands 26 and 27: while the machine's second switch is on, input runs
// only actions whose header asks for it.
TEST_F(Machine, SecondSwitchLetsOnlyMarkedActionsRun) {
    vux_action marked = action_of(set_step("marked", "1"));
    marked.value_1 = 1;
    window().commandbar.left = command_of("Marked", std::move(marked));
    machine().settle(true);  // the bar shows its new command
    const struct {
        int32_t command;
        const char* right;   // after the right soft key
        const char* marked;  // after the left soft key
    } rows[] = {{26, "(none)", "1"}, {27, "1", "1"}};
    for (const auto& r : rows) {
        run(action_of(set_step("right", ""), set_step("marked", ""), command_step(r.command)));
        key(2);
        EXPECT_EQ(variable("right"), r.right) << r.command;
        key(1);
        EXPECT_EQ(variable("marked"), r.marked) << r.command;
    }
}

TEST_F(Machine, SnapshotGoesToTheHostOnEverySettle) {
    key(1);
    EXPECT_EQ(host.count("facility.machine_settled"), 0);
    machine().set_snapshot(true);
    static std::string last;
    host.facility.machine_settled = [](void*, const uint8_t* bytes, int length) {
        last.assign(reinterpret_cast<const char*>(bytes), size_t(length));
    };
    vux_engine_set_facility(e, &host.facility);
    key(7);
    // Dialogs, menus and windows by their descriptions, then the document's
    // state, the data items and the variables.
    vux_buffer bytes;
    bytes.assign_bytes(last.data(), int32_t(last.size()));
    vux_reader r(bytes);
    EXPECT_EQ(r.read_int32(), 5);
    EXPECT_EQ(r.read_int32(), 0);
    EXPECT_EQ(r.read_int32(), 7);
    EXPECT_EQ(r.read_int32(), 0);  // back closed the menu
    EXPECT_EQ(r.read_int32(), 9);
    ASSERT_EQ(r.read_int32(), 1);
    vux_string described;
    r.read_string(described);
    EXPECT_EQ(described.str(), window().describe().str());
    EXPECT_EQ(r.read_int32(), 2);  // the document's functions come next
    EXPECT_FALSE(r.has_error());
}

namespace {

// Item guards: shown while the variable named like the item exists.
void guard_items_by_name(vux_menu& m) {
    for (int i = 0; i < m.count(); ++i) {
        vux_element_command& c = *m.command(i);
        c.guard = std::make_unique<vux_condition_list>();
        vux_condition& k = c.guard->add();
        k.op = 2;  // exists
        k.name = vux_string("on_") + c.name;
    }
}

}  // namespace

// The left soft key opens menu "m": how many of its items are enabled
// decides what the slot shows.
TEST_F(Machine, SoftKeyTiedToAMenuFollowsItsEnabledItems) {
    guard_items_by_name(menu());
    struct row {
        const char* enabled;  // variables set before painting
        const char* label;    // what the left slot shows, or "" hidden
    };
    const row rows[] = {{"", ""}, {"on_B", "B"}, {"on_A on_C", "Menu"}};
    for (const row& r : rows) {
        SCOPED_TRACE(r.enabled);
        for (const char* n : {"on_A", "on_B", "on_C"}) unset(n);
        for (std::string n : {"on_A", "on_B", "on_C"})
            if (std::string(r.enabled).find(n) != std::string::npos) run(action_of(set_step(n.c_str(), "1")));
        machine().settle(true);
        vux_element_command* shown = window().commandbar.shown[0].get();
        EXPECT_EQ(shown ? vux_unicode(shown->label).to_utf8_string().str() : "", r.label);
    }
    unset("on_A");
    unset("on_C");
    run(action_of(set_step("on_B", "1")));
    machine().settle(true);
    key(1);  // the single item itself
    EXPECT_EQ(variable("picked"), "B");
    EXPECT_EQ(menu_names(), "");
}

TEST_F(Machine, CloseCommandOpensTheDefaultMenu) {
    window().commandbar.left.reset();
    window().commandbar.shown[0].reset();
    window().commandbar.left_check = 1;
    run(action_of(set_step("__key_menu_title", "Back")));
    machine().settle(true);
    EXPECT_FALSE(window().commandbar.shown[0]);  // no default menu
    menu().value_1 = 1;                          // marks "m" as the default menu
    machine().settle(true);
    ASSERT_TRUE(window().commandbar.shown[0]);
    EXPECT_EQ(window().commandbar.shown[0]->label.to_utf8_string().str(), "Back");
    key(1);
    EXPECT_EQ(menu_names(), "m");
    key(7);
    ASSERT_TRUE(window().commandbar.shown[0]);
    run(action_of(command_step(23)));  // default-menu switch off: the close command goes
    EXPECT_FALSE(window().commandbar.shown[0]);
}

TEST_F(Machine, SubtitleScrollsAfterTenQuietTicksAndInputEndsIt) {
    auto news = std::make_unique<vux_subtitle>();
    news->text = vux_unicode(u"News");
    doc().subtitles.add(std::move(news));
    int t = 1;
    while (!doc().subtitles.active() && t < 30) vux_engine_tick(e, t++);
    EXPECT_GE(t, 11);  // not before ten quiet ticks
    ASSERT_TRUE(doc().subtitles.active());
    EXPECT_EQ(doc().subtitles.current()->scrolled, 0);  // its first painting measures it
    host.clear_log();
    ticks(t, 2);  // then metric 18 a tick, from the right edge
    EXPECT_EQ(doc().subtitles.current()->scrolled, 22);
    EXPECT_EQ(host.count(R"(graphics.text "Ne" 0)"), 1);
    EXPECT_EQ(host.count(R"(graphics.text "News" 0)"), 1);
    key(13);
    EXPECT_FALSE(doc().subtitles.active());
    EXPECT_EQ(doc().subtitles.queued(), 0);  // a subtitle that does not repeat is dropped
}

namespace {

std::unique_ptr<vux_hyperlink> link_picking(const char* n) {
    auto h = std::make_unique<vux_hyperlink>();
    h->action = std::make_unique<vux_action>(action_of(set_step("picked", n)));
    return h;
}

// A window whose client holds three linked items, one a paragraph; each
// item's link sets "picked" to its number. Plain items are segments.
struct Items : screens_fixture {
    virtual std::unique_ptr<vux_object> item(const char* n) {
        auto s = std::make_unique<vux_element_segment>();
        s->text.text = vux_unicode(u"item");
        s->hyperlink = link_picking(n);
        return s;
    }
    // Placed after the three, without a link.
    virtual std::unique_ptr<vux_object> unlinked() { return nullptr; }
    void SetUp() override {
        screens_fixture::SetUp();
        auto w = screen_named<vux_window>("w");
        w->commandbar.left = command_of("Soft", action_of(set_step("soft", "1")));
        for (const char* n : {"1", "2", "3"}) {
            auto p = std::make_unique<vux_element_paragraph>();
            p->children.append(item(n));
            w->client.paragraphs.append(std::move(p));
        }
        if (auto u = unlinked()) {
            auto p = std::make_unique<vux_element_paragraph>();
            p->children.append(std::move(u));
            w->client.paragraphs.append(std::move(p));
        }
        start(doc_builder().add(*w).done());
        run(action_of(show_step(1, 2, "w")));
    }
    vux_layout& layout() {
        return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client.current_layout();
    }
    // A screen point inside item i.
    vux_point centre_of(int32_t i) {
        vux_layout& l = layout();
        const vux_point at = l.to_screen(vux_layout_point{l.item_left(i) + 5, l.item_top(i) + 5}, false, false);
        return at;
    }
};

}  // namespace

TEST_F(Items, ArrowsMoveTheFocusAndSelectRunsTheFocusedLink) {
    ASSERT_EQ(layout().items.size(), 3u);
    EXPECT_EQ(layout().find_focused_item(), 0);  // restored when laid out
    key(6);
    key(6);
    EXPECT_EQ(layout().find_focused_item(), 2);
    key(6);  // the last row: down fails, right fails too
    EXPECT_EQ(layout().find_focused_item(), 2);
    key(5);
    key(0);
    EXPECT_EQ(variable("picked"), "2");
    EXPECT_EQ(variable("soft"), "(none)");
}

TEST_F(Items, TapSelectsWhenThePressCountdownEnds) {
    // A quick tap: the item shows its press for its countdown of two ticks,
    // then the selection runs.
    const vux_point third = centre_of(2);
    press(third.x, third.y);
    EXPECT_EQ(layout().find_focused_item(), 2);
    EXPECT_TRUE(layout().is_item_pressed(2));
    release(third.x, third.y);
    EXPECT_EQ(variable("picked"), "(none)");
    EXPECT_TRUE(layout().is_item_pressed(2));
    EXPECT_EQ(machine().activation_countdown, 2);
    vux_engine_tick(e, 1);  // the press's deferred repaint takes this tick
    vux_engine_tick(e, 2);
    EXPECT_EQ(variable("picked"), "(none)");
    vux_engine_tick(e, 3);
    EXPECT_EQ(variable("picked"), "3");
    EXPECT_FALSE(layout().is_item_pressed(2));

    // Held past its countdown, the release selects at once.
    run(action_of(set_step("picked", "")));
    press(third.x, third.y);
    ticks(4, 3);
    release(third.x, third.y);
    EXPECT_EQ(variable("picked"), "3");
    EXPECT_EQ(machine().activation_countdown, 0);

    // Moving off the focused item lets it go; a release there selects nothing.
    run(action_of(set_step("picked", "")));
    const vux_point first = centre_of(0);
    press(third.x, third.y);
    move(first.x, first.y);
    EXPECT_FALSE(layout().is_item_pressed(2));
    move(third.x, third.y);
    EXPECT_TRUE(layout().is_item_pressed(2));
    move(first.x, first.y);
    release(first.x, first.y);
    ticks(7, 3);
    EXPECT_EQ(variable("picked"), "(none)");
}

TEST_F(Items, BackTakesThePressedItemsTarget) {
    key(7);  // nothing pressed, no command: nothing runs
    EXPECT_EQ(variable("picked"), "(none)");
    const vux_point second = centre_of(1);
    press(second.x, second.y);
    key(7);
    EXPECT_EQ(variable("picked"), "2");
}

namespace {

// Item 1 is a box with a link and a press action; a box with a press
// action and no link is placed after the three.
struct HeldItems : Items {
    static std::unique_ptr<vux_element_box> holding(const char* value) {
        auto b = std::make_unique<vux_element_box>();
        b->width = 100;
        b->height = 30;
        b->press = std::make_unique<vux_action>(action_of(set_step("held", value)));
        return b;
    }
    std::unique_ptr<vux_object> item(const char* n) override {
        if (n[0] != '1') return Items::item(n);
        auto b = holding("1");
        b->hyperlink = link_picking(n);
        return b;
    }
    std::unique_ptr<vux_object> unlinked() override { return holding("plain"); }
};

}  // namespace

// A press held past the eighth tick without moving beyond the tolerance
// runs the box's press action; the link's action does not run. A box
// without a link is held the same way.
TEST_F(HeldItems, LongPressRunsTheBoxPressAction) {
    struct row {
        int32_t item;
        int moved;  // pixels moved after the press
        int ticks;  // held that long
        bool long_press;
    };
    const row rows[] = {{0, 0, 7, false}, {0, 0, 9, true},  {0, 11, 9, false},
                        {0, 10, 9, true}, {3, 0, 7, false}, {3, 0, 9, true}};
    int t = 100;
    for (const row& r : rows) {
        SCOPED_TRACE("item " + std::to_string(r.item) + ", " + std::to_string(r.moved) + " px, " +
                     std::to_string(r.ticks) + " ticks");
        run(action_of(set_step("held", ""), set_step("picked", "")));
        const vux_point first = centre_of(r.item);
        press(first.x, first.y);
        if (r.moved) move(first.x + r.moved, first.y);
        for (int k = 0; k < r.ticks; ++k) vux_engine_tick(e, t++);
        EXPECT_EQ(variable("held"), r.long_press ? (r.item == 0 ? "1" : "plain") : "(none)");
        EXPECT_EQ(variable("picked"), "(none)");
        release(first.x + r.moved, first.y);
        for (int k = 0; k < 3; ++k) vux_engine_tick(e, t++);
        // A release after a long press has nothing left to select.
        if (r.long_press) {
            EXPECT_EQ(variable("picked"), "(none)");
        }
    }
    // A segment has no press action: holding it runs nothing.
    run(action_of(set_step("held", "")));
    const vux_point second = centre_of(1);
    press(second.x, second.y);
    for (int k = 0; k < 9; ++k) vux_engine_tick(e, t++);
    EXPECT_EQ(variable("held"), "(none)");
    EXPECT_EQ(variable("picked"), "(none)");
}

namespace {

// The same window with a segment, a box and an image, then a box without a
// link: boxes and images are items as segments are.
struct PlacedItems : Items {
    std::unique_ptr<vux_object> item(const char* n) override {
        if (n[0] == '1') return Items::item(n);
        if (n[0] == '2') {
            auto b = std::make_unique<vux_element_box>();
            b->width = 100;
            b->height = 30;
            b->hyperlink = link_picking(n);
            return b;
        }
        auto im = std::make_unique<vux_element_image>();
        im->width = 30;
        im->height = 30;
        im->hyperlink = link_picking(n);
        return im;
    }
    std::unique_ptr<vux_object> unlinked() override {
        auto b = std::make_unique<vux_element_box>();
        b->width = 100;
        b->height = 30;
        return b;
    }
};

}  // namespace

TEST_F(PlacedItems, FocusCrossesBoxAndImageAndAPressOnTheImageRunsIt) {
    ASSERT_EQ(layout().items.size(), 4u);
    EXPECT_EQ(layout().find_focused_item(), 0);
    key(6);
    EXPECT_EQ(layout().find_focused_item(), 1);  // the box
    key(0);
    EXPECT_EQ(variable("picked"), "2");
    key(6);
    EXPECT_EQ(layout().find_focused_item(), 2);  // the image
    key(6);                                      // the box below has no link: the focus stays
    EXPECT_EQ(layout().find_focused_item(), 2);

    run(action_of(set_step("picked", "")));
    key(5);
    key(5);
    EXPECT_EQ(layout().find_focused_item(), 0);
    const vux_point image = centre_of(2);
    press(image.x, image.y);
    EXPECT_EQ(layout().find_focused_item(), 2);
    release(image.x, image.y);
    ticks(1, 3);  // the deferred repaint, then the press countdown
    EXPECT_EQ(variable("picked"), "3");

    run(action_of(set_step("picked", "")));
    const vux_point plain = centre_of(3);
    press(plain.x, plain.y);
    release(plain.x, plain.y);
    EXPECT_EQ(layout().find_focused_item(), 2);  // a press on the unlinked box changes nothing
    EXPECT_EQ(variable("picked"), "(none)");
}

TEST_F(Machine, OverscrollAtTheTopRunsThePullActionOnce) {
    window().client.pull_top = std::make_unique<vux_action>(action_of(set_step("pulled", "1")));
    vux_element_scrollbar& bar = *window().client.scroll_bar;
    int t = 1;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        run(action_of(set_step("pulled", "")));
        bar.y_offset = -30;  // dragged past the top
        for (int k = 0; k < 5; ++k) vux_engine_tick(e, t++);
        EXPECT_EQ(bar.y_offset, 0);
        EXPECT_EQ(variable("pulled"), round == 0 ? "1" : "(none)");
    }
}

TEST_F(Machine, PendingNamesAreTakenEveryOtherTimedStep) {
    for (const char* n : {"a", "b"}) window().client.pending_names.append_cstr(n);
    ticks(1, 7);  // the first timed step only counts
    EXPECT_EQ(window().client.pending_names.count(), 2);
    host.clear_log();
    ticks(8, 7);
    EXPECT_EQ(window().client.pending_names.count(), 1);
    EXPECT_GE(host.count("graphics.repaint"), 1);
    ticks(15, 14);
    EXPECT_EQ(window().client.pending_names.count(), 0);
}

// A timed trigger on a menu closes the menu first (and for kind 3 the window
// below it), then runs its own action, whatever its kind.
TEST_F(Machine, TimedTriggerOnAMenuClosesItAndRunsItsOwnAction) {
    struct row {
        int32_t kind;
        const char* windows;  // after the trigger
    };
    const row rows[] = {{0, "w"}, {1, "w"}, {2, "w"}, {3, ""}};
    for (const row& r : rows) {
        SCOPED_TRACE("kind " + std::to_string(r.kind));
        TearDown();
        SetUp();
        doc().timed_triggers = true;
        vux_action& fire = menu().command(1)->action;
        fire = action_of(set_step("fired", "1"));
        fire.value_1 = r.kind;
        fire.countdown = 1;
        key(1);
        ASSERT_EQ(menu_names(), "m");
        ticks(1, 7);
        EXPECT_EQ(menu_names(), "");
        EXPECT_EQ(window_names(), r.windows);
        EXPECT_EQ(variable("fired"), "1");
        EXPECT_EQ(variable("picked"), "(none)");  // not the menu's selected item
    }
}

// A settle that releases the screens also ends a drag in progress: the
// host's drag repeats find nothing to move. A settle with nothing changed
// leaves the drag alone.
TEST_F(Machine, SettleEndsADragInProgress) {
    struct row {
        const char* what;
        bool changed, force;
        int32_t steps;  // what the next drag step answers
    };
    const row rows[] = {
        {"nothing changed", false, false, 1},
        {"a stack changed", true, false, 0},
        {"forced", false, true, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        press(50, 100);
        ASSERT_EQ(machine().dragging, 1);
        ASSERT_TRUE(window().client.scroll_bar->dragging);
        if (r.changed) screens().windows.changed = 1;
        machine().settle(r.force);
        EXPECT_EQ(machine().dragging, r.steps);
        EXPECT_EQ(window().client.scroll_bar->dragging, r.steps == 1);
        EXPECT_EQ(vux_engine_drag_step(e, 1, 0, 0), r.steps);
        EXPECT_EQ(offset() > 0, r.steps == 1);
    }
}
