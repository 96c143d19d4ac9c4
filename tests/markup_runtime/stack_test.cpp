#include <gtest/gtest.h>
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_stack_dialog.h"
#include "markup/runtime/vux_stack_menu.h"
#include "markup/runtime/vux_stack_window.h"

namespace {

template <class Screen>
void named(Screen& s, const char* name, int32_t keep = 2) {
    s.name = vux_string(name);
    s.keep = keep;
}

std::string names(const vux_stack& stack) {
    std::string out;
    for (vux_screen* s : stack.screens) out += (out.empty() ? "" : " ") + s->name.str();
    return out;
}

}  // namespace

TEST(Stack, PushPopAndRemovalStates) {
    vux_window a, b, c;
    named(a, "a", 1);
    named(b, "b", 2);
    named(c, "c", 2);
    vux_stack_window stack;
    stack.pop();  // empty: nothing
    EXPECT_EQ(stack.changed, 0);
    for (vux_window* w : {&a, &b, &c}) stack.push(w);
    EXPECT_EQ(names(stack), "a b c");
    EXPECT_EQ(stack.top(), &c);
    stack.changed = 0;
    EXPECT_TRUE(stack.bring_to_top(&a));
    EXPECT_EQ(names(stack), "b c a");
    EXPECT_EQ(stack.changed, 1);
    EXPECT_EQ(b.keep, 2);  // moving is no removal
    EXPECT_TRUE(stack.remove(&b));
    EXPECT_FALSE(stack.remove(&b));
    EXPECT_EQ(b.keep, 3);
    stack.pop_all();
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(a.keep, 1);  // a kept window stays available
    EXPECT_EQ(c.keep, 3);  // every once-shown one is closing
}

TEST(Stack, PushResetsOvertimeOnlyWhenItRepeats) {
    vux_window w;
    named(w, "w");
    w.overtime = std::make_unique<vux_overtime>();
    w.overtime->counter = 5;
    w.overtime->repeat = 0;
    vux_stack_window stack;
    stack.push(&w);
    EXPECT_EQ(w.overtime->counter, 5);
    w.overtime->repeat = 1;
    stack.reset_overtimes();
    EXPECT_EQ(w.overtime->counter, 0);
}

TEST(Stack, DialogWithoutOnTopFlagGoesUnderTheOthers) {
    vux_dialog a, b, low;
    named(a, "a");
    named(b, "b");
    named(low, "low");
    a.value_5 = b.value_5 = 1;
    vux_stack_dialog stack;
    stack.push(&a);
    stack.push(&b);
    stack.changed = 0;
    stack.push(&low);
    EXPECT_EQ(names(stack), "low a b");
    EXPECT_EQ(stack.top(), &b);
    EXPECT_EQ(stack.changed, 1);
}

TEST(Stack, TopIsNamedAndPopUntilNamed) {
    vux_window a, b, c;
    named(a, "a");
    named(b, "b");
    named(c, "c");
    vux_stack_window stack;
    EXPECT_FALSE(stack.top_is_named(vux_string("a")));
    EXPECT_FALSE(stack.pop_until_named(vux_string("a")));
    for (vux_window* w : {&a, &b, &c}) stack.push(w);
    stack.changed = 0;
    EXPECT_FALSE(stack.top_is_named(vux_string("b")));
    EXPECT_EQ(stack.changed, 0);
    EXPECT_TRUE(stack.top_is_named(vux_string("c")));
    EXPECT_EQ(stack.changed, 1);
    EXPECT_TRUE(stack.pop_until_named(vux_string("b")));
    EXPECT_EQ(names(stack), "a b");
    EXPECT_FALSE(stack.pop_until_named(vux_string("b")));
    EXPECT_TRUE(stack.pop_until_named(vux_string("nobody")));  // empties the stack
    EXPECT_EQ(stack.count(), 0);
}

TEST(Stack, MenuRemovalAndSelectedCommand) {
    vux_menu kept, once;
    named(kept, "kept", 1);
    named(once, "once", 2);
    for (vux_menu* m : {&kept, &once}) {
        auto c = std::make_unique<vux_element_command>();
        c->name = vux_string("item");
        m->commands.append(std::move(c));
        m->selected = 0;
    }
    vux_stack_menu stack;
    EXPECT_EQ(stack.selected_command(), nullptr);
    stack.push(&kept);
    stack.push(&once);
    EXPECT_EQ(stack.selected_command(), once.command(0));
    once.selected = -1;
    EXPECT_EQ(stack.selected_command(), nullptr);
    once.selected = 7;  // beyond the list
    EXPECT_EQ(stack.selected_command(), nullptr);
    stack.pop();
    EXPECT_EQ(once.keep, 3);
    kept.selected = -1;
    stack.pop();
    EXPECT_EQ(kept.keep, 1);
    EXPECT_EQ(kept.selected, 0);  // opens again on its first item
}
