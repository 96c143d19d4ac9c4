// fuzz-libs: vux_emulator_media_fuzz
// WAV bytes to AMR: the result always starts with the magic, every frame
// the encoder made is a whole MR475 frame, and no input runs past the cap.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "emulator/amr_wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> amr;
    const int frames = wav_to_amr_bytes({data, size}, amr);
    if (frames < 0 || frames > amr_max_frames) std::abort();
    if (amr.size() < size_t(amr_magic_size) || std::memcmp(amr.data(), amr_magic, amr_magic_size) != 0) std::abort();
    if (amr.size() != size_t(amr_magic_size) + 13 * size_t(frames)) std::abort();
    return 0;
}
