#pragma once
#include <cstdint>
#include <string>
#include "core/vux_link.h"

// Prints a framed message (desktop 3902-3923, runtime 1300-1309) or a markup
// document (raw "vux+" or packed "vux-") record by record: each record's
// class, type code and fields in wire order. A packed document is expanded
// first, and byte offsets then count in the expanded stream.
struct vux_dump_result {
    std::string out;
    bool ok = false;          // every record read whole and the trailer found
    int32_t error_offset = -1;
    std::string error;
};

vux_dump_result vux_dump_stream(const vux_link& bytes, bool json);

// The command line: vux_dump [--json] FILE ("-" reads standard input).
// Returns the exit code: 0 whole, 1 a damaged stream, 2 bad usage or an
// unreadable file.
int vux_dump_main(int argc, char** argv, std::string& out, std::string& err);
