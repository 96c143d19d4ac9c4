#pragma once
#include <array>
#include <cstdint>
#include "core/vux_link.h"
#include "core/vux_string.h"

// MD5 as RFC 1321 gives it. The protocol's only digest: contact keys, the
// logon's verify digest and the launcher's client-file check.
class orbel_md5 {
public:
    orbel_md5();
    void update(const void* data, size_t length);
    void update(const vux_link& bytes) { update(bytes.data(), size_t(bytes.length() > 0 ? bytes.length() : 0)); }
    // The 16 digest bytes; the object must be reset before further use.
    std::array<uint8_t, 16> finish();
    void reset();

private:
    void block(const uint8_t* p);
    uint32_t state_[4];
    uint64_t bytes_ = 0;  // message length so far
    uint8_t pending_[64];
    size_t pending_length_ = 0;
};

// Appends the digest of the text's bytes to out as 32 lower-case hex digits;
// out is not cleared first.
void orbel_md5_hex_of_string(const vux_string& text, vux_string& out);
// The same over a byte view.
void orbel_md5_hex_of_bytes(const vux_link& bytes, vux_string& out);
// A new string of exactly the 32 digits.
vux_string orbel_md5_hex(const vux_string& text);
// Exactly 32 bytes, each '0'-'9' or 'a'-'f'.
bool orbel_is_md5_hex(const vux_string& text);
