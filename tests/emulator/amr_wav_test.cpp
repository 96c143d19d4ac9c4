#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "emulator/amr_wav.h"

namespace {

using bytes = std::vector<uint8_t>;

// A folder of the test's own in the system's temporary folder, removed with
// what it holds, so runs side by side never share a file.
struct temp_folder {
    std::filesystem::path path;
    temp_folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "amr_wav_XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~temp_folder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;
};

void append(bytes& b, const char* s) { b.insert(b.end(), s, s + std::strlen(s)); }
void append16(bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void append32(bytes& b, uint32_t v) {
    append16(b, v);
    append16(b, v >> 16);
}
uint32_t at32(const bytes& b, size_t i) { return b[i] | b[i + 1] << 8 | b[i + 2] << 16 | uint32_t(b[i + 3]) << 24; }

// An 8-bit unsigned PCM WAV as a recorder writes it, with a format chunk
// of fmt_size bytes (16 or more), optional extra chunk, then the samples.
bytes pcm8_wav(const bytes& pcm, uint32_t fmt_size = 16, bool extra_chunk = false, uint16_t channels = 1,
               uint32_t rate = 8000, uint16_t bits = 8, uint16_t format = 1) {
    bytes w;
    append(w, "RIFF");
    append32(w, 0);  // never read
    append(w, "WAVE");
    append(w, "fmt ");
    append32(w, fmt_size);
    append16(w, format);
    append16(w, channels);
    append32(w, rate);
    append32(w, rate * channels * bits / 8);
    append16(w, channels * bits / 8);
    append16(w, bits);
    w.resize(w.size() + fmt_size - 16, 0);
    if (extra_chunk) {
        append(w, "LIST");
        append32(w, 5);
        append(w, "abcde");
    }
    append(w, "data");
    append32(w, uint32_t(pcm.size()));
    w.insert(w.end(), pcm.begin(), pcm.end());
    return w;
}

bytes tone8(int samples, double hz, int amplitude) {
    bytes pcm(samples);
    for (int i = 0; i < samples; ++i)
        pcm[i] = uint8_t(std::lround(128 + amplitude * std::sin(2 * M_PI * hz * i / 8000.0)));
    return pcm;
}

std::vector<int16_t> samples_of(const bytes& wav) {
    std::vector<int16_t> s((wav.size() - wav_header_size) / 2);
    std::memcpy(s.data(), wav.data() + wav_header_size, s.size() * 2);
    return s;
}

bytes amr_of(std::initializer_list<bytes> frames) {
    bytes a;
    append(a, "#!AMR\n");
    for (const bytes& f : frames) a.insert(a.end(), f.begin(), f.end());
    return a;
}

// A frame of the given type: its header byte (quality bit set) and zero data.
bytes frame(int type) {
    bytes f(amr_frame_size(type), 0);
    f[0] = uint8_t(type << 3 | 0x04);
    return f;
}

bytes cut(bytes b, size_t n) {
    b.resize(n);
    return b;
}

TEST(AmrWav, FrameSizesByType) {
    const int expected[16] = {13, 14, 16, 18, 20, 21, 27, 32, 6, 7, 6, 6, 1, 1, 1, 1};
    for (int t = 0; t < 16; ++t) EXPECT_EQ(amr_frame_size(t), expected[t]) << "type " << t;
}

TEST(AmrWav, HeaderMatchesTheLayoutByteForByte) {
    const uint8_t golden[48] = {
        'R',  'I',  'F',  'F',  0xA8, 0x3E, 0x00, 0x00,                          // 50 * 320 + 40 = 16040
        'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',  0x14, 0x00, 0x00, 0x00,  // format chunk of 20
        0x01, 0x00, 0x01, 0x00,                                                  // PCM, mono
        0x40, 0x1F, 0x00, 0x00,                                                  // 8000 Hz
        0x80, 0x3E, 0x00, 0x00,                                                  // 16000 bytes/s
        0x02, 0x00, 0x10, 0x00,                                                  // align 2, 16 bits
        0x00, 0x00, 0x00, 0x00, 'd',  'a',  't',  'a',  0x80, 0x3E, 0x00, 0x00,  // 16000
    };
    uint8_t made[48];
    make_wav_header(made, 50);
    EXPECT_EQ(0, std::memcmp(made, golden, 48));

    const temp_folder dir;
    ASSERT_FALSE(dir.path.empty());
    const auto path = dir.path / "header.wav";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("xy", f);
    write_wav_header(f, 50);
    std::fclose(f);
    EXPECT_EQ(std::filesystem::file_size(path), 50u);
}

TEST(AmrWav, OneSecondRoundTrip) {
    bytes amr;
    ASSERT_EQ(wav_to_amr_bytes(pcm8_wav(tone8(8000, 400, 60)), amr), 50);
    ASSERT_EQ(amr.size(), 656u);
    EXPECT_EQ(0, std::memcmp(amr.data(), "#!AMR\n", 6));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(amr[6 + 13 * i], 0x04) << "frame " << i;

    bytes wav;
    ASSERT_EQ(amr_to_wav_bytes(amr, wav), 50);
    ASSERT_EQ(wav.size(), 16048u);
    EXPECT_EQ(at32(wav, 4), 50u * 320 + 40);
    EXPECT_EQ(at32(wav, 16), 20u);
    EXPECT_EQ(at32(wav, 44), 16000u);
}

TEST(AmrWav, ToneKeepsFrequencyAndLevelAndMidScaleIsSilence) {
    bytes amr, wav;
    wav_to_amr_bytes(pcm8_wav(tone8(8000, 400, 60)), amr);
    amr_to_wav_bytes(amr, wav);
    const auto s = samples_of(wav);
    // Past the codec's start-up: the last 0.8 s.
    const size_t from = 1600;
    int crossings = 0;
    double energy = 0;
    for (size_t i = from; i < s.size(); ++i) {
        if ((s[i - 1] < 0) != (s[i] < 0)) ++crossings;
        energy += double(s[i]) * s[i];
    }
    const double expected_crossings = 2 * 400 * 0.8;
    EXPECT_NEAR(crossings, expected_crossings, expected_crossings * 0.05);
    const double rms = std::sqrt(energy / double(s.size() - from));
    // Each sample goes in about 128 and shifted left by 7: an amplitude of
    // 60 becomes 60 x 128. The codec keeps the level within a quarter.
    const double input_rms = 60 * 128 / std::sqrt(2.0);
    EXPECT_GT(rms, input_rms * 0.75);
    EXPECT_LT(rms, input_rms * 1.25);

    // Constant 128 is the unsigned zero: it must come back near silence.
    wav_to_amr_bytes(pcm8_wav(bytes(8000, 128)), amr);
    amr_to_wav_bytes(amr, wav);
    int peak = 0;
    for (int16_t v : samples_of(wav)) peak = std::max(peak, std::abs(int(v)));
    EXPECT_LT(peak, 200);
}

TEST(AmrWav, WavLayoutsReadAlike) {
    const bytes pcm = tone8(8159, 300, 40);  // 50 frames and 159 bytes left over
    bytes reference;
    ASSERT_EQ(wav_to_amr_bytes(pcm8_wav(pcm), reference), 50);
    struct {
        const char* name;
        bytes wav;
    } cases[] = {
        {"fmt 20", pcm8_wav(pcm, 20)},
        {"fmt 18 with extra chunk", pcm8_wav(pcm, 18, true)},
        {"extra chunk", pcm8_wav(pcm, 16, true)},
    };
    for (auto& c : cases) {
        bytes amr;
        EXPECT_EQ(wav_to_amr_bytes(c.wav, amr), 50) << c.name;
        EXPECT_EQ(amr, reference) << c.name;
    }
}

TEST(AmrWav, WavThatIsNotRecorderFormatOrMalformedGivesNoFrames) {
    const bytes pcm(1600, 128);
    bytes huge_chunk = pcm8_wav(pcm);
    huge_chunk[16] = 0xF0, huge_chunk[17] = huge_chunk[18] = huge_chunk[19] = 0xFF;  // fmt size 0xFFFFFFF0
    bytes no_data = pcm8_wav(pcm);
    no_data[36] = 'x';  // "data" renamed: chunks run out
    struct {
        const char* name;
        bytes wav;
    } cases[] = {
        {"16-bit", pcm8_wav(pcm, 16, false, 1, 8000, 16)},
        {"stereo", pcm8_wav(pcm, 16, false, 2)},
        {"11025 Hz", pcm8_wav(pcm, 16, false, 1, 11025)},
        {"not PCM", pcm8_wav(pcm, 16, false, 1, 8000, 8, 3)},
        {"chunk size past the end", huge_chunk},
        {"no data chunk", no_data},
        {"empty", {}},
        {"short format chunk", cut(pcm8_wav(pcm), 30)},
    };
    for (auto& c : cases) {
        bytes amr;
        EXPECT_EQ(wav_to_amr_bytes(c.wav, amr), 0) << c.name;
        EXPECT_EQ(amr, bytes(amr_magic, amr_magic + 6)) << c.name;
    }
}

TEST(AmrWav, AmrFramesAreSizedByTheirOwnHeader) {
    struct {
        const char* name;
        bytes amr;
        int frames;
    } cases[] = {
        {"types 0, 7, 15", amr_of({frame(0), frame(7), frame(15)}), 3},
        {"junk bytes between", amr_of({frame(7), {0x80, 0x01, 0xFF}, frame(0)}), 2},
        {"types 9-14 skipped", amr_of({frame(9), frame(10), frame(11), frame(12), frame(13), frame(14), frame(1)}), 1},
        {"SID frame", amr_of({frame(8)}), 1},
        {"cut first frame", amr_of({cut(frame(7), 10)}), 0},
        {"cut later frame", amr_of({frame(2), cut(frame(6), 5)}), 1},
        {"magic only", amr_of({}), 0},
    };
    for (auto& c : cases) {
        bytes wav;
        EXPECT_EQ(amr_to_wav_bytes(c.amr, wav), c.frames) << c.name;
        EXPECT_EQ(wav.size(), 48u + 320u * c.frames) << c.name;
        if (wav.size() >= 48) {
            EXPECT_EQ(at32(wav, 44), 320u * c.frames) << c.name;
        }
    }
    bytes wav{1, 2, 3};
    EXPECT_EQ(amr_to_wav_bytes(bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, wav), 0);
    EXPECT_TRUE(wav.empty());
}

TEST(AmrWav, BothDirectionsStopAtTenMinutes) {
    bytes amr = amr_of({});
    amr.resize(6 + amr_max_frames + 10, 15 << 3);  // one-byte frames
    bytes wav;
    EXPECT_EQ(amr_to_wav_bytes(amr, wav), amr_max_frames);
    EXPECT_EQ(wav.size(), 48u + 320u * amr_max_frames);

    bytes out;
    EXPECT_EQ(wav_to_amr_bytes(pcm8_wav(bytes(160 * (amr_max_frames + 3), 128)), out), amr_max_frames);
}

TEST(AmrWav, FileConversionsReplaceOldResultsAndLeaveNoneOnFailure) {
    const temp_folder folder;
    ASSERT_FALSE(folder.path.empty());
    const auto& dir = folder.path;
    const auto write = [](const std::filesystem::path& p, const bytes& b) {
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    };
    const auto wav_in = dir / "record.wav", amr = dir / "record.amr", wav_out = dir / "receive.wav";
    write(wav_in, pcm8_wav(tone8(1600, 400, 50)));
    EXPECT_EQ(wav_to_amr(std::fopen(wav_in.c_str(), "rb"), amr), 10);
    EXPECT_EQ(std::filesystem::file_size(amr), 6u + 130u);
    EXPECT_EQ(amr_to_wav(std::fopen(amr.c_str(), "rb"), wav_out), 10);
    EXPECT_EQ(std::filesystem::file_size(wav_out), 48u + 3200u);

    // Not AMR: the old "receive.wav" goes and no new one comes.
    write(amr, {'n', 'o', 'p', 'e', '!', '!', 0x04});
    EXPECT_EQ(amr_to_wav(std::fopen(amr.c_str(), "rb"), wav_out), 0);
    EXPECT_FALSE(std::filesystem::exists(wav_out));
    // No input file at all.
    EXPECT_EQ(wav_to_amr(std::fopen((dir / "missing.wav").c_str(), "rb"), amr), 0);
    EXPECT_EQ(std::filesystem::file_size(amr), 6u);
}

}  // namespace
