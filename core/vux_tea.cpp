#include "core/vux_tea.h"
#include <cstring>
#include "core/vux_be32.h"
#include "core/vux_hex.h"
#include "core/vux_reader.h"

namespace {

constexpr uint32_t delta = 0x9E3779B9u;
constexpr int32_t rounds = 32;

uint32_t be32(const uint8_t* p) { return vux_load_be32(p); }

void put_be32(uint8_t* p, uint32_t v) { vux_store_be32(p, v); }

bool has_magic_and_length(const vux_string& text) {
    return text.length() >= vux_tea::header_chars && std::memcmp(text.data(), "vux*", 4) == 0 &&
           vux_hex::is_hex(text.data() + 4, 8);
}

// 8 hex digits of either case, as an unsigned value.
uint32_t hex_word(const char* p) {
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i) v = v << 4 | uint32_t(vux_hex::digit_value(uint8_t(p[i])));
    return v;
}

}  // namespace

vux_tea::vux_tea(const vux_string& key) : k_{0, 0, 0, 0} {
    for (int32_t i = 0; i < 4; ++i)
        if (key.length() >= 4 * i + 4) k_[i] = be32(key.bytes() + 4 * i);
}

void vux_tea::encipher(uint32_t block[2]) const {
    uint32_t v0 = block[0], v1 = block[1], sum = 0;
    for (int32_t i = 0; i < rounds; ++i) {
        sum += delta;
        v0 += ((v1 << 4) + k_[0]) ^ (v1 + sum) ^ ((v1 >> 5) + k_[1]);
        v1 += ((v0 << 4) + k_[2]) ^ (v0 + sum) ^ ((v0 >> 5) + k_[3]);
    }
    block[0] = v0;
    block[1] = v1;
}

void vux_tea::decipher(uint32_t block[2]) const {
    uint32_t v0 = block[0], v1 = block[1], sum = delta * uint32_t(rounds);
    for (int32_t i = 0; i < rounds; ++i) {
        v1 -= ((v0 << 4) + k_[2]) ^ (v0 + sum) ^ ((v0 >> 5) + k_[3]);
        v0 -= ((v1 << 4) + k_[0]) ^ (v1 + sum) ^ ((v1 >> 5) + k_[1]);
        sum -= delta;
    }
    block[0] = v0;
    block[1] = v1;
}

void vux_tea::encrypt_to_text(const vux_link& plain, vux_string& out) const {
    const int32_t n = plain.length();
    out.clear();
    out.reserve(header_chars + (n + 7) / 8 * block_chars);
    out.append("vux*").append(vux_hex::format(n));
    for (int32_t at = 0; at < n; at += 8) {
        uint8_t bytes[8] = {};
        std::memcpy(bytes, plain.data() + at, size_t(n - at < 8 ? n - at : 8));
        uint32_t block[2] = {be32(bytes), be32(bytes + 4)};
        encipher(block);
        out.append(vux_hex::format(int32_t(block[0]))).append(vux_hex::format(int32_t(block[1])));
    }
}

bool vux_tea::decrypt_text(const vux_string& text, vux_string& out) const {
    out.clear();
    if (text.length() == header_chars && has_magic_and_length(text)) return hex_word(text.data() + 4) == 0;
    if (!is_cipher_text(text)) return false;
    const int32_t blocks = (text.length() - header_chars) / block_chars;
    const uint32_t n = hex_word(text.data() + 4);
    // The plain text fills the last block at least in part; anything else
    // is not a text this form produces.
    if (n > uint32_t(blocks) * 8 || n <= uint32_t(blocks - 1) * 8) return false;
    out.reserve(int32_t(n));
    const char* p = text.data() + header_chars;
    uint8_t bytes[8];
    for (int32_t b = 0; b < blocks; ++b, p += block_chars) {
        uint32_t block[2] = {hex_word(p), hex_word(p + 8)};
        decipher(block);
        put_be32(bytes, block[0]);
        put_be32(bytes + 4, block[1]);
        const uint32_t left = n - uint32_t(b) * 8;
        out.append(reinterpret_cast<const char*>(bytes), int32_t(left < 8 ? left : 8));
    }
    return true;
}

bool vux_tea::is_cipher_text(const vux_string& text) {
    if (!has_magic_and_length(text)) return false;
    const int32_t rest = text.length() - header_chars;
    return rest > 0 && rest % block_chars == 0 && vux_hex::is_hex(text.data() + header_chars, rest);
}

int32_t vux_tea::text_length(const vux_string& text) {
    if (!has_magic_and_length(text)) return 0;
    const uint32_t v = hex_word(text.data() + 4);
    return v > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(v);
}
