#include "toolkit/vux_dumper.h"
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_expand.h"
#include "core/vux_reader.h"
#include "core/vux_record_dump.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/vux_desktop_accept.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_runtime_messages.h"

namespace {

const char* expand_reason(vux_expand::result r) {
    switch (r) {
    case vux_expand::result::ok: return "ok";
    case vux_expand::result::empty: return "no codes";
    case vux_expand::result::bad_first_code: return "the first code is no byte";
    case vux_expand::result::bad_code: return "a code past the dictionary";
    case vux_expand::result::chain_too_long: return "a dictionary chain too long";
    case vux_expand::result::too_large: return "the output passes the size cap";
    case vux_expand::result::bad_offset: return "no codes after the header";
    }
    return "unknown";
}

class printer {
public:
    printer(bool json, bool packed, int32_t length, int32_t sequence) : json_(json) {
        if (json_) {
            out_ = "{\"packed\":" + std::string(packed ? "true" : "false") + ",\"length\":" + std::to_string(length) +
                   ",\"sequence\":" + std::to_string(sequence) + ",\"records\":[";
        } else {
            out_ = std::string(packed ? "packed document, " : "") + std::to_string(length) +
                   (packed ? " bytes expanded\n" : " bytes\n");
        }
    }

    void record(int32_t offset, vux_record& r) {
        if (json_) {
            // {"class":...} becomes {"offset":N,"class":...}
            std::string body = vux_record_dump::to_json(r);
            out_ += (first_ ? "" : ",") + std::string("{\"offset\":") + std::to_string(offset) + "," + body.substr(1);
            first_ = false;
        } else {
            out_ += "@" + std::to_string(offset) + " " + vux_record_dump::to_text(r);
        }
    }

    std::string finish(int32_t error_offset, const std::string& error) {
        if (json_) {
            out_ += "],\"error\":";
            if (error.empty()) {
                out_ += "null";
            } else {
                out_ += "{\"offset\":" + std::to_string(error_offset) + ",\"message\":";
                vux_record_dump::append_json_string(out_, error.data(), error.size());
                out_ += "}";
            }
            out_ += "}\n";
        } else if (!error.empty()) {
            out_ += "error at byte " + std::to_string(error_offset) + ": " + error + "\n";
        }
        return out_;
    }

private:
    bool json_;
    bool first_ = true;
    std::string out_;
};

}  // namespace

std::unique_ptr<vux_record> vux_make_stream_record(int32_t code) {
    if (auto r = vux_make_runtime_message(code)) return r;
    if (auto r = vux_model_make_record(code)) return r;
    return vux_make_message(vux_desktop_message_table(), code);
}

vux_dump_result vux_dump_stream(const vux_link& input, bool json) {
    vux_dump_result result;
    vux_buffer expanded;
    const bool packed = vux_expand::is_packed(input.data(), input.length());
    auto fail_early = [&](int32_t offset, std::string message) {
        printer p(json, packed, input.length(), 0);
        result.error_offset = offset;
        result.error = std::move(message);
        result.out = p.finish(offset, result.error);
        return result;
    };
    if (packed) {
        vux_expand::result r = vux_expand::unpack(input, expanded);
        if (r != vux_expand::result::ok)
            return fail_early(vux_expand::header_length,
                              std::string("the packed codes do not expand: ") + expand_reason(r));
    }
    const vux_link stream = packed ? vux_link(expanded.data(), expanded.length()) : input;

    vux_reader reader(stream);
    std::string error;
    int32_t error_offset = -1;
    if (!reader.read_header()) {
        error_offset = 0;
        error = "no frame header (\"vux+\", a byte and an int32)";
    }
    const int32_t sequence = error.empty() ? int32_t(vux_reader::decode_uint32(stream.data() + 5)) : 0;
    printer p(json, packed, stream.length(), sequence);
    while (error.empty() && !reader.at_trailer()) {
        const int32_t at = reader.position();
        const int32_t code = reader.read_int32();
        if (reader.has_error()) {
            error_offset = at;
            error = "the stream ends without the trailer \"+xuv\"";
            break;
        }
        std::unique_ptr<vux_record> record = vux_make_stream_record(code);
        if (!record) {
            error_offset = at;
            error = "unknown type code " + std::to_string(code);
            break;
        }
        record->read(reader);
        if (reader.has_error()) {
            error_offset = reader.position();
            error = std::string(record->class_name()) + " (" + std::to_string(code) + ") from byte " +
                    std::to_string(at) + " is cut short or holds a code it cannot take";
            break;
        }
        p.record(at, *record);
    }
    result.ok = error.empty();
    result.error = error;
    result.error_offset = error_offset;
    result.out = p.finish(error_offset, error);
    return result;
}

int vux_dump_main(int argc, char** argv, std::string& out, std::string& err) {
    const std::string usage = "usage: vux_dump [--json] FILE   (FILE \"-\" reads standard input)\n";
    bool json = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h") {
            out += usage;
            return 0;
        } else if (!path && (arg == "-" || arg.empty() || arg[0] != '-')) {
            path = argv[i];
        } else {
            err += usage;
            return 2;
        }
    }
    if (!path) {
        err += usage;
        return 2;
    }
    std::vector<char> bytes;
    if (std::string(path) == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            err += std::string("vux_dump: cannot read ") + path + "\n";
            return 2;
        }
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    if (bytes.size() > size_t(vux_buffer::max_capacity)) {
        err += std::string("vux_dump: ") + path + " is too large\n";
        return 2;
    }
    vux_dump_result r = vux_dump_stream(vux_link(bytes.data(), int32_t(bytes.size())), json);
    out += r.out;
    return r.ok ? 0 : 1;
}
