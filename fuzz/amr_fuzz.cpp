// fuzz-libs: vux_emulator_media_fuzz
// AMR bytes to WAV: the result is a 48-byte header and 320 bytes a frame,
// the header's sizes say so, and no input makes more than the cap.
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "emulator/amr_wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> wav;
    const int frames = amr_to_wav_bytes({data, size}, wav);
    if (frames < 0 || frames > amr_max_frames) std::abort();
    if (wav.empty()) return frames == 0 ? 0 : (std::abort(), 0);
    if (wav.size() != size_t(wav_header_size) + 320 * size_t(frames)) std::abort();
    uint8_t header[wav_header_size];
    make_wav_header(header, frames);
    for (int i = 0; i < wav_header_size; ++i)
        if (header[i] != wav[i]) std::abort();
    return 0;
}
