#pragma once
#include <cstdint>
#include "core/vux_string.h"

class vux_condition_list;

// The variables that records read and set while they run (options, odds,
// motion and upload steps, hyperlink guards). The runtime's environment
// implements it, so the model does not depend on the runtime.
class vux_variables {
public:
    virtual ~vux_variables();

    // The variable's value as the environment evaluates it; false when absent.
    virtual bool get(const vux_string& name, vux_string& value) const = 0;
    // Assignment with the environment's rules (operator forms included).
    virtual void assign(const vux_string& name, const vux_string& value) = 0;
    // False when the variable was absent.
    virtual bool remove(const vux_string& name) = 0;
    // Whether a condition list holds; a missing list (null) holds.
    virtual bool check_conditions(const vux_condition_list* list) const = 0;

    // The decimal text of n.
    virtual void set_integer(const vux_string& name, int32_t n);
    // False when the variable is absent or its value is no decimal integer.
    virtual bool get_integer(const vux_string& name, int32_t& n) const;
};
