// bench-libs: vux_desktop
// Encoding and decoding a large site: 10,000 entries in each contact table
// and 1,000 news items with small pictures. Each benchmark reports its own
// throughput and, as "x_memcpy", how many times longer it takes than a memcpy
// of the same byte count timed in the same run (alternating blocks of
// each, thread CPU time, the best block of each).
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "bench/bench_ratio.h"
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "desktop/records/vux_desktop_site.h"

namespace {
std::unique_ptr<vux_desktop_site> large_site() {
    auto site = std::make_unique<vux_desktop_site>();
    site->name = "大站点";
    const vux_unicode name = vux_string("联系人姓名").to_unicode();
    vux_desktop_contact* tables[] = {&site->managers, &site->members, &site->waiters};
    for (vux_desktop_contact* table : tables) {
        for (int i = 0; i < 10000; ++i) {
            char key[33];
            std::snprintf(key, sizeof key, "%032x", i * 2654435761u);
            table->append_entry(name, vux_string(key, 32), vux_string("138****0000"));
        }
    }
    std::vector<uint8_t> picture(2048);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = uint8_t(i * 31);
    for (int i = 0; i < 1000; ++i) {
        vux_string key;
        site->news.take_next_key(key);
        site->news.add_news(key, "administrator", vux_string("新闻标题 " + std::to_string(i)),
                            vux_string(std::string(200, 'x')), vux_link(picture.data(), int32_t(picture.size())), 1);
    }
    return site;
}

vux_desktop_site& site() {
    static std::unique_ptr<vux_desktop_site> s = large_site();
    return *s;
}

const vux_buffer& encoded() {
    static vux_buffer bytes = [] {
        vux_buffer b;
        vux_writer w(b);
        site().write(w);
        return b;
    }();
    return bytes;
}

template <class Body>
void run(benchmark::State& state, Body body) {
    const size_t n = size_t(encoded().length());
    for (auto _ : state) body();
    std::vector<uint8_t> from(n, 1), to(n);
    const vux_bench::pair_seconds t = vux_bench::best_of_alternating(body, [&] {
        std::memcpy(to.data(), from.data(), n);
        benchmark::DoNotOptimize(to.data());
    });
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
    state.counters["bytes"] = double(n);
    state.counters["memcpy_MBps"] = double(n) / t.reference / 1e6;
    state.counters["x_memcpy"] = t.times();
}
}  // namespace

static void desktop_site_encode(benchmark::State& state) {
    vux_buffer out;
    run(state, [&] {
        vux_writer w(out);
        site().write(w);
        benchmark::DoNotOptimize(out.data());
    });
}
BENCHMARK(desktop_site_encode)->Unit(benchmark::kMillisecond);

static void desktop_site_decode(benchmark::State& state) {
    run(state, [&] {
        vux_reader r(encoded());
        vux_desktop_site back;
        back.read(r);
        if (r.has_error()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(back.news.items.count());
    });
}
BENCHMARK(desktop_site_decode)->Unit(benchmark::kMillisecond);

static void desktop_site_memcpy(benchmark::State& state) {
    const size_t n = size_t(encoded().length());
    std::vector<uint8_t> from(encoded().data(), encoded().data() + n), to(n);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}
BENCHMARK(desktop_site_memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
