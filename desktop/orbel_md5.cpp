#include "desktop/orbel_md5.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};
constexpr int shifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

uint32_t rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void append_hex(const std::array<uint8_t, 16>& digest, vux_string& out) {
    static const char digits[] = "0123456789abcdef";
    char text[32];
    for (size_t i = 0; i < digest.size(); ++i) {
        text[2 * i] = digits[digest[i] >> 4];
        text[2 * i + 1] = digits[digest[i] & 0xF];
    }
    out.append(text, 32);
}
}  // namespace

orbel_md5::orbel_md5() { reset(); }

void orbel_md5::reset() {
    state_[0] = 0x67452301;
    state_[1] = 0xefcdab89;
    state_[2] = 0x98badcfe;
    state_[3] = 0x10325476;
    bytes_ = 0;
    pending_length_ = 0;
}

void orbel_md5::block(const uint8_t* p) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = uint32_t(p[4 * i]) | uint32_t(p[4 * i + 1]) << 8 | uint32_t(p[4 * i + 2]) << 16 |
               uint32_t(p[4 * i + 3]) << 24;
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        uint32_t f;
        int g;
        switch (round) {
        case 0:
            f = (b & c) | (~b & d);
            g = i;
            break;
        case 1:
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
            break;
        case 2:
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
            break;
        default:
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
            break;
        }
        const uint32_t next = b + rotl(a + f + sines[i] + x[g], shifts[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void orbel_md5::update(const void* data, size_t length) {
    if (!data || length == 0) return;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes_ += length;
    if (pending_length_ > 0) {
        const size_t take = std::min(length, sizeof pending_ - pending_length_);
        std::memcpy(pending_ + pending_length_, p, take);
        pending_length_ += take;
        p += take;
        length -= take;
        if (pending_length_ < sizeof pending_) return;
        block(pending_);
        pending_length_ = 0;
    }
    for (; length >= 64; p += 64, length -= 64) block(p);
    std::memcpy(pending_, p, length);
    pending_length_ = length;
}

std::array<uint8_t, 16> orbel_md5::finish() {
    const uint64_t bits = bytes_ * 8;
    static const uint8_t pad[64] = {0x80};
    const size_t used = size_t(bytes_ % 64);
    update(pad, used < 56 ? 56 - used : 120 - used);
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) length[i] = uint8_t(bits >> (8 * i));
    update(length, 8);
    std::array<uint8_t, 16> digest;
    for (int i = 0; i < 16; ++i) digest[size_t(i)] = uint8_t(state_[i / 4] >> (8 * (i % 4)));
    return digest;
}

void orbel_md5_hex_of_bytes(const vux_link& bytes, vux_string& out) {
    orbel_md5 md5;
    md5.update(bytes);
    append_hex(md5.finish(), out);
}

void orbel_md5_hex_of_string(const vux_string& text, vux_string& out) {
    orbel_md5 md5;
    md5.update(text.data(), size_t(text.length()));
    append_hex(md5.finish(), out);
}

vux_string orbel_md5_hex(const vux_string& text) {
    vux_string out;
    orbel_md5_hex_of_string(text, out);
    return out;
}

bool orbel_is_md5_hex(const vux_string& text) {
    if (text.length() != 32) return false;
    for (int32_t i = 0; i < 32; ++i) {
        const uint8_t c = text.byte_at(i);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}
