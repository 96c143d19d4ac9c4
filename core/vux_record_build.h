#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include "core/vux_record.h"

// Builds records from the JSON form vux_record_dump writes: {"class", "type",
// "fields"}, each field under the name the record's field list gives it.
// Numbers must be whole and fit the field, texts are UTF-8 (a "\u00XX" escape
// stands for the byte XX, as the dumper writes bytes that are not UTF-8), byte
// blocks are hex, lists are arrays, an absent child is null. A field left out
// keeps the record's default; a member other than these (and the dumper's
// "offset"), a name the field list does not know, a value of
// the wrong kind, or a "class" or "type" other than the record's fails, and
// the reason begins with the JSON path of the value that failed
// ("fields.client.fields.children[2].fields.name: a number expected").
namespace vux_record_build {

// A record object may carry "set": [name, value, ...] (texts), which the
// caller applies after the record's fields: the hook gets the record and the
// pairs, and refuses them with a reason. Without a hook "set" is refused.
using set_hook = std::function<bool(vux_record&, const std::vector<std::string>& pairs, std::string& why)>;

// Fills r from one JSON record; false (with a reason) when it does not fit,
// and r is then partly filled.
bool from_json(std::string_view json, vux_record& r, std::string* error = nullptr);

// A JSON value, as the builder parses it; for callers that hold records
// inside JSON of their own (a data file of accounts, a document source).
struct value;
struct value_deleter {
    void operator()(value* v) const;
};
using value_ptr = std::unique_ptr<value, value_deleter>;

// The parsed text; null (with a reason) when it is not JSON.
value_ptr parse(std::string_view json, std::string* error = nullptr);
// Fills r from a parsed JSON record; path names v in the caller's text and
// begins every reason.
bool fill(const value& v, vux_record& r, std::string* error = nullptr, const set_hook* set = nullptr,
          std::string_view path = {});

// A byte field that a data file may also write in a readable form of its own
// (an array, say a list of objects), for data people edit by hand: when that
// field of that class holds an array rather than hex, `build` makes the
// bytes from it (false, with a reason, when it does not fit). The dumper
// still writes hex, which reads back as before.
struct bytes_form {
    std::string_view class_name;
    std::string_view field;
    bool (*build)(const value& array, vux_buffer& out, std::string* error);
};
bool fill(const value& v, vux_record& r, const std::vector<bytes_form>& forms, std::string* error = nullptr);

// Reading the parsed values a caller's own format holds. Null / false / the
// fallback when the value is absent or of another kind.
const value* member(const value& object, std::string_view name);
const value* element(const value& array, size_t i);
size_t size(const value& array_or_object);
// The name of an object's i-th member (in the order of the text).
std::string_view member_name(const value& object, size_t i);
const value* member_at(const value& object, size_t i);
bool is_object(const value& v);
bool is_array(const value& v);
bool is_number(const value& v);
bool is_boolean(const value& v);
bool is_text(const value& v);
std::string text(const value* v, std::string_view fallback = {});
long long number(const value* v, long long fallback = 0);
bool boolean(const value* v, bool fallback);

}  // namespace vux_record_build
