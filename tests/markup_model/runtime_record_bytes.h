#pragma once
// The wire bytes of a record, and any byte view as a vector for comparisons.
#include <cstdint>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_record.h"
#include "core/vux_writer.h"

inline vux_buffer record_bytes(const vux_record& r) {
    vux_buffer out;
    vux_writer w(out);
    r.write(w);
    return out;
}

inline std::vector<uint8_t> byte_vector(const vux_link& b) { return {b.data(), b.data() + b.length()}; }
