#pragma once
#include <cstdint>
#include <initializer_list>
#include "core/vux_color.h"
#include "core/vux_decimal.h"
#include "core/vux_string.h"
#include "markup/model/vux_element_flags.h"

// One row of an element's keyword table: what the keyword sets and how its
// value reads. Tables are tested in order; the first matching name wins.
template <class E>
struct vux_keyword {
    enum kind_t { flag, integer, colour, word, string };
    const char* name;
    kind_t kind;
    int32_t E::*field = nullptr;         // flag word, integer, colour or word field
    int32_t bit = 0;                     // flag: its bit
    const char* const* words = nullptr;  // word: the list, value = position + first
    int32_t first = 0;
    vux_string E::*text = nullptr;  // string field

    // Applies the value; a word outside the list, or a flag value other
    // than "yes"/"no", leaves the field.
    void apply(E& e, const vux_string& value) const {
        switch (kind) {
        case flag:
            if (vux_string_equals_cstr(value, "yes")) vux_set_flag_bit(e.*field, bit, true);
            if (vux_string_equals_cstr(value, "no")) vux_set_flag_bit(e.*field, bit, false);
            break;
        case integer: e.*field = vux_decimal::parse(value); break;
        case colour: e.*field = vux_color::parse(value); break;
        case word:
            for (int32_t i = 0; words[i]; ++i)
                if (vux_string_equals_cstr(value, words[i])) e.*field = first + i;
            break;
        case string: e.*text = value; break;
        }
    }
};

// The row named `name`, or null.
template <class E, size_t N>
const vux_keyword<E>* vux_find_keyword(const vux_keyword<E> (&table)[N], const vux_string& name) {
    for (const vux_keyword<E>& k : table)
        if (vux_string_equals_cstr(name, k.name)) return &k;
    return nullptr;
}
