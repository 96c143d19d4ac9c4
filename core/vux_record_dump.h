#pragma once
#include <string>
#include "core/vux_record.h"

// Prints a record through its field list: as JSON ({"class", "type",
// "fields"} with the fields in wire order; numbers as numbers, texts as UTF-8
// strings, byte blocks as hex, nested records and lists as nested values) or
// as indented "name: value" lines.
class vux_record_dump : public vux_field_visitor {
public:
    enum class form { json, text };
    explicit vux_record_dump(form f = form::json) : form_(f) {}

    // Appends the dump of one record to out().
    void dump(vux_record& r);
    const std::string& out() const { return out_; }

    static std::string to_json(vux_record& r);
    static std::string to_text(vux_record& r);
    static void append_json_string(std::string& out, const char* data, size_t length);

    void int32(const char* name, int32_t& v) override;
    void int16(const char* name, int16_t& v) override;
    void byte(const char* name, uint8_t& v) override;
    void string(const char* name, vux_string& v) override;
    void unicode(const char* name, vux_unicode& v) override;
    void bytes(const char* name, vux_buffer& v) override;
    void strings(const char* name, vux_string_list& v) override;
    void integers(const char* name, vux_integer_list& v) override;
    void record(const char* name, vux_record& r) override;
    void records(const char* name, vux_object_list& list, const vux_record_factory& f) override;
    void child(const char* name, std::unique_ptr<vux_record>& c, const vux_record_factory& f) override;

private:
    void key(const char* name);
    void value_record(vux_record& r);
    void open_list();
    void list_item();
    void close_list();

    form form_;
    std::string out_;
    int depth_ = 0;
    bool first_ = true;  // first entry of the current JSON object or array
};
