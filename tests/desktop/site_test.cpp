#include <gtest/gtest.h>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "desktop/desktop_fill.h"
#include "desktop/records/vux_desktop_site.h"

namespace {
std::vector<uint8_t> encode(const vux_record& r) {
    vux_buffer b;
    vux_writer w(b);
    r.write(w);
    return {b.data(), b.data() + b.length()};
}

std::vector<uint8_t> be32s(std::initializer_list<int32_t> values) {
    std::vector<uint8_t> out;
    for (int32_t v : values)
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(uint32_t(v) >> shift));
    return out;
}

// A small picture: a JPEG signature and some bytes.
vux_buffer picture(uint8_t seed) {
    vux_buffer b;
    const uint8_t head[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    b.append_bytes(head, sizeof head);
    for (int i = 0; i < 40; ++i) b.append_byte(uint8_t(seed + i));
    return b;
}

void add_contacts(vux_desktop_contact& table, int n, char tag) {
    for (int i = 0; i < n; ++i) {
        vux_string key(std::string(32, char('a' + i % 6)));
        key.append(tag);  // one byte too long: cut to the field
        table.append_entry(vux_string("名字").to_unicode(), key, vux_string("138****0000"));
        table.entries.pointer()[(table.entry_count() - 1) * 128 + 126] = uint8_t(i % 2);
        table.set_state(table.entry_count() - 1, i % 5);
    }
}

// Every field non-default: three contact tables, news, notices and votes
// with pictures, share counts and data.
void populate(vux_desktop_site& site) {
    desktop_fill_record(site, 100, 3);
    add_contacts(site.managers, 2, 'm');
    add_contacts(site.members, 5, 'n');
    add_contacts(site.waiters, 3, 'w');
    for (int i = 0; i < site.news.items.count(); ++i) site.news.items.at(i)->picture.bytes = picture(uint8_t(i));
    for (int i = 0; i < site.notices.items.count(); ++i)
        site.notices.items.at(i)->picture.bytes = picture(uint8_t(50 + i));
    for (int i = 0; i < site.votes.items.count(); ++i) site.votes.items.at(i)->picture.bytes = picture(uint8_t(90 + i));
    site.share_data.assign_bytes(std::string(96, '7').data(), 96);
}
}  // namespace

TEST(DesktopSite, DefaultSiteBytes) {
    vux_desktop_site site;
    std::vector<uint8_t> expected = be32s({0, 0, 1810914, 1, 0, 0, 0, 0, 0, 0, 0});
    auto zeros = [&](int n) {
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < 4; ++k) expected.push_back(0);
    };
    zeros(1 + 8 + 9);  // name, four (string, bytes) pairs, nine strings
    auto brush = be32s({75, 0});
    expected.insert(expected.end(), brush.begin(), brush.end());
    zeros(3);      // three contact tables
    zeros(3 * 2);  // news, notice and vote lists: key counter and count
    zeros(2);      // share counts and share data
    EXPECT_EQ(encode(site), expected);
    EXPECT_EQ(expected.size(), 42u * 4);
}

TEST(DesktopSite, FullyPopulatedSiteWritesReadsAndWritesTheSameBytes) {
    vux_desktop_site site;
    populate(site);
    ASSERT_EQ(site.votes.items.count(), 3);
    ASSERT_EQ(site.members.entry_count(), 5);
    const auto first = encode(site);

    vux_buffer bytes(first.data(), int32_t(first.size()));
    vux_reader r(bytes);
    vux_desktop_site back;
    back.read(r);
    ASSERT_FALSE(r.has_error());
    EXPECT_EQ(r.remaining(), 0);
    EXPECT_EQ(encode(back), first);
    EXPECT_EQ(back.waiters.key_of(2).length(), 32);
    EXPECT_EQ(back.notices.items.at(1)->picture.bytes.length(), 51);

    // Deep copies keep every byte and share nothing with the original.
    auto copy = site.duplicate();
    vux_desktop_site target;
    site.copy_to(target);
    EXPECT_EQ(encode(*copy), first);
    EXPECT_EQ(encode(target), first);
    site.news.items.at(0)->title = "changed";
    EXPECT_EQ(encode(*copy), first);
}

TEST(DesktopSite, EveryTruncationOfAPopulatedSiteFailsTheRead) {
    vux_desktop_site site;
    populate(site);
    const auto whole = encode(site);
    for (size_t n = 0; n < whole.size(); n += 1) {
        vux_buffer part(whole.data(), int32_t(n));
        vux_reader r(part);
        vux_desktop_site back;
        back.read(r);
        EXPECT_TRUE(r.has_error()) << n;
    }
}

TEST(DesktopSite, IsComplete) {
    const struct {
        int32_t publish_state, activated;
        const char* name;
        bool complete;
    } cases[] = {
        {0, 1, "site", true}, {1, 1, "site", false}, {0, 0, "site", false}, {0, 1, "", false}, {2, 5, "x", false},
    };
    for (const auto& c : cases) {
        vux_desktop_site site;
        site.publish_state = c.publish_state;
        site.activated = c.activated;
        site.name = c.name;
        EXPECT_EQ(site.is_complete(), c.complete) << c.publish_state << ' ' << c.activated << ' ' << c.name;
    }
}

// The share count is the whole 32-byte entries of the share data plus the
// sum of the share counts.
TEST(DesktopSite, CountShareEntries) {
    const struct {
        int32_t data_bytes;
        std::vector<int32_t> counts;
        int32_t expected;
    } cases[] = {
        {0, {}, 0},
        {96, {}, 3},
        {100, {}, 3},  // a partial entry does not count
        {64, {5, 7}, 14},
        {0, {-10, 4}, 0},                         // a negative sum gives 0
        {32, {INT32_MAX, INT32_MAX}, INT32_MAX},  // saturates
    };
    for (const auto& c : cases) {
        vux_desktop_site site;
        site.share_data.assign_bytes(std::string(size_t(c.data_bytes), 'k').data(), c.data_bytes);
        for (int32_t v : c.counts) site.share_counts.append(v);
        EXPECT_EQ(site.count_share_entries(), c.expected) << c.data_bytes;
    }
}

TEST(DesktopSite, SetBrushEntry) {
    vux_desktop_site site;
    site.brush.entries.append(0x0300FF00);
    EXPECT_FALSE(site.set_brush_entry(3, 0x00FF00));
    EXPECT_EQ(site.brush.entries.get(0), 0x0300FF00);
    EXPECT_TRUE(site.set_brush_entry(3, 0x0000FF));
    EXPECT_EQ(site.brush.entries.get(0), 0x030000FF);
    EXPECT_TRUE(site.set_brush_entry(7, 0x123456));
    EXPECT_EQ(site.brush.entries.count(), 2);
}
