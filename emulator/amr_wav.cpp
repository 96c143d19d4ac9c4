#include "emulator/amr_wav.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <opencore-amrnb/interf_dec.h>
#include <opencore-amrnb/interf_enc.h>
}

namespace {

// Neither reader takes more than this from a file.
constexpr size_t max_input = size_t(64) << 20;

void put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

uint32_t get16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t get32(const uint8_t* p) { return get16(p) | get16(p + 2) << 16; }

std::vector<uint8_t> read_all(std::FILE* in) {
    std::vector<uint8_t> bytes;
    if (!in) return bytes;
    uint8_t chunk[65536];
    size_t n;
    while (bytes.size() < max_input && (n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + std::min(n, max_input - bytes.size()));
    std::fclose(in);
    return bytes;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

// Types 9-14 carry no speech the decoder knows: skipped, no samples.
bool amr_type_decodes(int type) { return type <= 8 || type == 15; }

struct decoder {
    void* state = Decoder_Interface_init();
    ~decoder() { Decoder_Interface_exit(state); }
};

struct encoder {
    void* state = Encoder_Interface_init(0);
    ~encoder() { Encoder_Interface_exit(state); }
};

}  // namespace

int amr_frame_size(int type) {
    // Types 0-7 from their bit rates as (int)(rate / 400 + 0.5) + 1.
    static constexpr int sizes[16] = {13, 14, 16, 18, 20, 21, 27, 32, 6, 7, 6, 6, 1, 1, 1, 1};
    return type >= 0 && type < 16 ? sizes[type] : 1;
}

bool amr_is_frame_header(uint8_t b) { return (b & 0x83) == 0; }

void make_wav_header(uint8_t out[wav_header_size], int frames) {
    const uint32_t data = uint32_t(frames) * amr_frame_samples * 2;
    std::memcpy(out, "RIFF", 4);
    put32(out + 4, data + 40);
    std::memcpy(out + 8, "WAVE", 4);
    std::memcpy(out + 12, "fmt ", 4);
    put32(out + 16, 20);
    put16(out + 20, 1);      // PCM
    put16(out + 22, 1);      // mono
    put32(out + 24, 8000);   // samples per second
    put32(out + 28, 16000);  // bytes per second
    put16(out + 32, 2);      // block align
    put16(out + 34, 16);     // bits per sample
    put32(out + 36, 0);
    std::memcpy(out + 40, "data", 4);
    put32(out + 44, data);
}

void write_wav_header(std::FILE* file, int frames) {
    uint8_t header[wav_header_size];
    make_wav_header(header, frames);
    std::fwrite(header, 1, sizeof header, file);
}

std::vector<uint8_t> voice_wav_bytes(std::span<const uint8_t> pcm) {
    // Sizes are 32-bit: a longer recording keeps what fits.
    const uint32_t n = uint32_t(std::min(pcm.size(), size_t(UINT32_MAX - 36)));
    std::vector<uint8_t> wav(44 + size_t(n));
    std::memcpy(wav.data(), "RIFF", 4);
    put32(wav.data() + 4, n + 36);
    std::memcpy(wav.data() + 8, "WAVEfmt ", 8);
    put32(wav.data() + 16, 16);
    put16(wav.data() + 20, 1);     // PCM
    put16(wav.data() + 22, 1);     // mono
    put32(wav.data() + 24, 8000);  // samples per second
    put32(wav.data() + 28, 8000);  // bytes per second
    put16(wav.data() + 32, 1);     // block align
    put16(wav.data() + 34, 8);     // bits per sample
    std::memcpy(wav.data() + 36, "data", 4);
    put32(wav.data() + 40, n);
    if (n > 0) std::memcpy(wav.data() + 44, pcm.data(), n);
    return wav;
}

int amr_to_wav_bytes(std::span<const uint8_t> amr, std::vector<uint8_t>& wav) {
    wav.clear();
    if (amr.size() < size_t(amr_magic_size) || std::memcmp(amr.data(), amr_magic, amr_magic_size) != 0) return 0;
    wav.resize(wav_header_size);
    decoder dec;
    short samples[amr_frame_samples];
    int frames = 0;
    size_t at = amr_magic_size;
    // Each frame is sized by its own header byte; a byte that is no valid
    // header is skipped on its own, and a frame cut by the end stops.
    while (at < amr.size() && frames < amr_max_frames) {
        const uint8_t head = amr[at];
        if (!amr_is_frame_header(head)) {
            ++at;
            continue;
        }
        const int type = head >> 3 & 0x0F;
        const size_t size = size_t(amr_frame_size(type));
        if (amr.size() - at < size) break;
        if (amr_type_decodes(type)) {
            Decoder_Interface_Decode(dec.state, amr.data() + at, samples, 0);
            const size_t end = wav.size();
            wav.resize(end + sizeof samples);
            for (int i = 0; i < amr_frame_samples; ++i) put16(wav.data() + end + 2 * i, uint16_t(samples[i]));
            ++frames;
        }
        at += size;
    }
    make_wav_header(wav.data(), frames);
    return frames;
}

int wav_to_amr_bytes(std::span<const uint8_t> wav, std::vector<uint8_t>& amr) {
    amr.assign(amr_magic, amr_magic + amr_magic_size);
    if (wav.size() < 12) return 0;
    // Chunks after the 12-byte RIFF header, each skipped by its size (bounded
    // by what is left) until "data"; the format chunk must say 8-bit
    // unsigned mono PCM at 8000 samples per second.
    size_t at = 12;
    bool format_ok = false;
    for (;;) {
        if (wav.size() - at < 8) return 0;
        const uint8_t* chunk = wav.data() + at;
        const uint32_t size = get32(chunk + 4);
        at += 8;
        if (std::memcmp(chunk, "data", 4) == 0) break;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || wav.size() - at < 16) return 0;
            const uint8_t* f = wav.data() + at;
            format_ok = get16(f) == 1 && get16(f + 2) == 1 && get32(f + 4) == 8000 && get16(f + 14) == 8;
        }
        if (size > wav.size() - at) return 0;
        at += size;
    }
    if (!format_ok) return 0;
    encoder enc;
    short samples[amr_frame_samples];
    uint8_t out[64];
    int frames = 0;
    // To the end of the file; a partial last frame is dropped. Each 8-bit
    // sample is taken about its unsigned zero, 128, and shifted left by 7:
    // the offset kept would be encoded as a constant bias.
    while (wav.size() - at >= size_t(amr_frame_samples) && frames < amr_max_frames) {
        for (int i = 0; i < amr_frame_samples; ++i) samples[i] = short((int(wav[at + i]) - 128) << 7);
        at += amr_frame_samples;
        const int n = Encoder_Interface_Encode(enc.state, MR475, samples, out, 0);
        if (n > 0) amr.insert(amr.end(), out, out + n);
        ++frames;
    }
    return frames;
}

namespace {

// Reads the input whole (closing it), converts, and writes the result;
// an earlier output is removed first. An empty result makes no file.
int convert_file(std::FILE* in, const std::string& out_path,
                 int (*convert)(std::span<const uint8_t>, std::vector<uint8_t>&)) {
    std::remove(out_path.c_str());
    const std::vector<uint8_t> input = read_all(in);
    std::vector<uint8_t> output;
    const int frames = convert(input, output);
    if (output.empty() || !write_file(out_path, output)) return 0;
    return frames;
}

}  // namespace

int amr_to_wav(std::FILE* in, const std::string& out_path) { return convert_file(in, out_path, amr_to_wav_bytes); }

int wav_to_amr(std::FILE* in, const std::string& out_path) { return convert_file(in, out_path, wav_to_amr_bytes); }
