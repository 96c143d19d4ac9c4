#include <gtest/gtest.h>
#include <string>
#include "core/vux_tea.h"

TEST(Tea, PublishedVectorsBothDirections) {
    struct row {
        uint32_t key[4], plain[2], cipher[2];
    } rows[] = {
        {{0, 0, 0, 0}, {0, 0}, {0x41EA3A0A, 0x94BAA940}},
        {{0, 0, 0, 0}, {0x01020304, 0x05060708}, {0x6A2F9CF3, 0xFCCF3C55}},
        {{0x01234567, 0x12345678, 0x23456789, 0x3456789A}, {0, 0}, {0x34E943B0, 0x900F5DCB}},
        {{0x01234567, 0x12345678, 0x23456789, 0x3456789A}, {0x01020304, 0x05060708}, {0x773DC179, 0x878A81C0}},
    };
    for (const row& r : rows) {
        const vux_tea tea(r.key[0], r.key[1], r.key[2], r.key[3]);
        uint32_t block[2] = {r.plain[0], r.plain[1]};
        tea.encipher(block);
        EXPECT_EQ(block[0], r.cipher[0]);
        EXPECT_EQ(block[1], r.cipher[1]);
        tea.decipher(block);
        EXPECT_EQ(block[0], r.plain[0]);
        EXPECT_EQ(block[1], r.plain[1]);
    }
}

TEST(Tea, KeyTextWordsAreBigEndianAndUnfilledWordsZero) {
    // The password change keys with the session id as 8 hex digits: words
    // k0 and k1 from the text, k2 and k3 zero. The service uses the same rule.
    const vux_tea eight(vux_string("0000002a"));
    EXPECT_EQ(eight.key_word(0), 0x30303030u);
    EXPECT_EQ(eight.key_word(1), 0x30303261u);
    EXPECT_EQ(eight.key_word(2), 0u);
    EXPECT_EQ(eight.key_word(3), 0u);
    const vux_tea eleven(vux_string("abcdefghijk"));  // word 2 has only 3 of its bytes
    EXPECT_EQ(eleven.key_word(1), 0x65666768u);
    EXPECT_EQ(eleven.key_word(2), 0u);
    const vux_tea sixteen(vux_string("\x01\x23\x45\x67\x12\x34\x56\x78\x23\x45\x67\x89\x34\x56\x78\x9a", 16));
    vux_string text;
    sixteen.encrypt_to_text(vux_string("\x01\x02\x03\x04\x05\x06\x07\x08", 8), text);
    EXPECT_EQ(text.str(), "vux*00000008773dc179878a81c0");
}

TEST(Tea, TextFormLengthsAndRoundTrip) {
    const vux_tea tea(vux_string("0000002a"));
    vux_string text, back;
    tea.encrypt_to_text(vux_string(""), text);
    EXPECT_EQ(text.str(), "vux*00000000");
    EXPECT_TRUE(tea.decrypt_text(text, back));
    EXPECT_TRUE(back.empty());

    tea.encrypt_to_text(vux_string("12345678"), text);
    EXPECT_EQ(text.length(), 28);
    tea.encrypt_to_text(vux_string("123456789"), text);
    EXPECT_EQ(text.length(), 44);
    EXPECT_EQ(text.str().substr(0, 12), "vux*00000009");
    EXPECT_EQ(vux_tea::text_length(text), 9);
    EXPECT_TRUE(vux_tea::is_cipher_text(text));
    ASSERT_TRUE(tea.decrypt_text(text, back));
    EXPECT_EQ(back.str(), "123456789");

    const std::string secret = "\xe6\x96\xb0\xe5\xaf\x86\xe7\xa0\x81 pass\0word";  // UTF-8 and a zero byte
    tea.encrypt_to_text(vux_string(secret.data(), int32_t(secret.size())), text);
    ASSERT_TRUE(tea.decrypt_text(text, back));
    EXPECT_EQ(back.str(), secret);
    // Another key does not give the text back.
    ASSERT_TRUE(vux_tea(vux_string("0000002b")).decrypt_text(text, back));
    EXPECT_NE(back.str(), secret);
}

TEST(Tea, RecognisesTheTextForm) {
    const std::string blocks = "0123456789abcdef";
    struct row {
        std::string text;
        bool cipher;
        int32_t length;
    } rows[] = {
        {"vux*00000000", false, 0},
        {"vux*00000008" + blocks.substr(0, 15), false, 8},
        {"vux*00000008" + blocks, true, 8},
        {"vux*00000008" + std::string("0123456789ABCDEF"), true, 8},
        {"vux*0000001a" + blocks + blocks, true, 26},
        {"vux*00000008" + blocks.substr(0, 15) + "g", false, 8},
        {"vux*0000000g" + blocks, false, 0},
        {"vux+00000008" + blocks, false, 0},
        {"vux*0000", false, 0},
        {"vux*ffffffff" + blocks, true, INT32_MAX},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        const vux_string t(r.text);
        EXPECT_EQ(vux_tea::is_cipher_text(t), r.cipher);
        EXPECT_EQ(vux_tea::text_length(t), r.length);
    }
    // A length field that the blocks cannot hold, or that leaves a whole
    // block unused, is no text of this form.
    const vux_tea tea(vux_string(""));
    vux_string back;
    EXPECT_FALSE(tea.decrypt_text(vux_string("vux*00000009" + blocks), back));
    EXPECT_FALSE(tea.decrypt_text(vux_string("vux*00000008" + blocks + blocks), back));
    EXPECT_FALSE(tea.decrypt_text(vux_string("vux*00000001"), back));
}
