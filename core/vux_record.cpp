#include "core/vux_record.h"
#include "core/vux_reader.h"
#include "core/vux_writer.h"

vux_field_visitor::~vux_field_visitor() = default;

void vux_record::read(vux_reader& reader) {
    vux_field_reader v(reader);
    fields(v);
}

void vux_record::write(vux_writer& writer) const {
    vux_field_writer v(writer);
    // The writing visitor only reads the fields it is handed.
    const_cast<vux_record*>(this)->fields(v);
}

bool vux_record::copy_from(const vux_record& other) {
    if (this == &other) return true;
    vux_buffer bytes;
    vux_writer w(bytes);
    other.write(w);
    if (w.failed()) return false;
    vux_reader r(bytes);
    read(r);
    return !r.has_error() && r.remaining() == 0;
}

int32_t vux_record::encoded_size() const {
    vux_buffer bytes;
    vux_writer w(bytes);
    write(w);
    return bytes.length();
}

// ---- reading ----

bool vux_field_reader::ok() const { return !r_.has_error(); }
void vux_field_reader::mismatch() { r_.fail(); }
void vux_field_reader::int32(const char*, int32_t& v) { v = r_.read_int32(); }
void vux_field_reader::int16(const char*, int16_t& v) { v = int16_t(r_.read_int16()); }
void vux_field_reader::byte(const char*, uint8_t& v) { v = r_.read_byte(); }
void vux_field_reader::string(const char*, vux_string& v) { r_.read_string(v); }
void vux_field_reader::unicode(const char*, vux_unicode& v) { r_.read_unicode(v); }
void vux_field_reader::bytes(const char*, vux_buffer& v) { r_.read_bytes(v); }
void vux_field_reader::strings(const char*, vux_string_list& v) { v.read(r_); }
void vux_field_reader::integers(const char*, vux_integer_list& v) { v.read(r_); }

void vux_field_reader::record(const char*, vux_record& rec) {
    if (!r_.enter()) return;
    rec.fields(*this);
    r_.leave();
}

std::unique_ptr<vux_record> vux_field_reader::read_item(int32_t code, const vux_record_factory& f) {
    auto item = f.make ? f.make(code) : nullptr;
    if (!item) {
        r_.fail();  // a code this list does not hold: the stream is out of step
        return nullptr;
    }
    if (!r_.enter()) return nullptr;
    item->fields(*this);
    r_.leave();
    if (r_.has_error()) return nullptr;
    return item;
}

void vux_field_reader::records(const char*, vux_object_list& list, const vux_record_factory& f) {
    list.delete_all();
    int32_t min_bytes = 4;
    if (!f.typed && f.least_size) {
        min_bytes = f.least_size();
    } else if (!f.typed) {
        auto probe = f.make ? f.make(0) : nullptr;
        min_bytes = probe ? probe->encoded_size() : 1;
    }
    int32_t n = r_.read_count(min_bytes);
    for (int32_t i = 0; i < n && !r_.has_error(); ++i) {
        int32_t code = f.typed ? r_.read_int32() : 0;
        if (r_.has_error()) break;
        auto item = read_item(code, f);
        if (!item) break;
        list.append(std::move(item));
    }
}

void vux_field_reader::child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory& f) {
    c.reset();
    int32_t code = r_.read_int32();
    if (r_.has_error() || code == 0) return;
    c = read_item(code, f);
}

// ---- writing ----

void vux_field_writer::int32(const char*, int32_t& v) { w_.write_int32(v); }
void vux_field_writer::int16(const char*, int16_t& v) { w_.write_int16(v); }
void vux_field_writer::byte(const char*, uint8_t& v) { w_.write_byte(v); }
void vux_field_writer::string(const char*, vux_string& v) { w_.write_string(v); }
void vux_field_writer::unicode(const char*, vux_unicode& v) { w_.write_unicode(v); }
void vux_field_writer::bytes(const char*, vux_buffer& v) { w_.write_buffer(v); }
void vux_field_writer::strings(const char*, vux_string_list& v) { v.write(w_); }
void vux_field_writer::integers(const char*, vux_integer_list& v) { v.write(w_); }
void vux_field_writer::record(const char*, vux_record& rec) { rec.fields(*this); }

void vux_field_writer::records(const char*, vux_object_list& list, const vux_record_factory& f) {
    w_.write_int32(list.get_count());
    for (int32_t i = 0; i < list.get_count(); ++i) {
        vux_object* item = list.get(i);
        if (f.typed) w_.write_int32(item->type_code());
        if (auto* rec = dynamic_cast<vux_record*>(item))
            rec->fields(*this);
        else
            item->write(w_);
    }
}

void vux_field_writer::child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory&) {
    if (!c) {
        w_.write_int32(0);
        return;
    }
    w_.write_int32(c->type_code());
    c->fields(*this);
}
