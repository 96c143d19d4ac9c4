#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_action_font.h"
#include "markup/model/vux_action_music.h"
#include "markup/model/vux_action_odds.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_action_title.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_odds.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_subtitle.h"
#include "screens_fixture.h"

namespace {

// Windows a, b, c (kept), "once" (shown once), "off" (not usable).
std::string three_windows() {
    return doc_builder()
        .add(*screen_named<vux_window>("a"))
        .add(*screen_named<vux_window>("b"))
        .add(*screen_named<vux_window>("c"))
        .add(*screen_named<vux_window>("once", 2))
        .add(*screen_named<vux_window>("off", 0))
        .done();
}

std::unique_ptr<vux_action_font> font_step(const char* window, int32_t size) {
    auto s = std::make_unique<vux_action_font>();
    s->window = vux_string(window);
    s->font = size;
    return s;
}

}  // namespace

using Steps = screens_fixture;

TEST_F(Steps, ShowOperationsOnWindows) {
    struct row {
        const char* before;  // windows opened with operation 2, in order
        int32_t operation;
        const char* target;
        const char* after;
        int32_t result;
    };
    const row rows[] = {
        {"a b", 1, "c", "c", 0},     {"a", 2, "a", "a", 0},       {"a b", 2, "c", "a b c", 0},
        {"a b c", 3, "b", "a c", 0}, {"a b c", 7, "a", "a", 0},   {"a", 2, "missing", "a", -1},
        {"a", 2, "off", "a", -1},    {"a b c", 6, "b", "a c", 0},  // closing: gone with the settle that ends the event
        {"a", 9, "a", "a", 0},  // to the bottom: nothing to move without a scroll bar
        {"a", 99, "a", "a", -1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.before) + " op " + std::to_string(r.operation) + " " + r.target);
        TearDown();
        SetUp();
        start(three_windows());
        std::string names = r.before;
        for (size_t at = 0; at < names.size();) {
            size_t end = names.find(' ', at);
            if (end == std::string::npos) end = names.size();
            run(action_of(show_step(1, 2, names.substr(at, end - at).c_str())));
            at = end + 1;
        }
        EXPECT_EQ(result_of(show_step(1, r.operation, r.target)), r.result);
        EXPECT_EQ(window_names(), r.after);
    }
}

// Operation 4 closes the screen at once; operation 6 only marks it, and the
// rest of the action still sees it until the sweep.
TEST_F(Steps, OperationSixClosesAtTheNextSweep) {
    const struct {
        int32_t operation;
        const char* seen;  // the screen's variable, read by the step after
    } rows[] = {{4, "(none)"}, {6, "ok"}};
    for (const auto& r : rows) {
        TearDown();
        SetUp();
        start(three_windows());
        run(action_of(show_step(1, 2, "a"), show_step(1, 2, "b")));
        run(action_of(show_step(1, r.operation, "b"), set_step("seen", "# b")));
        EXPECT_EQ(variable("seen"), r.seen) << r.operation;
        EXPECT_EQ(window_names(), "a") << r.operation;
        EXPECT_EQ(variable("b"), "(none)") << r.operation;
    }
}

TEST_F(Steps, ClosingRemovesTheScreenItsVariableAndWhatItOwns) {
    vux_function owned = function_of("owned", {3});
    owned.title = vux_string("a");
    start(doc_builder().add(*screen_named<vux_window>("a")).add(*screen_named<vux_window>("b")).add(owned).done());
    run(action_of(show_step(1, 2, "a"), show_step(1, 2, "b")));
    EXPECT_EQ(variable("a"), "ok");
    EXPECT_EQ(variable("owned"), "ok");
    EXPECT_EQ(run(action_of(show_step(1, 4, "a"))), 0);
    EXPECT_EQ(window_names(), "b");
    EXPECT_EQ(m().screens().window_records.count(), 1);
    EXPECT_EQ(variable("a"), "(none)");
    EXPECT_EQ(variable("owned"), "(none)");
    EXPECT_EQ(doc().functions.find("owned"), -1);
    // The closed window is gone: acting on it again finds nothing.
    EXPECT_EQ(result_of(show_step(1, 2, "a")), -1);
}

// Owners may form a cycle, or a chain longer than any descent should go:
// each screen is closed once and the sweep ends.
TEST_F(Steps, OwnerCyclesAndLongChainsCloseOnce) {
    doc_builder cycle;
    cycle.add(*screen_named<vux_window>("x", 1, "y")).add(*screen_named<vux_dialog>("y", 1, "x"));
    start(cycle.done());
    EXPECT_EQ(run(action_of(show_step(1, 4, "x"))), 0);
    EXPECT_EQ(m().screens().window_records.count() + m().screens().dialog_records.count(), 0);

    TearDown();
    SetUp();
    doc_builder chain;
    const int n = 3 * vux_screen_registry::max_close_depth;
    for (int i = 0; i < n; ++i) {
        const std::string name = "w" + std::to_string(i), owner = i ? "w" + std::to_string(i - 1) : "";
        chain.add(*screen_named<vux_window>(name.c_str(), 1, owner.c_str()));
    }
    chain.add(*screen_named<vux_window>("other"));
    start(chain.done());
    run(action_of(show_step(1, 2, "other"), show_step(1, 2, ("w" + std::to_string(n - 1)).c_str())));
    EXPECT_EQ(run(action_of(show_step(1, 4, "w0"))), 0);
    EXPECT_EQ(m().screens().window_records.count(), 1);
    EXPECT_EQ(window_names(), "other");
}

TEST_F(Steps, AStepOnAClosingOrMissingScreenDoesNothing) {
    start(three_windows());
    static_cast<vux_window*>(m().screens().find_screen(1, vux_string("a")))->keep = 3;
    auto title = std::make_unique<vux_action_title>();
    title->window = vux_string("a");
    title->text = vux_unicode(u"New");
    title->stop = 1;
    vux_action closing = action_of(std::move(title));
    EXPECT_EQ(m().runner().run(closing), -1);  // no settle yet: the window is still there, closing
    EXPECT_TRUE(static_cast<vux_window*>(m().screens().find_screen(1, vux_string("a")))->titlebar.title.empty());
    EXPECT_EQ(run(action_of(font_step("nobody", 4))), 0);  // no stop flag: the run's result stays 0
    EXPECT_EQ(result_of(font_step("b", 5)), 0);
    EXPECT_EQ(static_cast<vux_window*>(m().screens().find_screen(1, vux_string("b")))->client.font_size, 5);
}

TEST_F(Steps, FailingGuardPassesOverTheStepWithoutItsSkipAndStopEndsTheRun) {
    start(three_windows());
    auto guarded = set_step("guarded", "1");
    guarded->skip = 1;
    guarded->guard = std::make_unique<vux_condition_list>();
    vux_condition& c = guarded->guard->add();
    c.op = 2;  // the variable exists
    c.name = vux_string("absent");
    auto stop = set_step("stopped", "1");
    stop->stop = 1;
    run(action_of(std::move(guarded), set_step("next", "1"), std::move(stop), set_step("after", "1")));
    EXPECT_EQ(variable("guarded"), "(none)");
    EXPECT_EQ(variable("next"), "1");
    EXPECT_EQ(variable("stopped"), "1");
    EXPECT_EQ(variable("after"), "(none)");
}

TEST_F(Steps, ClearByPrefix) {
    start(doc_builder()
              .add(*screen_named<vux_window>("pa_win"))
              .add(*screen_named<vux_window>("keep"))
              .add(function_of("pa_f", {3}))
              .add(function_of("other", {3}))
              .done());
    run(action_of(show_step(1, 2, "keep"), show_step(1, 2, "pa_win"), set_step("pa_v", "1")));
    auto empty_prefix = std::make_unique<vux_action_clear>();
    empty_prefix->what = 0x7FF;
    run(action_of(std::move(empty_prefix)));
    EXPECT_EQ(host.count("facility.screen_reset"), 2);  // start, then bit 10 alone
    EXPECT_EQ(variable("pa_v"), "1");
    EXPECT_EQ(window_names(), "keep pa_win");

    auto clear = std::make_unique<vux_action_clear>();
    clear->target = vux_string("pa_");
    clear->what = 1 << 1 | 1 << 6 | 1 << 9;  // functions, windows, shared variables
    run(action_of(std::move(clear)));
    EXPECT_EQ(window_names(), "keep");
    EXPECT_EQ(variable("pa_f"), "(none)");
    EXPECT_EQ(variable("pa_v"), "(none)");
    EXPECT_EQ(variable("other"), "ok");
}

// A key while blocking music plays stops it and starts its end action; the
// key itself goes no further. Command 16 stops it without the end action.
TEST_F(Steps, BlockingMusicTakesTheNextKey) {
    vux_data tune;
    tune.name = vux_string("tune");
    tune.bytes.assign_bytes("RIFF", 4);
    vux_function play;
    play.name = vux_string("play");
    auto music = std::make_unique<vux_action_music>();
    music->name = vux_string("tune");
    music->type_text = vux_string("wav");
    music->end_action = std::make_unique<vux_action>(action_of(set_step("ended", "1")));
    play.action.add_step(std::move(music));
    auto w = screen_named<vux_window>("w");
    w->commandbar.left = command_of("Go", action_of(set_step("left", "1")));
    start(doc_builder().add(tune).add(*w).add(play).add(function_of("stop", {16})).done());
    run(action_of(show_step(1, 2, "w")));

    vux_engine_call_function(e, "play");
    EXPECT_EQ(variable("__status_music"), "ok");
    key(1);
    EXPECT_EQ(variable("ended"), "1");
    EXPECT_EQ(variable("left"), "(none)");
    EXPECT_EQ(variable("__status_music"), "(none)");
    EXPECT_EQ(host.count("facility.stop_music"), 1);
    key(1);
    EXPECT_EQ(variable("left"), "1");

    vux_engine_call_function(e, "play");
    vux_engine_call_function(e, "stop");
    EXPECT_EQ(host.count("facility.stop_music"), 2);
    EXPECT_EQ(variable("__status_music"), "(none)");
    run(action_of(set_step("ended", "")));
    EXPECT_EQ(variable("ended"), "(none)");
}

// The element, paragraph and property steps act only on a usable window or
// dialog (keep mode 1 or 2).
TEST_F(Steps, ScreenStepsActOnlyOnUsableScreens) {
    const struct {
        int32_t kind;  // 1 window, 2 dialog
        int32_t keep;
        int32_t result;
        int paragraphs;  // in the target's client after the step
    } rows[] = {{1, 1, 0, 1}, {1, 2, 0, 1}, {1, 0, -1, 0}, {2, 1, 0, 1}, {2, 0, -1, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE("kind " + std::to_string(r.kind) + " keep " + std::to_string(r.keep));
        TearDown();
        SetUp();
        if (r.kind == 1)
            start(doc_builder().add(*screen_named<vux_window>("t", r.keep)).done());
        else
            start(doc_builder().add(*screen_named<vux_dialog>("t", r.keep)).done());
        auto step = std::make_unique<vux_action_paragraph>();
        step->screen_kind = r.kind;
        step->screen = vux_string("t");
        step->value_2 = 3;  // append
        step->paragraphs.append(std::make_unique<vux_element_paragraph>());
        EXPECT_EQ(result_of(std::move(step)), r.result);
        vux_screen* t = screens().find_screen(r.kind, vux_string("t"));
        ASSERT_NE(t, nullptr);
        const vux_element_client& client =
            r.kind == 1 ? static_cast<vux_window*>(t)->client : static_cast<vux_dialog*>(t)->client;
        EXPECT_EQ(client.count(), r.paragraphs);
    }
}

// A changed variable marks for redraw only the screens in front that show
// it: a paragraph of the window that mentions it, the window's title bound
// to it, a menu that a soft key of the window's command bar opens and that
// has it, the open menu's own commands. Any other change leaves the open menu's selection (and presses)
// as they were.
TEST_F(Steps, OnlyTheScreensThatShowAVariableAreMarked) {
    enum trigger { environment, pick, odds, location };
    const struct {
        const char* what;
        trigger by;
        const char* name;  // the variable, the option, an odds step's text, or the location kind ("0", "1")
        int32_t selected;  // the open menu's selection after the settle
    } rows[] = {
        {"a name no screen shows", environment, "unseen", 1},
        {"a name the window's paragraph mentions", environment, "on_window", 0},
        {"a name the window's title follows", environment, "in_title", 0},
        {"a name of the menu a soft key opens", environment, "in_soft_menu", 0},
        {"a name of the open menu", environment, "in_menu", 0},
        {"an option no screen shows", pick, "opt_hidden", 1},
        {"an option the paragraph mentions", pick, "opt_shown", 0},
        {"odds texts no screen shows", odds, "unseen", 1},
        {"an odds text the paragraph mentions", odds, "on_window", 0},
        {"a position no screen shows", location, "0", 1},
        {"a cell the paragraph mentions", location, "1", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        auto w = screen_named<vux_window>("w");
        auto p = std::make_unique<vux_element_paragraph>();
        p->guard = std::make_unique<vux_condition_list>();
        for (const char* name : {"on_window", "opt_shown", "__key_cid"}) p->guard->add().name = vux_string(name);
        w->client.paragraphs.append(std::move(p));
        w->commandbar.left = command_of("Soft", action_of(show_step(3, 2, "soft")));
        w->titlebar.key = vux_string("in_title");
        auto soft = screen_named<vux_menu>("soft");
        soft->commands.append(command_of("S", vux_action()));
        soft->command(0)->badge = vux_string("in_soft_menu");
        auto menu = screen_named<vux_menu>("m");
        for (const char* label : {"A", "B", "C"}) menu->commands.append(command_of(label, vux_action()));
        menu->command(2)->badge = vux_string("in_menu");
        doc_builder d;
        d.add(*w).add(*soft).add(*menu);
        for (const char* name : {"opt_hidden", "opt_shown"}) {
            vux_option o;
            o.name = vux_string(name);
            vux_pick& pk = o.picks.add();
            pk.choices.append_cstr("a");
            pk.choices.append_cstr("b");
            d.add(o);
        }
        vux_odds table;
        table.name = vux_string("table");
        table.bits.assign_bytes("\x01", 1);
        d.add(table);
        start(d.done());
        run(action_of(show_step(1, 2, "w"), show_step(3, 2, "m")));
        ASSERT_EQ(menu_names(), "m");
        auto& open = *static_cast<vux_menu*>(screens().menus.top());
        open.selected = 1;
        if (r.by == location) {
            vux_engine_on_location(e, r.name[0] - '0', "here");
        } else if (r.by == pick) {
            auto step = std::make_unique<vux_action_pick>();
            step->option = vux_string(r.name);
            run(action_of(std::move(step)));
            ASSERT_EQ(variable(r.name), "b");
        } else if (r.by == odds) {
            auto step = std::make_unique<vux_action_odds>();
            step->odds_name = vux_string("table");
            step->index_variable = vux_string(r.name);  // the step's other texts are empty
            run(action_of(std::move(step)));
        } else {
            run(action_of(set_step(r.name, "1")));
        }
        EXPECT_EQ(open.selected, r.selected);
    }
}

// A key ends the subtitle on screen; pressed between two subtitles it
// leaves the next one queued, unshown.
TEST_F(Steps, AKeyEndsOnlyTheSubtitleOnScreen) {
    const struct {
        const char* what;
        bool first_done;  // the first subtitle has scrolled out before the key
        int queued;       // subtitles still to show after the key
    } rows[] = {{"the first on screen", false, 1}, {"between the two", true, 1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TearDown();
        SetUp();
        doc_builder d;
        d.add(*screen_named<vux_window>("w"));
        for (const char16_t* text : {u"one", u"two"}) {
            vux_subtitle t;
            t.text = vux_unicode(text);
            d.add(t);
        }
        start(d.done());
        run(action_of(show_step(1, 2, "w")));
        vux_subtitle_list& list = doc().subtitles;
        list.start();
        vux_subtitle* first = list.current();
        ASSERT_NE(first, nullptr);
        for (int i = 0; i < 3; ++i) first->widths.append(10);
        if (r.first_done) list.advance(1000, 30);  // scrolled out: dropped
        key(0);
        EXPECT_FALSE(list.active());
        EXPECT_EQ(list.queued(), r.queued);
    }
}
