#pragma once
#include <string>
#include <string_view>

// Builds a markup document or a framed message from the JSON form that
// `vux_dump --json` prints, its inverse:
//   {"packed": false, "sequence": 0, "records": [{"class", "type", "fields"}, ...]}
// "sequence" is the header's int32 (0 when left out); "length" and "error"
// (which must be null) are the dumper's and are ignored; each record's
// "offset" likewise. Records are made by type code and filled through their
// field lists (core/vux_record_build); an element may add
// "set": [name, value, ...], applied through its set_property after its
// fields. "packed": true packs the stream (LZW, "vux-"), as does the caller's
// force_packed. A failure names the JSON path of the value at fault
// ("records[2].fields.client.fields.children[0]: no record of type 7 here").
struct vux_build_result {
    std::string bytes;
    bool ok = false;
    std::string error;
};

vux_build_result vux_build_stream(std::string_view json, bool force_packed = false);

// The command line: vux_build [--packed] [-o OUT] IN.json ("-" reads standard
// input; without -o the bytes go to out). Returns the exit code: 0 built,
// 1 the JSON does not describe a stream, 2 bad usage or an unreadable or
// unwritable file.
int vux_build_main(int argc, char** argv, std::string& out, std::string& err);
