#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_model_record.h"

class vux_element_image_aux;

// A picture placed in the paragraph's rows, alone or in a group grid, with
// a label below or beside it.
class vux_element_image : public vux_model_record<vux_element_image, vux_type_element_image> {
public:
    static constexpr int32_t fixed_bit = 8;

    vux_element_image();
    ~vux_element_image() override;
    const char* class_name() const override { return "vux_element_image"; }
    void fields(vux_field_visitor& v) override;
    // The run-time fixed bit is not carried into a copy.
    std::unique_ptr<vux_object> clone() const override;

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = 0;
    int32_t align = 1;
    int32_t label_align = 1;
    int32_t vertical_nudge = 2;
    int32_t width = 0;
    int32_t height = 0;
    int32_t outer = -1;
    int32_t inner = -1;
    int32_t count = 0;
    int32_t position = 0;
    int32_t interval = 0;
    int32_t gap = 0;
    int32_t index = 0;
    vux_string name;
    vux_string key_mark;
    vux_string primary;
    vux_string secondary;
    vux_element_text text;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action;
    vux_string_list list;

    // run-time
    int32_t frame = 0;
    int32_t tick_accumulator = 0;
    std::unique_ptr<vux_element_image_aux> aux;
};
