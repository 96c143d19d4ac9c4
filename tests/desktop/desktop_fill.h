#pragma once
// Fills every field of a record with a distinct non-default value, so a
// round trip shows any field that is skipped, swapped or mis-sized.
#include <string>
#include "core/vux_record.h"

class desktop_fill : public vux_field_visitor {
public:
    explicit desktop_fill(int32_t seed = 1, int32_t list_items = 2) : next_(seed), items_(list_items) {}

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
        for (int32_t i = 0; i < items_; ++i) v.append(vux_string(text()));
    }
    void integers(const char*, vux_integer_list& v) override {
        v.clear();
        for (int32_t i = 0; i < items_; ++i) v.append(0x02000000 + next_++);
    }
    void record(const char*, vux_record& r) override { r.fields(*this); }
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override {
        list.delete_all();
        for (int32_t i = 0; i < items_; ++i) {
            auto item = f.make ? f.make(0) : nullptr;
            if (!item) return;
            item->fields(*this);
            list.append(std::move(item));
        }
    }
    void child(const char*, std::unique_ptr<vux_record>&, const vux_record_factory&) override {}

private:
    std::string text() { return "t" + std::to_string(next_++); }
    int32_t next_;
    int32_t items_;
};

inline void desktop_fill_record(vux_record& r, int32_t seed = 1, int32_t list_items = 2) {
    desktop_fill f(seed, list_items);
    r.fields(f);
}
