#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "emulator/pcm_convert.h"

namespace {

// `seconds` of a sine at `hz` in the given format, the same in every channel.
std::vector<uint8_t> tone(const pcm_format& f, double hz, double level, double seconds) {
    const int n = int(f.rate * seconds);
    const int width = pcm_sample_bytes(f.sample);
    std::vector<uint8_t> bytes(size_t(n) * f.channels * width);
    for (int i = 0; i < n; ++i) {
        const double v = level * std::sin(2 * M_PI * hz * i / f.rate);
        for (int c = 0; c < f.channels; ++c) {
            uint8_t* p = bytes.data() + (size_t(i) * f.channels + c) * width;
            if (f.sample == pcm_sample::f32) {
                const float x = float(v);
                std::memcpy(p, &x, 4);
            } else if (f.sample == pcm_sample::s16) {
                const int16_t x = int16_t(std::lround(v * 32767));
                std::memcpy(p, &x, 2);
            } else if (f.sample == pcm_sample::s32) {
                const int32_t x = int32_t(std::lround(v * 2147483647.0));
                std::memcpy(p, &x, 4);
            } else {
                p[0] = uint8_t(std::lround(128 + v * 127));
            }
        }
    }
    return bytes;
}

TEST(PcmConvert, DeviceFormatsBecomeEightBitEightKilohertzMono) {
    struct {
        const char* name;
        pcm_format format;
    } cases[] = {
        {"48 kHz float stereo", {48000, 2, pcm_sample::f32}},
        {"44.1 kHz 16-bit stereo", {44100, 2, pcm_sample::s16}},
        {"16 kHz 32-bit mono", {16000, 1, pcm_sample::s32}},
        {"8 kHz 8-bit mono", {8000, 1, pcm_sample::u8}},
    };
    for (auto& c : cases) {
        const auto voice = pcm_to_voice(c.format, tone(c.format, 1000, 0.5, 1.0));
        EXPECT_NEAR(double(voice.size()), 8000, 2) << c.name;
        int crossings = 0;
        double energy = 0;
        for (size_t i = 1; i < voice.size(); ++i) {
            if ((voice[i - 1] < 128) != (voice[i] < 128)) ++crossings;
            energy += (voice[i] - 128.0) * (voice[i] - 128.0);
        }
        EXPECT_NEAR(crossings, 2000, 100) << c.name;
        const double rms = std::sqrt(energy / double(voice.size()));
        EXPECT_NEAR(rms, 0.5 * 127 / std::sqrt(2.0), 6) << c.name;
    }
}

TEST(PcmConvert, SilenceAndCutFrames) {
    const pcm_format stereo16{16000, 2, pcm_sample::s16};
    std::vector<uint8_t> silence(16000 * 4 / 10 + 3, 0);  // 0.1 s and a partial frame
    const auto voice = pcm_to_voice(stereo16, silence);
    EXPECT_EQ(voice.size(), 800u);
    for (uint8_t v : voice) EXPECT_EQ(v, 128);
    EXPECT_TRUE(pcm_to_voice({0, 1, pcm_sample::u8}, silence).empty());
}

}  // namespace
