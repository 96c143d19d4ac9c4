#pragma once
#include <cstdint>
#include <string>

// UTF-8 <-> UTF-16 conversion shared by the string classes.
// Decoding: sequences of 1 to 4 bytes; a four-byte sequence becomes a
// surrogate pair; a surrogate written as its own three-byte sequence passes
// through as that unit, so the pair re-forms. A byte that starts no complete
// sequence is skipped. Never reads past the end; always consumes at least one
// byte per step. Returns the bytes consumed (all of them).
int32_t vux_utf8_decode(const uint8_t* p, int32_t n, std::u16string& out);
// Encoding: each unit on its own, in 1 to 3 bytes; a surrogate pair becomes
// two three-byte sequences, since the service reads no longer sequence (and
// the decoder above joins them again).
void vux_utf8_encode(const char16_t* u, int32_t n, std::string& out);
