#include "markup/runtime/vux_environment.h"
#include <cstring>
#include <limits>
#include <string>
#include "core/vux_decimal.h"
#include "core/vux_hex.h"
#include "core/vux_tea.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_condition_list.h"

namespace {

constexpr int64_t int64_max = std::numeric_limits<int64_t>::max();
constexpr int64_t int64_min = std::numeric_limits<int64_t>::min();

// "c rest": a one-character prefix, a space and at least one more character.
bool has_form(const vux_string& s, char c) {
    return s.length() > 2 && s.byte_at(0) == uint8_t(c) && s.byte_at(1) == ' ';
}
vux_string rest_of(const vux_string& s) { return s.substring(2, s.length() - 2); }
bool is_verbatim(const vux_string& name) { return name.length() > 0 && name.byte_at(name.length() - 1) == '!'; }
bool is_indirect(const vux_string& name) { return has_form(name, '$') && !is_verbatim(name); }

bool integer_of(const vux_string& text, int64_t& n) {
    if (!vux_decimal::is_decimal(text)) return false;
    n = vux_decimal::parse64(text);
    return true;
}
// A value that is no decimal number counts as 0 in arithmetic.
int64_t integer_or_zero(const vux_string& text) {
    int64_t n = 0;
    return integer_of(text, n) ? n : 0;
}
vux_string decimal_text(int64_t n) { return vux_string(std::to_string(n)); }

// Arithmetic saturates at the 64-bit range instead of overflowing.
int64_t add(int64_t a, int64_t b) {
    int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) return b < 0 ? int64_min : int64_max;
    return r;
}
int64_t subtract(int64_t a, int64_t b) {
    int64_t r = 0;
    if (__builtin_sub_overflow(a, b, &r)) return b > 0 ? int64_min : int64_max;
    return r;
}
int64_t multiply(int64_t a, int64_t b) {
    int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r)) return (a < 0) != (b < 0) ? int64_min : int64_max;
    return r;
}
int64_t divide(int64_t a, int64_t b) { return (a == int64_min && b == -1) ? int64_max : a / b; }

// Operators 0-3 on an 8-digit hex value or a text of binary digits; false
// when the value is neither or the bit index lies outside the binary text.
bool apply_bits(char op, const vux_string& value, int64_t n, vux_string& out) {
    if (vux_hex::is_hex8(value)) {
        uint32_t x = uint32_t(vux_hex::parse(value));
        if (op == '3') {
            x = n == 0 ? 0u : n == 1 ? ~0u : ~x;
        } else {
            // The bit number is taken mod 32 (so -1 is bit 31).
            const uint32_t mask = uint32_t(1) << (n & 31);
            x = op == '0' ? x & ~mask : op == '1' ? x | mask : x ^ mask;
        }
        out = vux_hex::format(int32_t(x));
        return true;
    }
    if (!value.is_binary_digits() || n < 0 || n >= value.length()) return false;
    std::string bits = value.str();
    auto change = [op, n](char c) {
        int64_t mode = op == '3' ? n : op - '0';  // 0 clear, 1 set, anything else toggles
        return mode == 0 ? '0' : mode == 1 ? '1' : (c == '0' ? '1' : '0');
    };
    if (op == '3') {
        for (char& c : bits) c = change(c);
    } else {
        bits[size_t(n)] = change(bits[size_t(n)]);
    }
    out = vux_string(bits);
    return true;
}

}  // namespace

// ---- stream form ----

void vux_environment::fields(vux_field_visitor& v) {
    vux_string_list lines;
    if (!v.reading()) {
        for (int32_t i = 0; i < count(); ++i) {
            if (vux_string_equals_cstr(stored_at(i), "ok"))
                lines.append(name_at(i));
            else
                lines.append(name_at(i) + ": " + stored_at(i));
        }
    }
    v.strings("variables", lines);
    if (!v.reading()) return;
    // Values come back exactly as they were written: they are stored, not
    // assigned, so an operator form in a stored value is not applied again.
    values_.clear();
    const vux_string separator(": ");
    for (int32_t i = 0; i < lines.count(); ++i) {
        const vux_string& line = lines.item_at(i);
        int32_t at = line.find(separator);
        if (at < 0)
            put(line, vux_string("ok"));
        else
            put(line.left(at), line.substring(at + 2, line.length() - at - 2));
    }
}

// ---- lookup ----

int32_t vux_environment::find(const vux_string& literal) const {
    for (int32_t i = 0; i + 1 < values_.count(); i += 2)
        if (values_.item_at(i) == literal) return i;
    return -1;
}

void vux_environment::put(const vux_string& literal, const vux_string& value) {
    int32_t i = find(literal);
    if (i >= 0) {
        *values_.mutable_item_at(i + 1) = value;
        return;
    }
    values_.append(literal);
    values_.append(value);
}

bool vux_environment::resolve(const vux_string& name, int32_t depth, vux_string& literal) const {
    if (!is_indirect(name)) {
        literal = name;
        return true;
    }
    return get_at(rest_of(name), depth + 1, literal);
}

bool vux_environment::get_at(const vux_string& name, int32_t depth, vux_string& value) const {
    if (depth > max_depth) return false;  // a cycle of "$" references, or too long a chain
    vux_string literal;
    return resolve(name, depth, literal) && lookup(literal, depth, value);
}

bool vux_environment::lookup(const vux_string& literal, int32_t depth, vux_string& value) const {
    int32_t i = find(literal);
    if (i < 0) return false;
    const vux_string& stored = values_.item_at(i + 1);
    if (is_verbatim(literal)) {
        value = stored;
        return true;
    }
    return evaluate(stored, depth, value);
}

bool vux_environment::evaluate(const vux_string& stored, int32_t depth, vux_string& value) const {
    if (has_form(stored, '$')) return get_at(rest_of(stored), depth + 1, value);
    if (has_form(stored, '^') || has_form(stored, '~')) {
        vux_string y;
        if (!get_at(rest_of(stored), depth + 1, y)) y.clear();
        int32_t ones = 0, total = 0;
        if (vux_hex::is_hex8(y)) {
            ones = vux_hex::count_bits_of(y);
            total = 32;
        } else if (y.is_binary_digits()) {
            ones = y.count_ones();
            total = y.length();
        }
        value = vux_decimal::format(stored.byte_at(0) == '^' ? ones : total - ones);
        return true;
    }
    value = stored;
    return true;
}

bool vux_environment::get(const vux_string& name, vux_string& value) const { return get_at(name, 0, value); }

bool vux_environment::contains(const vux_string& name) const {
    vux_string literal;
    return resolve(name, 0, literal) && find(literal) >= 0;
}

vux_string vux_environment::target_name(const vux_string& name) const {
    if (name.length() <= 2 || name.byte_at(0) != '$' || name.byte_at(1) != ' ') return name;
    vux_string value;
    get(name.substring(2, name.length() - 2), value);
    return value;
}

bool vux_environment::get_unicode(const vux_string& name, vux_unicode& text) const {
    vux_string value;
    if (!get(name, value)) return false;
    value.decode_utf8_into(text);
    return true;
}

// ---- assignment ----

void vux_environment::assign(const vux_string& name, const vux_string& value) {
    if (value.length() > 2 && value.byte_at(1) == ' ' && !is_verbatim(name)) {
        char op = char(value.byte_at(0));
        if (op != 0 && std::strchr("+-*/0123.#", op)) {
            apply_operator(op, name, rest_of(value));
            return;
        }
    }
    vux_string literal;
    if (resolve(name, 0, literal)) put(literal, value);
}

int64_t vux_environment::operand_integer(const vux_string& operand) const {
    int64_t n = 0;
    if (integer_of(operand, n)) return n;
    vux_string named;
    return get(operand, named) ? integer_or_zero(named) : 0;
}

void vux_environment::apply_operator(char op, const vux_string& name, const vux_string& rest) {
    vux_string target;
    if (!resolve(name, 0, target)) return;
    vux_string current;
    const bool exists = lookup(target, 0, current);
    // Results are stored as they are: a result that looks like an operator
    // form is not parsed again (that would let a value grow without end).
    if (op == '#') {
        vux_string other;
        if (get(rest, other)) put(target, other);
        return;
    }
    vux_string operand;
    if (!evaluate(rest, 0, operand)) return;
    switch (op) {
    case '+':
    case '-': {
        int64_t a = exists ? integer_or_zero(current) : 0;
        int64_t b = operand_integer(operand);
        put(target, decimal_text(op == '+' ? add(a, b) : subtract(a, b)));
        return;
    }
    case '*':
    case '/': {
        if (!exists) return;
        int64_t a = integer_or_zero(current);
        int64_t b = operand_integer(operand);
        if (op == '/' && b == 0) return;
        put(target, decimal_text(op == '*' ? multiply(a, b) : divide(a, b)));
        return;
    }
    case '.':
        if (exists) put(target, current + operand);
        return;
    default: {  // '0' .. '3'
        vux_string changed;
        if (exists && apply_bits(op, current, operand_integer(operand), changed)) put(target, changed);
        return;
    }
    }
}

bool vux_environment::remove(const vux_string& name) {
    vux_string literal;
    if (!resolve(name, 0, literal)) return false;
    int32_t i = find(literal);
    if (i < 0) return false;
    values_.take_at(i + 1);
    values_.take_at(i);
    return true;
}

void vux_environment::set_unicode(const vux_string& name, const vux_unicode& text) {
    assign(name, text.to_utf8_string());
}

void vux_environment::assign_pairs(const vux_string_list& pairs) {
    for (int32_t i = 0; i + 1 < pairs.count(); i += 2) {
        const vux_string& value = pairs.item_at(i + 1);
        if (value.empty())
            remove(pairs.item_at(i));
        else
            assign(pairs.item_at(i), value);
    }
}

bool vux_environment::set_tea(const vux_string& name, const vux_string& key, const vux_string& plain) {
    vux_string key_text = key;
    if (has_form(key, '$') && !get(rest_of(key), key_text)) return false;
    vux_string cipher;
    vux_tea(key_text).encrypt_to_text(plain, cipher);
    assign(name, cipher);
    return true;
}

void vux_environment::assign_all(const vux_environment& other) {
    if (&other == this) return;
    for (int32_t i = 0; i < other.count(); ++i) put(other.name_at(i), other.stored_at(i));
}

// ---- conditions ----

bool vux_environment::check_condition(const vux_condition& c) const {
    vux_string o = c.value;
    if (has_form(o, '$')) {
        vux_string named;
        if (!get(rest_of(o), named)) return false;
        o = named;
    }
    int64_t n = 0;
    if (c.scale != 0 && integer_of(o, n)) o = decimal_text(multiply(int64_t(c.scale) + 1, n));

    vux_string v;
    const bool defined = get(c.name, v);
    auto bit_is = [&](char wanted) {
        int64_t i = 0;
        return defined && integer_of(o, i) && i >= 0 && i < v.length() && v.byte_at(int32_t(i)) == uint8_t(wanted);
    };
    auto data_named = [&]() {
        vux_string literal;
        return resolve(c.name, 0, literal) && has_data_name(literal);
    };
    switch (c.op) {
    case 0: return true;
    case 1: return !defined;
    case 2: return defined;
    case 3: return defined && v == o;
    case 4: return !defined || vux_string_not_equal(v, o);
    case 5: return !defined || vux_string_less(v, o);
    case 6: return defined && vux_string_greater_equal(v, o);
    case 7: return defined && vux_string_greater(v, o);
    case 8: return !defined || vux_string_less_equal(v, o);
    case 9: return bit_is('1');
    case 10: return bit_is('0');
    case 11: return defined && vux_decimal::is_decimal(v);
    case 12: return !data_named();
    case 13: return data_named();
    case 14: return defined && (v.is_mobile_number() || v.is_email_address());
    case 15: return defined && !v.is_mobile_number() && !v.is_email_address();
    default: return false;
    }
}

bool vux_environment::check_conditions(const vux_condition_list* list) const {
    if (!list) return true;
    bool satisfied = false;  // an or-flagged condition of the current group held
    for (int32_t i = 0; i < list->count(); ++i) {
        const vux_condition& c = *list->at(i);
        if (c.or_next) {
            if (!satisfied && check_condition(c)) satisfied = true;
        } else if (satisfied) {
            satisfied = false;
        } else if (!check_condition(c)) {
            return false;
        }
    }
    return true;
}
