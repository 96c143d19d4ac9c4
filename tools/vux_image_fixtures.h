#pragma once
// Small generators of animated PNG and GIF files, for tests, benchmarks and
// fuzz seeds of the frame splitters. Every frame is a plain pattern whose
// pixels are easy to check after decoding. Header-only; needs zlib.
#include <zlib.h>
#include <cstdint>
#include <string>
#include <vector>

namespace vux_tools {

struct image_frame {
    uint32_t width, height;
    uint32_t x = 0, y = 0;  // offset on the canvas
    uint8_t index = 1;      // palette index (GIF, palette PNG); RGB images use rgb_of(index, x, y)
};

// The colour of a pixel of an RGB frame: the frame's index tints it, the
// position makes rows and columns tell apart.
inline uint32_t rgb_of(uint8_t index, uint32_t x, uint32_t y) {
    return uint32_t(index * 40 % 256) << 16 | uint32_t(x * 7 % 256) << 8 | uint32_t(y * 11 % 256);
}

// Palette used by both formats: entry i is (i, 255 - i, i * 3).
inline uint32_t palette_rgb(uint8_t i) { return uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i * 3 % 256); }

namespace detail {

inline void be32(std::string& s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s.push_back(char(v >> (8 * i)));
}
inline void be16(std::string& s, uint32_t v) {
    s.push_back(char(v >> 8));
    s.push_back(char(v));
}
inline void le16(std::string& s, uint32_t v) {
    s.push_back(char(v));
    s.push_back(char(v >> 8));
}

inline std::string chunk(const char* type, const std::string& data) {
    std::string c;
    be32(c, uint32_t(data.size()));
    c.append(type, 4);
    c += data;
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
    be32(c, uint32_t(crc));
    return c;
}

inline std::string zlib_compress(const std::string& raw) {
    uLongf n = compressBound(uLong(raw.size()));
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &n, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6);
    out.resize(n);
    return out;
}

// Filtered scanlines (filter 0) of one frame, compressed.
inline std::string png_pixels(const image_frame& f, bool palette) {
    std::string raw;
    for (uint32_t y = 0; y < f.height; ++y) {
        raw.push_back('\0');
        for (uint32_t x = 0; x < f.width; ++x) {
            if (palette) {
                raw.push_back(char(f.index));
            } else {
                const uint32_t c = rgb_of(f.index, x, y);
                raw.push_back(char(c >> 16));
                raw.push_back(char(c >> 8));
                raw.push_back(char(c));
            }
        }
    }
    return zlib_compress(raw);
}

}  // namespace detail

struct png_options {
    bool animated = true;
    bool palette = false;   // colour type 3 with PLTE and a tRNS that makes index 0 clear
    int pieces = 2;         // image data of each frame split over this many IDAT / fdAT chunks
    bool ancillary = true;  // a tEXt chunk before and after the image data
};

// An APNG on a canvas of the first frame's size (frame 0 is the default
// image, its data in IDAT), or a still PNG of the first frame.
inline std::string make_png(const std::vector<image_frame>& frames, png_options o = {}) {
    using namespace detail;
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    be32(ihdr, frames[0].width);
    be32(ihdr, frames[0].height);
    ihdr += std::string("\x08", 1);               // bit depth
    ihdr.push_back(o.palette ? '\x03' : '\x02');  // palette or RGB
    ihdr += std::string("\0\0\0", 3);
    png += chunk("IHDR", ihdr);
    if (o.ancillary) png += chunk("tEXt", std::string("Comment\0fixture", 15));
    if (o.palette) {
        std::string plte, trns;
        for (int i = 0; i < 256; ++i) {
            const uint32_t c = palette_rgb(uint8_t(i));
            plte.push_back(char(c >> 16));
            plte.push_back(char(c >> 8));
            plte.push_back(char(c));
        }
        trns.push_back('\0');  // index 0 fully transparent, the others opaque
        png += chunk("PLTE", plte);
        png += chunk("tRNS", trns);
    }
    uint32_t sequence = 0;
    if (o.animated) {
        std::string actl;
        be32(actl, uint32_t(frames.size()));
        be32(actl, 0);
        png += chunk("acTL", actl);
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const image_frame& f = frames[i];
        if (!o.animated && i > 0) break;
        if (o.animated) {
            std::string fctl;
            be32(fctl, sequence++);
            be32(fctl, f.width);
            be32(fctl, f.height);
            be32(fctl, f.x);
            be32(fctl, f.y);
            be16(fctl, 1);
            be16(fctl, 10);
            fctl += std::string("\0\0", 2);
            png += chunk("fcTL", fctl);
        }
        const std::string data = png_pixels(f, o.palette);
        const size_t step = (data.size() + size_t(o.pieces) - 1) / size_t(o.pieces);
        for (size_t at = 0; at < data.size(); at += step) {
            const std::string piece = data.substr(at, step);
            if (i == 0) {
                png += chunk("IDAT", piece);
            } else {
                std::string fdat;
                be32(fdat, sequence++);
                png += chunk("fdAT", fdat + piece);
            }
        }
    }
    if (o.ancillary) png += chunk("tEXt", std::string("Author\0fixture", 14));
    png += chunk("IEND", "");
    return png;
}

struct gif_options {
    bool control = true;       // a graphic control extension before each image
    bool loop = true;          // a NETSCAPE2.0 application extension
    bool comment = true;       // a comment extension between the frames
    bool local_table = false;  // each image with its own (identical) colour table
};

namespace detail {

// Image data with a minimum code size of 8: 9-bit codes only, a clear code
// every 100 pixels keeps the dictionary from ever widening the codes.
inline std::string gif_image_data(const image_frame& f) {
    std::string codes_bytes;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](uint32_t code) {
        bits |= code << count;
        count += 9;
        while (count >= 8) {
            codes_bytes.push_back(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    put(256);
    uint32_t run = 0;
    for (uint32_t i = 0; i < f.width * f.height; ++i) {
        if (run == 100) {
            put(256);
            run = 0;
        }
        put(f.index);
        ++run;
    }
    put(257);
    if (count > 0) codes_bytes.push_back(char(bits & 0xFF));
    std::string out(1, '\x08');
    for (size_t at = 0; at < codes_bytes.size(); at += 255) {
        const std::string block = codes_bytes.substr(at, 255);
        out.push_back(char(block.size()));
        out += block;
    }
    out.push_back('\0');
    return out;
}

inline std::string gif_palette() {
    std::string t;
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = palette_rgb(uint8_t(i));
        t.push_back(char(c >> 16));
        t.push_back(char(c >> 8));
        t.push_back(char(c));
    }
    return t;
}

}  // namespace detail

// A GIF89a on a canvas of the first frame's size with a 256-entry global
// colour table; each frame a rectangle of one palette index.
inline std::string make_gif(const std::vector<image_frame>& frames, gif_options o = {}) {
    using namespace detail;
    std::string gif = "GIF89a";
    le16(gif, frames[0].width);
    le16(gif, frames[0].height);
    gif += std::string("\xF7\0\0", 3);  // global table of 256, background 0, no aspect
    gif += gif_palette();
    if (o.loop) gif += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);
    for (size_t i = 0; i < frames.size(); ++i) {
        const image_frame& f = frames[i];
        if (o.control) gif += std::string("\x21\xF9\x04\x04\x0A\0\0\0", 8);  // delay 10, keep
        gif += '\x2C';
        le16(gif, f.x);
        le16(gif, f.y);
        le16(gif, f.width);
        le16(gif, f.height);
        if (o.local_table) {
            gif += '\x87';
            gif += gif_palette();
        } else {
            gif += '\0';
        }
        gif += gif_image_data(f);
        if (o.comment && i + 1 < frames.size()) gif += std::string("\x21\xFE\x03hey\0", 7);
    }
    gif += '\x3B';
    return gif;
}

}  // namespace vux_tools
