#pragma once
#include <memory>
#include <vector>
#include "core/vux_object_list.h"
#include "core/vux_point.h"
#include "core/vux_type_codes.h"
#include "core/vux_unicode.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_model_record.h"

class vux_action;
class vux_action_element;
class vux_action_property;
class vux_element_box;
class vux_hyperlink;
class vux_layout;
class vux_record;
class vux_variables;

// One block of a client's content: segments, boxes and images laid out
// together, with spacing, row decoration, a visibility rule and paging.
class vux_element_paragraph : public vux_model_record<vux_element_paragraph, vux_type_element_paragraph> {
public:
    static constexpr int32_t default_flags = 0x20;  // shown
    enum bit : int32_t {
        fixed_bit = 0,
        pins_bit = 1,
        suppressed_bit = 2,
        measured_bit = 4,
        shown_bit = 5,
        marks_bit = 6,
        expired_bit = 7,
        paging_bit = 10,
        scroll_top_bit = 11,
        scroll_bottom_bit = 12
    };

    const char* class_name() const override { return "vux_element_paragraph"; }
    void fields(vux_field_visitor& v) override;
    // The run-time measured bit is not carried into a copy (nor into its children's).
    std::unique_ptr<vux_object> clone() const override;

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    // Shown and not suppressed: the paragraph takes part in every pass.
    bool active() const { return flag(shown_bit) && !flag(suppressed_bit); }

    // --- children (kind: 1107 segment, 1100 box, any other code image) ---
    int32_t find_image(const vux_string& name) const { return find(vux_type_element_image, name); }
    int32_t find_box(const vux_string& name) const { return find(vux_type_element_box, name); }
    int32_t find_segment(const vux_string& name) const { return find(vux_type_element_segment, name); }
    int32_t find(int32_t kind, const vux_string& name) const;
    void remove_named(int32_t kind, const vux_string& name);
    void remove_like(const vux_object_list& list);
    void append_clones(const vux_object_list& list);
    void insert_clones(int32_t index, const vux_object_list& list);
    void replace_all(const vux_object_list& list);
    void replace_like(const vux_object_list& list);
    void move_like(int32_t index, const vux_object_list& list);
    void apply_element_step(const vux_action_element& step);
    // The step's properties on the child it names; false when there is none.
    bool apply_property_step(const vux_action_property& step, const vux_variables& environment);
    bool set_segment_text(const vux_string& name, const vux_unicode& text);
    int32_t child_top(const vux_string& name) const;
    bool mentions(const vux_string& name) const;
    vux_hyperlink* hyperlink_container(const vux_element_box& box) const;
    vux_action* press_action_at(vux_layout& layout, const vux_point& p) const;
    vux_action* triggered_action(const vux_variables& environment);

    // --- paging ---
    bool paging_active() const;
    bool page_step(int32_t kind, int32_t index);
    bool next_page() { return page_step(1, 0); }
    bool previous_page() { return page_step(3, 0); }
    bool drag(int32_t dx);
    bool end_drag();

    // --- passes ---
    void measure(vux_layout& layout);
    bool paint(vux_layout& layout);
    bool tick(int32_t ms, int32_t period);
    bool refresh(const vux_variables& environment);
    bool sync(const vux_variables& environment);
    void update_images(const vux_variables& environment);
    void update_checked(const vux_variables& environment);
    void reset();
    // Drops the hyperlinks boxes took from their siblings ("inside").
    void forget_inherited_links();

    // --- hyperlink states ---
    bool active_links_match(const vux_variables& environment, const std::vector<vux_record*>& list) const;
    void collect_active_links(const vux_variables& environment, std::vector<vux_record*>& list);
    void reset_link_states();
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = default_flags;
    int32_t row_colour = 2;
    int32_t countdown = 0;
    int32_t lines = 0;
    int32_t row_box_a = 0;
    int32_t row_box_b = 0;
    int32_t row_box_c = 0;
    int32_t row_box_d = 0;
    int32_t top_space = 0;
    int32_t top_rows = 0;
    int32_t margin_left = 0;
    int32_t margin_right = 0;
    int32_t bottom_space = 0;
    int32_t minimum_height = 0;
    int32_t page_index = 0;
    int32_t page_width = 0;
    int32_t page_switch = 0;
    int32_t page_count = 0;
    vux_string name;
    vux_object_list children;  // segments, boxes and images
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list list;

    // run-time
    int32_t row_colour_in_use = 0;
    int32_t top_y = 0;
    int32_t height_px = 0;
    int32_t drag_offset = 0;
    int32_t page_width_px = 0;
    int32_t page_switch_px = 0;

private:
    void apply_box_offsets();
};
