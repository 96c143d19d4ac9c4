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
// Encoding: a well-formed surrogate pair becomes one four-byte sequence; a
// lone surrogate is written as its own three-byte sequence.
void vux_utf8_encode(const char16_t* u, int32_t n, std::string& out);
