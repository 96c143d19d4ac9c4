#pragma once
#include <string>

namespace model_test {

// An animated GIF of 1x1 pixel with `frames` graphic control extensions;
// frame k carries k + 1 bytes of image data, so each frame has a length of
// its own.
inline std::string animated_gif(int frames) {
    std::string g = "GIF89a";
    g += std::string("\x01\x00\x01\x00\x00\x00\x00", 7);  // screen 1x1, no colour table
    for (int k = 0; k < frames; ++k) {
        g += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);           // graphic control
        g += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);  // image descriptor
        g += '\x02';                                                       // LZW code size
        g += char(k + 1) + std::string(size_t(k + 1), '\x44') + '\x00';    // one sub-block
    }
    return g + "\x3B";
}

}  // namespace model_test
