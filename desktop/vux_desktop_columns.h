#pragma once
#include <array>
#include <cstdint>

// The columns of a site's phone application, in the order the column page
// lists them: the column's bit in the site's column bits, the key of its
// colour in the site's brush (1-13, in table order) and the colour it has
// without an entry there (0xRRGGBB), its name, and whether the column page
// offers its check (the others are kept in the bits but not offered, and
// the phone does not show them).
struct vux_desktop_column {
    int32_t bit;
    int32_t key;
    int32_t colour;
    const char* label;  // UTF-8
    bool offered;
};

inline constexpr std::array<vux_desktop_column, 13> vux_desktop_columns = {{
    {0x2, 1, 0xE21BA1, "主页", true},
    {0x4, 2, 0x1BA1E2, "新闻", true},
    {0x8, 3, 0xF09609, "通知", true},
    {0x10, 4, 0xD55111, "论坛", true},
    {0x20, 5, 0x9700FF, "群聊", true},
    {0x40, 6, 0xF70962, "私信", true},
    {0x80, 7, 0x8CBF26, "投票", true},
    {0x100, 8, 0x26BF26, "相册", true},
    {0x200, 9, 0xBDB76B, "在哪", false},
    {0x400, 10, 0xBC8F8F, "问答", false},
    {0x800, 11, 0x778899, "任务", false},
    {0x1000, 12, 0x87CEEB, "会议", false},
    {0x2000, 13, 0xB0E0E6, "日历", false},
}};
