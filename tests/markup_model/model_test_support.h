#pragma once
// Shared helpers of the markup model tests: a filler that gives every field
// of a record a distinct value (children and lists included), byte helpers,
// and a plain map of variables.
#include <map>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_record.h"
#include "core/vux_writer.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_variables.h"

namespace model_test {

inline std::vector<uint8_t> bytes_of(const vux_object& o) {
    vux_buffer b;
    vux_writer w(b);
    o.write(w);
    return std::vector<uint8_t>(b.data(), b.data() + b.length());
}

// Reads a record from bytes; false when the reader's error flag is set.
inline bool read_from(vux_object& o, const std::vector<uint8_t>& bytes, size_t length) {
    vux_link view(bytes.data(), int32_t(length));
    vux_reader r(view);
    o.read(r);
    return !r.has_error();
}
inline bool read_from(vux_object& o, const std::vector<uint8_t>& bytes) { return read_from(o, bytes, bytes.size()); }

// Every field a distinct value; lists get one item and optional children are
// present, down to `depth` levels of nesting.
class filler : public vux_field_visitor {
public:
    explicit filler(int32_t depth = 3) : depth_(depth) {}
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
        v.append(vux_string(text()));
        v.append(vux_string(text()));
    }
    void integers(const char*, vux_integer_list& v) override {
        v.clear();
        v.append(0x02000000 + next_++);
    }
    void record(const char*, vux_record& r) override { nest(r); }
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override {
        list.delete_all();
        if (auto item = make(f)) {
            nest(*item);
            list.append(std::move(item));
        }
    }
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory& f) override {
        c = make(f);
        if (c) nest(*c);
    }

private:
    // The first class the factory accepts: typed factories are tried with
    // every model code, plain ones with 0.
    std::unique_ptr<vux_record> make(const vux_record_factory& f) {
        if (!f.make || depth_ <= 0) return nullptr;
        if (!f.typed) return f.make(0);
        for (int32_t code = 1000; code <= 1224; ++code)
            if (auto r = f.make(code)) return r;
        return nullptr;
    }
    void nest(vux_record& r) {
        --depth_;
        r.fields(*this);
        ++depth_;
    }
    std::string text() { return "t" + std::to_string(next_++); }
    int32_t depth_;
    int32_t next_ = 1;
};

inline void fill(vux_record& r, int32_t depth = 3) {
    filler f(depth);
    r.fields(f);
}

// Plain variables: assignment stores the text as it is; a condition list
// holds when each condition does, with op 0 always, 1 undefined, 2 defined,
// 3 equal (enough for the records' own guards).
class variables : public vux_variables {
public:
    bool get(const vux_string& name, vux_string& value) const override {
        auto it = values.find(name.str());
        if (it == values.end()) return false;
        value = vux_string(it->second);
        return true;
    }
    void assign(const vux_string& name, const vux_string& value) override { values[name.str()] = value.str(); }
    bool remove(const vux_string& name) override { return values.erase(name.str()) > 0; }
    bool check_conditions(const vux_condition_list* list) const override {
        if (!list) return true;
        for (int32_t i = 0; i < list->count(); ++i) {
            const vux_condition& c = *list->at(i);
            vux_string v;
            const bool defined = get(c.name, v);
            const bool ok = c.op == 0 || (c.op == 1 && !defined) || (c.op == 2 && defined) ||
                            (c.op == 3 && defined && v == c.value);
            if (!ok) return false;
        }
        return true;
    }
    bool has(const char* name) const { return values.count(name) > 0; }
    std::string at(const char* name) const {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
    std::map<std::string, std::string> values;
};

}  // namespace model_test
