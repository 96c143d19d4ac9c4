// Named data, the data list, resources and the colour sheet.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "markup/model/vux_brush_sheet.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_data_list.h"
#include "markup/model/vux_resource.h"
#include "markup_model/animated_gif.h"
#include "markup_model/model_test_support.h"

namespace {

std::string text_of(const vux_link& l) {
    return std::string(reinterpret_cast<const char*>(l.data()), size_t(l.length()));
}

TEST(Data, FlagsAndLabel) {
    vux_data d;
    EXPECT_TRUE(d.drawable());  // no bytes: the host resolves it by name
    d.bytes.assign_bytes("x", 1);
    EXPECT_FALSE(d.drawable());
    d.flags = 0x1F;
    EXPECT_TRUE(d.drawable() && d.bit_1() && d.splits_frames() && d.stores_file() && d.host_only());
    d.flags = 8;
    EXPECT_TRUE(d.stores_file());
    EXPECT_FALSE(d.host_only());

    struct row {
        const char *name, *label, *out;
    };
    const row rows[] = {{"a", "", "a"}, {"a", "b", "a: b"}, {"", "", ""}, {"", "x", ""}};
    for (const row& r : rows) {
        d.name = vux_string(r.name);
        d.label = vux_string(r.label);
        vux_buffer b;
        vux_writer w(b);
        d.write_label(w);
        vux_reader rd(b);
        vux_string s;
        rd.read_string(s);
        EXPECT_EQ(s.str(), r.out);
    }
}

TEST(Data, FramesSplitAndIndexed) {
    vux_data d;
    const std::string gif = model_test::animated_gif(3);
    d.bytes.assign_bytes(gif.data(), int32_t(gif.size()));
    d.format = 1;
    EXPECT_FALSE(d.split_frames());  // flag bit 2 clear
    EXPECT_EQ(text_of(d.frame(0)), gif);

    d.flags = 4;
    ASSERT_TRUE(d.split_frames());
    ASSERT_EQ(d.frame_count(), 3);
    EXPECT_EQ(text_of(d.frame(7)), text_of(d.frame(1)));  // modulo the count
    EXPECT_EQ(text_of(d.frame(1)).substr(0, 6), "GIF89a");
    EXPECT_TRUE(d.frame(-1).empty());  // never a negative index into the list
    EXPECT_TRUE(d.frame(INT32_MIN).empty());

    // A clone carries the bytes, not the frames.
    auto copy = d.clone();
    EXPECT_EQ(static_cast<vux_data*>(copy.get())->frame_count(), 0);

    // A broken image keeps no frames; an unknown format needs none.
    d.bytes.assign_bytes("GIF89a", 6);
    EXPECT_FALSE(d.split_frames());
    EXPECT_EQ(d.frame_count(), 0);
    EXPECT_EQ(text_of(d.frame(2)), "GIF89a");
    d.format = 9;
    EXPECT_TRUE(d.split_frames());
}

std::unique_ptr<vux_data> named(const char* n) {
    auto d = std::make_unique<vux_data>();
    d->name = vux_string(n);
    return d;
}

TEST(DataList, AddFindRemove) {
    vux_data_list list;
    auto a = named("a");
    EXPECT_TRUE(list.add(a));
    EXPECT_EQ(a, nullptr);  // taken
    auto again = named("a");
    EXPECT_FALSE(list.add(again));
    ASSERT_NE(again, nullptr);  // refused: the caller still owns it
    EXPECT_EQ(list.count(), 1);

    for (const char* n : {"em001", "emoticon00", "bg_day"}) {
        auto d = named(n);
        list.add(d);
    }
    EXPECT_FALSE(list.remove_with_prefix(vux_string("")));
    EXPECT_TRUE(list.remove_with_prefix(vux_string("em")));
    EXPECT_EQ(list.count(), 2);
    EXPECT_NE(list.find(vux_string("bg_day")), nullptr);
    EXPECT_EQ(list.find(vux_string("em001")), nullptr);
    EXPECT_FALSE(list.remove_with_prefix(vux_string("em")));
    EXPECT_TRUE(list.remove_named(vux_string("a")));
    EXPECT_FALSE(list.remove_named(vux_string("a")));

    vux_buffer b;
    vux_writer w(b);
    list.write_labels(w);
    EXPECT_EQ(b.length(), 4 + 4 + 6);  // count, then "bg_day"
}

TEST(Resource, PairsLookUp) {
    vux_resource r;
    for (const char* t : {"x", "1", "y", "2", "z"}) r.pairs.append(vux_string(t));
    struct row {
        const char* name;
        int32_t index;
    };
    const row rows[] = {{"y", 2}, {"x", 0}, {"1", -1}, {"z", 4}, {"w", -1}};
    for (const row& q : rows) EXPECT_EQ(r.index_of(vux_string(q.name)), q.index) << q.name;
    EXPECT_EQ(r.value_at(2).str(), "2");
    EXPECT_EQ(r.value_at(4).str(), "");  // an odd list: the last name has no value
    EXPECT_EQ(r.value_at(-1).str(), "");
    EXPECT_EQ(r.value_at(INT32_MAX).str(), "");
    vux_resource copy;
    copy.assign(r);
    EXPECT_EQ(copy.pairs.count(), 5);
}

TEST(BrushSheet, Mappings) {
    vux_brush b;
    for (int32_t k = 0; k <= 76; ++k) b.set(k, 0x100 + k);
    vux_brush_sheet sheet;
    sheet.merge(b);
    struct row {
        bool alternate;
        int32_t (vux_brush_sheet::*map)(int32_t) const;
        int32_t code, out;
    };
    const row rows[] = {
        {false, &vux_brush_sheet::map_text, 0x00FF00, 0x00FF00},  // a literal colour
        {false, &vux_brush_sheet::map_text, 4, 0x100 + 49},
        {false, &vux_brush_sheet::map_text, 1, 0x100 + 6},
        {true, &vux_brush_sheet::map_text, 1, 0x100 + 3},
        {false, &vux_brush_sheet::map_text, 10, 0x100 + 55},
        {false, &vux_brush_sheet::map_text, 11, 11},
        {true, &vux_brush_sheet::map_ground, 2, 0x100 + 1},
        {false, &vux_brush_sheet::map_ground, 2, 0x100 + 4},
        {false, &vux_brush_sheet::map_ground, 4, 0x100 + 45},
        {false, &vux_brush_sheet::map_ground, 5, 0x100 + 46},
        {false, &vux_brush_sheet::map_ground, 3, 3},
        {true, &vux_brush_sheet::map_frame, 3, 0x100 + 2},
        {false, &vux_brush_sheet::map_frame, 3, 0x100 + 5},
        {false, &vux_brush_sheet::map_extended, 18, 0x100 + 72},
        {false, &vux_brush_sheet::map_extended_short, 15, 15},
        {false, &vux_brush_sheet::map_extended_short, 14, 0x100 + 68},
    };
    for (const row& r : rows) {
        sheet.set_alternate(r.alternate);
        EXPECT_EQ((sheet.*r.map)(r.code), r.out) << r.code;
    }
    sheet.reset();
    EXPECT_FALSE(sheet.alternate());
    EXPECT_EQ(sheet.color(49), 0);  // no defaults
}

}  // namespace
