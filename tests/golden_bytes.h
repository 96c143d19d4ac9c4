#pragma once
// Golden wire forms written by hand from the field tables. Each call on a
// golden_form appends one field's bytes (pushed here byte by byte, big-endian,
// never through the code's writer) and notes the value that field must decode
// to. golden_fields lists a decoded record's fields in the same notation, so
// the two lists compare field by field: a field read in the wrong place or
// with the wrong width shows by its index.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>
#include "core/vux_message_table.h"
#include "core/vux_record.h"
#include "core/vux_writer.h"

class golden_form {
public:
    golden_form& i(int32_t v) {
        be32(v);
        return note("i " + std::to_string(v));
    }
    golden_form& s(std::string_view text) {
        block(text.data(), text.size());
        return note("s " + std::string(text));
    }
    golden_form& b(const std::vector<uint8_t>& data) {
        block(data.data(), data.size());
        return note("b " + hex(data.data(), data.size()));
    }
    golden_form& strings(std::initializer_list<std::string_view> items) {
        be32(int32_t(items.size()));
        note("L " + std::to_string(items.size()));
        for (std::string_view t : items) s(t);
        return *this;
    }
    golden_form& integers(std::initializer_list<int32_t> items) {
        be32(int32_t(items.size()));
        note("I " + std::to_string(items.size()));
        for (int32_t v : items) i(v);
        return *this;
    }
    // The count of a list of plain records; the items' fields follow.
    golden_form& count(int32_t n) {
        be32(n);
        return note("R " + std::to_string(n));
    }
    // An embedded record's fields, built on their own.
    golden_form& then(const golden_form& other) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
        fields_.insert(fields_.end(), other.fields_.begin(), other.fields_.end());
        return *this;
    }

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    const std::vector<std::string>& fields() const { return fields_; }

    static std::string hex(const uint8_t* p, size_t n) {
        static const char digits[] = "0123456789abcdef";
        std::string out;
        for (size_t k = 0; k < n; ++k) {
            out += digits[p[k] >> 4];
            out += digits[p[k] & 15];
        }
        return out;
    }

private:
    void be32(int32_t v) {
        const uint32_t u = uint32_t(v);
        for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(uint8_t(u >> shift));
    }
    void block(const void* p, size_t n) {
        be32(int32_t(n));
        const auto* b = static_cast<const uint8_t*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    golden_form& note(std::string field) {
        fields_.push_back(std::move(field));
        return *this;
    }

    std::vector<uint8_t> bytes_;
    std::vector<std::string> fields_;
};

// A message frame around a hand-written body: "vux+", a 0 byte, a 0 int,
// the code, the body, "+xuv".
inline std::vector<uint8_t> golden_frame(int32_t code, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out = {'v', 'u', 'x', '+', 0, 0, 0, 0, 0};
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(uint32_t(code) >> shift));
    out.insert(out.end(), body.begin(), body.end());
    for (char c : std::string_view("+xuv")) out.push_back(uint8_t(c));
    return out;
}

// A record's fields in golden_form's notation, in wire order. Embedded
// records add no entry of their own: their fields follow in place.
class golden_fields : public vux_field_visitor {
public:
    static std::vector<std::string> of(vux_record& r) {
        golden_fields g;
        r.fields(g);
        return g.out_;
    }
    void int32(const char*, int32_t& v) override { out_.push_back("i " + std::to_string(v)); }
    void int16(const char*, int16_t& v) override { out_.push_back("h " + std::to_string(v)); }
    void byte(const char*, uint8_t& v) override { out_.push_back("y " + std::to_string(v)); }
    void string(const char*, vux_string& v) override { out_.push_back("s " + std::string(v.view())); }
    void unicode(const char*, vux_unicode& v) override {
        out_.push_back("u " + std::string(v.to_utf8_string().view()));
    }
    void bytes(const char*, vux_buffer& v) override {
        out_.push_back("b " + golden_form::hex(v.data(), size_t(v.length())));
    }
    void strings(const char*, vux_string_list& v) override {
        out_.push_back("L " + std::to_string(v.count()));
        for (int32_t k = 0; k < v.count(); ++k) out_.push_back("s " + std::string(v.item_at(k).view()));
    }
    void integers(const char*, vux_integer_list& v) override {
        out_.push_back("I " + std::to_string(v.get_count()));
        for (int32_t k = 0; k < v.get_count(); ++k) out_.push_back("i " + std::to_string(v.get(k)));
    }
    void record(const char*, vux_record& r) override { r.fields(*this); }
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override {
        out_.push_back("R " + std::to_string(list.get_count()));
        for (int32_t k = 0; k < list.get_count(); ++k) {
            auto& item = static_cast<vux_record&>(*list.get(k));
            if (f.typed) out_.push_back("c " + std::to_string(item.type_code()));
            item.fields(*this);
        }
    }
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory&) override {
        out_.push_back("C " + std::to_string(c ? c->type_code() : 0));
        if (c) c->fields(*this);
    }

private:
    std::vector<std::string> out_;
};

// Field by field, naming the first place the two lists part.
inline void expect_same_fields(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    const size_t n = std::min(got.size(), want.size());
    for (size_t k = 0; k < n; ++k) {
        if (got[k] != want[k]) {
            ADD_FAILURE() << "field " << k << ": decoded \"" << got[k] << "\", table says \"" << want[k] << '"';
            return;
        }
    }
    EXPECT_EQ(got.size(), want.size()) << "number of fields";
}

// The golden bytes also seed the fuzz corpus: the file fuzz/corpus/<corpus>/
// <name> must hold them. With VUX_WRITE_SEEDS=1 in the environment the file
// is written instead (after a table changed on purpose).
inline void expect_seed(const std::string& source_dir, const std::string& corpus, const std::string& name,
                        const std::vector<uint8_t>& bytes) {
    const std::string path = source_dir + "/fuzz/corpus/" + corpus + "/" + name;
    if (std::getenv("VUX_WRITE_SEEDS")) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        ASSERT_TRUE(out.good()) << path;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no seed " << path << " (VUX_WRITE_SEEDS=1 writes it)";
    const std::vector<uint8_t> stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(stored, bytes) << path << " differs from the golden bytes (VUX_WRITE_SEEDS=1 rewrites it)";
}

// One golden frame per code of a message table: the body as the table gives
// it, framed.
struct golden_message {
    int32_t code;
    golden_form body;
};

// Every message of the table decodes from its golden frame through the one
// acceptance rule, field by field as written, and frames back to the same
// bytes; the cases cover the table exactly.
inline void expect_golden_messages(vux_message_table table, const std::vector<golden_message>& cases) {
    for (const vux_message_entry& e : table) {
        SCOPED_TRACE(e.class_name);
        auto it = std::find_if(cases.begin(), cases.end(), [&](const golden_message& c) { return c.code == e.code; });
        ASSERT_NE(it, cases.end()) << "no golden frame for " << e.code;
        const std::vector<uint8_t> frame = golden_frame(e.code, it->body.bytes());
        const vux_buffer wire(frame.data(), int32_t(frame.size()));
        auto decoded = vux_accept_message(wire, table);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->type_code(), e.code);
        expect_same_fields(golden_fields::of(*decoded), it->body.fields());
        vux_buffer again;
        ASSERT_TRUE(vux_writer::frame(*decoded, again));
        EXPECT_EQ(std::vector<uint8_t>(again.data(), again.data() + again.length()), frame);
    }
    EXPECT_EQ(cases.size(), table.size());
}

// Each golden frame is the seed fuzz/corpus/<corpus>/golden_<code>.
inline void expect_golden_seeds(const std::string& source_dir, const std::string& corpus,
                                const std::vector<golden_message>& cases) {
    for (const golden_message& c : cases)
        expect_seed(source_dir, corpus, "golden_" + std::to_string(c.code), golden_frame(c.code, c.body.bytes()));
}
