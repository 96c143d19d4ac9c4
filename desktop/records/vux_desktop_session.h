#pragma once
#include "core/vux_record.h"

// What the verify response hands out at logon; every later request ends with
// a copy, so the service knows whose request it is.
class vux_desktop_session : public vux_record {
public:
    int32_t id = 0;  // also keys the password's TEA text form
    vux_string text1;
    vux_string account;  // the signed-in account's name
    vux_string text3;

    const char* class_name() const override { return "vux_desktop_session"; }
    void fields(vux_field_visitor& v) override {
        v.int32("id", id);
        v.string("text1", text1);
        v.string("account", account);
        v.string("text3", text3);
    }
};
