#pragma once
#include <cstdint>
#include "core/vux_link.h"
#include "core/vux_object.h"
#include "core/vux_string.h"

// The text form of secrets inside messages: TEA (32 rounds) over 8-byte
// blocks, written as "vux*", the plain length as 8 hex digits, then each
// enciphered block as two 8-digit words, all lower-case.
//
// The key is built by the caller at run time (for a password change it is
// the session id in clear), so this hides a secret from casual view only; it
// is the protocol's form, not protection on the wire.
class vux_tea : public vux_object {
public:
    static constexpr int32_t header_chars = 12;  // "vux*" + 8 hex digits
    static constexpr int32_t block_chars = 16;

    // Bytes 0-15 of the key text as four big-endian words; a word the text
    // does not fill with all four of its bytes is 0. The service deciphers
    // under the same rule.
    explicit vux_tea(const vux_string& key);
    vux_tea(uint32_t k0, uint32_t k1, uint32_t k2, uint32_t k3) : k_{k0, k1, k2, k3} {}

    void encrypt_to_text(const vux_link& plain, vux_string& out) const;
    void encrypt_to_text(const vux_string& plain, vux_string& out) const { encrypt_to_text(plain.as_link(), out); }
    // The reverse, for the service side: false (out empty) unless text is
    // the form of some plain text: a cipher text whose length ends in its
    // last block, or the magic and "00000000" alone for the empty text.
    bool decrypt_text(const vux_string& text, vux_string& out) const;

    void encipher(uint32_t block[2]) const;
    void decipher(uint32_t block[2]) const;

    // "vux*", 8 hex digits, then a positive multiple of 16 hex digits
    // (either case).
    static bool is_cipher_text(const vux_string& text);
    // The value of the 8 hex digits after the magic; 0 when the text does
    // not begin with them, and never negative (a value above the int32
    // range reads as its largest value).
    static int32_t text_length(const vux_string& text);

    uint32_t key_word(int32_t i) const { return (i >= 0 && i < 4) ? k_[i] : 0; }

private:
    uint32_t k_[4];
};
