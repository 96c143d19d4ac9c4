#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include "core/vux_link.h"
#include "core/vux_record.h"

// Prints a framed message (desktop 3902-3923, runtime 1300-1309) or a markup
// document (raw "vux+" or packed "vux-") record by record: each record's
// class, type code and fields in wire order. The JSON form also gives the
// header's int32 as "sequence" (a reply's sequence; 0 in documents). A packed document is expanded
// first, and byte offsets then count in the expanded stream.
struct vux_dump_result {
    std::string out;
    bool ok = false;  // every record read whole and the trailer found
    int32_t error_offset = -1;
    std::string error;
};

vux_dump_result vux_dump_stream(const vux_link& bytes, bool json);

// Every class that may stand at the top of a frame or a document, by its type
// code (runtime messages, document records, desktop messages); null for any
// other code. The builder makes records from the same list.
std::unique_ptr<vux_record> vux_make_stream_record(int32_t code);

// The command line: vux_dump [--json] FILE ("-" reads standard input).
// Returns the exit code: 0 whole, 1 a damaged stream, 2 bad usage or an
// unreadable file.
int vux_dump_main(int argc, char** argv, std::string& out, std::string& err);
