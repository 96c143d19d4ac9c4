#pragma once
#include <string>
#include <vector>
#include "engine_fixture.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine_handle.h"

// Small screens and steps for scripted input.

inline std::unique_ptr<vux_action_show> show_step(int32_t kind, int32_t operation, const char* target) {
    auto s = std::make_unique<vux_action_show>();
    s->kind = kind;
    s->operation = operation;
    s->target = vux_string(target);
    return s;
}

// An environment step that assigns name = value.
inline std::unique_ptr<vux_action_environment> set_step(const char* name, const char* value) {
    auto s = std::make_unique<vux_action_environment>();
    s->names.append_cstr(name);
    s->names.append_cstr(value);
    return s;
}

inline std::unique_ptr<vux_element_command> command_of(const char* label, vux_action action,
                                                       vux_rect rect = vux_rect()) {
    auto c = std::make_unique<vux_element_command>();
    c->name = vux_string(label);
    c->label = vux_unicode(std::u16string(label, label + std::char_traits<char>::length(label)));
    c->action = std::move(action);
    c->rect = rect;
    return c;
}

template <class... Steps>
vux_action action_of(Steps... steps) {
    vux_action a;
    (a.add_step(std::move(steps)), ...);
    return a;
}

// Screens are not copied or moved: each is made on the heap.
template <class Screen>
std::unique_ptr<Screen> screen_named(const char* name, int32_t keep = 1, const char* owner = "") {
    auto s = std::make_unique<Screen>();
    s->name = vux_string(name);
    s->title = vux_string(owner);
    s->keep = keep;
    return s;
}

// An engine on the fake host whose manager the test can look into.
struct screens_fixture : engine_fixture {
    vux_manager& m() { return *static_cast<vux_manager*>(e); }
    vux_document& doc() { return m().document(); }
    vux_machine& machine() { return m().machine(); }
    vux_screen_registry& screens() { return m().screens(); }

    // Names on a stack, bottom first: "a b c".
    static std::string names(const vux_stack& stack) {
        std::string out;
        for (vux_screen* s : stack.screens) out += (out.empty() ? "" : " ") + s->name.str();
        return out;
    }
    std::string window_names() { return names(screens().windows); }
    std::string dialog_names() { return names(screens().dialogs); }
    std::string menu_names() { return names(screens().menus); }

    // Runs a document-side action through the document, then settles, as a
    // trigger does.
    int32_t run(vux_action action) {
        const int32_t result = m().runner().run(action);
        machine().settle(false);
        return result;
    }
    // Removes a variable, as an action header with no value does.
    void unset(const char* name) {
        vux_action a;
        a.variable = vux_string(name);
        run(std::move(a));
    }
    // One step's own result: a stop flag makes it the run's.
    template <class Step>
    int32_t result_of(std::unique_ptr<Step> step) {
        step->stop = 1;
        return run(action_of(std::move(step)));
    }

    void key(int code) { vux_engine_key(e, code); }
    void press(int x, int y) { vux_engine_pointer(e, 0, x, y); }
    void release(int x, int y) { vux_engine_pointer(e, 1, x, y); }
    void move(int x, int y) { vux_engine_pointer(e, 2, x, y); }
};
