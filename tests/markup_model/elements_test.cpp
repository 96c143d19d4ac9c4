// Element and screen records: wire bytes from the tables, text keywords and
// environment sync, the scroll bar's steps and thumbs, the menu's selection.
#include <gtest/gtest.h>
#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_window.h"
#include "markup_model/fake_layout.h"
#include "markup_model/model_test_support.h"
#include "markup_model/wire_stream.h"

using model_test::stream;

using model_test::bytes_of;
using model_test::read_from;

namespace {

TEST(Elements, DefaultsWriteTheTablesBytes) {
    struct row {
        std::unique_ptr<vux_record> record;
        stream expected;
    };
    std::vector<row> rows;
    auto add = [&](std::unique_ptr<vux_record> r, stream s) { rows.push_back({std::move(r), std::move(s)}); };
    {
        stream s;
        s.ints({0x80B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, 0,  -1, -1,
                -1,    0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 4, 0,  0,  0,  0,  -1, 0});
        s.s("").s("").s("").s("").s("").s("").text().ints({0, 0, 0, 0});
        add(std::make_unique<vux_element_box>(), std::move(s));
    }
    {
        stream s;
        s.ints({0, 1, -1, 0}).s("").text().ints({0, 0, 0, 0});
        add(std::make_unique<vux_element_segment>(), std::move(s));
    }
    {
        stream s;
        s.ints({0, 1, 1, 2, 0, 0, -1, -1, 0, 0, 0, 0, 0}).s("").s("").s("").s("").text().ints({0, 0, 0});
        add(std::make_unique<vux_element_image>(), std::move(s));
    }
    {
        stream s;
        s.ints({0x20, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).s("").ints({0, 0, 0});
        add(std::make_unique<vux_element_paragraph>(), std::move(s));
    }
    {
        stream s;
        s.ints({1, 0, 0, 0, 1, 0});
        add(std::make_unique<vux_element_scrollbar>(), std::move(s));
    }
    {
        stream s;
        s.client();
        add(std::make_unique<vux_element_client>(), std::move(s));
    }
    {
        stream s;
        s.i(2).s("").s("").u(u"").i(0);
        add(std::make_unique<vux_element_titlebar>(), std::move(s));
    }
    {
        stream s;
        s.i(0).s("").s("").s("").s("").s("").s("").s("").s("").u(u"").action().ints({0, 0});
        add(std::make_unique<vux_element_command>(), std::move(s));
    }
    {
        stream s;
        s.commandbar();
        add(std::make_unique<vux_element_commandbar>(), std::move(s));
    }
    {
        stream s;
        s.ints({1, 0, 0, -1}).s("").s("").s("").i(2).s("").s("").u(u"").i(0).client().commandbar().ints({0, 0});
        add(std::make_unique<vux_window>(), std::move(s));
    }
    {
        stream s;
        s.ints({0, 0, 0, 0, 0, 1, 1}).s("").s("").client().commandbar().ints({0, 0, 0});
        add(std::make_unique<vux_dialog>(), std::move(s));
    }
    {
        stream s;
        s.ints({0, 1, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1}).s("").s("").s("").commandbar().ints({0, 0, 0});
        add(std::make_unique<vux_menu>(), std::move(s));
    }
    for (row& r : rows) {
        SCOPED_TRACE(r.record->class_name());
        EXPECT_EQ(bytes_of(*r.record), r.expected.bytes());
        auto fresh = vux_model_make(r.record->type_code());
        ASSERT_TRUE(fresh);
        EXPECT_TRUE(read_from(*fresh, r.expected.bytes()));
    }
}

TEST(Elements, ListsTakeOnlyTheirClasses) {
    // A client's paragraph list holds paragraphs only: a box there fails.
    stream client;
    client.ints({8, 3, 2, 1, 0, 32}).s("").s("").i(1).i(vux_type_element_box);
    vux_element_client c;
    EXPECT_FALSE(read_from(c, client.bytes()));
    // A paragraph's child list bounds its count by the bytes left.
    stream huge;
    huge.ints({0x20, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).s("").i(0x7FFFFFFF).i(1);
    vux_element_paragraph p;
    EXPECT_FALSE(read_from(p, huge.bytes()));
}

TEST(Elements, CopiesDropRunTimeFlagBitsButWritesKeepThem) {
    vux_element_paragraph p;
    p.set_flag(vux_element_paragraph::measured_bit, true);
    auto box = std::make_unique<vux_element_box>();
    box->set_flag(vux_element_box::checked_bit, true);
    box->set_flag(vux_element_box::fixed_bit, true);
    p.children.append(std::move(box));
    auto seg = std::make_unique<vux_element_segment>();
    seg->set_flag(vux_element_segment::fixed_bit, true);
    p.children.append(std::move(seg));
    auto img = std::make_unique<vux_element_image>();
    img->set_flag(vux_element_image::fixed_bit, true);
    p.children.append(std::move(img));

    vux_element_paragraph back;
    ASSERT_TRUE(read_from(back, bytes_of(p)));
    EXPECT_EQ(bytes_of(back), bytes_of(p));  // the word as read

    auto copy = p.clone();
    auto& q = static_cast<vux_element_paragraph&>(*copy);
    EXPECT_FALSE(q.flag(vux_element_paragraph::measured_bit));
    EXPECT_EQ(q.children.get_as<vux_element_box>(0)->flags, vux_element_box::default_flags);
    EXPECT_EQ(q.children.get_as<vux_element_segment>(1)->flags, 0);
    EXPECT_EQ(q.children.get_as<vux_element_image>(2)->flags, 0);
}

TEST(ElementBox, KeywordsSetTheirFieldsOnly) {
    struct row {
        const char* name;
        const char* value;
        int32_t vux_element_box::*field;
        int32_t expected;
    };
    const row rows[] = {
        {"wrap", "no", &vux_element_box::flags, 0x80A},
        {"wrap", "maybe", &vux_element_box::flags, 0x80B},  // neither yes nor no
        {"waiter", "yes", &vux_element_box::flags, 0x80B | 1 << 23},
        {"float", "yes", &vux_element_box::flags, 0x80B | 1 << 17},
        {"lbottom", "yes", &vux_element_box::line_flags, 8},
        {"left", "-20", &vux_element_box::left, -20},
        {"heightx", "3", &vux_element_box::height_rows, 3},
        {"ground", "0x11223344", &vux_element_box::ground, 0x11223344},
        {"grounds", "0x11223344", &vux_element_box::ground, -1},  // a keyword of its own
        {"grounds", "null", &vux_element_box::ground_s, -1},
        {"align", "right", &vux_element_box::align, 3},
        {"taline", "middle", &vux_element_box::text_valign, 2},  // outside its list
        {"taline", "bottom", &vux_element_box::text_valign, 3},
        {"tile", "sideways", &vux_element_box::tile, 0},
        {"tile", "vertical_copy", &vux_element_box::tile, 5},
        {"pfit", "whole", &vux_element_box::fit, 4},
        {"triangle", "top", &vux_element_box::triangle, 2},
        {"colora", "0x000000FF", &vux_element_box::colour_a, 0xFF},
        {"tinterval", "7", &vux_element_box::text_interval, 7},
        {"Left", "5", &vux_element_box::left, 0},  // case-sensitive
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + "=" + r.value);
        vux_element_box b;
        b.set_property(r.name, r.value);
        EXPECT_EQ(b.*r.field, r.expected);
    }
    vux_element_box b;
    b.set_property("keym", "k");
    b.set_property("imagea", "i");
    b.set_property("color", "notice");
    EXPECT_EQ(b.key_mark.str(), "k");
    EXPECT_EQ(b.image_a.str(), "i");
    EXPECT_EQ(b.text.colour, 2);
    b.set_property("auto", "4");  // no hyperlink: nothing, and no crash
    b.hyperlink = std::make_unique<vux_hyperlink>();
    b.set_property("auto", "4");
    b.hyperlink->action = std::make_unique<vux_action>();
    b.set_property("auto", "4");
    EXPECT_EQ(b.hyperlink->action->countdown, 4);
}

TEST(ElementText, KeywordsAndEnvironmentSync) {
    vux_element_text t;
    struct row {
        const char* name;
        const char* value;
        int32_t font, bold, colour, second;
    };
    const row rows[] = {
        {"font", "large", 4, 0, 1, -1},
        {"font", "LARGE", 4, 0, 1, -1},  // outside the list: unchanged
        {"bold", "yes", 4, 1, 1, -1},
        {"bold", "1", 4, 1, 1, -1},  // neither yes nor no
        {"color", "wrong", 4, 1, 10, -1},
        {"color", "0xFF00FF00", 4, 1, int32_t(0xFF00FF00), -1},
        {"colors", "null", 4, 1, int32_t(0xFF00FF00), -1},
        {"colors", "0x01020304", 4, 1, int32_t(0xFF00FF00), 0x01020304},
        {"Font", "tiny", 4, 1, int32_t(0xFF00FF00), 0x01020304},  // names are case-sensitive
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + "=" + r.value);
        t.set_property(r.name, r.value);
        EXPECT_EQ(t.font_size, r.font);
        EXPECT_EQ(t.bold, r.bold);
        EXPECT_EQ(t.colour, r.colour);
        EXPECT_EQ(t.second_colour, r.second);
    }

    model_test::variables env;
    t.set_property("text", "loaded");
    t.set_property("key", "v");
    EXPECT_FALSE(t.sync(false, env));  // absent: the loaded text stays
    env.values["v"] = "new";
    EXPECT_TRUE(t.sync(false, env));
    EXPECT_EQ(t.text.to_utf8_string().str(), "new");
    EXPECT_FALSE(t.sync(false, env));
    env.values.erase("v");
    EXPECT_TRUE(t.sync(false, env));
    EXPECT_EQ(t.text.to_utf8_string().str(), "loaded");

    // Masking: at most ten stars.
    env.values["v"] = "abcdefghijklmn";
    EXPECT_TRUE(t.sync(true, env));
    EXPECT_EQ(t.text.to_utf8_string().str(), "**********");

    // A masked text reports a change only when what it shows changed: the
    // stars never equal the value, so comparing with the value would report
    // one on every sync (and lay the box out again on every paint).
    struct masked_row {
        const char* value;
        bool changed;
        const char* shown;
    };
    const masked_row masked_rows[] = {
        {"abcdefghijklmn", false, "**********"},    // the same value again
        {"abcdefghijklmnop", false, "**********"},  // still ten stars
        {"secret", true, "******"},
        {"secret", false, "******"},
        {"sacred", false, "******"},  // another value of the same length shows the same
        {"", true, ""},
        {"", false, ""},
        {"pw", true, "**"},
    };
    for (const masked_row& r : masked_rows) {
        SCOPED_TRACE(r.value);
        env.values["v"] = r.value;
        EXPECT_EQ(t.sync(true, env), r.changed);
        EXPECT_EQ(t.text.to_utf8_string().str(), r.shown);
    }
    // Cut while measuring: the full text counts as what is shown.
    t.save_full_text();
    t.text = vux_unicode(u"*");
    EXPECT_FALSE(t.sync(true, env));

    vux_element_text e;
    for (auto [text, ends] : {std::pair{u"...", false}, {u"a...", true}, {u"a..", false}}) {
        e.text = vux_unicode(text);
        EXPECT_EQ(e.ends_with_ellipsis(), ends);
    }
    e.text = vux_unicode(u"ab");
    e.ensure_marker(true);
    e.ensure_marker(false);
    EXPECT_TRUE(e.is_marker(0));
    EXPECT_EQ(e.text.length(), 3);
}

TEST(ScrollBar, PagesRepeatsAndThumbs) {
    model_test::fake_layout l(240, 300);
    vux_element_scrollbar bar;
    l.pen.y = 1000;
    bar.attach(l);
    // Row 20 here; the table's example row is 30.
    bar.row = 30;
    EXPECT_TRUE(bar.page_down());
    EXPECT_EQ(bar.y_offset, 270);
    bar.y_offset = 690;
    EXPECT_TRUE(bar.page_down());
    EXPECT_EQ(bar.y_offset, 700);
    EXPECT_FALSE(bar.page_down());  // at the end

    // 40 steps of R/2 = 16: the 33rd is 12 pixels, the 40th 1, the 41st fails.
    bar.half_row = 16;
    bar.max_steps = 40;
    bar.y_offset = 0;
    EXPECT_TRUE(bar.repeat_down(true, false));
    for (int n = 1; n < 32; ++n) EXPECT_TRUE(bar.repeat_down(false, false));
    EXPECT_EQ(bar.step_count, 32);
    EXPECT_EQ(bar.y_offset, 32 * 16);
    EXPECT_EQ(bar.repeat_step(false), 16);
    EXPECT_EQ(bar.repeat_step(true), 32);
    EXPECT_TRUE(bar.repeat_down(false, false));
    EXPECT_EQ(bar.y_offset, 32 * 16 + 12);  // the 33rd
    bar.step_count = 39;
    EXPECT_TRUE(bar.repeat_down(false, false));
    EXPECT_EQ(bar.y_offset, 32 * 16 + 13);  // the 40th: one pixel
    bar.step_count = 40;
    EXPECT_FALSE(bar.repeat_down(false, false));

    // A half row of 0 leaves one step instead of dividing by it.
    model_test::fake_layout flat(240, 300);
    struct zero : model_test::fake_layout {
        int32_t line_height() override { return 0; }
        int32_t line_spacing() override { return 0; }
    } z;
    vux_element_scrollbar b2;
    b2.attach(z);
    EXPECT_EQ(b2.max_steps, 1);

    // The thumb keeps twice the track width; no room leaves none.
    vux_rect track(0, 0, 8, 200);
    vux_rect t = vux_element_scrollbar::thumb(track, 10000, 300, 0, true);
    EXPECT_EQ(t.height(), 16);
    EXPECT_EQ(t.top(), 0);
    t = vux_element_scrollbar::thumb(track, 10000, 300, 9700, true);
    EXPECT_EQ(t.bottom(), 200);
    EXPECT_EQ(t.height(), 16);
    EXPECT_TRUE(vux_element_scrollbar::thumb(track, 0, 500, 0, true).is_empty());
}

vux_menu menu_of(int n, int style, std::initializer_list<int> hidden = {}) {
    vux_menu m;
    m.style = style;
    for (int i = 0; i < n; ++i) m.commands.append(std::make_unique<vux_element_command>());
    for (int h : hidden) m.command(h)->hidden = 1;
    return m;
}

TEST(Menu, SelectionMovesAsTheTablesSay) {
    struct row {
        int n, style, row_step, from;
        std::vector<int> hidden;
        bool moved;
        int to;
    };
    const row rows[] = {
        {7, 5, 3, 4, {}, true, 6},       // 7 clamps to the last
        {7, 5, 3, 6, {}, false, 6},      // at the last
        {5, 5, 3, 1, {4}, false, 1},     // lands on the hidden last
        {6, 5, 3, 0, {3}, true, 4},      // hidden, not the last: on to the next visible
        {3, 0, 0, 2, {}, true, 0},       // list wraps
        {3, 0, 0, 0, {1, 2}, false, 0},  // comes back to itself
        {4, 5, 0, 1, {}, false, 1},      // a row step of 0 goes nowhere
    };
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.n << " style " << r.style << " from " << r.from);
        vux_menu m = menu_of(r.n, r.style);
        for (int h : r.hidden) m.command(h)->hidden = 1;
        m.row_step = r.row_step;
        m.selected = r.from;
        EXPECT_EQ(m.select_next(), r.moved);
        EXPECT_EQ(m.selected, r.to);
    }
    vux_menu list = menu_of(3, 0);
    list.selected = 0;
    EXPECT_TRUE(list.select_previous());
    EXPECT_EQ(list.selected, 2);
    EXPECT_FALSE(list.select_right());  // grid only
}

TEST(Menu, EmptyOrEditedMenusNeverReadPastTheList) {
    vux_menu empty;
    EXPECT_EQ(empty.selected, 0);
    empty.validate_selection();
    EXPECT_EQ(empty.selected, -1);
    EXPECT_FALSE(empty.select_next());
    EXPECT_FALSE(empty.select_previous());
    EXPECT_FALSE(empty.pointer_on_selection(vux_point(0, 0)));

    // Read from bytes: the selection is validated against what was read.
    vux_menu back;
    ASSERT_TRUE(read_from(back, bytes_of(vux_menu())));
    EXPECT_EQ(back.selected, -1);
    EXPECT_FALSE(back.select_next());

    vux_menu m = menu_of(3, 0);
    m.selected = 2;
    m.commands.delete_all();
    m.validate_selection();
    EXPECT_EQ(m.selected, -1);
    EXPECT_FALSE(m.select_next());

    model_test::variables env;
    vux_menu r = menu_of(2, 0);
    r.command(0)->guard = std::make_unique<vux_condition_list>();
    vux_condition& c = r.command(0)->guard->add();
    c.op = 2;
    c.name = "x";
    EXPECT_TRUE(r.refresh(env));
    EXPECT_EQ(r.selected, 1);
    r.command(1)->hidden = 1;
    r.command(1)->guard = std::make_unique<vux_condition_list>();
    r.command(1)->guard->add() = c;
    EXPECT_FALSE(r.refresh(env));
    EXPECT_EQ(r.selected, -1);
}

TEST(Menu, RefreshLetsEachCommandDecideAndClearsTheirRectangles) {
    model_test::variables env;
    vux_menu m = menu_of(2, 0, {0});  // hidden from an earlier refresh
    for (int i = 0; i < 2; ++i) m.command(i)->rect = vux_rect(vux_point(1, 2), vux_point(30, 40));
    EXPECT_TRUE(m.refresh(env));
    EXPECT_EQ(m.selected, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(m.command(i)->hidden, 0) << i;
        EXPECT_TRUE(m.command(i)->rect.is_empty()) << i;  // laid out anew at the next paint
    }
}

std::string names(const vux_menu& m) {
    std::string out;
    for (int32_t i = 0; i < m.count(); ++i) out += m.command(i)->name.str();
    return out;
}

TEST(Menu, StepsEditTheCommandsAndKeepTheSelectionValid) {
    auto step = [](int32_t mode, int32_t index, std::initializer_list<const char*> items) {
        vux_action_menu s;
        s.mode = mode;
        s.index = index;
        for (const char* n : items) {
            auto c = std::make_unique<vux_element_command>();
            // "!b": a command "b" nested deeper than a copy can read back.
            const bool deep = n[0] == '!';
            c->name = deep ? n + 1 : n;
            if (deep) model_test::nest_actions(c->action, 40);
            s.commands.append(std::move(c));
        }
        return s;
    };
    struct row {
        int32_t mode, index;
        std::initializer_list<const char*> items;
        const char* expected;
    };
    const row rows[] = {
        {1, 0, {"x", "y"}, "xy"},    {2, 1, {"x", "y"}, "axybc"}, {2, 99, {"x"}, "abcx"},    {2, -5, {"x"}, "xabc"},
        {3, 0, {"x"}, "abcx"},       {4, 0, {"b"}, "ac"},         {5, 0, {"b", "q"}, "abc"}, {9, 0, {"x"}, "abc"},
        {5, 0, {"!b"}, "abc"},  // a clone that fails leaves the command in place
        {3, 0, {"!x", "y"}, "abcy"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << r.mode << " index " << r.index);
        vux_menu m = menu_of(0, 0);
        for (const char* n : {"a", "b", "c"}) {
            auto c = std::make_unique<vux_element_command>();
            c->name = n;
            m.commands.append(std::move(c));
        }
        m.apply_menu_step(step(r.mode, r.index, r.items));
        EXPECT_EQ(names(m), r.expected);
    }
    // Removing every command leaves no selection to read past.
    vux_menu m = menu_of(0, 0);
    auto c = std::make_unique<vux_element_command>();
    c->name = "a";
    m.commands.append(std::move(c));
    m.selected = 0;
    m.apply_menu_step(step(4, 0, {"a"}));
    EXPECT_EQ(m.selected, -1);
    EXPECT_FALSE(m.select_next());
    // has_command: only a kept menu, by badge or guard.
    vux_menu k = menu_of(1, 0);
    k.command(0)->badge = "n";
    EXPECT_TRUE(k.has_command("n"));
    k.keep = 0;
    EXPECT_FALSE(k.has_command("n"));
}

TEST(Menu, PointerPressAndTracking) {
    vux_menu m = menu_of(3, 0, {1});
    for (int i = 0; i < 3; ++i) m.command(i)->rect = vux_rect(0, i * 20, 100, 19);
    EXPECT_FALSE(m.press(vux_point(5, 25)));  // hidden
    EXPECT_TRUE(m.press(vux_point(5, 45)));
    EXPECT_EQ(m.selected, 2);
    EXPECT_TRUE(m.pointer_on_selection(vux_point(5, 45)));
    EXPECT_FALSE(m.select_next());  // pressed
    EXPECT_EQ(m.track_pointer(vux_point(5, 45)), 0);
    EXPECT_EQ(m.track_pointer(vux_point(500, 45)), 1);
    EXPECT_EQ(m.track_pointer(vux_point(500, 45)), 0);
    EXPECT_EQ(m.track_pointer(vux_point(5, 5)), 1);
    EXPECT_EQ(m.selected, 0);
}

TEST(Screens, DescribeAndKeep) {
    struct row {
        int32_t keep, show;
        const char *name, *title, *expected;
        bool kept;
    };
    const row rows[] = {
        {1, 1, "m1", "Go", "m1(ct): Go", true}, {0, 0, "w", "T", "w: T", false}, {2, 0, "d", "", "d", true},
        {0, 1, "x", "", "x(t)", false},         {1, 0, "", "T", "", true},
    };
    for (const row& r : rows) {
        vux_menu m;
        m.keep = r.keep;
        m.show_title = r.show;
        m.name = r.name;
        m.title = r.title;
        EXPECT_EQ(m.describe().str(), r.expected);
        EXPECT_EQ(m.is_kept(), r.kept);
        EXPECT_EQ(m.closable(), r.show != 0);
    }
    vux_window w;
    w.name = "w";
    EXPECT_TRUE(w.matches("w"));
    EXPECT_FALSE(w.matches("W"));
    EXPECT_EQ(w.clone(), nullptr);
}

}  // namespace
