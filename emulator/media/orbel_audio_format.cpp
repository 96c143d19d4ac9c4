#include "emulator/media/orbel_audio_format.h"

bool orbel_pcm_format_of(const QAudioFormat& format, pcm_format& out) {
    out.rate = format.sampleRate();
    out.channels = format.channelCount();
    switch (format.sampleFormat()) {
    case QAudioFormat::UInt8: out.sample = pcm_sample::u8; break;
    case QAudioFormat::Int16: out.sample = pcm_sample::s16; break;
    case QAudioFormat::Int32: out.sample = pcm_sample::s32; break;
    case QAudioFormat::Float: out.sample = pcm_sample::f32; break;
    default: return false;
    }
    return out.rate > 0 && out.channels > 0;
}
