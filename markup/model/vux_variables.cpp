#include "markup/model/vux_variables.h"
#include "core/vux_decimal.h"

vux_variables::~vux_variables() = default;

void vux_variables::set_integer(const vux_string& name, int32_t n) { assign(name, vux_decimal::format(n)); }

bool vux_variables::get_integer(const vux_string& name, int32_t& n) const {
    vux_string text;
    if (!get(name, text) || !vux_decimal::is_decimal(text)) return false;
    n = vux_decimal::parse(text);
    return true;
}
