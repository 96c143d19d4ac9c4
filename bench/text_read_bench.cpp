// bench-libs: vux_core
// Reading a long text field: a UTF-16 text (count, then 16-bit units) and a
// byte string of the same number of bytes, each from a reader over one
// field, for 10^4 to 10^6 units. Both must take time in proportion to the
// length: items_per_second (units) stays about the same from one size to the
// next (a read that copied the text at every few units would fall by ten at
// each step), and per_unit says what one unit costs.
//
//   scripts/bench.sh text_read
//   build-bench/bench/bench_text_read --benchmark_filter=unicode
#include <benchmark/benchmark.h>
#include <string>
#include "core/vux_buffer.h"
#include "core/vux_reader.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "core/vux_writer.h"

namespace {

// One field: the text of n units cycling through the CJK block, as the
// service's Chinese texts are.
vux_buffer unicode_field(int32_t n) {
    std::u16string units(size_t(n), u'\0');
    for (int32_t i = 0; i < n; ++i) units[size_t(i)] = char16_t(0x4E00 + i % 0x5000);
    vux_buffer field;
    vux_writer(field).write_unicode(vux_unicode(units));
    return field;
}

vux_buffer string_field(int32_t n) {
    std::string bytes(size_t(n), '\0');
    for (int32_t i = 0; i < n; ++i) bytes[size_t(i)] = char('a' + i % 26);
    vux_buffer field;
    vux_writer(field).write_string(vux_string(bytes));
    return field;
}

// Reads the field into a fresh text each time, as each decoded reply has: a
// text kept from the last round would already hold the room.
template <class Text>
void read_field(benchmark::State& state, const vux_buffer& field, void (vux_reader::*read)(Text&), int32_t length,
                int32_t units) {
    bool right = true;
    for (auto _ : state) {
        Text text;
        vux_reader r(field);
        (r.*read)(text);
        benchmark::DoNotOptimize(text.length());
        right = right && text.length() == length;
    }
    if (!right) state.SkipWithError("text read wrong");
    state.SetItemsProcessed(int64_t(state.iterations()) * units);
    // Seconds per unit, printed with its SI prefix (1.5n is 1.5 ns).
    state.counters["per_unit"] =
        benchmark::Counter(double(units), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_read_unicode(benchmark::State& state) {
    const int32_t n = int32_t(state.range(0));
    read_field(state, unicode_field(n), &vux_reader::read_unicode, n, n);
}

void BM_read_string(benchmark::State& state) {
    const int32_t n = int32_t(state.range(0));
    read_field(state, string_field(2 * n), &vux_reader::read_string, 2 * n, n);  // the bytes of n units
}

}  // namespace

BENCHMARK(BM_read_unicode)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_read_string)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
