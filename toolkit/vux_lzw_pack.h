#pragma once
// The packer that matches vux_expand: 12-bit LZW codes, most significant bit
// first, dictionary from 256 up to 4094 without reset, code 4095 at the end,
// the last byte padded with zero bits. The system only ever unpacks; this
// lives here for tests, benchmarks and fuzz seeds. Header-only.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>
#include "core/vux_expand.h"

namespace vux_tools {

// The codes that stand for data, then 4095.
inline std::vector<uint16_t> lzw_codes(const uint8_t* data, size_t length) {
    std::vector<uint16_t> codes;
    if (length == 0) {
        codes.push_back(4095);
        return codes;
    }
    std::unordered_map<uint32_t, uint16_t> table;  // (prefix code << 8 | byte) -> code
    table.reserve(8192);
    uint16_t next_free = 256;
    uint32_t current = data[0];
    for (size_t i = 1; i < length; ++i) {
        const uint32_t key = current << 8 | data[i];
        auto it = table.find(key);
        if (it != table.end()) {
            current = it->second;
            continue;
        }
        codes.push_back(uint16_t(current));
        if (next_free <= 4094) table.emplace(key, next_free++);
        current = data[i];
    }
    codes.push_back(uint16_t(current));
    codes.push_back(4095);
    return codes;
}

inline std::string lzw_pack_codes(const std::vector<uint16_t>& codes) {
    std::string out;
    uint32_t bits = 0;
    int count = 0;
    for (uint16_t c : codes) {
        bits = bits << 12 | (c & 0xFFFu);
        count += 12;
        while (count >= 8) {
            out.push_back(char(bits >> (count - 8)));
            count -= 8;
        }
    }
    if (count > 0) out.push_back(char(bits << (8 - count)));
    return out;
}

// A packed document: "vux-", a zero byte, a zero int32, then the codes.
inline std::string lzw_pack_document(const std::string& framed) {
    std::string out("vux-\0\0\0\0\0", 9);
    out += lzw_pack_codes(lzw_codes(reinterpret_cast<const uint8_t*>(framed.data()), framed.size()));
    return out;
}

// The plain way to expand the codes of data from offset on, for comparing
// with vux_expand: every code's string is walked down its prefix chain one
// byte at a time. Appends to out; on an error out is left as it was. The
// results and the cap are vux_expand's.
inline vux_expand::result lzw_expand_by_chain(const uint8_t* data, size_t length, size_t offset, std::string& out,
                                              int64_t max_output = vux_expand::default_max_output) {
    using result = vux_expand::result;
    if (offset > length) return result::bad_offset;
    const size_t start = out.size();
    const int64_t limit = int64_t(start) + (max_output > 0 ? max_output : 0);
    auto fail = [&](result r) {
        out.resize(start);
        return r;
    };
    size_t at = offset;
    uint32_t bits = 0;
    int count = 0;
    auto next = [&]() -> int {
        while (count <= 24 && at < length) {
            bits |= uint32_t(data[at++]) << (24 - count);
            count += 8;
        }
        if (count < 12) return 4095;
        const int code = int(bits >> 20);
        bits <<= 12;
        count -= 12;
        return code;
    };
    std::vector<uint16_t> prefix(4096);
    std::vector<uint8_t> suffix(4096);
    int previous = next();
    if (previous == 4095) return fail(result::empty);
    if (previous >= 256) return fail(result::bad_first_code);
    if (limit <= int64_t(start)) return fail(result::too_large);
    out.push_back(char(previous));
    int next_free = 256;
    std::string string;
    for (;;) {
        const int code = next();
        if (code == 4095) break;
        if (code > next_free) return fail(result::bad_code);
        string.clear();
        int walk = code;
        if (code == next_free) walk = previous;
        while (walk >= 256) {
            string.push_back(char(suffix[size_t(walk)]));
            walk = prefix[size_t(walk)];
        }
        string.push_back(char(walk));
        std::string forward(string.rbegin(), string.rend());
        if (code == next_free) forward.push_back(forward[0]);
        if (forward.size() > 4096) return fail(result::chain_too_long);
        if (int64_t(out.size() + forward.size()) > limit) return fail(result::too_large);
        out += forward;
        if (next_free <= 4094) {
            prefix[size_t(next_free)] = uint16_t(previous);
            suffix[size_t(next_free)] = uint8_t(forward[0]);
            ++next_free;
        }
        previous = code;
    }
    return result::ok;
}

}  // namespace vux_tools
