// fuzz-libs: vux_markup_fuzz
// Keys, pointer events, drag steps and ticks from the fuzz bytes, fed to an
// engine running a small document of a window, a menu and a dialog; the
// window's client holds what the clocks, the press countdown, long presses,
// header lock and the frame passes work on. When the
// first byte is odd, the next two bytes give the length of further document
// records (fuzz bytes too) that are added before the events.
// Each event is four bytes: kind, then three arguments.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include "core/vux_writer.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine.h"

namespace {

int supports(void*, int kind) { return kind == 0 || kind == 1 || (kind >= 4 && kind <= 12); }
int screen_width(void*) { return 240; }
int screen_height(void*) { return 320; }
int text_height(void*) { return 12; }
int char_width(void*, uint16_t) { return 6; }
int play(void*, const char*, const uint8_t*, int) { return 1; }

std::unique_ptr<vux_action_show> show(int32_t kind, int32_t operation, const char* name, int32_t stop = 0) {
    auto s = std::make_unique<vux_action_show>();
    s->kind = kind;
    s->operation = operation;
    s->target = vux_string(name);
    s->stop = stop;
    return s;
}

std::unique_ptr<vux_element_command> command(const char* name, std::unique_ptr<vux_prediction> step) {
    auto c = std::make_unique<vux_element_command>();
    c->name = vux_string(name);
    c->label = vux_string(name).to_unicode();
    c->action.add_step(std::move(step));
    return c;
}

std::unique_ptr<vux_prediction> set(const char* name) {
    auto s = std::make_unique<vux_action_environment>();
    s->names.append_cstr(name);
    s->names.append_cstr("1");
    return s;
}

// A box 30 high whose link sets "tapped".
std::unique_ptr<vux_element_box> box(const char16_t* text) {
    auto b = std::make_unique<vux_element_box>();
    b->height = 30;
    b->text.text = vux_unicode(text);
    b->hyperlink = std::make_unique<vux_hyperlink>();
    b->hyperlink->action = std::make_unique<vux_action>();
    b->hyperlink->action->add_step(set("tapped"));
    return b;
}

// A box with a press action (long presses), a page of a paging paragraph,
// an animated waiter box with a blinking link in a paragraph that expires,
// and a password box that also follows "noted" as its checked mark, under
// a header-locked scroll bar.
void fill_client(vux_element_client& client) {
    auto pages = std::make_unique<vux_element_paragraph>();
    pages->set_flag(vux_element_paragraph::paging_bit, true);
    pages->page_count = 3;
    pages->page_width = 100;
    pages->page_switch = 30;
    auto pressed = box(u"press");
    pressed->press = std::make_unique<vux_action>();
    pressed->press->add_step(set("held"));
    pages->children.append(std::move(pressed));
    auto roll = box(u"page");
    roll->set_property(vux_string("roll"), vux_string("yes"));
    pages->children.append(std::move(roll));
    client.paragraphs.append(std::move(pages));

    auto expiring = std::make_unique<vux_element_paragraph>();
    expiring->countdown = 2;
    auto animated = box(u"wait...");
    animated->set_property(vux_string("animation"), vux_string("yes"));
    animated->set_property(vux_string("waiter"), vux_string("yes"));
    animated->image = vux_string("pic");
    animated->hyperlink->flags |= 1 << 3;  // blinks
    expiring->children.append(std::move(animated));
    client.paragraphs.append(std::move(expiring));

    auto secret = std::make_unique<vux_element_paragraph>();
    auto password = box(u"");
    password->set_property(vux_string("password"), vux_string("yes"));
    password->text.key = vux_string("noted");
    password->key_mark = vux_string("noted");
    secret->children.append(std::move(password));
    client.paragraphs.append(std::move(secret));
    client.scroll_bar->header_lock = 1;
}

template <class R>
void add(vux_writer& w, const R& r) {
    w.write_int32(r.type_code());
    r.write(w);
}

std::string screens_document() {
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_header_default();
    vux_window win;
    win.name = vux_string("w");
    win.keep = 2;
    win.commandbar.left = command("menu", show(3, 2, "m"));
    win.commandbar.right = command("dialog", show(2, 2, "d"));
    win.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    fill_client(win.client);
    add(w, win);
    vux_menu menu;
    menu.name = vux_string("m");
    menu.title = vux_string("w");  // closes with the window
    menu.keep = 2;
    menu.commands.append(command("close window", show(1, 4, "w", 1)));
    menu.commands.append(command("close menu", show(3, 4, "m")));
    menu.commands.append(command("note", set("noted")));
    add(w, menu);
    vux_dialog dialog;
    dialog.name = vux_string("d");
    dialog.commandbar.left = command("close", show(2, 3, "d"));
    add(w, dialog);
    vux_action start;
    start.add_step(show(1, 2, "w"));
    add(w, start);
    w.write_trailer();
    return std::string(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1u << 16)) return 0;
    static const std::string doc = screens_document();
    vux_graphics_table g{};
    g.screen_width = screen_width;
    g.screen_height = screen_height;
    g.text_height = text_height;
    g.char_width = char_width;
    vux_facility_table f{};
    f.supports = supports;
    f.play_music = play;
    vux_engine* e = vux_engine_create();
    vux_engine_set_graphics(e, &g);
    vux_engine_set_facility(e, &f);
    vux_engine_load_private(e, nullptr, 0);
    vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    size_t at = 1;
    if ((data[0] & 1) != 0 && size >= 3) {
        const size_t length = std::min<size_t>(size_t(data[1]) << 8 | data[2], size - 3);
        vux_engine_on_clipboard(e, data + 3, int(length));
        at = 3 + length;
    }
    int tick = 1;
    for (; at + 4 <= size; at += 4) {
        const uint8_t kind = data[at], a = data[at + 1], b = data[at + 2], c = data[at + 3];
        switch (kind % 6) {
        case 0: vux_engine_key(e, a % 16); break;
        case 1:
        case 2:
        case 3: vux_engine_pointer(e, kind % 6 - 1, a, b | c << 8); break;
        case 4:
            for (int n = 0; n < a % 16; ++n) vux_engine_tick(e, tick++);
            break;
        default: vux_engine_drag_step(e, a & 1, b & 1, c & 1); break;
        }
    }
    vux_engine_destroy(e);
    return 0;
}
