#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_element_command.h"
#include "markup/model/vux_model_record.h"

// The two softkey slots of a window, dialog or menu. Copied only by its owner.
class vux_element_commandbar : public vux_model_record<vux_element_commandbar, vux_type_element_commandbar> {
public:
    const char* class_name() const override { return "vux_element_commandbar"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    int32_t value_1 = 0;  // 1: the bar hides when no command holds
    int32_t left_check = 0;
    int32_t value_3 = 0;  // touch-hide flag
    vux_string image;
    vux_string focus_image;
    std::unique_ptr<vux_element_command> left;
    std::unique_ptr<vux_element_command> right;
    vux_string_list list;

    // run-time
    int32_t pressed_slot = -1;
    int32_t pressed_inside = 0;
    std::unique_ptr<vux_element_command> shown[2];
    std::unique_ptr<vux_element_command> saved[2];
};
