#pragma once
#include <cstdint>
#include <span>
#include <vector>

// A device's capture format, as far as the recorder needs it.
enum class pcm_sample { u8, s16, s32, f32 };
struct pcm_format {
    int rate = 8000;
    int channels = 1;
    pcm_sample sample = pcm_sample::u8;
};
int pcm_sample_bytes(pcm_sample s);

// Captured bytes in any format to what the voice recorder stores: 8-bit
// unsigned mono at 8000 Hz. Channels are mixed; a faster rate is low-passed
// by averaging each output sample's span of input before it is taken.
// A partial last frame is dropped.
std::vector<uint8_t> pcm_to_voice(const pcm_format& format, std::span<const uint8_t> bytes);

// Received voice (16-bit mono 8000 Hz) in a format the player's device
// takes: each output frame is interpolated between the two nearest voice
// samples and copied to every channel.
std::vector<uint8_t> voice_to_pcm(std::span<const int16_t> voice, const pcm_format& format);
