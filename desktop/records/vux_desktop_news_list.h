#pragma once
#include "desktop/records/vux_desktop_item_list.h"
#include "desktop/records/vux_desktop_news.h"

class vux_desktop_news_list : public vux_desktop_item_list<vux_desktop_news> {
public:
    const char* class_name() const override { return "vux_desktop_news_list"; }

    // A new item (state 1, now) with the picture's bytes; its data name stays empty.
    vux_desktop_news& add_news(const vux_string& key, const vux_string& author, const vux_string& title,
                               const vux_string& content, const vux_link& picture, int32_t comments) {
        vux_desktop_news& item = add_item();
        item.comments = comments;
        item.key = key;
        item.author = author;
        item.title = title;
        item.content = content;
        item.picture.bytes.assign_from(picture);
        return item;
    }
};
