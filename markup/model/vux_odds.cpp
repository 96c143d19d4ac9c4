#include "markup/model/vux_odds.h"
#include <algorithm>
#include <string>
#include <utility>
#include <vector>
#include "core/vux_hex.h"
#include "markup/model/vux_action_odds.h"

void vux_odds::fields(vux_field_visitor& v) {
    v.int32("rows", rows);
    v.int32("columns", columns);
    v.string("name", name);
    v.string("title", title);
    v.bytes("bits", bits);
}

bool vux_odds::cell(int32_t r, int32_t c) const {
    if (r < 0 || c < 0 || c >= columns) return false;
    const int64_t b = int64_t(r) * columns + c;
    if (b / 8 >= bits.length()) return false;
    return (bits.data()[b / 8] >> (b % 8) & 1) != 0;
}

int32_t vux_odds::visible_columns() const {
    if (columns <= 0) return 0;
    return int32_t(std::min<int64_t>(columns, int64_t(bits.length()) * 8));
}

int32_t vux_odds::visible_rows() const {
    if (rows <= 0 || columns <= 0) return 0;
    // Rows that have at least one cell inside the buffer.
    const int64_t cells = int64_t(bits.length()) * 8;
    return int32_t(std::min<int64_t>(rows, (cells + columns - 1) / columns));
}

namespace {
// Whether the query requires a column in [from, to): the columns a table
// wider than its buffer has past it.
bool requires_any(const vux_odds::query& q, int32_t from, int32_t to) {
    if (from >= to) return false;
    if (q.pattern_form) {
        for (int32_t c = from; c < std::min(to, q.pattern.length()); ++c)
            if (q.pattern.byte_at(c) == '1') return true;
        return false;
    }
    if (int64_t(to) - from >= 32) return q.mask != 0;
    for (int32_t c = from; c < to; ++c)
        if (q.mask >> (c % 32) & 1u) return true;
    return false;
}
}  // namespace

void vux_odds::run_query(const query& q) {
    const int32_t nc = visible_columns();
    // The columns past the buffer are clear, so a row that needs one of them
    // is never found.
    const int32_t nr = requires_any(q, nc, columns) ? 0 : visible_rows();
    int64_t limit = q.limit > 0 ? q.limit : 0;
    if (!count_only) limit = limit == 0 ? max_found : std::min<int64_t>(limit, max_found);

    std::vector<std::pair<int32_t, vux_string>> added;  // set bits, result text
    std::string pattern;
    for (int32_t r = 0; r < nr; ++r) {
        bool match = true;
        bool exact = true;
        uint32_t row_mask = 0;
        int32_t ones = 0;
        pattern.assign(size_t(nc), '0');
        for (int32_t c = 0; c < nc; ++c) {
            const bool required = q.pattern_form ? q.pattern.byte_at(c) == '1' : (q.mask >> (c % 32) & 1u) != 0;
            const bool set = cell(r, c);
            if (required && !set) {
                match = false;
                break;
            }
            if (!set) continue;
            row_mask |= 1u << (c % 32);
            pattern[size_t(c)] = '1';
            ++ones;
            if (!required && q.exact_wanted && !exact_found) exact = false;
        }
        if (!match) continue;
        if (q.exact_wanted && !exact_found && exact) exact_found = 1;
        if (!count_only) {
            if (q.pattern_form)
                added.emplace_back(ones, vux_string(pattern));
            else
                added.emplace_back(vux_hex::count_bits(int32_t(row_mask)), vux_hex::format(int32_t(row_mask)));
        }
        ++found;
        if (limit != 0 && found >= limit) break;
    }
    if (added.empty()) return;

    if (q.sorted) {
        // Each result goes before the first one with more set bits: a stable
        // order by bit count, the earlier results first among equals.
        std::vector<std::pair<int32_t, vux_string>> all;
        all.reserve(size_t(results.count()) + added.size());
        for (int32_t i = 0; i < results.count(); ++i) {
            const vux_string& t = results.item_at(i);
            all.emplace_back(q.pattern_form ? t.count_ones() : vux_hex::count_bits_of(t), t);
        }
        for (auto& a : added) all.push_back(std::move(a));
        std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        added = std::move(all);
        results.clear();
    }
    for (const auto& a : added) results.append(a.second);
}

bool vux_odds::clear_results() {
    if (results.count() == 0) return false;
    results.clear();
    cursor = -1;
    return true;
}

const vux_string& vux_odds::item_variable(const vux_action_odds& step) const {
    return step.item_variable.empty() ? name : step.item_variable;
}

bool vux_odds::emit(const vux_action_odds& step, vux_variables& env) {
    env.assign(item_variable(step), results.item_at(cursor));
    if (!step.index_variable.empty()) env.set_integer(step.index_variable, cursor);
    return true;
}

bool vux_odds::collect(const vux_action_odds& step, vux_variables& env, bool pattern_form, bool counting) {
    if (!step.count_variable.empty()) env.remove(step.count_variable);
    if (!counting && !step.index_variable.empty()) env.remove(step.index_variable);
    if (!step.exact_variable.empty()) env.remove(step.exact_variable);
    if (!counting) clear_results();

    vux_string text;
    if (!env.get(step.query_variable, text)) return false;
    query q;
    q.pattern_form = pattern_form;
    if (pattern_form)
        q.pattern = text;
    else
        q.mask = uint32_t(vux_hex::parse(text));
    const int32_t query_bits = pattern_form ? text.count_ones() : vux_hex::count_bits(int32_t(q.mask));
    if (step.min_bits != 0 && query_bits < step.min_bits) return false;

    count_only = counting ? 1 : 0;
    exact_found = 0;
    found = 0;
    q.limit = step.max_results;
    q.sorted = step.sorted != 0;
    q.exact_wanted = counting ? !step.exact_variable.empty() : (step.locate_exact != 0 || !step.exact_variable.empty());
    run_query(q);
    count_only = 0;

    if (found > 0 && !step.count_variable.empty()) env.set_integer(step.count_variable, found);
    if (!step.exact_variable.empty()) {
        if (exact_found)
            env.assign(step.exact_variable, vux_string("ok"));
        else
            env.remove(step.exact_variable);
    }
    if (!counting && exact_found && step.locate_exact != 0) {
        for (int32_t i = 0; i < results.count(); ++i) {
            const vux_string& r = results.item_at(i);
            if (pattern_form ? r == text : uint32_t(vux_hex::parse(r)) == q.mask) {
                cursor = i;
                if (!step.index_variable.empty()) env.set_integer(step.index_variable, cursor);
                break;
            }
        }
    }
    return true;
}

bool vux_odds::move(const vux_action_odds& step, vux_variables& env, int32_t operation) {
    if (!step.index_variable.empty()) env.remove(step.index_variable);
    const int32_t n = results.count();
    if (n == 0) return false;
    const int32_t last = n - 1;
    if (cursor < -1 || cursor > last) cursor = -1;
    switch (operation) {
    case 8: cursor = 0; break;
    case 9:
        if (cursor == last) return false;
        ++cursor;
        break;
    case 10: cursor = cursor == last ? 0 : cursor + 1; break;
    case 11:
        if (cursor == -1) return false;
        break;
    case 12: cursor = last / 2; break;
    case 13:
        if (cursor == 0) return false;
        cursor = cursor == -1 ? last : cursor - 1;
        break;
    case 14: cursor = cursor <= 0 ? last : cursor - 1; break;
    case 15: cursor = last; break;
    default: return false;
    }
    return emit(step, env);
}

bool vux_odds::apply(const vux_action_odds& step, vux_variables& env) {
    switch (step.operation) {
    case 1: return clear_results();
    case 2: {
        const bool had = clear_results();
        env.remove(name);
        return had;
    }
    case 3: return collect(step, env, true, false);
    case 4: return collect(step, env, false, false);
    case 5: return collect(step, env, true, true);
    case 6: return collect(step, env, false, true);
    case 7: {
        int32_t i = 0;
        if (!env.get_integer(step.index_variable, i) || i < 0 || i >= results.count()) return false;
        cursor = i;
        env.assign(item_variable(step), results.item_at(i));
        return true;
    }
    default:
        if (step.operation >= 8 && step.operation <= 15) return move(step, env, step.operation);
        return false;
    }
}
