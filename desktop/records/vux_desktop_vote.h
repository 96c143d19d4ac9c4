#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_data.h"

class vux_desktop_vote : public vux_record {
public:
    int32_t time = 0;
    int32_t state = 0;
    int32_t members_only = 0;
    int32_t comments = 0;
    int32_t valid_days = 0;  // 0: no limit
    int32_t max_selections = 0;
    vux_string key;
    vux_string author;
    vux_string content;
    vux_string_list options;
    // One count per option as the service means it; the wire does not
    // promise it, so read counts through count_of.
    vux_integer_list counts;
    vux_desktop_data picture;

    const char* class_name() const override { return "vux_desktop_vote"; }
    void fields(vux_field_visitor& v) override {
        v.int32("time", time);
        v.int32("state", state);
        v.int32("members_only", members_only);
        v.int32("comments", comments);
        v.int32("valid_days", valid_days);
        v.int32("max_selections", max_selections);
        v.string("key", key);
        v.string("author", author);
        v.string("content", content);
        v.strings("options", options);
        v.integers("counts", counts);
        v.record("picture", picture);
    }

    // Votes for option i; 0 for an option the counts list does not reach.
    int32_t count_of(int32_t option) const { return counts.get(option); }
};
