#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"
#include "core/vux_string.h"
#include "markup/model/vux_screen.h"

class vux_overtime;

// One of the machine's three stacks of open screens, bottom first. It holds
// references only: the document owns the screen records, so clearing or
// destroying a stack never touches them.
class vux_stack : public vux_object {
public:
    // The screen's own overtime (window, dialog or menu), else null.
    static vux_overtime* overtime_of(vux_screen& screen);

    virtual void push(vux_screen* screen);
    virtual void on_removed(vux_screen* screen) = 0;

    vux_screen* top() const { return screens.empty() ? nullptr : screens.back(); }
    int32_t count() const { return int32_t(screens.size()); }
    vux_screen* at(int32_t i) const { return (i < 0 || i >= count()) ? nullptr : screens[size_t(i)]; }
    int32_t index_of(const vux_screen* screen) const;
    bool contains(const vux_screen* screen) const { return index_of(screen) >= 0; }

    void pop();
    void pop_n(int32_t n);
    void pop_all();
    bool remove(vux_screen* screen);
    bool bring_to_top(vux_screen* screen);
    void clear() { screens.clear(); }
    void reset_overtimes();
    bool top_is_named(const vux_string& name);

    uint8_t changed = 0;
    std::vector<vux_screen*> screens;  // not owned

protected:
    // Lifecycle step shared by the three kinds: a screen shown once (2)
    // becomes closing (3) when it leaves its stack.
    static void close_once_shown(vux_screen* screen);
};
