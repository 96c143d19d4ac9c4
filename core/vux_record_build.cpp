#include "core/vux_record_build.h"
#include <cstring>
#include <limits>
#include <set>
#include <utility>
#include <vector>
#include "core/vux_utf8.h"

namespace vux_record_build {

struct object_entry;

struct value {
    enum kind_t { null, boolean, number, text, array, object } kind = null;
    bool flag = false;
    long long n = 0;
    std::string s;
    std::vector<value> items;         // array
    std::vector<object_entry> pairs;  // object
};

// One name and value of an object. A struct of its own rather than a pair:
// a pair cannot hold the not yet complete value.
struct object_entry {
    std::string first;
    value second;
};

void value_deleter::operator()(value* v) const { delete v; }

namespace {

// Nesting of arrays and objects the parser takes.
constexpr int max_depth = 200;

void append_utf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

class parser {
public:
    explicit parser(std::string_view t) : t_(t) {}

    bool document(value& v) {
        if (!parse_value(v, 0)) return false;
        space();
        return at_ == t_.size() || fail("text after the value");
    }
    std::string error;

private:
    bool fail(const char* why) {
        if (error.empty()) error = std::string(why) + " at offset " + std::to_string(at_);
        return false;
    }
    void space() {
        while (at_ < t_.size() && (t_[at_] == ' ' || t_[at_] == '\t' || t_[at_] == '\n' || t_[at_] == '\r')) ++at_;
    }
    bool take(char c) {
        space();
        if (at_ < t_.size() && t_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(const char* w) {
        const size_t n = std::strlen(w);
        if (t_.substr(at_, n) != w) return false;
        at_ += n;
        return true;
    }
    bool hex4(uint32_t& out) {
        if (at_ + 4 > t_.size()) return fail("short \\u escape");
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = t_[at_++];
            const int d = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
            if (d < 0) return fail("bad \\u escape");
            out = out << 4 | uint32_t(d);
        }
        return true;
    }
    bool string(std::string& out) {
        if (!take('"')) return fail("a string expected");
        while (at_ < t_.size()) {
            const char c = t_[at_++];
            if (c == '"') return true;
            if (uint8_t(c) < 0x20) return fail("control character in a string");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (at_ >= t_.size()) break;
            const char e = t_[at_++];
            switch (e) {
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            case '/': out.push_back('/'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'u': {
                uint32_t u = 0;
                if (!hex4(u)) return false;
                if (u < 0x100) {
                    out.push_back(char(u));  // the byte itself, as the dumper escapes it
                    break;
                }
                if (u >= 0xD800 && u < 0xDC00 && t_.substr(at_, 2) == "\\u") {
                    at_ += 2;
                    uint32_t low = 0;
                    if (!hex4(low)) return false;
                    if (low < 0xDC00 || low >= 0xE000) return fail("unpaired surrogate");
                    u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                } else if (u >= 0xD800 && u < 0xE000) {
                    return fail("unpaired surrogate");
                }
                append_utf8(out, u);
                break;
            }
            default: return fail("bad escape");
            }
        }
        return fail("unterminated string");
    }
    bool parse_value(value& v, int depth) {
        if (depth > max_depth) return fail("nested too deeply");
        space();
        if (at_ >= t_.size()) return fail("a value expected");
        const char c = t_[at_];
        if (c == '"') {
            v.kind = value::text;
            return string(v.s);
        }
        if (c == '{') {
            ++at_;
            v.kind = value::object;
            if (take('}')) return true;
            do {
                object_entry p;
                space();
                if (!string(p.first)) return false;
                if (!take(':')) return fail("':' expected");
                if (!parse_value(p.second, depth + 1)) return false;
                v.pairs.push_back(std::move(p));
            } while (take(','));
            return take('}') || fail("'}' expected");
        }
        if (c == '[') {
            ++at_;
            v.kind = value::array;
            if (take(']')) return true;
            do {
                v.items.emplace_back();
                if (!parse_value(v.items.back(), depth + 1)) return false;
            } while (take(','));
            return take(']') || fail("']' expected");
        }
        if (word("true") || word("false")) {
            v.kind = value::boolean;
            v.flag = t_[at_ - 1] == 'e' && t_[at_ - 4] == 't';
            return true;
        }
        if (word("null")) return true;
        return integer(v);
    }
    // Whole numbers only: every field the builder fills is an integer.
    bool integer(value& v) {
        bool negative = false;
        if (t_[at_] == '-') {
            negative = true;
            ++at_;
        }
        if (at_ >= t_.size() || t_[at_] < '0' || t_[at_] > '9') return fail("a value expected");
        unsigned long long n = 0;
        while (at_ < t_.size() && t_[at_] >= '0' && t_[at_] <= '9') {
            n = n * 10 + unsigned(t_[at_++] - '0');
            if (n > (1ull << 40)) return fail("number out of range");
        }
        if (at_ < t_.size() && (t_[at_] == '.' || t_[at_] == 'e' || t_[at_] == 'E')) return fail("not a whole number");
        v.kind = value::number;
        v.n = negative ? -static_cast<long long>(n) : static_cast<long long>(n);
        return true;
    }

    std::string_view t_;
    size_t at_ = 0;
};

bool fail(std::string* error, std::string why) {
    if (error && error->empty()) *error = std::move(why);
    return false;
}

// Extends a path by the field `name` of the record it names.
void append_field(std::string& path, const char* name) {
    if (!path.empty()) path += '.';
    path += "fields.";
    path += name;
}

// Fills a record's fields from the "fields" object of its JSON form, by the
// names its field list gives.
class builder : public vux_field_visitor {
public:
    builder(std::string* error, const set_hook* set, std::string_view path,
            const std::vector<bytes_form>* forms = nullptr)
        : error_(error), set_(set), path_(path), forms_(forms) {}

    bool ok() const override { return good_; }

    bool build(const value& v, vux_record& r) {
        if (v.kind != value::object) return bad("", "a record must be an object");
        // "offset" is the dumper's (where the record began in its stream).
        for (const auto& [key, unused] : v.pairs)
            if (key != "class" && key != "type" && key != "fields" && key != "set" && key != "offset")
                return bad("", key + ": no such member of a record");
        const value* cls = member(v, "class");
        if (cls && (cls->kind != value::text || cls->s != r.class_name()))
            return bad("", "class " + text(cls) + " where " + r.class_name() + " belongs");
        const value* type = member(v, "type");
        if (type && (type->kind != value::number || type->n != r.type_code()))
            return bad("",
                       "type " + std::to_string(number(type)) + " where " + std::to_string(r.type_code()) + " belongs");
        const value* fields = member(v, "fields");
        static const value empty_object = [] {
            value o;
            o.kind = value::object;
            return o;
        }();
        if (!fields) fields = &empty_object;
        if (fields->kind != value::object) return bad("", "\"fields\" must be an object");
        const value* saved = fields_;
        std::set<std::string_view> seen;
        std::set<std::string_view>* saved_seen = seen_;
        const char* saved_class = class_;
        fields_ = fields;
        seen_ = &seen;
        class_ = r.class_name();
        r.fields(*this);
        fields_ = saved;
        seen_ = saved_seen;
        class_ = saved_class;
        for (const auto& [name, unused] : fields->pairs)
            if (!seen.count(name)) return bad(name.c_str(), std::string("no such field in ") + r.class_name());
        if (good_) apply_set(v, r);
        return good_;
    }

    void int32(const char* name, int32_t& v) override { whole(name, v); }
    void int16(const char* name, int16_t& v) override { whole(name, v); }
    void byte(const char* name, uint8_t& v) override { whole(name, v); }
    void string(const char* name, vux_string& v) override {
        if (const value* f = field(name, value::text)) v = vux_string(f->s.data(), int32_t(f->s.size()));
    }
    void unicode(const char* name, vux_unicode& v) override {
        const value* f = field(name, value::text);
        if (!f) return;
        std::u16string units;
        vux_utf8_decode(reinterpret_cast<const uint8_t*>(f->s.data()), int32_t(f->s.size()), units);
        v.assign(units.data(), int32_t(units.size()));
    }
    void bytes(const char* name, vux_buffer& v) override {
        if (const bytes_form* form = form_of(name);
            form && seen(name) && member(*fields_, name)->kind == value::array) {
            vux_buffer out;
            std::string why;
            if (!form->build(*member(*fields_, name), out, &why)) return void(bad(name, why));
            v = std::move(out);
            return;
        }
        const value* f = field(name, value::text);
        if (!f) return;
        if (f->s.size() % 2) return void(bad(name, "odd number of hex digits"));
        vux_buffer out;
        for (size_t i = 0; i < f->s.size(); i += 2) {
            const int hi = hex_digit(f->s[i]), lo = hex_digit(f->s[i + 1]);
            if (hi < 0 || lo < 0) return void(bad(name, "not hex"));
            out.append_byte(uint8_t(hi << 4 | lo));
        }
        v = std::move(out);
    }
    void strings(const char* name, vux_string_list& v) override {
        const value* f = field(name, value::array);
        if (!f) return;
        vux_string_list out;
        for (const value& item : f->items) {
            if (item.kind != value::text) return void(bad(name, "a list of texts expected"));
            out.append(vux_string(item.s.data(), int32_t(item.s.size())));
        }
        v.assign(out);
    }
    void integers(const char* name, vux_integer_list& v) override {
        const value* f = field(name, value::array);
        if (!f) return;
        vux_integer_list out;
        for (const value& item : f->items) {
            int32_t n = 0;
            if (!fits(name, &item, n)) return;
            out.append(n);
        }
        v.assign(out);
    }
    void record(const char* name, vux_record& r) override {
        if (const value* f = field(name, value::object)) nest(name, *f, r);
    }
    void records(const char* name, vux_object_list& list, const vux_record_factory& factory) override {
        const value* f = field(name, value::array);
        if (!f) return;
        list.delete_all();
        for (size_t i = 0; i < f->items.size(); ++i) {
            const value& item = f->items[i];
            const std::string at = std::string(name) + "[" + std::to_string(i) + "]";
            std::unique_ptr<vux_record> r = make(at.c_str(), item, factory);
            if (!r) return;
            if (!nest(at.c_str(), item, *r)) return;
            list.append(std::move(r));
        }
    }
    void child(const char* name, std::unique_ptr<vux_record>& c, const vux_record_factory& factory) override {
        if (!seen(name)) return;
        const value* f = member(*fields_, name);
        if (f->kind == value::null) {
            c.reset();
            return;
        }
        std::unique_ptr<vux_record> r = make(name, *f, factory);
        if (r && nest(name, *f, *r)) c = std::move(r);
    }

private:
    void mismatch() override { bad("", "a child of the wrong class"); }

    // The reason, after the path of the value it is about.
    bool bad(const char* name, const std::string& why) {
        if (good_) {
            std::string at = path_;
            if (*name) append_field(at, name);
            fail(error_, (at.empty() ? std::string() : at + ": ") + why);
        }
        good_ = false;
        return false;
    }
    void apply_set(const value& v, vux_record& r) {
        const value* set = member(v, "set");
        if (!set) return;
        if (!set_) return void(bad("", "\"set\" is not taken here"));
        if (set->kind != value::array || set->items.size() % 2)
            return void(bad("", "\"set\" must be a list of names and values"));
        std::vector<std::string> pairs;
        for (const value& item : set->items) {
            if (item.kind != value::text) return void(bad("", "\"set\" must hold texts"));
            pairs.push_back(item.s);
        }
        std::string why;
        if (!(*set_)(r, pairs, why)) bad("", "set: " + why);
    }
    static int hex_digit(char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    }
    const bytes_form* form_of(const char* name) const {
        if (!forms_ || !class_) return nullptr;
        for (const bytes_form& f : *forms_)
            if (f.class_name == class_ && f.field == name) return &f;
        return nullptr;
    }
    // Marks the field as known; false when the JSON leaves it out.
    bool seen(const char* name) {
        if (!good_ || !fields_) return false;
        seen_->insert(name);
        return member(*fields_, name) != nullptr;
    }
    const value* field(const char* name, value::kind_t kind) {
        if (!seen(name)) return nullptr;
        const value* f = member(*fields_, name);
        if (f->kind != kind) {
            bad(name, "a value of another kind expected");
            return nullptr;
        }
        return f;
    }
    template <class T>
    bool fits(const char* name, const value* f, T& out) {
        if (f->kind != value::number) return bad(name, "a number expected");
        if (f->n < std::numeric_limits<T>::min() || f->n > std::numeric_limits<T>::max())
            return bad(name, "number out of range");
        out = T(f->n);
        return true;
    }
    template <class T>
    void whole(const char* name, T& v) {
        if (!seen(name)) return;
        fits(name, member(*fields_, name), v);
    }
    std::unique_ptr<vux_record> make(const char* name, const value& item, const vux_record_factory& factory) {
        if (item.kind != value::object) return bad(name, "a record must be an object"), nullptr;
        std::unique_ptr<vux_record> r;
        if (factory.make) r = factory.make(factory.typed ? int32_t(number(member(item, "type"))) : 0);
        if (!r) bad(name, "no record of type " + std::to_string(number(member(item, "type"))) + " here");
        return r;
    }
    bool nest(const char* name, const value& v, vux_record& r) {
        if (++depth_ > max_depth) return bad(name, "nested too deeply");
        const std::string saved = path_;
        append_field(path_, name);
        const bool done = build(v, r);
        path_ = saved;
        --depth_;
        return done;
    }

    std::string* error_;
    const set_hook* set_;
    std::string path_;  // of the record being built
    const std::vector<bytes_form>* forms_;
    const char* class_ = nullptr;
    const value* fields_ = nullptr;
    std::set<std::string_view>* seen_ = nullptr;
    bool good_ = true;
    int depth_ = 0;
};

}  // namespace

value_ptr parse(std::string_view json, std::string* error) {
    value_ptr v(new value);
    parser p(json);
    if (!p.document(*v)) {
        fail(error, p.error);
        return nullptr;
    }
    return v;
}

bool fill(const value& v, vux_record& r, std::string* error, const set_hook* set, std::string_view path) {
    return builder(error, set, path).build(v, r);
}

bool fill(const value& v, vux_record& r, const std::vector<bytes_form>& forms, std::string* error) {
    return builder(error, nullptr, {}, &forms).build(v, r);
}

bool from_json(std::string_view json, vux_record& r, std::string* error) {
    value_ptr v = parse(json, error);
    return v && fill(*v, r, error);
}

const value* member(const value& object, std::string_view name) {
    if (object.kind != value::object) return nullptr;
    for (const auto& [key, v] : object.pairs)
        if (key == name) return &v;
    return nullptr;
}
const value* element(const value& array, size_t i) {
    return array.kind == value::array && i < array.items.size() ? &array.items[i] : nullptr;
}
size_t size(const value& v) {
    return v.kind == value::array ? v.items.size() : v.kind == value::object ? v.pairs.size() : 0;
}
std::string_view member_name(const value& object, size_t i) {
    return object.kind == value::object && i < object.pairs.size() ? std::string_view(object.pairs[i].first)
                                                                   : std::string_view();
}
const value* member_at(const value& object, size_t i) {
    return object.kind == value::object && i < object.pairs.size() ? &object.pairs[i].second : nullptr;
}
bool is_object(const value& v) { return v.kind == value::object; }
bool is_array(const value& v) { return v.kind == value::array; }
bool is_number(const value& v) { return v.kind == value::number; }
bool is_boolean(const value& v) { return v.kind == value::boolean; }
bool is_text(const value& v) { return v.kind == value::text; }
std::string text(const value* v, std::string_view fallback) {
    return v && v->kind == value::text ? v->s : std::string(fallback);
}
long long number(const value* v, long long fallback) { return v && v->kind == value::number ? v->n : fallback; }
bool boolean(const value* v, bool fallback) { return v && v->kind == value::boolean ? v->flag : fallback; }

}  // namespace vux_record_build
