#pragma once
#include <QAudioFormat>

#include "emulator/pcm_convert.h"

// A Qt audio format in the converter's terms; false for a sample type the
// converter does not read, or no rate or channels.
bool orbel_pcm_format_of(const QAudioFormat& format, pcm_format& out);
