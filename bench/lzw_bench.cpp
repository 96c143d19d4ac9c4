// bench-libs: vux_core
// The LZW document expander and the PNG / GIF frame splitters in MB/s, with
// reference points from the same run on the same machine: a memcpy of the
// same output size, zlib's inflate in this process of the same bytes
// compressed at level 6 (BM_expand prints it as zlib_MBps and its own speed
// over zlib's as "vs_zlib", both from alternating timed blocks), and the system's `uncompress` (ncompress, LZW too) and
// `gzip -d` over the same bytes when they are installed. The tools run as
// subprocesses, so their figures include starting a process; the `cat`
// benchmark over the same file shows that cost alone.
//
//   build/bench/bench_lzw                          all of them
//   build/bench/bench_lzw --benchmark_filter=8388608   one size
// Ratios: divide the bytes_per_second columns (expand / memcpy, and so on).
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>
#include "bench/bench_ratio.h"
#include "core/vux_expand.h"
#include "core/vux_gif.h"
#include "core/vux_png.h"
#include "toolkit/vux_lzw_pack.h"
#include "tools/vux_image_fixtures.h"

namespace {

// Document-like bytes: records of small big-endian integers and words of a
// modest vocabulary, as markup documents are.
std::string document_bytes(size_t n) {
    static const char* words[] = {"window", "box", "paragraph", "text", "image",     "command", "title", "color",
                                  "yes",    "no",  "center",    "left", "__status_", "value",   "site",  "news"};
    std::mt19937 rng(42);
    std::string s = std::string("vux+\0\0\0\0\0", 9);
    while (s.size() < n) {
        const uint32_t code = 1000 + rng() % 120;
        for (int i = 3; i >= 0; --i) s.push_back(char(code >> (8 * i)));
        const char* w = words[rng() % 16];
        const uint32_t len = uint32_t(std::strlen(w));
        for (int i = 3; i >= 0; --i) s.push_back(char(len >> (8 * i)));
        s += w;
        s.push_back(char(rng() % 4));
    }
    s.resize(n);
    return s;
}

const std::string& document(size_t n) {
    static std::map<size_t, std::string> cache;
    auto it = cache.find(n);
    if (it == cache.end()) it = cache.emplace(n, document_bytes(n)).first;
    return it->second;
}

const std::string& packed(size_t n) {
    static std::map<size_t, std::string> cache;
    auto it = cache.find(n);
    if (it == cache.end()) it = cache.emplace(n, vux_tools::lzw_pack_document(document(n))).first;
    return it->second;
}

// The document compressed by zlib at level 6.
const std::string& deflated(size_t n) {
    static std::map<size_t, std::string> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        const std::string& plain = document(n);
        uLongf length = compressBound(uLong(plain.size()));
        std::string z(length, '\0');
        if (compress2(reinterpret_cast<Bytef*>(z.data()), &length, reinterpret_cast<const Bytef*>(plain.data()),
                      uLong(plain.size()), 6) != Z_OK)
            length = 0;
        z.resize(length);
        it = cache.emplace(n, std::move(z)).first;
    }
    return it->second;
}

void BM_expand(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const std::string& src = packed(n);
    vux_expand expander;
    expander.allocate_tables();
    vux_buffer out;
    auto expand = [&] {
        out.clear();
        expander.expand(vux_link(src.data(), int32_t(src.size())), vux_expand::header_length, out);
        benchmark::DoNotOptimize(out.data());
    };
    for (auto _ : state) expand();
    if (size_t(out.length()) != n || std::memcmp(out.data(), document(n).data(), n) != 0)
        state.SkipWithError("expansion differs");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
    state.counters["ratio"] = double(n) / double(src.size());

    // zlib inflating the same output into a buffer of its size.
    const std::string& z = deflated(n);
    std::vector<Bytef> inflated(n);
    bool inflated_whole = true;
    auto inflate = [&] {
        uLongf length = uLongf(n);
        if (uncompress(inflated.data(), &length, reinterpret_cast<const Bytef*>(z.data()), uLong(z.size())) != Z_OK ||
            length != n)
            inflated_whole = false;
        benchmark::DoNotOptimize(inflated.data());
    };
    const vux_bench::pair_seconds t = vux_bench::best_of_alternating(expand, inflate);
    if (!inflated_whole) state.SkipWithError("zlib failed");
    state.counters["zlib_ratio"] = double(n) / double(z.size());
    state.counters["expand_MBps"] = double(n) / t.work / 1e6;
    state.counters["zlib_MBps"] = double(n) / t.reference / 1e6;
    state.counters["vs_zlib"] = t.reference / t.work;
}

void BM_memcpy(benchmark::State& state) {
    const size_t n = size_t(state.range(0));
    const std::string& src = document(n);
    std::vector<char> out(n);
    for (auto _ : state) {
        std::memcpy(out.data(), src.data(), n);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}

// The same bytes in files for the tools: plain, compress(1) and gzip(1)
// forms, removed at exit.
struct tool_files {
    std::vector<std::string> names;
    ~tool_files() {
        for (const std::string& n : names) std::remove(n.c_str());
    }
};

std::string tool_file(size_t n, const char* suffix) {
    const std::string base = "/tmp/vux_lzw_bench_" + std::to_string(getpid()) + "_" + std::to_string(n);
    static std::map<std::string, bool> made;
    static tool_files files;
    if (!made[base]) {
        files.names.insert(files.names.end(), {base, base + ".Z", base + ".gz"});
        std::ofstream(base, std::ios::binary) << document(n);
        if (std::system(("compress -c " + base + " > " + base + ".Z 2>/dev/null").c_str()) != 0)
            std::remove((base + ".Z").c_str());
        if (std::system(("gzip -c " + base + " > " + base + ".gz 2>/dev/null").c_str()) != 0)
            std::remove((base + ".gz").c_str());
        made[base] = true;
    }
    return base + suffix;
}

void run_tool(benchmark::State& state, const char* tool, const char* args, const char* suffix) {
    const size_t n = size_t(state.range(0));
    const std::string file = tool_file(n, suffix);
    const std::string probe = std::string("command -v ") + tool + " >/dev/null 2>&1";
    if (std::system(probe.c_str()) != 0 || access(file.c_str(), R_OK) != 0) {
        state.SkipWithError((std::string(tool) + " not installed").c_str());
        return;
    }
    const std::string command = std::string(tool) + " " + args + " " + file + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("tool failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}

void BM_uncompress(benchmark::State& state) { run_tool(state, "uncompress", "-c", ".Z"); }
void BM_gzip_d(benchmark::State& state) { run_tool(state, "gzip", "-dc", ".gz"); }
void BM_cat(benchmark::State& state) { run_tool(state, "cat", "", ""); }

std::vector<vux_tools::image_frame> animation(int frames) {
    std::vector<vux_tools::image_frame> f;
    for (int i = 0; i < frames; ++i) f.push_back({64, 64, 0, 0, uint8_t(i % 250 + 1)});
    return f;
}

void BM_png_frames(benchmark::State& state) {
    vux_tools::png_options o;
    o.pieces = 4;
    const std::string src = vux_tools::make_png(animation(int(state.range(0))), o);
    vux_png png;
    for (auto _ : state) {
        png.split_frames(src.data(), int32_t(src.size()));
        benchmark::DoNotOptimize(png.get_count());
    }
    if (png.get_count() != state.range(0)) state.SkipWithError("frame count");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

void BM_gif_frames(benchmark::State& state) {
    const std::string src = vux_tools::make_gif(animation(int(state.range(0))));
    vux_gif gif;
    for (auto _ : state) {
        gif.split_frames(src.data(), int32_t(src.size()));
        benchmark::DoNotOptimize(gif.get_count());
    }
    if (gif.get_count() != state.range(0)) state.SkipWithError("frame count");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

}  // namespace

BENCHMARK(BM_expand)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);
BENCHMARK(BM_memcpy)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20);
BENCHMARK(BM_uncompress)->Arg(1 << 20)->Arg(8 << 20)->UseRealTime();
BENCHMARK(BM_gzip_d)->Arg(1 << 20)->Arg(8 << 20)->UseRealTime();
BENCHMARK(BM_cat)->Arg(1 << 20)->Arg(8 << 20)->UseRealTime();
BENCHMARK(BM_png_frames)->Arg(8)->Arg(64);
BENCHMARK(BM_gif_frames)->Arg(8)->Arg(64);

BENCHMARK_MAIN();
