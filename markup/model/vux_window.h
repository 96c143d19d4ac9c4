#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_element_titlebar.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_screen.h"

class vux_variables;

// A full screen: title bar, client area and command bar.
class vux_window : public vux_screen {
public:
    static constexpr int32_t code = vux_type_window;
    int32_t type_code() const override { return code; }
    const char* class_name() const override { return "vux_window"; }
    void fields(vux_field_visitor& v) override;

    // The command bar's count-down first, else the client's triggered action.
    vux_action* find_triggered_action(const vux_variables& environment);

    int32_t value_3 = 0;
    int32_t value_4 = -1;
    vux_string third;
    vux_element_titlebar titlebar;
    vux_element_client client;
    vux_element_commandbar commandbar;
    std::unique_ptr<vux_overtime> overtime;
    vux_string_list extras;
};
