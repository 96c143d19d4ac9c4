#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_brush.h"
#include "desktop/records/vux_desktop_contact.h"
#include "desktop/records/vux_desktop_news_list.h"
#include "desktop/records/vux_desktop_notice_list.h"
#include "desktop/records/vux_desktop_vote_list.h"

// Everything the service keeps about one site. The same record carries an
// update: then only the changed values are set and change_mask says which.
class vux_desktop_site : public vux_record {
public:
    static constexpr int32_t default_tray_color = 0x1BA1E2;
    static constexpr int32_t share_entry_size = 32;  // one MD5 hex key per entry

    // The eleven ints, in wire order.
    int32_t publish_state = 0;                // 0 published, 1 paused, 2 deleted
    int32_t options = 0;                      // option bits
    int32_t tray_color = default_tray_color;  // 0xRRGGBB
    int32_t column_align = 1;                 // 0 left, 1 centre, 2 right
    int32_t style = 0;                        // interface style
    int32_t columns = 0;                      // column bits
    int32_t map_options = 0;                  // 0x1 map shown, 0x2 locate by phone
    int32_t activated = 0;                    // non-zero once activated by phone
    int32_t int9 = 0;
    int32_t int10 = 0;
    int32_t change_mask = 0;  // of an update; 0 in a cached site

    vux_string name;

    // The four (string, bytes) pairs.
    vux_string web_address;
    vux_buffer tray_picture;
    vux_string pair2_text;
    vux_buffer icon;
    vux_string pair3_text;
    vux_buffer background;
    vux_string pair4_text;
    vux_buffer home_picture;

    // The nine strings.
    vux_string text1;
    vux_string activation_number;
    vux_string introduction;
    vux_string telephone;
    vux_string address;
    vux_string longitude;
    vux_string latitude;
    vux_string text8;
    vux_string text9;

    vux_desktop_brush brush;
    vux_desktop_contact managers;
    vux_desktop_contact members;
    vux_desktop_contact waiters;
    vux_desktop_news_list news;
    vux_desktop_notice_list notices;
    vux_desktop_vote_list votes;
    vux_integer_list share_counts;
    vux_buffer share_data;  // 32-byte share entries

    const char* class_name() const override { return "vux_desktop_site"; }
    void fields(vux_field_visitor& v) override;

    // Published, activated and named.
    bool is_complete() const { return publish_state == 0 && activated != 0 && !name.empty(); }
    // The brush's set_entry: false when nothing changed.
    bool set_brush_entry(int32_t key, int32_t value) { return brush.set_entry(key, value); }
    void copy_to(vux_desktop_site& target) const { target.copy_from(*this); }
    std::unique_ptr<vux_desktop_site> duplicate() const { return vux_clone_record(*this); }
    // Whole 32-byte entries of the share data plus the sum of the share
    // counts (negative sums give 0, sums past the int32 range saturate).
    int32_t count_share_entries() const;
};
