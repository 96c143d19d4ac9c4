#include "core/vux_record_dump.h"
#include <cstdio>

namespace {
const char hex_digits[] = "0123456789abcdef";
}

namespace {
// Length of the well-formed UTF-8 sequence at p (1 to 4), or 0.
size_t utf8_sequence(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || n > left) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((p[k] & 0xC0) != 0x80) return 0;
    return n;
}
}  // namespace

void vux_record_dump::append_json_string(std::string& out, const char* data, size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    out.push_back('"');
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = bytes[i];
        if (c >= 0x80) {
            // Well-formed UTF-8 passes as it is; any other byte is written as
            // \u00XX so the output always parses.
            size_t n = utf8_sequence(bytes + i, length - i);
            if (n > 0) {
                out.append(data + i, n);
                i += n - 1;
            } else {
                char b[8];
                std::snprintf(b, sizeof b, "\\u%04x", c);
                out += b;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char b[8];
                std::snprintf(b, sizeof b, "\\u%04x", c);
                out += b;
            } else {
                out.push_back(char(c));
            }
        }
    }
    out.push_back('"');
}

std::string vux_record_dump::to_json(vux_record& r) {
    vux_record_dump d(form::json);
    d.dump(r);
    return d.out_;
}

std::string vux_record_dump::to_text(vux_record& r) {
    vux_record_dump d(form::text);
    d.dump(r);
    return d.out_;
}

void vux_record_dump::dump(vux_record& r) {
    value_record(r);
    if (form_ == form::text) out_.push_back('\n');
}

void vux_record_dump::key(const char* name) {
    if (form_ == form::json) {
        if (!first_) out_.push_back(',');
        first_ = false;
        append_json_string(out_, name, std::char_traits<char>::length(name));
        out_.push_back(':');
    } else {
        out_.push_back('\n');
        out_.append(size_t(depth_) * 2, ' ');
        out_ += name;
        out_ += ": ";
    }
}

void vux_record_dump::value_record(vux_record& r) {
    if (form_ == form::json) {
        out_ += "{\"class\":";
        append_json_string(out_, r.class_name(), std::char_traits<char>::length(r.class_name()));
        out_ += ",\"type\":" + std::to_string(r.type_code()) + ",\"fields\":{";
        bool saved = first_;
        first_ = true;
        r.fields(*this);
        first_ = saved;
        out_ += "}}";
    } else {
        out_ += r.class_name();
        if (r.type_code() != 0) out_ += " (" + std::to_string(r.type_code()) + ")";
        ++depth_;
        r.fields(*this);
        --depth_;
    }
}

void vux_record_dump::open_list() {
    if (form_ == form::json) {
        out_.push_back('[');
        first_ = true;
    } else {
        ++depth_;
    }
}

void vux_record_dump::list_item() {
    if (form_ == form::json) {
        if (!first_) out_.push_back(',');
        first_ = true;  // reset by value_record for nested objects
    } else {
        out_.push_back('\n');
        out_.append(size_t(depth_) * 2, ' ');
        out_ += "- ";
    }
}

void vux_record_dump::close_list() {
    if (form_ == form::json) {
        out_.push_back(']');
        first_ = false;
    } else {
        --depth_;
    }
}

void vux_record_dump::int32(const char* name, int32_t& v) {
    key(name);
    out_ += std::to_string(v);
}
void vux_record_dump::int16(const char* name, int16_t& v) {
    key(name);
    out_ += std::to_string(v);
}
void vux_record_dump::byte(const char* name, uint8_t& v) {
    key(name);
    out_ += std::to_string(v);
}
void vux_record_dump::string(const char* name, vux_string& v) {
    key(name);
    append_json_string(out_, v.data(), size_t(v.length()));
}
void vux_record_dump::unicode(const char* name, vux_unicode& v) {
    key(name);
    vux_string s = v.to_utf8_string();
    append_json_string(out_, s.data(), size_t(s.length()));
}
void vux_record_dump::bytes(const char* name, vux_buffer& v) {
    key(name);
    out_.push_back('"');
    for (int32_t i = 0; i < v.length(); ++i) {
        out_.push_back(hex_digits[v.data()[i] >> 4]);
        out_.push_back(hex_digits[v.data()[i] & 15]);
    }
    out_.push_back('"');
}
void vux_record_dump::strings(const char* name, vux_string_list& v) {
    key(name);
    open_list();
    for (int32_t i = 0; i < v.count(); ++i) {
        list_item();
        append_json_string(out_, v.item_at(i).data(), size_t(v.item_at(i).length()));
        first_ = false;
    }
    close_list();
}
void vux_record_dump::integers(const char* name, vux_integer_list& v) {
    key(name);
    open_list();
    for (int32_t i = 0; i < v.count(); ++i) {
        list_item();
        out_ += std::to_string(v.get(i));
        first_ = false;
    }
    close_list();
}
void vux_record_dump::record(const char* name, vux_record& r) {
    key(name);
    value_record(r);
    first_ = false;
}
void vux_record_dump::records(const char* name, vux_object_list& list, const vux_record_factory&) {
    key(name);
    open_list();
    for (int32_t i = 0; i < list.get_count(); ++i) {
        list_item();
        if (auto* r = dynamic_cast<vux_record*>(list.get(i)))
            value_record(*r);
        else
            out_ += "null";
        first_ = false;
    }
    close_list();
}
void vux_record_dump::child(const char* name, std::unique_ptr<vux_record>& c, const vux_record_factory&) {
    key(name);
    if (c)
        value_record(*c);
    else
        out_ += form_ == form::json ? "null" : "(none)";
    first_ = false;
}
