#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "markup/model/vux_credential_list.h"
#include "markup/runtime/vux_environment.h"

// What the runtime keeps between runs: the credentials of its handsets and
// the persistent variables. The host stores the bytes and hands them back at
// start-up, so a read must never leave a half-read store behind.
class vux_private : public vux_record {
public:
    static constexpr int32_t tag = 19620820;  // 0x12B63D4, first int of the stream

    const char* class_name() const override { return "vux_private"; }
    void fields(vux_field_visitor& v) override;

    bool has_credential() const { return credentials.has_credential(); }
    void forget_current() { credentials.forget_current(); }
    void clear();

    vux_credential_list credentials;
    vux_environment variables;
};
