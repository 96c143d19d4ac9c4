#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_data.h"

class vux_desktop_news : public vux_record {
public:
    int32_t time = 0;
    int32_t state = 0;
    int32_t comments = 0;  // 1: members may add comments
    vux_string key;
    vux_string author;
    vux_string title;
    vux_string content;
    vux_desktop_data picture;

    const char* class_name() const override { return "vux_desktop_news"; }
    void fields(vux_field_visitor& v) override {
        v.int32("time", time);
        v.int32("state", state);
        v.int32("comments", comments);
        v.string("key", key);
        v.string("author", author);
        v.string("title", title);
        v.string("content", content);
        v.record("picture", picture);
    }
};
