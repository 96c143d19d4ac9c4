#pragma once
#include <cstdint>
#include <string>
#include "markup/model/vux_brush_sheet.h"
#include "markup/model/vux_data_list.h"
#include "markup/model/vux_resource.h"
#include "markup/runtime/vux_environment.h"
#include "markup/runtime/vux_metrics.h"

class vux_device;
class vux_document;
class vux_exchange;
class vux_facility;
class vux_machine;
class vux_receiver;
class vux_window;
class vux_dialog;
class vux_menu;
class vux_element_commandbar;
class vux_element_client;
class vux_overtime;
class vux_subtitle;
class vux_switch;
class vux_element_command;
class vux_element_scrollbar;
class vux_layout;

// Drawing side of the runtime. It keeps what screens draw from: the named
// data items, the resource table, the colour sheet and the shared variables.
// Beyond what the machine prepares for a frame it reads the host's
// capabilities, whether the pointer is busy and the main exchange's progress,
// and tells the document of the variables its layouts changed.
class vux_canvas : public vux_metrics {
public:
    vux_canvas(const vux_facility& facility, vux_document& document, const vux_machine& machine,
               const vux_receiver& main, const vux_exchange& exchange);
    vux_canvas(const vux_canvas&) = delete;
    vux_canvas& operator=(const vux_canvas&) = delete;

    vux_data_list& images() { return images_; }
    const vux_data_list& images() const { return images_; }
    vux_resource& resources() { return resources_; }
    vux_brush_sheet& brush_sheet() { return brush_sheet_; }
    vux_environment& variables() { return variables_; }
    const vux_environment& variables() const { return variables_; }

    // A "__key_" text: the variable first, then the resource table.
    vux_string text_of(const vux_string& key) const;
    bool is_touch_screen() const;
    // The host's facility capability (its entry 2).
    bool host_supports(int32_t kind) const;
    // The device's description for the enter request.
    void describe_device(vux_device& device) const;
    // Removes a data item and its data name; tells the host it is gone.
    bool drop_data(const vux_string& name);
    // A variable the screens may show changed; the document repaints them.
    void name_changed(const vux_string& name);
    // Forgets the window picture the host keeps under that name; one drawn
    // from the document's bytes is released on the host as well.
    void release_image(const vux_string& name);
    void reset();

    // ---- painting, bottom to top, then the frame is finished and presented
    void paint_window(vux_window& window, bool full);
    void paint_dialog(vux_dialog& dialog);
    void paint_menu(vux_menu& menu);
    void finish_frame();
    void present() { vux_graphics::repaint(); }
    // A host that shows the window's picture itself (capability 3) gets the
    // named data item's bytes, or hears that there is none.
    void show_window_image(const vux_string& name);

    // A named image to draw: the data item when there is one, else the name
    // the host resolves itself ("_" + name, or the name map's entry). A name
    // that could reach outside the host's folder gets no host name at all.
    struct image_ref {
        const vux_data* item = nullptr;
        vux_string host_name;
        bool mapped = false;  // the name map holds the name
        bool drawable() const { return item || !host_name.empty(); }
    };
    image_ref find_image(const vux_string& name) const;
    // Which bracketed name of "__key_emoticon" the marker of `length` units
    // at `start` of the text is; -1 when none.
    int32_t emoticon_number(const vux_unicode& text, int32_t start, int32_t length);
    // "em007.png" for 7.
    static std::string emoticon_image_name(int32_t number);
    bool clock_changed() const;

    // Environment steps of modes 3 and 4.
    void note_mapped_names(const vux_string_list& pairs);
    void note_file_status(const vux_string_list& pairs);
    // Drops what the canvas holds for a screen that closed.
    void drop_owner(const vux_string& owner);

    // The text row being painted, so that the row-wide underlays of link
    // rows that follow each other join into one band.
    struct vux_canvas_banner {
        int32_t row = 0;       // y of the row
        int32_t previous = 0;  // the mark of the row painted before it
        int32_t mark = 0;      // 0 nothing yet, 1 a link or text, 2 a row-wide underlay
        void clear() { row = previous = mark = 0; }
        // A segment names its row first; the same y changes nothing.
        void name_row(int32_t y) {
            if (y == row) return;
            row = y;
            previous = mark;
            mark = 0;
        }
    } banner;

    // What the machine settles before it asks for a frame; the painters take
    // it from here and ask neither the document nor the machine.
    struct frame_input {
        const vux_overtime* overtime = nullptr;  // the document's, when it runs on the front window
        vux_subtitle* subtitle = nullptr;        // the current one, only while the window is in front
        vux_switch* window_switch = nullptr;     // the switch the top window names
        bool soft_keys_taken = false;            // the overtime owns the top window's soft keys
        int32_t hour = 0, minute = 0;            // the host's clock, for a window that shows it
    } prepared;

    bool pointer_seen = false;
    bool redraw_requested = false;
    vux_string last_window_name;
    int32_t progress_state = 0;
    int32_t menu_anchor_top = 0, menu_anchor_bottom = 0;
    int32_t clock_hour = -1, clock_minute = -1;
    int32_t emoticon_index = -1;  // the number matched last

    // ---- drawing primitives over the graphics table; colours by brush-sheet key
    void place(const vux_rect& r) const;
    void clip(const vux_rect& r) const;
    void fill(const vux_rect& r, int32_t top_key, int32_t bottom_key) const;
    void fill_colour(const vux_rect& r, uint32_t colour) const;
    // A fill in the colour, with rounded corners when the radius is above 0.
    void fill_rounded(const vux_rect& r, uint32_t colour, int32_t radius) const;
    void round_fill(const vux_rect& r, int32_t key, int32_t radius) const;
    void frame(const vux_rect& r, int32_t key) const;
    // False when the texture is missing; the caller then fills.
    bool texture(const vux_string& name, int32_t mode, int32_t flag, const vux_rect& r) const;
    bool image(const vux_string& name, const vux_rect& r) const;
    void text_in(const vux_rect& r, const vux_unicode& text, int32_t align, int32_t key) const;
    void text_at(int32_t x, int32_t y, const char16_t* text, int32_t length, uint32_t colour, bool underline) const;
    // The text whole when it fits the width, else cut and completed with the
    // ellipsis text.
    vux_unicode fit_text(const vux_unicode& text, int32_t width);
    // The "__key_ellipsis" text and its width, read once.
    const vux_unicode& ellipsis_text();
    int32_t ellipsis_width();

    // The dialog client's flag bit that asks for the dialog's side margin
    // instead of the text column.
    static constexpr int32_t side_margin_bit = 10;

private:
    static bool client_skipped(const vux_element_client& client, bool bar_shown);
    static int32_t dialog_number(const vux_dialog& dialog, int32_t i);
    void paint_title_bar(vux_window& window);
    void paint_client(vux_element_client& client, const vux_rect& rect, bool window_client);
    void paint_window_ground(const vux_element_client& client, vux_layout& layout, const vux_rect& rect);
    void paint_subtitle();
    // Paints a command bar into its strip and places its slots; false when
    // the bar shows nothing. While its soft keys are taken it shows no
    // command, as none would run.
    bool paint_command_bar(vux_element_commandbar& bar, bool keys_taken = false);
    // Marks each slot's command shown or hidden by its conditions and clears
    // its rectangle; the number shown.
    int32_t mark_commands(vux_element_commandbar& bar) const;
    void paint_switch(vux_window& window);
    int32_t switch_height(const vux_switch* sw) const;
    void paint_badge(const vux_element_command& item);
    void paint_corner_menu_item(const vux_menu& menu, int32_t i, bool lit, int32_t text_key);
    void paint_scroll_bars(vux_element_scrollbar& bar, const vux_rect& area);
    void paint_touch_soft_keys(vux_element_commandbar& bar, bool keys_taken);
    void paint_clock();

    const vux_facility& facility_;
    vux_document& document_;
    const vux_machine& machine_;
    const vux_receiver& main_;
    const vux_exchange& exchange_;
    // The window picture the host holds in its save buffer, where, and for
    // which window.
    struct {
        bool held = false;
        vux_string name;
        const vux_data* item = nullptr;  // a replaced item is another picture
        vux_rect rect;
        vux_string owner;  // the window it was drawn for
    } ground_;
    bool emoticons_read_ = false;
    vux_unicode emoticon_keys_;
    bool ellipsis_read_ = false;
    vux_unicode ellipsis_text_;
    int32_t ellipsis_width_ = 0;
    vux_data_list images_;
    vux_resource resources_;
    vux_brush_sheet brush_sheet_;
    vux_environment variables_;
};
