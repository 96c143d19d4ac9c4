#include "markup/model/vux_action_command.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_menu.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_manager.h"

namespace {

std::unique_ptr<vux_element_command>& default_of(vux_element_commandbar& bar, int32_t i) {
    return i == 0 ? bar.left : bar.right;
}

std::unique_ptr<vux_element_command> copy_of(const vux_element_command& c) {
    return std::unique_ptr<vux_element_command>(static_cast<vux_element_command*>(c.clone().release()));
}

// The slot shows a copy of the command unless it already shows one of that label.
void show_command(vux_element_commandbar& bar, int32_t i, const vux_element_command& c) {
    if (bar.shown[i] && bar.shown[i]->label == c.label) return;
    bar.shown[i] = copy_of(c);
}

bool is_close_command(const vux_element_command& c) {
    if (c.action.step_count() != 1) return false;
    const vux_prediction* s = c.action.step_at(0);
    return s->type_code() == vux_type_action_command && static_cast<const vux_action_command*>(s)->command == 24;
}

}  // namespace

// Ties each soft key whose default opens a menu to that menu's enabled
// items: none hides the slot, one shows that item itself, more show the
// default. Any other slot shows its default.
void vux_document::resolve_soft_keys(vux_element_commandbar& bar) {
    const vux_environment& env = variables();
    for (int32_t i = 0; i < 2; ++i) {
        std::unique_ptr<vux_element_command>& def = default_of(bar, i);
        vux_string target;
        const vux_menu* menu = nullptr;
        if (def && !def->guard && def->action.single_show_target(target)) {
            const int32_t k = menus.find(target.str().c_str());
            menu = static_cast<const vux_menu*>(menus.get(k));
            if (menu && (!menu->is_kept() || menu->is_empty() || (menu->style >= 6 && menu->style <= 8)))
                menu = nullptr;
        }
        if (!menu) {
            if (def) bar.shown[i] = std::move(def);  // the default itself becomes the shown command
            continue;
        }
        const int32_t n = menu->count_enabled(env);
        if (n == 0) {
            bar.shown[i].reset();
        } else if (n == 1) {
            if (const vux_element_command* only = menu->find_enabled_command(env)) show_command(bar, i, *only);
        } else {
            show_command(bar, i, *def);
        }
    }
    if (!default_menu()) {
        if (bar.shown[0] && is_close_command(*bar.shown[0])) bar.shown[0].reset();
        return;
    }
    vux_string title;
    if (bar.left_check != 0 && !bar.shown[0] && env.get(vux_string("__key_menu_title"), title)) {
        auto close = std::make_unique<vux_element_command>();
        close->label = title.to_unicode();
        auto step = std::make_unique<vux_action_command>();
        step->command = 24;
        close->action.add_step(std::move(step));
        bar.shown[0] = std::move(close);
    }
}
