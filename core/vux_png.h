#pragma once
#include <cstdint>
#include "core/vux_buffer.h"
#include "core/vux_object_list.h"

// At least 8 bytes, the first 8 the PNG signature.
bool vux_png_has_signature(const void* data, int32_t length);

// Cuts an animated PNG into standalone PNG files, one per frame, by copying
// chunks (no pixel is decoded). Each frame file is the signature, an IHDR
// sized from the frame's fcTL, the source's PLTE and tRNS when present, the
// frame's image data as IDAT chunks and an IEND, every chunk with its CRC,
// so that any PNG decoder takes it. The items are owned vux_buffers.
class vux_png : public vux_object_list {
public:
    // Frame files together never exceed this (each counted at no less than
    // a buffer's smallest storage); a source that would make them larger is
    // refused.
    static constexpr int64_t max_output = int64_t(64) << 20;

    // True on success; a still PNG (no acTL) succeeds with no frames, and
    // the caller then uses the image as it is. On failure no frames are
    // kept. The source need not outlive the call.
    bool split_frames(const void* data, int32_t length);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
};
