// fuzz-libs: vux_core_fuzz
// The positional reader over arbitrary bytes: the stream's first bytes choose
// the reads, so every field kind, the frame header and trailer, and nested
// records with typed children and lists meet hostile lengths and counts. A
// record that reads without error must write back to bytes that read into
// the same record.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_integer_list.h"
#include "core/vux_reader.h"
#include "core/vux_record.h"
#include "core/vux_string.h"
#include "core/vux_string_list.h"
#include "core/vux_unicode.h"
#include "core/vux_writer.h"

namespace {

struct leaf : vux_record {
    const char* class_name() const override { return "leaf"; }
    void fields(vux_field_visitor& v) override {
        v.int32("n", n);
        v.string("s", s);
    }
    int32_t n = 0;
    vux_string s;
};

// The same fields under a code of its own, for typed lists and children.
struct coded_leaf : leaf {
    int32_t type_code() const override { return 1001; }
};

// Nests through its typed child and list without a bound of its own: the
// reader's depth limit is what stops it.
struct node : vux_record {
    int32_t type_code() const override { return 1000; }
    const char* class_name() const override { return "node"; }
    void fields(vux_field_visitor& v) override;
    static std::unique_ptr<vux_record> make(int32_t code) {
        if (code == 1000) return std::make_unique<node>();
        if (code == 1001) return std::make_unique<coded_leaf>();
        return nullptr;
    }
    int16_t small = 0;
    uint8_t flag = 0;
    vux_unicode name;
    vux_buffer blob;
    vux_string_list tags;
    vux_integer_list counts;
    leaf inner;
    vux_record_list<leaf> items;
    std::unique_ptr<vux_record> next;
    vux_object_list kids;
};
const vux_record_factory node_factory{true, &node::make};
void node::fields(vux_field_visitor& v) {
    v.int16("small", small);
    v.byte("flag", flag);
    v.unicode("name", name);
    v.bytes("blob", blob);
    v.strings("tags", tags);
    v.integers("counts", counts);
    v.record("inner", inner);
    items.visit(v, "items");
    v.child("next", next, node_factory);
    v.records("kids", kids, node_factory);
}

void check_round_trip(const node& first) {
    vux_buffer once, twice;
    vux_writer(once).put_object(first);
    vux_reader r(once);
    node second;
    r.get_object(second);
    if (r.has_error() || r.remaining() != 0) std::abort();
    vux_writer(twice).put_object(second);
    if (once.differs_from(twice)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const vux_link source(data, int32_t(size));
    vux_reader r(source);
    r.read_header();
    for (int steps = 0; steps < 64 && !r.has_error() && r.remaining() > 0; ++steps) {
        switch (r.read_byte() % 10) {
        case 0: {
            vux_string s;
            r.read_string(s);
            break;
        }
        case 1: {
            vux_unicode u;
            r.read_unicode(u);
            vux_string utf8;
            u.to_utf8(utf8);
            break;
        }
        case 2: {
            vux_buffer b;
            r.read_bytes(b);
            break;
        }
        case 3: {
            vux_string_list list;
            list.read(r);
            break;
        }
        case 4: {
            vux_integer_list list;
            list.read(r);
            break;
        }
        case 5:
            r.read_int32();
            r.read_int16();
            break;
        case 6: r.read_count(int32_t(r.read_byte())); break;
        case 7:
            r.at_trailer();
            r.read_trailer();
            break;
        default: {
            node n;
            r.get_object(n);
            if (!r.has_error()) check_round_trip(n);
            break;
        }
        }
    }
    return 0;
}
