#pragma once
// Hand-made wire bodies for golden-byte tests, written from the field tables.
#include <cstdint>
#include <initializer_list>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "core/vux_writer.h"

namespace model_test {

struct stream {
    vux_buffer buffer;
    vux_writer w{buffer};
    stream& i(int32_t v) {
        w.write_int32(v);
        return *this;
    }
    stream& s(const char* t) {
        w.write_string(vux_string(t));
        return *this;
    }
    stream& u(const char16_t* t) {
        w.write_unicode(vux_unicode(t));
        return *this;
    }
    stream& ints(std::initializer_list<int32_t> values) {
        for (int32_t v : values) i(v);
        return *this;
    }
    stream& text() { return ints({0, 0, 1, -1}).s("").u(u"").i(0); }                 // default text element
    stream& action() { return ints({0, 0, 0, 0, -1}).s("").s("").ints({0, 0, 0}); }  // empty action
    stream& commandbar() { return ints({0, 0, 0}).s("").s("").ints({0, 0, 0}); }
    stream& client() { return ints({8, 3, 2, 1, 0, 32}).s("").s("").ints({0, 0, 0, 0, 0, 0, 0}); }
    // An action header up to its step count.
    stream& action_head() { return i(0).i(0).i(0).i(0).i(-1).s("").s("").i(0); }
    // A step base without guard.
    stream& step_base() { return i(0).i(0).i(0).i(0); }
    std::vector<uint8_t> bytes() const { return {buffer.data(), buffer.data() + buffer.length()}; }
};

}  // namespace model_test
