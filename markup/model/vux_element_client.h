#pragma once
#include <memory>
#include <vector>
#include "core/vux_point.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_layout.h"
#include "markup/model/vux_layout_rect.h"
#include "markup/model/vux_model_record.h"

class vux_action_element;
class vux_action_paragraph;
class vux_action_property;
class vux_variables;

// The client area of a window or dialog: its paragraphs, the actions of
// pulling past either end, and the scroll bar. Copied only by its owner.
class vux_element_client : public vux_model_record<vux_element_client, vux_type_element_client> {
public:
    const char* class_name() const override { return "vux_element_client"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    static constexpr int32_t bottom_bit = 1;  // scroll to the bottom after layout

    vux_element_client();
    ~vux_element_client() override;

    vux_element_paragraph* paragraph(int32_t i) const { return paragraphs.get_as<vux_element_paragraph>(i); }
    int32_t count() const { return paragraphs.get_count(); }

    // --- paragraph list ---
    vux_element_paragraph* find_paragraph(const vux_string& name) const;
    bool has_paragraph_named(const vux_string& name) const { return find_paragraph(name) != nullptr; }
    void remove_paragraphs_named(const vux_string& name);
    void append_clones(const vux_object_list& list);
    void replace_all(const vux_object_list& list);
    void insert_clones(int32_t index, const vux_object_list& list);
    void replace_like(const vux_object_list& list);
    void remove_like(const vux_object_list& list);
    void move_to(int32_t index, const vux_string& name);
    // Takes the paragraphs with flag bit 1 out, in order.
    std::vector<std::unique_ptr<vux_object>> take_fixed();
    void trim(int32_t maximum);

    // --- steps ---
    void apply_paragraph_step(const vux_action_paragraph& step);
    void apply_element_step(const vux_action_element& step);
    void apply_property_step(const vux_action_property& step, const vux_variables& environment);
    bool set_paragraph_text(const vux_string& paragraph, const vux_string& segment, const vux_unicode& text);
    bool paragraph_page_step(const vux_string& name, int32_t kind, int32_t index);

    // --- layout and painting ---
    // The layout the canvas made for this client (owned); null after a
    // refresh until the canvas gives a new one.
    vux_layout* current_layout() const { return layout_.get(); }
    void set_layout(std::unique_ptr<vux_layout> layout) { layout_ = std::move(layout); }
    void refresh_layout(bool keep);
    // Measures every paragraph into the layout; false without a layout.
    bool layout(const vux_variables& environment);
    void draw(int32_t pass);
    vux_layout_rect visible_rect() const;
    void scroll_to_target();

    // --- scrolling (false or 0 without a scroll bar) ---
    bool repeat_down(bool first, bool fast);
    bool repeat_up(bool first, bool fast);
    bool line_down() { return scroll_bar && scroll_bar->line_down(); }
    bool line_up() { return scroll_bar && scroll_bar->line_up(); }
    bool page_down() { return scroll_bar && scroll_bar->page_down(); }
    bool page_up() { return scroll_bar && scroll_bar->page_up(); }
    bool to_bottom() { return scroll_bar && scroll_bar->to_bottom(); }
    bool to_top() { return scroll_bar && scroll_bar->to_top(); }
    // Arrows: the focus moves; with nowhere to go that way the content steps
    // one line in that direction and the focus tries again, so content
    // without links still scrolls. True when anything moved.
    bool move_down();
    bool move_up();
    bool move_right();
    bool move_left();
    bool move_down_or_right() { return move_down() || move_right(); }
    bool move_up_or_left() { return move_up() || move_left(); }
    bool move_right_or_down() { return move_right() || move_down(); }
    bool move_left_or_up() { return move_left() || move_up(); }
    bool can_scroll_down() const { return scroll_bar && scroll_bar->can_scroll_down(); }
    bool can_scroll_up() const { return scroll_bar && scroll_bar->can_scroll_up(); }
    bool moved_since_drag() const { return scroll_bar && scroll_bar->moved_since_drag(); }
    void end_drag() {
        if (scroll_bar) scroll_bar->end_drag();
    }
    void start_drag(int32_t x, int32_t y);
    bool scroll_by_drag(int32_t x, int32_t y);

    // --- focus and pointer (the layout does the item work) ---
    bool has_focus() const { return layout_ && layout_->find_focused_item() >= 0; }
    // The focused item's target: with `own` its own action, else its link's
    // action, failing that the client's default action. Null when nothing
    // in view is focused (and, without `own`, no default action).
    const vux_action* focused_sub_item(bool own) const;
    // The focused item's press countdown; with `force` it ends at once.
    // True when a pressed countdown ran out (or was ended).
    bool focused_item_activate(bool force);
    void drop_focus() {
        pressed = false;
        if (layout_) layout_->clear_focus();
    }
    // The focused item's link holds its state (state bit 2): the content
    // does not follow the pointer.
    bool focus_locked() const;
    // Presses the item under the point, which takes the focus; false (and
    // press_missed) on a miss. With only_test the focus and the press stay.
    bool press(const vux_point& p, bool only_test);
    // Presses the focused item again while the client is not pressed: false
    // without a focused item that has a link, or when the point is on it but
    // has wandered past the drag tolerance. Otherwise the client counts as
    // pressed, a drag starts at the point, and the result is whether the item
    // took the press.
    bool press_focused(const vux_point& p);
    // The pressed item's link action (for the back key), null when none.
    const vux_action* pressed_target() const { return layout_ ? layout_->find_pressed_target() : nullptr; }
    // Lets go of every pressed item.
    void release_pressed() {
        pressed = false;
        if (layout_) layout_->release_all_pressed();
    }

    vux_action* press_action_at(const vux_point& p) const;
    vux_action* triggered_action(const vux_variables& environment);

    // --- environment passes ---
    bool refresh(const vux_variables& environment);
    bool sync(const vux_variables& environment);
    void update_images(const vux_variables& environment);
    void update_checked(const vux_variables& environment);
    bool links_changed(const vux_variables& environment);
    bool tick(int32_t ms, int32_t period);
    bool pending_tick();
    void clear();

    int32_t flags = 8;
    int32_t font_size = 3;
    int32_t last_row_colour = 2;
    int32_t value_4 = 1;
    int32_t row_style = 0;
    int32_t maximum_paragraphs = 32;
    vux_string string_1;
    vux_string string_2;
    vux_object_list paragraphs;
    std::unique_ptr<vux_action> default_action;
    std::unique_ptr<vux_action> pull_top;
    std::unique_ptr<vux_action> pull_bottom;
    std::unique_ptr<vux_element_scrollbar> scroll_bar;
    vux_string_list pending_names;
    vux_string_list list_2;

    // run-time
    int32_t filler_colour = 2;
    bool press_missed = false;
    bool pressed = false;  // the focused item was pressed through press_focused
    vux_layout_rect client_rect;
    vux_layout_rect view_rect;
    vux_layout_rect third_rect;
    vux_string target_paragraph;  // scroll target
    vux_string target_element;
    int32_t pending_calls = 0;
    std::vector<vux_record*> active_links;  // not owned

private:
    void apply_font(vux_layout& l) const;
    // After any edit of the list: nothing may point into a deleted paragraph.
    void forget_paragraph_pointers();
    void clear_pull_flags(int32_t bits);
    void note_scroll_shift();
    std::unique_ptr<vux_layout> layout_;
};
