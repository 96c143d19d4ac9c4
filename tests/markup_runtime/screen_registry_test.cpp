#include <gtest/gtest.h>
#include <string>
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_screen_registry.h"
#include "screens_fixture.h"

// The registry on its own three stacks, without an engine: the hook hears of
// each closing screen once it left its stack, owner before owned.
struct ScreenRegistry : ::testing::Test {
    std::string heard;
    vux_screen_registry screens{[this](const vux_screen& s, int32_t kind) {
        const bool still_stacked = screens.stack_of(kind)->contains(&s);
        heard += s.name.str() + ":" + std::to_string(kind) + (still_stacked ? "!" : "") + " ";
    }};

    template <class Screen>
    Screen* add(vux_object_list& list, const char* name, const char* owner) {
        list.append(screen_named<Screen>(name, 1, owner));
        return static_cast<Screen*>(list.get(list.count() - 1));
    }
};

TEST_F(ScreenRegistry, ClosingTellsTheHookOwnerFirstAfterTheScreenLeftItsStack) {
    vux_window* a = add<vux_window>(screens.window_records, "a", "");
    vux_dialog* b = add<vux_dialog>(screens.dialog_records, "b", "a");
    add<vux_menu>(screens.menu_records, "c", "b");
    vux_window* x = add<vux_window>(screens.window_records, "x", "");
    screens.windows.push(x);
    screens.windows.push(a);
    screens.dialogs.push(b);
    a->keep = 3;
    screens.sweep_closing();
    EXPECT_EQ(heard, "a:1 b:2 c:3 ");
    EXPECT_EQ(screens.window_records.count() + screens.dialog_records.count() + screens.menu_records.count(), 1);
    EXPECT_EQ(screens.windows.count(), 1);
    EXPECT_EQ(screens.windows.top(), x);
    EXPECT_EQ(screens.dialogs.count(), 0);
    // Show operation 4 closes at once through the same sweep.
    heard.clear();
    vux_action_show close;
    close.kind = 1;
    close.operation = 4;
    EXPECT_EQ(screens.show_screen(close, vux_string("x")), 0);
    EXPECT_EQ(heard, "x:1 ");
    EXPECT_EQ(screens.window_records.count(), 0);
}
