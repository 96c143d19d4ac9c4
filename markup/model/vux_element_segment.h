#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup/model/vux_model_record.h"

class vux_element_segment_aux;

// A run of text flowed into the paragraph's lines, optionally with an icon
// at its marker and a link.
class vux_element_segment : public vux_model_record<vux_element_segment, vux_type_element_segment> {
public:
    static constexpr int32_t fixed_bit = 14;

    vux_element_segment();
    ~vux_element_segment() override;
    const char* class_name() const override { return "vux_element_segment"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override;
    // The run-time fixed bit is not carried into a copy.
    std::unique_ptr<vux_object> clone() const override;

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = 0;
    int32_t align = 1;
    int32_t ground = -1;
    int32_t bright = 0;
    vux_string name;
    vux_element_text text;
    std::unique_ptr<vux_icon> icon;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action;
    vux_string_list list;

    // run-time
    std::unique_ptr<vux_element_segment_aux> aux;
};
