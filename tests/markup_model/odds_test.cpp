// The odds record: queries by mask and pattern, counting, the cursor moves,
// and tables that come off the wire too short or too large.
#include <gtest/gtest.h>
#include <climits>
#include <string>
#include <vector>
#include "markup/model/vux_action_odds.h"
#include "markup/model/vux_odds.h"
#include "markup_model/model_test_support.h"

namespace {

// A table from rows of '0'/'1' text, all of the same width.
vux_odds table(const std::vector<std::string>& rows) {
    vux_odds o;
    o.name = vux_string("odds");
    o.rows = int32_t(rows.size());
    o.columns = rows.empty() ? 0 : int32_t(rows[0].size());
    std::vector<uint8_t> bits(size_t(o.rows * o.columns + 7) / 8);
    for (int32_t r = 0; r < o.rows; ++r)
        for (int32_t c = 0; c < o.columns; ++c)
            if (rows[size_t(r)][size_t(c)] == '1')
                bits[size_t(r * o.columns + c) / 8] |= uint8_t(1 << ((r * o.columns + c) % 8));
    o.bits.assign_bytes(bits.data(), int32_t(bits.size()));
    return o;
}

vux_action_odds step_of(int32_t operation) {
    vux_action_odds s;
    s.operation = operation;
    s.query_variable = vux_string("q");
    return s;
}

std::vector<std::string> results(const vux_odds& o) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < o.results.count(); ++i) out.push_back(o.results.item_at(i).str());
    return out;
}

TEST(Odds, CollectTable) {
    const std::vector<std::string> three = {"110", "100", "111"};
    struct row {
        const char* what;
        std::vector<std::string> rows;
        int32_t operation;
        const char* query;
        int32_t sorted, locate_exact, min_bits, max_results;
        bool ok;
        std::vector<std::string> results;
        int32_t cursor;
    };
    const row rows[] = {
        {"mask", three, 4, "00000003", 0, 1, 0, 0, true, {"00000003", "00000007"}, 0},
        {"pattern", three, 3, "110", 0, 1, 0, 0, true, {"110", "111"}, 0},
        {"no exact wanted", three, 4, "00000003", 0, 0, 0, 0, true, {"00000003", "00000007"}, -1},
        {"sorted by bits", {"111", "100", "110"}, 3, "100", 1, 0, 0, 0, true, {"100", "110", "111"}, -1},
        {"unsorted", {"111", "100", "110"}, 3, "100", 0, 0, 0, 0, true, {"111", "100", "110"}, -1},
        {"max results 1", three, 3, "100", 0, 0, 0, 1, true, {"110"}, -1},
        {"min bits", three, 4, "00000003", 0, 0, 3, 0, false, {}, -1},
        {"pattern past the columns", three, 3, "1101111", 0, 0, 0, 0, true, {"110", "111"}, -1},
        {"short mask text", three, 4, "3", 0, 0, 0, 0, true, {"00000003", "00000007"}, -1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vux_odds o = table(r.rows);
        model_test::variables env;
        env.values["q"] = r.query;
        vux_action_odds s = step_of(r.operation);
        s.sorted = r.sorted;
        s.locate_exact = r.locate_exact;
        s.min_bits = r.min_bits;
        s.max_results = r.max_results;
        s.count_variable = vux_string("n");
        s.index_variable = vux_string("i");
        EXPECT_EQ(o.apply(s, env), r.ok);
        EXPECT_EQ(results(o), r.results);
        EXPECT_EQ(o.cursor, r.cursor);
        if (!r.results.empty()) {
            EXPECT_EQ(env.at("n"), std::to_string(r.results.size()));
        }
        EXPECT_EQ(env.has("i"), r.cursor >= 0);
    }
}

TEST(Odds, ExactVariableAndCount) {
    vux_odds o = table({"110", "100", "111"});
    model_test::variables env;
    env.values["q"] = "00000003";
    vux_action_odds s = step_of(6);  // count by mask
    s.count_variable = vux_string("n");
    s.exact_variable = vux_string("x");
    EXPECT_TRUE(o.apply(s, env));
    EXPECT_EQ(env.at("n"), "2");
    EXPECT_EQ(env.at("x"), "ok");
    EXPECT_EQ(o.results.count(), 0);  // counting adds no results

    env.values["q"] = "00000004";  // column 2 only: no exact row
    EXPECT_TRUE(o.apply(s, env));
    EXPECT_EQ(env.at("n"), "1");
    EXPECT_FALSE(env.has("x"));

    s.min_bits = 3;  // a query of two bits: nothing happens
    env.values["q"] = "00000003";
    env.values["n"] = "keep";
    EXPECT_FALSE(o.apply(s, env));
    EXPECT_FALSE(env.has("n"));  // the count variable is removed first
    env.values.erase("q");
    s.min_bits = 0;
    EXPECT_FALSE(o.apply(s, env));  // no query variable
}

TEST(Odds, CursorMovesTable) {
    // Four results "0", "1", "2", "3" via a one-column table of set cells
    // queried by pattern; the result texts are all "1", so the index variable
    // tells the cursor.
    struct row {
        const char* what;
        int32_t start_cursor;
        int32_t operation;
        bool ok;
        int32_t cursor;
    };
    const row rows[] = {
        {"first", 2, 8, true, 0},
        {"next from none", -1, 9, true, 0},
        {"next", 1, 9, true, 2},
        {"next at last", 3, 9, false, 3},
        {"next wrap at last", 3, 10, true, 0},
        {"next wrap from none", -1, 10, true, 0},
        {"current none", -1, 11, false, -1},
        {"current", 2, 11, true, 2},
        {"middle of four", -1, 12, true, 1},
        {"previous from none", -1, 13, true, 3},
        {"previous at 0", 0, 13, false, 0},
        {"previous", 2, 13, true, 1},
        {"previous wrap at 0", 0, 14, true, 3},
        {"previous wrap from none", -1, 14, true, 3},
        {"last", 0, 15, true, 3},
        {"unknown", 0, 16, false, 0},
        {"unknown 0", 0, 0, false, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vux_odds o = table({"1", "1", "1", "1"});
        model_test::variables env;
        env.values["q"] = "1";
        EXPECT_TRUE(o.apply(step_of(3), env));
        ASSERT_EQ(o.results.count(), 4);
        o.cursor = r.start_cursor;
        vux_action_odds s = step_of(r.operation);
        s.index_variable = vux_string("i");
        s.item_variable = vux_string("item");
        env.values["i"] = "stale";
        EXPECT_EQ(o.apply(s, env), r.ok);
        EXPECT_EQ(o.cursor, r.cursor);
        if (r.operation >= 8 && r.operation <= 15) {
            EXPECT_EQ(env.at("i"), r.ok ? std::to_string(r.cursor) : "");
            EXPECT_EQ(env.at("item"), r.ok ? "1" : "");
        }
    }
}

TEST(Odds, ClearSelectAndEmptyMoves) {
    vux_odds o = table({"1", "1"});
    model_test::variables env;
    env.values["q"] = "1";
    vux_action_odds s = step_of(8);
    EXPECT_FALSE(o.apply(step_of(1), env));  // nothing to clear
    EXPECT_FALSE(o.apply(s, env));           // no results to move over
    o.apply(step_of(3), env);

    vux_action_odds select = step_of(7);
    select.index_variable = vux_string("i");
    env.values["i"] = "1";
    EXPECT_TRUE(o.apply(select, env));
    EXPECT_EQ(o.cursor, 1);
    EXPECT_EQ(env.at("odds"), "1");  // no item variable: the odds' own name
    for (const char* bad : {"2", "-1", "x", "99999999999"}) {
        env.values["i"] = bad;
        EXPECT_FALSE(o.apply(select, env)) << bad;
    }

    env.values["odds"] = "1";
    EXPECT_TRUE(o.apply(step_of(2), env));
    EXPECT_FALSE(env.has("odds"));
    EXPECT_EQ(o.cursor, -1);
    EXPECT_EQ(o.results.count(), 0);
}

TEST(Odds, TablesOffTheWireAreBounded) {
    model_test::variables env;
    env.values["q"] = "00000000";  // no column required: every visited row matches
    struct row {
        const char* what;
        int32_t rows, columns;
        std::vector<uint8_t> bits;
        int32_t max_results;
        int32_t found;
    };
    const row rows[] = {
        {"bits shorter than the table", 3, 3, {0xFF}, 0, 3},  // row 2 is partly inside
        {"huge rows, one byte", INT_MAX, 1, {0x01}, 0, 8},
        {"huge columns", 2, INT_MAX, {0x01}, 0, 1},
        {"huge both", INT_MAX, INT_MAX, {0x01}, 0, 1},
        {"negative rows", -5, 3, {0xFF}, 0, 0},
        {"negative columns", 3, -3, {0xFF}, 0, 0},
        {"no columns", 3, 0, {0xFF}, 0, 0},
        {"empty bits", 3, 3, {}, 0, 0},
        {"cap without a limit", INT_MAX, 1, std::vector<uint8_t>(20000, 0), 0, vux_odds::max_found},
        {"negative limit", INT_MAX, 1, std::vector<uint8_t>(20000, 0), -1, vux_odds::max_found},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vux_odds o;
        o.rows = r.rows;
        o.columns = r.columns;
        o.bits.assign_bytes(r.bits.data(), int32_t(r.bits.size()));
        vux_action_odds s = step_of(4);
        s.max_results = r.max_results;
        EXPECT_TRUE(o.apply(s, env));
        EXPECT_EQ(o.found, r.found);
        EXPECT_EQ(o.results.count(), r.found);
    }
    // Cells past the buffer read as clear.
    vux_odds o = table({"11", "11"});
    o.rows = 3;
    EXPECT_TRUE(o.cell(1, 1));
    EXPECT_FALSE(o.cell(2, 0));
    EXPECT_FALSE(o.cell(-1, 0));
    EXPECT_FALSE(o.cell(0, 2));
}

TEST(Odds, WideTablesFoldColumnsIntoTheMask) {
    std::string row0(40, '0'), row1(40, '0');
    row0[0] = '1';
    row0[32] = '1';
    row1[0] = '1';  // column 32 clear: mask bit 0 asks for both
    vux_odds o = table({row0, row1});
    model_test::variables env;
    env.values["q"] = "00000001";
    EXPECT_TRUE(o.apply(step_of(4), env));
    EXPECT_EQ(results(o), (std::vector<std::string>{"00000001"}));

    // A buffer that ends inside row 0: the columns past it read as clear, so
    // a row that needs one of them is not found.
    struct row {
        const char* what;
        int32_t operation;
        const char* query;
        int32_t found;
    };
    const row rows[] = {
        {"mask bit 0 needs column 32", 4, "00000001", 0},
        {"mask bit 31 needs only column 31", 4, "80000000", 1},
        {"mask bit 7 needs column 39", 4, "00000080", 0},
        {"no column needed", 4, "00000000", 1},
        {"pattern needs column 33", 3, "000000000000000000000000000000000100000000", 0},
        {"pattern inside the buffer", 3, "1", 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vux_odds w;
        w.rows = 1;
        w.columns = 40;
        const uint8_t bits[] = {0xFF, 0xFF, 0xFF, 0xFF};
        w.bits.assign_bytes(bits, 4);
        env.values["q"] = r.query;
        EXPECT_TRUE(w.apply(step_of(r.operation), env));
        EXPECT_EQ(w.found, r.found);
    }
}

}  // namespace
