#pragma once
#include <cstdint>
#include "core/vux_object_list.h"

// More than 5 bytes reading "GIF89a", the letters G, I, F and a in either case.
bool vux_gif_has_signature(const void* data, int32_t length);

// Cuts an animated GIF into standalone GIF files, one per frame, by copying
// blocks (no pixel is decoded). Each frame file is the source's bytes before
// its first graphic control extension (header, screen descriptor, global
// colour table, application extensions), the frame's own stretch from its
// graphic control extension up to the next one (the last frame up to the
// end of the last image), then the source from the end of the last image to
// its trailer. The items are owned vux_buffers.
class vux_gif : public vux_object_list {
public:
    // Frame files together never exceed this (each counted at no less than
    // a buffer's smallest storage); a source that would make them larger is
    // refused.
    static constexpr int64_t max_output = int64_t(64) << 20;

    // True on success; a GIF without graphic control extensions succeeds
    // with no frames. Every read is bounded by the source: a source that
    // ends before its trailer fails, and on failure no frames are kept. A
    // graphic control extension that no image follows makes no frame.
    bool split_frames(const void* data, int32_t length);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
};
