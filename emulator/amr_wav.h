#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

// Voice conversion between the service's AMR-NB files (RFC 4867 storage
// format, one channel) and the WAV files the desktop records and plays.
// Plain C++ over the AMR-NB codec's frame interface; no Qt.

// "#!AMR\n"
inline constexpr char amr_magic[] = "#!AMR\n";
inline constexpr int amr_magic_size = 6;
// 160 samples of 8000 Hz: one codec frame is 20 ms.
inline constexpr int amr_frame_samples = 160;
// Neither direction makes more than 10 minutes of voice.
inline constexpr int amr_max_frames = 30000;
inline constexpr int wav_header_size = 48;

// Size in bytes of a frame of the given type (0-15), header byte included.
int amr_frame_size(int type);
// A storage-format frame header: F bit (7) and padding bits (0-1) clear.
bool amr_is_frame_header(uint8_t b);

// The 48-byte header of a 16-bit mono 8000 Hz PCM file of n frames.
void make_wav_header(uint8_t out[wav_header_size], int frames);
// Writes that header at the file's current position.
void write_wav_header(std::FILE* file, int frames);

// A whole WAV file of 8-bit unsigned mono 8000 Hz PCM: what the voice
// recorder saves and wav_to_amr reads.
std::vector<uint8_t> voice_wav_bytes(std::span<const uint8_t> pcm);

// In memory. amr_to_wav_bytes: wav gets a whole WAV file, or stays empty for
// an input that is not AMR. wav_to_amr_bytes: amr gets "#!AMR\n" and the
// frames; only 8-bit unsigned mono 8000 Hz PCM makes frames. Both return
// the frames converted.
int amr_to_wav_bytes(std::span<const uint8_t> amr, std::vector<uint8_t>& wav);
int wav_to_amr_bytes(std::span<const uint8_t> wav, std::vector<uint8_t>& amr);

// File to file: the input is read whole and closed in every case; an
// earlier output file is removed first, so a failed conversion never leaves
// an old result behind. A non-AMR input makes no output file.
int amr_to_wav(std::FILE* in, const std::string& out_path);
int wav_to_amr(std::FILE* in, const std::string& out_path);
