#pragma once
#include "desktop/records/vux_desktop_item_list.h"
#include "desktop/records/vux_desktop_vote.h"

class vux_desktop_vote_list : public vux_desktop_item_list<vux_desktop_vote> {
public:
    const char* class_name() const override { return "vux_desktop_vote_list"; }

    // A new vote with one count 0 per option.
    vux_desktop_vote& add_vote(const vux_string_list& options, const vux_string& key, const vux_string& author,
                               const vux_string& content, const vux_link& picture, int32_t valid_days,
                               int32_t max_selections, int32_t members_only, int32_t comments) {
        vux_desktop_vote& item = add_item();
        item.members_only = members_only;
        item.comments = comments;
        item.valid_days = valid_days;
        item.max_selections = max_selections;
        item.key = key;
        item.author = author;
        item.content = content;
        item.options.assign(options);
        for (int32_t i = 0; i < options.count(); ++i) item.counts.append(0);
        item.picture.bytes.assign_from(picture);
        return item;
    }
};
