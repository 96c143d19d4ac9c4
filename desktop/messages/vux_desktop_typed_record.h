#pragma once
#include "core/vux_record.h"
#include "core/vux_type_codes.h"

// A message: a record that names its class on the wire by a fixed code.
template <int32_t Code>
class vux_desktop_typed_record : public vux_record {
public:
    static constexpr int32_t code = Code;
    int32_t type_code() const override { return Code; }
};
