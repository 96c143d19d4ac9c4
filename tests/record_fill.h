#pragma once
// Gives every field of a record a distinct non-default value, so a round
// trip shows any field that is skipped, swapped or mis-sized. Lists get a
// fixed number of items; embedded records, list items and optional children
// are filled down to `depth` levels. Typed factories are tried with every
// code of [first_code, last_code] and take the first class they accept.
#include <memory>
#include <string>
#include "core/vux_record.h"

struct record_fill_shape {
    int32_t seed = 1;
    int32_t strings = 2;
    int32_t integers = 2;
    int32_t records = 2;
    int32_t depth = 1 << 20;
    int32_t first_code = 0;
    int32_t last_code = -1;
};

class record_fill : public vux_field_visitor {
public:
    explicit record_fill(record_fill_shape shape = {}) : shape_(shape), next_(shape.seed) {}

    void int32(const char*, int32_t& v) override { v = 0x01000000 + next_++; }
    void int16(const char*, int16_t& v) override { v = int16_t(0x100 + next_++); }
    void byte(const char*, uint8_t& v) override { v = uint8_t(next_++); }
    void string(const char*, vux_string& v) override { v = vux_string(text()); }
    void unicode(const char*, vux_unicode& v) override { v = vux_string(text()).to_unicode(); }
    void bytes(const char*, vux_buffer& v) override {
        std::string t = text();
        v.assign_bytes(t.data(), int32_t(t.size()));
    }
    void strings(const char*, vux_string_list& v) override {
        v.clear();
        for (int32_t i = 0; i < shape_.strings; ++i) v.append(vux_string(text()));
    }
    void integers(const char*, vux_integer_list& v) override {
        v.clear();
        for (int32_t i = 0; i < shape_.integers; ++i) v.append(0x02000000 + next_++);
    }
    void record(const char*, vux_record& r) override { nest(r); }
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override {
        list.delete_all();
        for (int32_t i = 0; i < shape_.records; ++i) {
            auto item = make(f);
            if (!item) return;
            nest(*item);
            list.append(std::move(item));
        }
    }
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory& f) override {
        c = make(f);
        if (c) nest(*c);
    }

private:
    std::unique_ptr<vux_record> make(const vux_record_factory& f) {
        if (!f.make || depth_ <= 0) return nullptr;
        if (!f.typed) return f.make(0);
        for (int32_t code = shape_.first_code; code <= shape_.last_code; ++code)
            if (auto r = f.make(code)) return r;
        return nullptr;
    }
    void nest(vux_record& r) {
        --depth_;
        r.fields(*this);
        ++depth_;
    }
    std::string text() { return "t" + std::to_string(next_++); }

    record_fill_shape shape_;
    int32_t next_;
    int32_t depth_ = shape_.depth;
};
