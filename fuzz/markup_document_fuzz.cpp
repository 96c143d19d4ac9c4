// fuzz-libs: vux_markup_fuzz
// Arbitrary bytes as a markup document (raw or packed: every record of the
// model and every runtime response), as each runtime message on its own, as
// the persisted private store, and as a script of variable assignments and
// conditions. Whatever reads without error must write back to bytes that
// read into the same record.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_expand.h"
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_runtime_messages.h"
#include "markup/runtime/vux_environment.h"
#include "markup/runtime/vux_private.h"

namespace {

vux_buffer bytes_of(const vux_record& r) {
    vux_buffer out;
    vux_writer w(out);
    r.write(w);
    return out;
}

bool same(const vux_buffer& a, const vux_buffer& b) {
    return a.length() == b.length() && (a.length() == 0 || std::memcmp(a.data(), b.data(), size_t(a.length())) == 0);
}

// A record read whole writes bytes that read back whole into the same bytes.
template <class Make>
void check_stable(const vux_record& r, Make make) {
    const vux_buffer first = bytes_of(r);
    std::unique_ptr<vux_record> again = make();
    vux_reader reader(first);
    again->read(reader);
    if (reader.has_error() || reader.remaining() != 0 || !same(bytes_of(*again), first)) std::abort();
    if (auto copy = r.clone()) {
        if (!same(bytes_of(static_cast<const vux_record&>(*copy)), first)) std::abort();
    }
}

std::unique_ptr<vux_record> make_document_record(int32_t code) {
    if (auto r = vux_model_make_record(code)) return r;
    return vux_make_runtime_response(code);
}

void read_document(const vux_link& input) {
    vux_buffer expanded;
    vux_link stream = input;
    if (vux_expand::is_packed(input.data(), input.length())) {
        if (vux_expand::unpack(input, expanded, 1 << 22) != vux_expand::result::ok) return;
        stream = vux_link(expanded.data(), expanded.length());
    }
    vux_reader reader(stream);
    if (!reader.read_header()) return;
    while (!reader.at_trailer()) {
        const int32_t code = reader.read_int32();
        std::unique_ptr<vux_record> record = make_document_record(code);
        if (!record) return;
        record->read(reader);
        if (reader.has_error()) return;
        check_stable(*record, [code] { return make_document_record(code); });
    }
}

void read_messages(const vux_link& input) {
    for (const vux_message_entry& e : vux_runtime_message_table()) {
        const int32_t code = e.code;
        std::unique_ptr<vux_record> m = e.make();
        vux_reader reader(input);
        m->read(reader);
        if (!reader.has_error()) check_stable(*m, [code] { return vux_make_runtime_message(code); });
    }
}

void read_private(const vux_link& input) {
    vux_private store;
    vux_reader reader(input);
    store.read(reader);
    if (reader.has_error()) {
        if (store.credentials.count() != 0 || store.variables.count() != 0) std::abort();
        return;
    }
    if (input.length() >= 4 && vux_reader::decode_uint32(input.data()) == uint32_t(vux_private::tag))
        check_stable(store, [] { return std::make_unique<vux_private>(); });
}

// Lines "name", "value", "name", "value", ...: each pair is assigned, read
// back and tested with a condition whose kind comes from the value.
void run_variables(const uint8_t* data, size_t size) {
    vux_environment env;
    vux_string parts[2];
    int32_t n = 0;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i < size && data[i] != '\n') continue;
        parts[n++].assign(reinterpret_cast<const char*>(data + start), int32_t(i - start));
        start = i + 1;
        if (n < 2) continue;
        n = 0;
        env.assign(parts[0], parts[1]);
        vux_string value;
        env.get(parts[0], value);
        vux_condition c;
        c.op = parts[1].byte_at(0) % 17;
        c.scale = int32_t(parts[1].byte_at(1)) - 1;
        c.name = parts[0];
        c.value = parts[1];
        env.check_condition(c);
        if (env.count() > 256) env.clear();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const vux_buffer input(data, int32_t(size));  // exact-size copy: reads past it show
    read_document(input);
    read_messages(input);
    read_private(input);
    run_variables(data, size);
    return 0;
}
