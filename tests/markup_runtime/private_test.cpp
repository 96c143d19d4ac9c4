#include <gtest/gtest.h>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "markup/runtime/vux_private.h"
#include "markup_model/runtime_record_bytes.h"

namespace {

vux_buffer sample_store() {
    vux_private store;
    store.credentials.device_key(vux_string("999000000000000"));
    store.credentials.store("user", "pass");
    store.variables.assign(vux_string("__key_connected"), vux_string("ok"));
    store.variables.assign(vux_string("city"), vux_string("Xi'an"));
    return record_bytes(store);
}

TEST(Private, StreamBeginsWithTheTagAndRoundTrips) {
    const vux_buffer bytes = sample_store();
    ASSERT_GE(bytes.length(), 4);
    EXPECT_EQ(vux_reader::decode_uint32(bytes.data()), 19620820u);
    EXPECT_EQ(byte_vector(record_bytes(vux_private())),
              (std::vector<uint8_t>{0x01, 0x2B, 0x63, 0xD4, 0, 0, 0, 0, 0, 0, 0, 0}));

    vux_private back;
    back.credentials.device_key(vux_string("999000000000000"));
    vux_reader r(bytes);
    back.read(r);
    ASSERT_FALSE(r.has_error());
    EXPECT_TRUE(back.has_credential());
    vux_string city;
    EXPECT_TRUE(back.variables.get(vux_string("city"), city));
    EXPECT_EQ(city.str(), "Xi'an");
    EXPECT_EQ(byte_vector(record_bytes(back)), byte_vector(bytes));

    back.forget_current();
    EXPECT_FALSE(back.has_credential());
}

TEST(Private, ForeignBytesLeaveTheStoreAsItWas) {
    vux_private store;
    store.credentials.device_key(vux_string("k"));
    store.credentials.store("u", "p");
    const std::vector<uint8_t> foreign = {0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0};
    vux_link view(foreign.data(), int32_t(foreign.size()));
    vux_reader r(view);
    store.read(r);
    EXPECT_TRUE(store.has_credential());
    EXPECT_EQ(r.position(), 4);  // nothing read past the tag
}

TEST(Private, AnyTruncationDiscardsTheWholeStore) {
    // Cut anywhere, even inside the variables after a whole credential: the
    // store must not keep a credential that logon would then send.
    const vux_buffer bytes = sample_store();
    for (int32_t n = 0; n < bytes.length(); ++n) {
        vux_link cut(bytes.data(), n);
        vux_reader r(cut);
        vux_private store;
        store.credentials.device_key(vux_string("999000000000000"));
        store.credentials.store("earlier", "kept?");
        store.read(r);
        EXPECT_TRUE(r.has_error()) << n;
        EXPECT_EQ(store.credentials.count(), 0) << n;
        EXPECT_EQ(store.variables.count(), 0) << n;
    }
}

}  // namespace
