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
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_variables.h"
#include "record_fill.h"

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

// Every field a distinct value; lists of records get one item and optional
// children are present, down to `depth` levels of nesting.
class filler : public record_fill {
public:
    explicit filler(int32_t depth = 3) : record_fill({1, 2, 1, 1, depth, 1000, 1224}) {}
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

// An action nested through motion steps `levels` deep, inside `top`; each
// level is two records deep (the step and its action).
inline void nest_actions(vux_action& top, int levels) {
    vux_action* at = &top;
    for (int i = 0; i < levels; ++i) {
        auto motion = std::make_unique<vux_action_motion>();
        auto inner = std::make_unique<vux_action>();
        vux_action* next = inner.get();
        motion->actions.append(std::move(inner));
        at->add_step(std::move(motion));
        at = next;
    }
}

}  // namespace model_test
