#pragma once
// The packer that matches vux_expand: 12-bit LZW codes, most significant bit
// first, dictionary from 256 up to 4094 without reset, code 4095 at the end,
// the last byte padded with zero bits. The system only ever unpacks; this
// lives here for tests, benchmarks and fuzz seeds. Header-only.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

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

}  // namespace vux_tools
