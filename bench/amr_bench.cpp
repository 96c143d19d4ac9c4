// bench-libs: vux_emulator
// Voice conversion speed in multiples of real time: 60 s of a speech-like
// signal (a gliding voiced tone with harmonics, syllable envelope and a
// little noise) encoded WAV -> AMR and decoded AMR -> WAV.
//
//   build/bench/bench_amr
// The "realtime" counter is seconds of audio converted per second of work.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>
#include "emulator/amr_wav.h"

namespace {

constexpr int seconds = 60;

std::vector<uint8_t> speech_like_wav() {
    std::vector<uint8_t> pcm(8000 * seconds);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-4, 4);
    double phase = 0;
    for (size_t i = 0; i < pcm.size(); ++i) {
        const double t = double(i) / 8000;
        const double pitch = 120 + 40 * std::sin(2 * M_PI * 0.7 * t);
        phase += 2 * M_PI * pitch / 8000;
        const double envelope = 0.5 + 0.5 * std::sin(2 * M_PI * 4 * t);
        const double voice = std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase);
        pcm[i] = uint8_t(std::lround(std::clamp(128 + 50 * envelope * voice + noise(rng), 0.0, 255.0)));
    }
    std::vector<uint8_t> wav = {'R',  'I',  'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V',  'E',  'f', 'm',
                                't',  ' ',  16,  0,   0, 0, 1, 0, 1,   0,   0x40, 0x1F, 0,   0,
                                0x40, 0x1F, 0,   0,   1, 0, 8, 0, 'd', 'a', 't',  'a'};
    const uint32_t n = uint32_t(pcm.size());
    for (int k = 0; k < 4; ++k) wav.push_back(uint8_t(n >> 8 * k));
    wav.insert(wav.end(), pcm.begin(), pcm.end());
    return wav;
}

void BM_wav_to_amr(benchmark::State& state) {
    const auto wav = speech_like_wav();
    std::vector<uint8_t> amr;
    for (auto _ : state) benchmark::DoNotOptimize(wav_to_amr_bytes(wav, amr));
    state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_amr_to_wav(benchmark::State& state) {
    std::vector<uint8_t> amr, wav;
    wav_to_amr_bytes(speech_like_wav(), amr);
    for (auto _ : state) benchmark::DoNotOptimize(amr_to_wav_bytes(amr, wav));
    state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_wav_to_amr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_amr_to_wav)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
