#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_network.h"
#include "markup/runtime/vux_reserved_names.h"
#include "markup/runtime/vux_screen_registry.h"

// Ties each soft key whose default opens a menu to that menu's enabled
// items: none hides the slot, one shows that item itself, more show the
// default. Any other slot shows its default.
void vux_document::resolve_soft_keys(vux_element_commandbar& bar) {
    const vux_environment& env = variables();
    for (int32_t i = 0; i < 2; ++i) {
        vux_string target;
        const vux_menu* menu = nullptr;
        if (bar.default_show_target(i, target)) {
            const vux_object_list& menus = screens_.menu_records;
            menu = static_cast<const vux_menu*>(menus.get(menus.find(target.str().c_str())));
            if (menu && (!menu->is_kept() || menu->is_empty() || (menu->style >= 6 && menu->style <= 8)))
                menu = nullptr;
        }
        if (!menu) {
            bar.promote_default(i);
            continue;
        }
        const int32_t n = menu->count_enabled(env);
        const vux_element_command* only = n == 1 ? menu->find_enabled_command(env) : nullptr;
        if (n == 0)
            bar.hide(i);
        else if (only)
            bar.show_command(i, *only);
        else
            bar.show_default(i);
    }
    vux_string title;
    if (!screens_.default_menu())
        bar.drop_close_command();
    else if (bar.left_slot_empty() && env.get(vux_string(vux_names::key_menu_title), title))
        bar.show_close_command(title);
}

bool vux_document::bar_shows(vux_element_commandbar& bar, const vux_string& name) {
    if (bar.mentions(name)) return true;
    const vux_object_list& menus = screens_.menu_records;
    for (int32_t i = 0; i < 2; ++i) {
        vux_string target;
        if (!bar.default_show_target(i, target)) continue;
        const auto* menu = static_cast<const vux_menu*>(menus.get(menus.find(target.str().c_str())));
        if (menu && menu->has_command(name)) return true;
    }
    return false;
}

void vux_document::name_changed(const vux_string& name) {
    if (name.empty()) return;
    auto shows = [&](vux_element_client& client, vux_element_commandbar& bar) {
        for (int32_t i = 0; i < client.count(); ++i)
            if (const vux_element_paragraph* p = client.paragraph(i); p && p->mentions(name)) return true;
        return bar_shows(bar, name);
    };
    // A window's title bound to the variable shows it too.
    if (auto* w = dynamic_cast<vux_window*>(screens_.windows.top());
        w && (vux_string_equal(w->titlebar.key, name) || shows(w->client, w->commandbar)))
        screens_.windows.changed = 1;
    if (auto* d = dynamic_cast<vux_dialog*>(screens_.dialogs.top()); d && shows(d->client, d->commandbar))
        screens_.dialogs.changed = 1;
    if (auto* m = dynamic_cast<vux_menu*>(screens_.menus.top());
        m && (m->has_command(name) || bar_shows(m->commandbar, name)))
        screens_.menus.changed = 1;
}
