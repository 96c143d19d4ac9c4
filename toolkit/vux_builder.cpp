#include "toolkit/vux_builder.h"
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_record_build.h"
#include "core/vux_writer.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_element_text.h"
#include "toolkit/vux_dumper.h"
#include "toolkit/vux_lzw_pack.h"

namespace json = vux_record_build;

namespace {

// An element's "set" list: the keywords its own set_property reads. Elements
// that show a text take the text's keywords; others take none.
bool set_properties(vux_record& r, const std::vector<std::string>& pairs, std::string& why) {
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        const vux_string name(pairs[i].data(), int32_t(pairs[i].size()));
        const vux_string value(pairs[i + 1].data(), int32_t(pairs[i + 1].size()));
        if (auto* box = dynamic_cast<vux_element_box*>(&r)) {
            box->set_property(name, value);  // a box ignores names it does not know
            continue;
        }
        vux_element_text* text = dynamic_cast<vux_element_text*>(&r);
        if (auto* image = dynamic_cast<vux_element_image*>(&r)) text = &image->text;
        if (auto* segment = dynamic_cast<vux_element_segment*>(&r)) text = &segment->text;
        if (!text) {
            why = std::string(r.class_name()) + " takes no properties";
            return false;
        }
        if (!text->set_property(name, value)) {
            why = "no property " + pairs[i];
            return false;
        }
    }
    return true;
}

vux_build_result failed(std::string why) {
    vux_build_result r;
    r.error = std::move(why);
    return r;
}

}  // namespace

vux_build_result vux_build_stream(std::string_view text, bool force_packed) {
    std::string why;
    json::value_ptr doc = json::parse(text, &why);
    if (!doc) return failed(why);
    if (!json::is_object(*doc)) return failed("the stream must be an object");
    for (size_t i = 0; i < json::size(*doc); ++i) {
        const std::string_view key = json::member_name(*doc, i);
        if (key != "packed" && key != "sequence" && key != "records" && key != "length" && key != "error")
            return failed(std::string(key) + ": no such member of a stream");
    }
    const json::value* error = json::member(*doc, "error");
    if (error && (json::is_object(*error) || json::is_array(*error) || !json::text(error, "").empty()))
        return failed("error: the dump names a damaged stream");
    const json::value* packed = json::member(*doc, "packed");
    if (packed && !json::is_boolean(*packed)) return failed("packed: true or false expected");
    const json::value* sequence = json::member(*doc, "sequence");
    const long long seq = json::number(sequence, 0);
    if (sequence && (!json::is_number(*sequence) || seq < INT32_MIN || seq > INT32_MAX))
        return failed("sequence: a 32-bit number expected");
    const json::value* records = json::member(*doc, "records");
    if (!records || !json::is_array(*records)) return failed("records: a list of records expected");

    vux_buffer stream;
    vux_writer w(stream);
    w.write_header(0, int32_t(seq));
    const json::set_hook hook = set_properties;
    for (size_t i = 0; i < json::size(*records); ++i) {
        const json::value& item = *json::element(*records, i);
        const std::string at = "records[" + std::to_string(i) + "]";
        const json::value* type = json::member(item, "type");
        if (!json::is_object(item) || !type || !json::is_number(*type))
            return failed(at + ": a record with its \"type\" expected");
        const long long code = json::number(type);
        std::unique_ptr<vux_record> r =
            code >= INT32_MIN && code <= INT32_MAX ? vux_make_stream_record(int32_t(code)) : nullptr;
        if (!r) return failed(at + ".type: no record of type " + std::to_string(code));
        if (!json::fill(item, *r, &why, &hook, at)) return failed(why);
        w.write_int32(r->type_code());
        r->write(w);
    }
    w.write_trailer();
    if (w.failed()) return failed("the stream is too large");

    vux_build_result result;
    result.ok = true;
    result.bytes.assign(reinterpret_cast<const char*>(stream.data()), size_t(stream.length()));
    if (force_packed || json::boolean(packed, false)) {
        result.bytes = vux_tools::lzw_pack_document(result.bytes);
        // The packed header carries the sequence too: a reply is matched by
        // it before it is expanded.
        result.bytes.replace(5, 4, reinterpret_cast<const char*>(stream.data()) + 5, 4);
    }
    return result;
}

int vux_build_main(int argc, char** argv, std::string& out, std::string& err) {
    const std::string usage = "usage: vux_build [--packed] [-o OUT] IN.json   (IN \"-\" reads standard input)\n";
    bool packed = false;
    const char* in = nullptr;
    const char* out_path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--packed") {
            packed = true;
        } else if (arg == "-o" && i + 1 < argc && !out_path) {
            out_path = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            out += usage;
            return 0;
        } else if (!in && (arg == "-" || (!arg.empty() && arg[0] != '-'))) {
            in = argv[i];
        } else {
            err += usage;
            return 2;
        }
    }
    if (!in) {
        err += usage;
        return 2;
    }
    std::string text;
    if (std::string(in) == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream file(in, std::ios::binary);
        if (!file) {
            err += std::string("vux_build: cannot read ") + in + "\n";
            return 2;
        }
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    vux_build_result r = vux_build_stream(text, packed);
    if (!r.ok) {
        err += std::string("vux_build: ") + in + ": " + r.error + "\n";
        return 1;
    }
    if (!out_path) {
        out += r.bytes;
        return 0;
    }
    std::ofstream file(out_path, std::ios::binary | std::ios::trunc);
    file.write(r.bytes.data(), std::streamsize(r.bytes.size()));
    file.close();
    if (!file) {
        err += std::string("vux_build: cannot write ") + out_path + "\n";
        return 2;
    }
    return 0;
}
