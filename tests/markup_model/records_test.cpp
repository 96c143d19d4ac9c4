// Every record, action and step of the model through its field list: the
// round trip, the clone, every truncation, and the reads that must fail.
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "core/vux_record_dump.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_device.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_pick.h"
#include "markup_model/model_test_support.h"
#include "markup_model/wire_stream.h"

using model_test::stream;

using model_test::bytes_of;
using model_test::fill;
using model_test::read_from;

namespace {

std::vector<int32_t> built_codes() {
    std::vector<int32_t> codes;
    for (int32_t c = vux_type_brush; c <= vux_type_window; ++c) codes.push_back(c);
    for (int32_t c = vux_type_element_box; c <= vux_type_element_titlebar; ++c) codes.push_back(c);
    for (int32_t c = vux_type_action; c <= vux_type_action_upload; ++c) codes.push_back(c);
    return codes;
}

// Classes copied only through their owner: clone answers null.
bool never_cloned(int32_t code) {
    switch (code) {
    case vux_type_dialog:
    case vux_type_menu:
    case vux_type_window:
    case vux_type_element_text:
    case vux_type_element_client:
    case vux_type_element_commandbar:
    case vux_type_element_titlebar: return true;
    default: return false;
    }
}

// Writes the record, reads it back into a fresh one, writes again; clones;
// reads every proper prefix.
void check_round_trip(vux_record& original, std::unique_ptr<vux_record> fresh) {
    const std::vector<uint8_t> bytes = bytes_of(original);
    ASSERT_TRUE(read_from(*fresh, bytes)) << original.class_name();
    EXPECT_EQ(bytes_of(*fresh), bytes) << original.class_name();

    std::unique_ptr<vux_object> copy = original.clone();
    if (never_cloned(original.type_code())) {
        EXPECT_EQ(copy, nullptr) << original.class_name();
    } else if (original.type_code() != 0 || copy) {
        ASSERT_TRUE(copy) << original.class_name();
        EXPECT_EQ(copy->type_code(), original.type_code());
        EXPECT_EQ(bytes_of(*copy), bytes) << original.class_name();
    }

    for (size_t n = 0; n < bytes.size(); ++n) {
        auto cut = vux_model_make(original.type_code());
        vux_record& target = cut ? *cut : *fresh;
        EXPECT_FALSE(read_from(target, bytes, n)) << original.class_name() << " cut at " << n;
    }
}

TEST(ModelRecords, EveryCodeRoundTripsClonesAndFailsWhenCut) {
    for (int32_t code : built_codes()) {
        SCOPED_TRACE(code);
        auto record = vux_model_make(code);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->type_code(), code);
        fill(*record);
        check_round_trip(*record, vux_model_make(code));
        // The dump walks the same list: every record prints as its class.
        std::string json = vux_record_dump::to_json(*record);
        EXPECT_NE(json.find(record->class_name()), std::string::npos);
    }
}

TEST(ModelRecords, PlainRecordsRoundTrip) {
    vux_device device;
    fill(device);
    EXPECT_EQ(device.type_code(), 0);
    EXPECT_EQ(device.clone(), nullptr);  // the device is never copied
    check_round_trip(device, std::make_unique<vux_device>());

    vux_pick pick;
    fill(pick);
    check_round_trip(pick, std::make_unique<vux_pick>());
}

TEST(ModelRecords, FactoriesKnowTheirRangesOnly) {
    struct row {
        int32_t code;
        bool record, step, any;
    };
    const row rows[] = {
        {999, false, false, false},
        {vux_type_brush, true, false, true},
        {vux_type_dialog, true, false, true},
        {vux_type_menu, true, false, true},
        {vux_type_window, true, false, true},
        {vux_type_element_box, false, false, true},
        {vux_type_element_command, false, false, true},
        {vux_type_element_titlebar, false, false, true},
        {1110, false, false, false},
        {vux_type_action, true, false, true},
        {vux_type_action_animation, false, true, true},
        {vux_type_action_upload, false, true, true},
        {1225, false, false, false},
        {vux_type_request_enter, false, false, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(vux_model_make_record(r.code) != nullptr, r.record);
        EXPECT_EQ(vux_model_make_step(r.code) != nullptr, r.step);
        EXPECT_EQ(vux_model_make(r.code) != nullptr, r.any);
    }
    EXPECT_EQ(vux_prediction::create_step(1225), nullptr);
    EXPECT_EQ(vux_prediction::create_step(1200), nullptr);
    auto step = vux_prediction::create_step(vux_type_action_go);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->type_code(), vux_type_action_go);
    auto copy = vux_prediction::clone_step(*step);
    ASSERT_TRUE(copy);
    EXPECT_EQ(bytes_of(*copy), bytes_of(*step));
}

TEST(ModelRecords, UnknownOrUnexpectedCodesFailTheRead) {
    // An action whose second step has no class: the read fails, never succeeds.
    stream unknown;
    unknown.action_head().i(2).i(vux_type_action_command).step_base().i(7).i(1299).step_base().i(0);
    vux_action action;
    EXPECT_FALSE(read_from(action, unknown.bytes()));

    // A condition list whose item carries another code.
    stream wrong;
    wrong.i(2).i(vux_type_condition).i(0).i(0).i(0).s("a").s("b").i(vux_type_brush).i(0).i(0).i(0).s("").s("");
    vux_condition_list list;
    EXPECT_FALSE(read_from(list, wrong.bytes()));
    EXPECT_LE(list.count(), 1);

    // A menu step's list takes commands only.
    stream menu;
    menu.step_base().i(0).i(0).s("").i(1).i(vux_type_element_box).i(0);
    vux_action_menu menu_step;
    EXPECT_FALSE(read_from(menu_step, menu.bytes()));
    // An element step's list reads any code but a segment or box as an image.
    stream element;
    element.step_base().i(1).i(0).i(0).i(0).i(0).i(0).i(0).s("w").s("").i(1).i(vux_type_element_text);
    element.i(0).i(1).i(1).i(2).i(0).i(0).i(-1).i(-1).i(0).i(0).i(0).i(0).i(0);  // 13 image ints
    element.s("").s("").s("").s("");                                             // four strings
    element.i(0).i(0).i(1).i(-1).s("").i(0).i(0);                                // text body
    element.i(0).i(0).i(0);                                                      // no link or action; list
    vux_action_element element_step;
    ASSERT_TRUE(read_from(element_step, element.bytes()));
    ASSERT_EQ(element_step.elements.get_count(), 1);
    EXPECT_EQ(element_step.elements.get(0)->type_code(), vux_type_element_image);
    EXPECT_EQ(bytes_of(*element_step.elements.get(0)), bytes_of(vux_element_image()));
    // A client's paragraph list: only the paragraph code is followed by a
    // body; an entry of another code is a code alone and holds nothing.
    auto paragraph_body = [](stream& out, const char* name) {
        out.i(0x20).i(2).ints({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).s(name).i(0).i(0).i(0);
    };
    stream client;
    client.ints({8, 3, 2, 1, 0, 32}).s("").s("").i(3).i(vux_type_element_paragraph);
    paragraph_body(client, "a");
    client.i(vux_type_element_box).i(vux_type_element_paragraph);
    paragraph_body(client, "b");
    client.ints({0, 0, 0, 0, 0, 0});  // no actions, no scroll bar, two empty string lists
    vux_element_client read_client;
    ASSERT_TRUE(read_from(read_client, client.bytes()));
    ASSERT_EQ(read_client.count(), 2);
    EXPECT_EQ(read_client.paragraph(0)->name, vux_string("a"));
    EXPECT_EQ(read_client.paragraph(1)->name, vux_string("b"));
    // Empty element lists read.
    stream empty;
    empty.step_base().i(0).i(0).s("").i(0);
    EXPECT_TRUE(read_from(menu_step, empty.bytes()));
}

TEST(ModelRecords, CountsAreBoundedByTheBytesLeft) {
    struct row {
        const char* what;
        std::vector<uint8_t> bytes;
        std::unique_ptr<vux_record> target;
    };
    std::vector<row> rows;
    {
        stream s;
        s.action_head().i(0x7FFFFFFF).i(vux_type_action_command);
        rows.push_back({"steps", s.bytes(), std::make_unique<vux_action>()});
    }
    {
        stream s;
        s.i(0x40000000).i(vux_type_condition);
        rows.push_back({"conditions", s.bytes(), std::make_unique<vux_condition_list>()});
    }
    {
        stream s;
        s.i(0).i(0).s("o").s("").i(0x10000000).i(0).i(0);
        rows.push_back({"picks", s.bytes(), std::make_unique<vux_option>()});
    }
    for (auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(read_from(*r.target, r.bytes));
    }
}

// An action nested through motion steps `levels` deep.
std::unique_ptr<vux_action> nested_action(int levels) {
    auto top = std::make_unique<vux_action>();
    model_test::nest_actions(*top, levels);
    return top;
}

TEST(ModelRecords, NestingDepthIsBounded) {
    // Each level is two records deep (the step and its action).
    auto shallow = nested_action(10);
    vux_action back;
    EXPECT_TRUE(read_from(back, bytes_of(*shallow)));
    EXPECT_EQ(bytes_of(back), bytes_of(*shallow));

    auto deep = nested_action(40);
    EXPECT_FALSE(read_from(back, bytes_of(*deep)));

    // Hyperlinks nest too: action -> property step -> hyperlink -> action,
    // three records a level.
    auto linked = [](int levels) {
        stream s;
        for (int i = 0; i < levels; ++i) {
            s.action_head().i(1).i(vux_type_action_property).step_base();
            s.i(0).i(0).i(1).i(1).i(0).i(0).i(0).s("").s("").s("").i(0);  // ints, texts, names
            s.i(0);                                                       // no icon
            s.i(vux_type_hyperlink).i(0x5801).i(0).s("").i(0);            // hyperlink up to its action
            s.i(vux_type_action);
        }
        s.action_head().i(0).i(0);                                    // the innermost action: no steps, no extras
        for (int i = 0; i < levels; ++i) s.i(0).i(0).i(0).i(0).i(0);  // guard, extras, actions 1 and 2, extras
        return s.bytes();
    };
    EXPECT_TRUE(read_from(back, linked(5)));
    EXPECT_FALSE(read_from(back, linked(20)));
}

// An element built in memory may nest deeper than a copy can read back: its
// clone fails as a whole and gives null.
TEST(ModelRecords, ElementsNestedPastTheLimitCloneToNull) {
    const auto with_action = [](auto element, int levels) {
        element->action = nested_action(levels);
        return element;
    };
    auto in_paragraph = [&](int levels) {
        auto p = std::make_unique<vux_element_paragraph>();
        p->children.append(with_action(std::make_unique<vux_element_box>(), levels));
        return p;
    };
    struct row {
        const char* what;
        std::unique_ptr<vux_object> shallow, deep;
    };
    row rows[] = {
        {"box", with_action(std::make_unique<vux_element_box>(), 5),
         with_action(std::make_unique<vux_element_box>(), 40)},
        {"segment", with_action(std::make_unique<vux_element_segment>(), 5),
         with_action(std::make_unique<vux_element_segment>(), 40)},
        {"image", with_action(std::make_unique<vux_element_image>(), 5),
         with_action(std::make_unique<vux_element_image>(), 40)},
        {"paragraph", in_paragraph(5), in_paragraph(40)},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        auto copy = r.shallow->clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->type_code(), r.shallow->type_code());
        EXPECT_EQ(r.deep->clone(), nullptr);
    }

    // A paragraph's edits skip the clone that failed.
    vux_element_paragraph p;
    vux_object_list items;
    items.append(with_action(std::make_unique<vux_element_box>(), 40));
    items.append(with_action(std::make_unique<vux_element_box>(), 1));
    p.append_clones(items);
    EXPECT_EQ(p.children.get_count(), 1);
}

}  // namespace
