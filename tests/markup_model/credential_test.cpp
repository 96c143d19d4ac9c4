#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "markup/model/vux_credential_list.h"
#include "markup_model/runtime_record_bytes.h"

namespace {

TEST(Credential, DeviceKeyForms) {
    const struct {
        const char* key;
        bool valid;
    } cases[] = {
        {"999000000000000", true},   {"-12345678901234", true},  // minus and 14 digits, the first not 0
        {"-02345678901234", false},                              // leading zero after the minus
        {"012345678901234", false},                              // leading zero, and no "X"
        {"X0123456789ABCD", true},   {"XFFFFFFFFFFFFFF", true},
        {"X0123456789abcd", false},  // lower-case hex
        {"x0123456789ABCD", false},  {"X0123456789ABCG", false},
        {"99900000000000", false},    // 14 characters
        {"9990000000000000", false},  // 16
        {"X0123456789ABC", false},   {"", false},
        {"12345678901234a", false},
    };
    vux_credential_list list;
    for (const auto& c : cases) {
        list.device_key(vux_string(c.key));
        EXPECT_EQ(list.is_valid_device_key(), c.valid) << c.key;
    }
}

TEST(Credential, StoreKeepsOneCredentialPerKeyAndUser) {
    vux_credential_list list;
    list.device_key(vux_string("111111111111111"));
    list.store("ann", "p1");
    list.device_key(vux_string("222222222222222"));
    list.store("bob", "p2");
    ASSERT_EQ(list.count(), 2);

    // ann registers again from the second handset: her old credential and
    // bob's (same key) both go.
    list.store("ann", "p3");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0)->user.str(), "ann");
    EXPECT_EQ(list.at(0)->device_key.str(), "222222222222222");
    vux_string user = "unchanged", password = "unchanged";
    EXPECT_TRUE(list.get_user(user));
    EXPECT_TRUE(list.get_password(password));
    EXPECT_EQ(user.str(), "ann");
    EXPECT_EQ(password.str(), "p3");
    EXPECT_EQ(list.index_of_user("ann"), 0);
    EXPECT_EQ(list.index_of_user("bob"), -1);

    list.device_key(vux_string("111111111111111"));
    EXPECT_FALSE(list.has_credential());
    EXPECT_EQ(list.index_of_key(), -1);
    EXPECT_FALSE(list.get_user(user));
    EXPECT_FALSE(list.get_password(password));
    EXPECT_EQ(user.str(), "ann");
    EXPECT_EQ(password.str(), "p3");
}

TEST(Credential, ListStreamIsCountAndBodies) {
    vux_credential_list list;
    list.device_key(vux_string("k"));
    list.store("u", "p");
    list.device_key(vux_string("l"));
    list.store("v", "q");
    const std::vector<uint8_t> expected = {
        0, 0, 0, 2,                                                     // count
        0, 0, 0, 1, 'k', 0, 0, 0, 1, 'u', 0, 0, 0, 1, 'p', 0, 0, 0, 0,  // key, user, password, extras
        0, 0, 0, 1, 'l', 0, 0, 0, 1, 'v', 0, 0, 0, 1, 'q', 0, 0, 0, 0,
    };
    const vux_buffer bytes = record_bytes(list);
    EXPECT_EQ(byte_vector(bytes), expected);

    vux_credential_list back;
    vux_reader r(bytes);
    back.read(r);
    EXPECT_FALSE(r.has_error());
    EXPECT_EQ(byte_vector(record_bytes(back)), expected);
    EXPECT_TRUE(back.device_key().empty());  // the current key is the host's, never stored

    for (int32_t n = 0; n < bytes.length(); ++n) {
        vux_link cut(bytes.data(), n);
        vux_reader rc(cut);
        vux_credential_list partial;
        partial.read(rc);
        EXPECT_TRUE(rc.has_error()) << n;
    }
}

TEST(Credential, ForgetRemovesEveryMatch) {
    // A stored list may hold the same key or user twice (written by another
    // version, or edited): forgetting must leave none of them behind.
    vux_credential_list dup;
    const std::vector<uint8_t> stream = {
        0, 0,   0,   3, 0, 0, 0, 1, 'k', 0, 0, 0, 2, 'u', '1', 0,   0, 0, 0, 0, 0,   0,   0, 0, 0, 0, 1, 'k', 0, 0, 0,
        2, 'u', '2', 0, 0, 0, 0, 0, 0,   0, 0, 0, 0, 0,   1,   'm', 0, 0, 0, 2, 'u', '1', 0, 0, 0, 0, 0, 0,   0, 0,
    };
    vux_link view(stream.data(), int32_t(stream.size()));
    vux_reader r(view);
    dup.read(r);
    ASSERT_FALSE(r.has_error());
    ASSERT_EQ(dup.count(), 3);

    dup.device_key(vux_string("k"));
    dup.forget_current();
    ASSERT_EQ(dup.count(), 1);
    EXPECT_EQ(dup.at(0)->device_key.str(), "m");

    vux_reader again(view);
    dup.read(again);
    ASSERT_EQ(dup.count(), 3);
    dup.forget_user("u1");
    ASSERT_EQ(dup.count(), 1);
    EXPECT_EQ(dup.at(0)->user.str(), "u2");
}

}  // namespace
