#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_record.h"

// Every class of the markup model is made here by its type code, so a new
// class is known to every reader once it is added to one of these.

// Records of a document: 1000-1016 and the action 1200. Null for any other code.
std::unique_ptr<vux_record> vux_model_make_record(int32_t code);
// Action steps 1201-1224; null for any other code.
std::unique_ptr<vux_record> vux_model_make_step(int32_t code);
// Elements 1100-1109; null for any other code.
std::unique_ptr<vux_record> vux_model_make_element(int32_t code);
// Any of the three families.
std::unique_ptr<vux_record> vux_model_make(int32_t code);

// A list of steps: each item is its code and body; an unknown code fails.
inline constexpr vux_record_factory vux_model_steps{true, vux_model_make_step};
// A list of elements of any class.
inline constexpr vux_record_factory vux_model_elements{true, vux_model_make_element};
// A paragraph's children: 1107 a segment, 1100 a box, any other code an image.
std::unique_ptr<vux_record> vux_model_make_child(int32_t code);
inline constexpr vux_record_factory vux_model_paragraph_children{true, vux_model_make_child};

// A typed list that holds items of one class only: any other code on the
// wire fails the read (the body that follows cannot be skipped).
template <int32_t Code>
constexpr vux_record_factory vux_model_list_of() {
    return {true,
            [](int32_t code) -> std::unique_ptr<vux_record> { return code == Code ? vux_model_make(Code) : nullptr; }};
}

// An optional child of one class: its marker only says "present", the body
// read is always of that class.
template <int32_t Code>
constexpr vux_record_factory vux_model_child_of() {
    return {true, [](int32_t) -> std::unique_ptr<vux_record> { return vux_model_make(Code); }};
}
