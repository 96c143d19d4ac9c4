#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_integer_list.h"
#include "core/vux_object.h"
#include "core/vux_object_list.h"
#include "core/vux_string.h"
#include "core/vux_string_list.h"
#include "core/vux_unicode.h"

class vux_record;
class vux_field_visitor;

// Makes the record for a type code; null for a code the caller does not
// expect. `typed` lists and children carry each item's code on the wire;
// plain ones do not (make is then called with 0).
struct vux_record_factory {
    bool typed = false;
    std::unique_ptr<vux_record> (*make)(int32_t code) = nullptr;
    // Of a plain factory: the encoded size of an empty item, the least bytes
    // one item takes (worked out once per class). Null: made and encoded at
    // each list read.
    int32_t (*least_size)() = nullptr;
};

template <class T>
vux_record_factory vux_plain_factory() {
    return {false, [](int32_t) -> std::unique_ptr<vux_record> { return std::make_unique<T>(); },
            []() -> int32_t {
                static const int32_t size = T().encoded_size();
                return size;
            }};
}

// A record or message whose wire form is one list of fields. The order of
// the calls in fields() IS the wire format: the same list drives reading,
// writing, copying and dumping, so the order is written down once.
class vux_record : public vux_object {
public:
    virtual const char* class_name() const = 0;
    virtual void fields(vux_field_visitor& v) = 0;

    void read(vux_reader& reader) override;
    void write(vux_writer& writer) const override;

    // Deep copy of every field of a record of the same class. False when
    // the copy cannot be whole (nesting or size past the reader's and the
    // buffer's limits): this record is then partly filled, and the caller
    // keeps to the source.
    bool copy_from(const vux_record& other);
    // Encoded size of the record's fields.
    int32_t encoded_size() const;
};

// Deep copy through the field list, for classes that override clone; null
// when the copy cannot be whole.
template <class T>
std::unique_ptr<T> vux_clone_record(const T& source) {
    auto copy = std::make_unique<T>();
    if (!copy->copy_from(source)) return nullptr;
    return copy;
}

// One operation per field kind. Names are for the dumper; they must be
// unique within a class.
class vux_field_visitor {
public:
    virtual ~vux_field_visitor();
    // True for the visitor that fills the fields from a stream.
    virtual bool reading() const { return false; }
    // False once a read failed: a fields() list with a loop may stop early.
    virtual bool ok() const { return true; }

    virtual void int32(const char* name, int32_t& v) = 0;
    virtual void int16(const char* name, int16_t& v) = 0;
    virtual void byte(const char* name, uint8_t& v) = 0;
    virtual void string(const char* name, vux_string& v) = 0;
    virtual void unicode(const char* name, vux_unicode& v) = 0;
    virtual void bytes(const char* name, vux_buffer& v) = 0;
    virtual void strings(const char* name, vux_string_list& v) = 0;
    virtual void integers(const char* name, vux_integer_list& v) = 0;
    // An embedded record: its fields in order, no code or length.
    virtual void record(const char* name, vux_record& r) = 0;
    // int32 count, then per item its code (typed factories) and its fields.
    virtual void records(const char* name, vux_object_list& list, const vux_record_factory& f) = 0;
    // int32 marker (the child's code, 0 when absent), then its fields.
    virtual void child(const char* name, std::unique_ptr<vux_record>& c, const vux_record_factory& f) = 0;

    // A child held as a pointer to a subclass: a record of another class
    // fails the read.
    template <class T>
    void child_as(const char* name, std::unique_ptr<T>& c, const vux_record_factory& f) {
        std::unique_ptr<vux_record> tmp(c.release());
        child(name, tmp, f);
        if (tmp && !dynamic_cast<T*>(tmp.get())) {
            tmp.reset();
            mismatch();
        }
        c.reset(static_cast<T*>(tmp.release()));
    }

protected:
    virtual void mismatch() {}
};

// Reads fields from a stream. Lists never take a count the bytes left cannot
// hold, an unknown code fails the read, and nesting is bounded by the reader.
class vux_field_reader : public vux_field_visitor {
public:
    explicit vux_field_reader(vux_reader& r) : r_(r) {}
    bool reading() const override { return true; }
    bool ok() const override;
    void int32(const char*, int32_t& v) override;
    void int16(const char*, int16_t& v) override;
    void byte(const char*, uint8_t& v) override;
    void string(const char*, vux_string& v) override;
    void unicode(const char*, vux_unicode& v) override;
    void bytes(const char*, vux_buffer& v) override;
    void strings(const char*, vux_string_list& v) override;
    void integers(const char*, vux_integer_list& v) override;
    void record(const char*, vux_record& r) override;
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override;
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory& f) override;

private:
    void mismatch() override;
    std::unique_ptr<vux_record> read_item(int32_t code, const vux_record_factory& f);
    vux_reader& r_;
};

class vux_field_writer : public vux_field_visitor {
public:
    explicit vux_field_writer(vux_writer& w) : w_(w) {}
    void int32(const char*, int32_t& v) override;
    void int16(const char*, int16_t& v) override;
    void byte(const char*, uint8_t& v) override;
    void string(const char*, vux_string& v) override;
    void unicode(const char*, vux_unicode& v) override;
    void bytes(const char*, vux_buffer& v) override;
    void strings(const char*, vux_string_list& v) override;
    void integers(const char*, vux_integer_list& v) override;
    void record(const char*, vux_record& r) override;
    void records(const char*, vux_object_list& list, const vux_record_factory& f) override;
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory& f) override;

private:
    vux_writer& w_;
};

// A list of plain records of one class (no code on the wire).
template <class T>
class vux_record_list : public vux_object_list {
public:
    T* at(int32_t i) const { return static_cast<T*>(get(i)); }
    T& add() {
        auto item = std::make_unique<T>();
        T& ref = *item;
        append(std::move(item));
        return ref;
    }
    void visit(vux_field_visitor& v, const char* name) { v.records(name, *this, vux_plain_factory<T>()); }
    // Deep copies of every item of another list (this list's items destroyed first).
    void assign_copies(const vux_record_list& other) {
        if (this == &other) return;
        delete_all();
        append_copies_to(other, *this);
    }
    static void append_copies_to(const vux_record_list& from, vux_record_list& to) {
        const int32_t n = from.get_count();  // from may be to
        for (int32_t i = 0; i < n; ++i) to.append(vux_clone_record(*from.at(i)));
    }
};
