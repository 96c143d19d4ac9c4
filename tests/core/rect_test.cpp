#include <gtest/gtest.h>
#include "core/vux_rect.h"

namespace {
struct R {
    int l, t, r, b;
};
void expect_rect(const vux_rect& got, R want, const char* what) {
    EXPECT_EQ(got.left(), want.l) << what;
    EXPECT_EQ(got.top(), want.t) << what;
    EXPECT_EQ(got.right(), want.r) << what;
    EXPECT_EQ(got.bottom(), want.b) << what;
}
}  // namespace

TEST(Rect, ConstructionAndEdgeStrips) {
    vux_rect r(10, 20, 30, 40);
    expect_rect(r, {10, 20, 40, 60}, "ctor");
    EXPECT_EQ(r.width(), 30);
    EXPECT_EQ(r.height(), 40);
    using op = void (vux_rect::*)(vux_rect&, int32_t) const;
    struct Case {
        const char* name;
        op f;
        int32_t n;
        R want;
    };
    const Case cases[] = {
        {"top_part", &vux_rect::top_part, 5, {10, 20, 40, 25}},
        {"cut_top", &vux_rect::cut_top, 5, {10, 25, 40, 60}},
        {"bottom_part", &vux_rect::bottom_part, 5, {10, 55, 40, 60}},
        {"cut_bottom", &vux_rect::cut_bottom, 5, {10, 20, 40, 55}},
        {"left_part", &vux_rect::left_part, 8, {10, 20, 18, 60}},
        {"cut_left", &vux_rect::cut_left, 8, {18, 20, 40, 60}},
        {"right_part", &vux_rect::right_part, 8, {32, 20, 40, 60}},
        {"cut_right", &vux_rect::cut_right, 8, {10, 20, 32, 60}},
    };
    for (const auto& c : cases) {
        vux_rect out;
        (r.*c.f)(out, c.n);
        expect_rect(out, c.want, c.name);
    }
}

TEST(Rect, CopiesAndInPlaceOperations) {
    vux_rect out;
    vux_rect(0, 0, 25, 25).centered(out, 10, 11);
    expect_rect(out, {7, 7, 17, 18}, "centered");
    vux_rect r(0, 0, 10, 10);
    r.offset_copy(out, 3, -2);
    expect_rect(out, {3, -2, 13, 8}, "offset_copy");
    r.inflated(out, 1, 2, 3, 4);
    expect_rect(out, {-1, -2, 13, 14}, "inflated");
    r.inflate_xy(2, 2);
    expect_rect(r, {-2, -2, 12, 12}, "inflate_xy");
    r.offset(2, 2);
    expect_rect(r, {0, 0, 14, 14}, "offset");
    vux_rect copy = r;
    EXPECT_TRUE(copy.equals(r));
    copy.clear();
    EXPECT_TRUE(copy.is_empty());
    EXPECT_TRUE(copy.not_equals(r));
}

TEST(Rect, ContainsIsEdgeInclusiveAndSkipsNegativeAxes) {
    struct Case {
        R rect;
        int x, y;
        bool want;
    };
    const Case cases[] = {
        {{10, 20, 40, 60}, 40, 60, true},  {{10, 20, 40, 60}, 41, 60, false},
        {{10, 20, 40, 60}, 10, 20, true},  {{10, 20, 40, 60}, 9, 30, false},
        {{10, 20, 40, 60}, 20, 61, false}, {{40, 20, 10, 60}, 0, 30, true},  // negative width: vertical axis only
        {{40, 20, 10, 60}, 0, 70, false},  {{10, 60, 40, 20}, 20, 0, true},  // negative height: horizontal axis only
        {{10, 60, 40, 20}, 50, 0, false},
    };
    for (const auto& c : cases) {
        vux_rect r(vux_point(c.rect.l, c.rect.t), vux_point(c.rect.r, c.rect.b));
        EXPECT_EQ(r.contains(vux_point(c.x, c.y)), c.want) << c.x << "," << c.y;
    }
    vux_rect r(10, 10, 10, 10);
    EXPECT_FALSE(r.contains(vux_point(8, 8)));
    EXPECT_TRUE(r.contains_with_margin(vux_point(8, 8), 2, 2));
    vux_point p(1, 2);
    p.offset(1, 1);
    EXPECT_TRUE(p.equals(vux_point(2, 3)));
}
