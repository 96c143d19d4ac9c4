#include "emulator/pcm_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// One sample as -1..1.
double sample_at(const uint8_t* p, pcm_sample s) {
    switch (s) {
    case pcm_sample::u8: return (int(p[0]) - 128) / 128.0;
    case pcm_sample::s16: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return v / 32768.0;
    }
    case pcm_sample::s32: {
        int32_t v;
        std::memcpy(&v, p, 4);
        return v / 2147483648.0;
    }
    case pcm_sample::f32: {
        float v;
        std::memcpy(&v, p, 4);
        return std::isfinite(v) ? std::clamp(double(v), -1.0, 1.0) : 0.0;
    }
    }
    return 0;
}

void put_sample(uint8_t* p, pcm_sample s, double v) {
    v = std::clamp(v, -1.0, 1.0);
    switch (s) {
    case pcm_sample::u8: p[0] = uint8_t(std::clamp(std::lround(128 + v * 127), 0L, 255L)); return;
    case pcm_sample::s16: {
        const int16_t x = int16_t(std::lround(v * 32767));
        std::memcpy(p, &x, 2);
        return;
    }
    case pcm_sample::s32: {
        const int32_t x = int32_t(std::llround(v * 2147483647.0));
        std::memcpy(p, &x, 4);
        return;
    }
    case pcm_sample::f32: {
        const float x = float(v);
        std::memcpy(p, &x, 4);
        return;
    }
    }
}

}  // namespace

int pcm_sample_bytes(pcm_sample s) {
    switch (s) {
    case pcm_sample::u8: return 1;
    case pcm_sample::s16: return 2;
    case pcm_sample::s32:
    case pcm_sample::f32: return 4;
    }
    return 1;
}

std::vector<uint8_t> pcm_to_voice(const pcm_format& format, std::span<const uint8_t> bytes) {
    std::vector<uint8_t> out;
    if (format.rate <= 0 || format.channels <= 0) return out;
    const size_t width = size_t(pcm_sample_bytes(format.sample));
    const size_t frame = width * size_t(format.channels);
    const size_t frames = bytes.size() / frame;
    std::vector<double> mono(frames);
    for (size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (int c = 0; c < format.channels; ++c) sum += sample_at(bytes.data() + i * frame + c * width, format.sample);
        mono[i] = sum / format.channels;
    }
    const double step = double(format.rate) / 8000.0;
    const size_t count = size_t(double(frames) / step);
    out.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        const size_t from = size_t(double(k) * step);
        const size_t to = std::min(frames, std::max(from + 1, size_t(double(k + 1) * step)));
        double sum = 0;
        for (size_t i = from; i < to; ++i) sum += mono[i];
        const double v = sum / double(to - from);
        out.push_back(uint8_t(std::clamp(std::lround(128 + v * 127), 0L, 255L)));
    }
    return out;
}

std::vector<uint8_t> voice_to_pcm(std::span<const int16_t> voice, const pcm_format& format) {
    std::vector<uint8_t> out;
    if (format.rate <= 0 || format.channels <= 0 || voice.empty()) return out;
    const size_t width = size_t(pcm_sample_bytes(format.sample));
    const size_t frame = width * size_t(format.channels);
    const size_t frames = size_t(double(voice.size()) * format.rate / 8000.0);
    out.resize(frames * frame);
    const double step = 8000.0 / format.rate;
    for (size_t k = 0; k < frames; ++k) {
        const double at = double(k) * step;
        const size_t i = std::min(size_t(at), voice.size() - 1);
        const size_t j = std::min(i + 1, voice.size() - 1);
        const double t = at - double(i);
        const double v = ((1 - t) * voice[i] + t * voice[j]) / 32768.0;
        for (int c = 0; c < format.channels; ++c)
            put_sample(out.data() + k * frame + size_t(c) * width, format.sample, v);
    }
    return out;
}
