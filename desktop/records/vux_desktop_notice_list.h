#pragma once
#include "desktop/records/vux_desktop_item_list.h"
#include "desktop/records/vux_desktop_notice.h"

class vux_desktop_notice_list : public vux_desktop_item_list<vux_desktop_notice> {
public:
    const char* class_name() const override { return "vux_desktop_notice_list"; }

    vux_desktop_notice& add_notice(const vux_string& key, const vux_string& author, const vux_string& content,
                                   const vux_link& picture, int32_t members_only, int32_t push,
                                   int32_t show_receivers) {
        vux_desktop_notice& item = add_item();
        item.members_only = members_only;
        item.push = push;
        item.show_receivers = show_receivers;
        item.key = key;
        item.author = author;
        item.content = content;
        item.picture.bytes.assign_from(picture);
        return item;
    }
};
