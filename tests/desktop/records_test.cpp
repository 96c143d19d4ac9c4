#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "desktop/desktop_fill.h"
#include "desktop/records/vux_desktop_brush.h"
#include "desktop/records/vux_desktop_contact.h"
#include "desktop/records/vux_desktop_document.h"
#include "desktop/records/vux_desktop_message_list.h"
#include "desktop/records/vux_desktop_news_list.h"
#include "desktop/records/vux_desktop_notice_list.h"
#include "desktop/records/vux_desktop_recent_list.h"
#include "desktop/records/vux_desktop_vote_list.h"

namespace {
vux_buffer encode(const vux_record& r) {
    vux_buffer b;
    vux_writer w(b);
    r.write(w);
    return b;
}

vux_unicode u(const char* utf8) { return vux_string(utf8).to_unicode(); }

const vux_string key_a(std::string(32, 'a'));
const vux_string key_b("0123456789abcdef0123456789abcdef");
}  // namespace

// ---- contacts ----

TEST(DesktopContact, FindKeyComparesTheWholeField) {
    vux_desktop_contact c;
    c.append_entry(u("张三"), key_a, "138****0000");
    c.append_entry(u("Li"), vux_string("short"), "x");
    const struct {
        vux_string key;
        int32_t index;
    } cases[] = {
        {key_a, 0},
        {vux_string(""), -1},                    // once matched entry 0 as a prefix
        {vux_string(std::string(31, 'a')), -1},  // a prefix of a key
        {key_a + "a", -1},                       // longer than the field
        {vux_string("short"), 1},
        {vux_string("shor"), -1},
        {key_b, -1},
    };
    for (const auto& c2 : cases) EXPECT_EQ(c.find_key(c2.key), c2.index) << c2.key.str();
    vux_string field;
    c.get_key(1, field);
    EXPECT_EQ(field.length(), 32);  // padding zeros included
    EXPECT_EQ(field.str(), std::string("short") + std::string(27, '\0'));
    c.get_key(2, field);
    EXPECT_TRUE(field.empty());
}

TEST(DesktopContact, AppendEntryCutsEveryFieldToItsSize) {
    vux_desktop_contact c;
    const vux_string long_key(std::string(40, 'k'));
    const vux_string long_text(std::string(30, 't'));
    vux_unicode long_name;
    for (int i = 0; i < 40; ++i) long_name.append_unit(char16_t(0x4E00 + i));
    c.append_entry(long_name, long_key, long_text);
    ASSERT_EQ(c.entries.length(), 128);
    const uint8_t* e = c.entries.data();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e), 32), std::string(32, 'k'));
    EXPECT_EQ(c.text_of(0).str(), std::string(16, 't'));
    EXPECT_EQ(c.name_of(0).length(), 23);
    EXPECT_EQ(c.name_of(0).unit_at(22), char16_t(0x4E00 + 22));
    for (int i = 94; i < 126; ++i) EXPECT_EQ(e[i], 0) << i;  // name terminator and the zero bytes
    EXPECT_EQ(c.state_of(0), 1);
    EXPECT_EQ(c.name_of(0).unit_at(0), 0x4E00);
    EXPECT_EQ(e[48], 0x00);  // little-endian units
    EXPECT_EQ(e[49], 0x4E);
}

TEST(DesktopContact, AppendAllFromReadsTheShownTextWithinItsField) {
    vux_desktop_contact source;
    source.append_entry(u("Wang"), key_a, vux_string(std::string(16, 's')));  // no terminator left
    source.append_entry(u("Zhao"), key_b, "z");
    source.set_state(0, 0);
    source.set_state(1, 3);
    vux_desktop_contact target;
    vux_desktop_contact::append_all_from(target, source);
    ASSERT_EQ(target.entry_count(), 2);
    EXPECT_EQ(target.text_of(0).str(), std::string(16, 's'));  // not run into the name
    EXPECT_EQ(target.name_of(0).to_utf8_string().str(), "Wang");
    EXPECT_EQ(target.key_of(1).str(), key_b.str());
    for (int i = 0; i < 2; ++i) EXPECT_EQ(target.state_of(i), 1);  // every copy is new
    // Copying a table into itself doubles it.
    vux_desktop_contact::append_all_from(source, source);
    EXPECT_EQ(source.entry_count(), 4);
}

TEST(DesktopContact, PartialTailIsIgnoredAndNeverMisalignsNewEntries) {
    vux_desktop_contact c;
    c.append_entry(u("A"), key_a, "1");
    c.append_entry(u("B"), key_b, "2");
    c.entries.append_bytes(std::string(44, 'x').data(), 44);  // 300 bytes
    EXPECT_EQ(c.entry_count(), 2);
    EXPECT_EQ(c.find_key(vux_string(std::string(32, 'x'))), -1);
    c.append_entry(u("C"), vux_string("ccc"), "3");
    EXPECT_EQ(c.entries.length(), 3 * 128);
    EXPECT_EQ(c.find_key(vux_string("ccc")), 2);
    EXPECT_EQ(c.name_of(2).to_utf8_string().str(), "C");
    // Reading past the table gives nothing.
    EXPECT_TRUE(c.name_of(3).empty());
    EXPECT_TRUE(c.text_of(-1).empty());
    EXPECT_EQ(c.state_of(7), 0);
    EXPECT_FALSE(c.set_state(3, 1));
}

TEST(DesktopContact, IconIndexIsRangeChecked) {
    vux_desktop_contact c;
    const int8_t icons[] = {0, 1, 2, -1, 127, -128};
    const int32_t expected[] = {0, 1, 0, 0, 0, 0};  // two icons in the lists
    for (int8_t icon : icons) {
        c.append_entry(u("n"), key_a, "t");
        c.entries.pointer()[(c.entry_count() - 1) * 128 + 126] = uint8_t(icon);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(c.icon_of(i, 2), expected[i]) << int(icons[i]);
}

TEST(DesktopContact, ExportChangedTakesStatesOtherThanZeroAndFour) {
    vux_desktop_contact source;
    const int states[] = {0, 1, 2, 3, 4, 200};
    for (int s : states) {
        source.append_entry(u("n"), vux_string(std::to_string(s)), "t");
        source.set_state(source.entry_count() - 1, s);
    }
    vux_desktop_contact target;
    vux_desktop_contact::export_changed(source, target);
    ASSERT_EQ(target.entry_count(), 4);
    const int kept[] = {1, 2, 3, 200};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(target.state_of(i), kept[i]);
    EXPECT_EQ(std::memcmp(target.entries.data(), source.entries.data() + 128, 128), 0);  // byte copies
}

// ---- brush ----

TEST(DesktopBrush, EntriesWithHighKeysAreFoundAndReplaced) {
    vux_desktop_brush brush;
    const struct {
        int32_t key, value;
        bool changed;
        int32_t count;
    } steps[] = {
        {3, 0x00FF00, true, 1},    {3, 0x00FF00, false, 1},  {3, 0x0000FF, true, 1},   {200, 0x112233, true, 2},
        {200, 0x112233, false, 2}, {255, 0xABCDEF, true, 3}, {255, 0x000001, true, 3}, {128, 0xFFFFFFF, true, 4},
        {256, 1, false, 4},        {-1, 1, false, 4},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(brush.set_entry(s.key, s.value), s.changed) << s.key << ' ' << s.value;
        EXPECT_EQ(brush.entries.count(), s.count) << s.key;
    }
    EXPECT_EQ(brush.entries.get(0), 0x030000FF);
    EXPECT_EQ(uint32_t(brush.entries.get(1)), 0xC8112233u);
    EXPECT_EQ(brush.find_entry(255), 2);
    EXPECT_EQ(brush.value_of(255, -1), 0x000001);
    EXPECT_EQ(brush.value_of(128, -1), 0xFFFFFF);  // only 24 bits of colour
    EXPECT_EQ(brush.value_of(9, 42), 42);
    EXPECT_EQ(brush.find_entry(256), -1);
}

TEST(DesktopBrush, CloneIsADeepCopy) {
    vux_desktop_brush brush;
    brush.opacity = 40;
    brush.set_entry(1, 0x102030);
    auto copy = brush.clone();
    auto* b = dynamic_cast<vux_desktop_brush*>(copy.get());
    ASSERT_TRUE(b);
    brush.set_entry(1, 0);
    EXPECT_EQ(b->opacity, 40);
    EXPECT_EQ(b->entries.get(0), 0x01102030);
}

// ---- news, notices, votes ----

TEST(DesktopItemList, TakeNextKey) {
    vux_desktop_news_list list;
    list.key_counter = 255;
    vux_string key;
    list.take_next_key(key);
    EXPECT_EQ(key.str(), "000000ff");
    EXPECT_EQ(list.key_counter, 256);
    list.key_counter = -1;
    list.take_next_key(key);
    EXPECT_EQ(key.str(), "ffffffff");
    EXPECT_EQ(list.key_counter, 0);
}

TEST(DesktopItemList, ExportChangedCopiesStatesOtherThanZeroAndFour) {
    vux_desktop_news_list list;
    for (int s : {0, 1, 2, 4}) {
        auto& n = list.items.add();
        n.state = s;
        n.key = vux_string(std::to_string(s));
    }
    vux_desktop_news_list target;
    list.export_changed(target);
    ASSERT_EQ(target.items.count(), 2);
    EXPECT_EQ(target.items.at(0)->state, 1);
    EXPECT_EQ(target.items.at(1)->state, 2);
    EXPECT_NE(target.items.at(0), list.items.at(1));
    EXPECT_EQ(list.find_by_key(vux_string("4")), 3);
    EXPECT_EQ(list.find_by_key(vux_string("")), -1);
}

TEST(DesktopItemList, AddStampsNewItemsAndCopiesAreDeep) {
    const int32_t before = vux_desktop_now();
    vux_buffer pic(std::string("pic").data(), 3);
    vux_desktop_news_list news;
    news.add_news("k1", "me", "title", "text", pic, 1);
    vux_desktop_notice_list notices;
    notices.add_notice("k2", "me", "text", pic, 1, 0, 1);
    vux_string_list options;
    options.append_cstr("yes");
    options.append_cstr("no");
    vux_desktop_vote_list votes;
    votes.add_vote(options, "k3", "me", "text", vux_link(), 7, 2, 1, 0);

    const auto& n = *news.items.at(0);
    EXPECT_EQ(n.state, 1);
    EXPECT_GE(n.time, before);
    EXPECT_LE(n.time, vux_desktop_now());
    EXPECT_EQ(n.comments, 1);
    EXPECT_EQ(n.title.str(), "title");
    EXPECT_EQ(n.picture.bytes.length(), 3);
    EXPECT_TRUE(n.picture.name.empty());
    const auto& t = *notices.items.at(0);
    EXPECT_EQ((std::vector<int32_t>{t.members_only, t.push, t.show_receivers}), (std::vector<int32_t>{1, 0, 1}));
    const auto& v = *votes.items.at(0);
    EXPECT_EQ((std::vector<int32_t>{v.members_only, v.comments, v.valid_days, v.max_selections}),
              (std::vector<int32_t>{1, 0, 7, 2}));
    EXPECT_EQ(v.counts.values(), (std::vector<int32_t>{0, 0}));
    EXPECT_TRUE(v.picture.bytes.empty());

    news.key_counter = 9;
    vux_desktop_news_list copy;
    copy.items.add();
    copy.items.add();
    news.copy_to(copy);
    EXPECT_EQ(copy.key_counter, 9);
    ASSERT_EQ(copy.items.count(), 1);
    news.items.at(0)->title = "changed";
    EXPECT_EQ(copy.items.at(0)->title.str(), "title");
    vux_desktop_news_list assigned;
    assigned.assign(copy);
    EXPECT_EQ(encode(assigned).length(), encode(copy).length());
}

TEST(DesktopVote, CountsShorterThanOptionsAreNotReadPastTheirEnd) {
    vux_desktop_vote vote;
    for (const char* o : {"a", "b", "c"}) vote.options.append_cstr(o);
    vote.counts.append(5);  // one count for three options
    vux_buffer bytes = encode(vote);
    vux_reader r(bytes);
    vux_desktop_vote back;
    back.read(r);
    ASSERT_FALSE(r.has_error());
    EXPECT_EQ(back.options.count(), 3);
    EXPECT_EQ(back.count_of(0), 5);
    EXPECT_EQ(back.count_of(1), 0);
    EXPECT_EQ(back.count_of(2), 0);
    EXPECT_EQ(back.count_of(-1), 0);
}

// ---- lists from the wire ----

TEST(DesktopRecords, HostileCountsStopTheRead) {
    // Each record: its own leading fields, then a list count no bytes can hold.
    struct hostile {
        const char* what;
        std::unique_ptr<vux_record> record;
        std::vector<int32_t> prefix;
    };
    std::vector<hostile> cases;
    cases.push_back({"news list", std::make_unique<vux_desktop_news_list>(), {0}});
    cases.push_back({"notice list", std::make_unique<vux_desktop_notice_list>(), {0}});
    cases.push_back({"vote list", std::make_unique<vux_desktop_vote_list>(), {0}});
    cases.push_back({"recent list", std::make_unique<vux_desktop_recent_list>(), {}});
    cases.push_back({"message list", std::make_unique<vux_desktop_message_list>(), {}});
    cases.push_back({"document", std::make_unique<vux_desktop_document>(), {0, 0}});
    cases.push_back({"brush", std::make_unique<vux_desktop_brush>(), {75}});
    for (int32_t count : {0x7FFFFFFF, 1000, 9}) {
        for (auto& c : cases) {
            vux_buffer bytes;
            vux_writer w(bytes);
            for (int32_t v : c.prefix) w.write_int32(v);
            w.write_int32(count);
            for (int i = 0; i < 8; ++i) w.write_int32(0);  // too few bytes for the items
            vux_reader r(bytes);
            c.record->read(r);
            EXPECT_TRUE(r.has_error()) << c.what << ' ' << count;
        }
    }
}

// ---- other lists ----

TEST(DesktopGroupList, FindByNameAndCopy) {
    vux_desktop_group_list list;
    desktop_fill_record(list, 1, 3);
    list.groups.at(2)->name = list.groups.at(1)->name;
    EXPECT_EQ(list.find_by_name(list.groups.at(1)->name), 1);
    EXPECT_EQ(list.find_by_name(vux_string("none")), -1);
    vux_desktop_group_list copy;
    copy.groups.add();
    list.copy_to(copy);
    EXPECT_EQ(copy.text.str(), list.text.str());
    ASSERT_EQ(copy.groups.count(), 3);
    vux_buffer a = encode(list), b = encode(copy);
    EXPECT_EQ(std::string(a.data(), a.data() + a.length()), std::string(b.data(), b.data() + b.length()));
}

TEST(DesktopMessageList, AssignAndAppendCopies) {
    vux_desktop_message_list list;
    desktop_fill_record(list, 1, 2);
    vux_desktop_message_list other;
    other.messages.add();
    other.assign(list);
    EXPECT_EQ(other.messages.count(), 2);
    list.append_copies_to(other);
    EXPECT_EQ(other.messages.count(), 4);
    other.append_copies_to(other);  // onto itself: doubles once
    EXPECT_EQ(other.messages.count(), 8);
    EXPECT_EQ(other.messages.at(7)->text.str(), list.messages.at(1)->text.str());
}

TEST(DesktopRecentList, MergeReplacesEntriesWithTheSameKey) {
    auto entry = [](vux_desktop_recent_list& l, const char* key, const char* text) {
        auto& e = l.entries.add();
        e.key = key;
        e.text = text;
    };
    vux_desktop_recent_list held, reply;
    entry(held, "m1", "old 1");
    entry(held, "m2", "old 2");
    entry(reply, "m2", "new 2");
    entry(reply, "m3", "new 3");
    vux_string_list replaced;
    reply.merge_into(held, replaced);
    ASSERT_EQ(held.entries.count(), 3);
    EXPECT_EQ(held.entries.at(0)->key.str(), "m1");
    EXPECT_EQ(held.entries.at(1)->text.str(), "new 2");
    EXPECT_EQ(held.entries.at(2)->text.str(), "new 3");
    ASSERT_EQ(replaced.count(), 1);
    EXPECT_EQ(replaced.item_at(0).str(), "m2");
    vux_desktop_recent_list copy;
    copy.assign(held);
    EXPECT_EQ(copy.entries.count(), 3);
}
