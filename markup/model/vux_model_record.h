#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_record.h"

// The part every typed record, action and step shares: its fixed code and a
// deep copy made through its field list.
template <class Derived, int32_t Code, class Base = vux_record>
class vux_model_record : public Base {
public:
    static constexpr int32_t code = Code;
    int32_t type_code() const override { return Code; }
    std::unique_ptr<vux_object> clone() const override { return vux_clone_record(static_cast<const Derived&>(*this)); }
    // A deep copy typed as this class: clone() makes an object of the
    // record's own class, which is a Derived.
    std::unique_ptr<Derived> copy() const {
        return std::unique_ptr<Derived>(static_cast<Derived*>(this->clone().release()));
    }
};
