#include <gtest/gtest.h>
#include <zlib.h>
#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_gif.h"
#include "core/vux_png.h"
#include "tools/vux_image_fixtures.h"

using vux_tools::image_frame;

namespace {

std::string frame_bytes(const vux_object_list& frames, int32_t i) {
    const auto* b = dynamic_cast<const vux_buffer*>(frames.get(i));
    return b ? std::string(reinterpret_cast<const char*>(b->data()), size_t(b->length())) : std::string();
}

QImage decode(const std::string& bytes, const char* format) {
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), format);
}

uint32_t be32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 |
           uint32_t(uint8_t(s[at + 3]));
}

// The chunk types of a PNG file, each chunk's CRC checked; "bad" on a wrong CRC.
std::vector<std::string> chunk_types(const std::string& png) {
    std::vector<std::string> types;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t n = be32(png, at);
        if (at + 12 + n > png.size()) return {"truncated"};
        uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(png.data() + at + 4), uInt(n + 4));
        types.push_back(crc == be32(png, at + 8 + n) ? png.substr(at + 4, 4) : "bad");
        at += 12 + n;
    }
    return types;
}

std::string with_be32(std::string s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(v >> (24 - 8 * i));
    return s;
}

const std::vector<image_frame> three_frames = {{16, 12, 0, 0, 1}, {8, 6, 2, 3, 2}, {16, 12, 0, 0, 0}};

}  // namespace

TEST(PngFrames, EachFrameOfAnAnimationDecodesAtItsOwnSize) {
    for (bool palette : {false, true}) {
        SCOPED_TRACE(palette ? "palette" : "RGB");
        vux_tools::png_options o;
        o.palette = palette;
        const std::string apng = vux_tools::make_png(three_frames, o);
        vux_png png;
        ASSERT_TRUE(png.split_frames(apng.data(), int32_t(apng.size())));
        EXPECT_EQ(png.width(), 16);
        EXPECT_EQ(png.height(), 12);
        ASSERT_EQ(png.get_count(), 3);
        for (int32_t i = 0; i < 3; ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const image_frame& f = three_frames[size_t(i)];
            const std::string bytes = frame_bytes(png, i);
            std::vector<std::string> want = {"IHDR"};
            if (palette) want.insert(want.end(), {"PLTE", "tRNS"});
            want.insert(want.end(), {"IDAT", "IDAT", "IEND"});
            EXPECT_EQ(chunk_types(bytes), want);
            const QImage img = decode(bytes, "PNG");
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.width(), int(f.width));
            EXPECT_EQ(img.height(), int(f.height));
            const QRgb px = img.pixel(5, 4);
            if (!palette) {
                EXPECT_EQ(px & 0xFFFFFFu, vux_tools::rgb_of(f.index, 5, 4));
            } else if (f.index == 0) {
                EXPECT_EQ(qAlpha(px), 0);  // the source's tRNS came along
            } else {
                EXPECT_EQ(px & 0xFFFFFFu, vux_tools::palette_rgb(f.index));
                EXPECT_EQ(qAlpha(px), 255);
            }
        }
    }
}

TEST(PngFrames, AStillImageGivesNoFramesAndIsUsedAsItIs) {
    vux_tools::png_options o;
    o.animated = false;
    const std::string still = vux_tools::make_png(three_frames, o);
    vux_png png;
    EXPECT_TRUE(png.split_frames(still.data(), int32_t(still.size())));
    EXPECT_EQ(png.get_count(), 0);
    EXPECT_FALSE(decode(still, "PNG").isNull());
}

TEST(PngFrames, RefusesMalformedChunks) {
    const std::string apng = vux_tools::make_png(three_frames);
    const size_t ihdr = 8, first_after_ihdr = 8 + 25;
    // An fcTL before any acTL.
    vux_tools::png_options still;
    still.animated = false;
    std::string early = vux_tools::make_png(three_frames, still);
    const std::string fctl_chunk = apng.substr(apng.find("fcTL") - 4, 38);
    early.insert(first_after_ihdr, fctl_chunk);
    struct row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"fcTL before acTL", early},
        // Lengths of 2^31 and more must not step backwards or wrap.
        {"length 0x80000000", with_be32(apng, first_after_ihdr, 0x80000000u)},
        {"length 0xFFFFFFF4", with_be32(apng, first_after_ihdr, 0xFFFFFFF4u)},
        {"length past the end", with_be32(apng, first_after_ihdr, uint32_t(apng.size()))},
        {"IHDR of 12 bytes", with_be32(apng, ihdr, 12)},
        {"frame width 0", with_be32(apng, apng.find("fcTL") + 8, 0)},
        {"signature", "\x89PNG\r\n\x1a\r" + apng.substr(8)},
        {"no IHDR before the data", apng.substr(0, 8) + apng.substr(first_after_ihdr)},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        vux_png png;
        EXPECT_FALSE(png.split_frames(r.bytes.data(), int32_t(r.bytes.size())));
        EXPECT_EQ(png.get_count(), 0);
    }
}

TEST(PngFrames, TruncatedSourcesNeverReadPastTheEnd) {
    const std::string apng = vux_tools::make_png(three_frames);
    for (size_t n = 0; n < apng.size(); ++n) {
        // A copy of exactly n bytes, so that the sanitizer sees any read past it.
        const std::vector<char> cut(apng.begin(), apng.begin() + long(n));
        vux_png png;
        const bool ok = png.split_frames(cut.data(), int32_t(n));
        // Cut inside a chunk: refused. Cut between chunks: the frames
        // finished so far, each whole.
        for (int32_t i = 0; i < png.get_count(); ++i) EXPECT_EQ(chunk_types(frame_bytes(png, i)).back(), "IEND");
        if (!ok) {
            EXPECT_EQ(png.get_count(), 0);
        }
    }
}

TEST(PngFrames, OutputIsCapped) {
    // 20000 tiny frames out of a 1 MB source: each frame file is a buffer
    // of at least 4 KB, some 80 MB in all.
    using namespace vux_tools::detail;
    std::string ihdr, actl, fctl;
    be32(ihdr, 1), be32(ihdr, 1), ihdr += std::string("\x08\x03\0\0\0", 5);
    be32(actl, 20000), be32(actl, 0);
    be32(fctl, 0), be32(fctl, 1), be32(fctl, 1), fctl += std::string(14, '\0');
    std::string src = std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("PLTE", std::string(768, 'p')) +
                      chunk("acTL", actl);
    const std::string frame = chunk("fcTL", fctl) + chunk("fdAT", std::string(5, 'd'));
    src.reserve(src.size() + 20000 * frame.size() + 12);
    for (int i = 0; i < 20000; ++i) src += frame;
    src += chunk("IEND", "");
    vux_png png;
    EXPECT_FALSE(png.split_frames(src.data(), int32_t(src.size())));
    EXPECT_EQ(png.get_count(), 0);
}

TEST(GifFrames, EachFrameOfAnAnimationDecodesAlone) {
    for (bool local : {false, true}) {
        SCOPED_TRACE(local ? "local colour tables" : "global colour table");
        vux_tools::gif_options o;
        o.local_table = local;
        const std::string src = vux_tools::make_gif(three_frames, o);
        vux_gif gif;
        ASSERT_TRUE(gif.split_frames(src.data(), int32_t(src.size())));
        EXPECT_EQ(gif.width(), 16);
        EXPECT_EQ(gif.height(), 12);
        ASSERT_EQ(gif.get_count(), 3);
        for (int32_t i = 0; i < 3; ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const image_frame& f = three_frames[size_t(i)];
            const std::string bytes = frame_bytes(gif, i);
            EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
            EXPECT_EQ(bytes.back(), '\x3B');
            const QImage img = decode(bytes, "GIF");
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.pixel(int(f.x) + 1, int(f.y) + 2) & 0xFFFFFFu, vux_tools::palette_rgb(f.index));
        }
    }
}

TEST(GifFrames, OneFrameGivesTheSourceAndNoControlGivesNoFrames) {
    const std::string one = vux_tools::make_gif({{5, 4, 0, 0, 9}});
    vux_gif gif;
    ASSERT_TRUE(gif.split_frames(one.data(), int32_t(one.size())));
    ASSERT_EQ(gif.get_count(), 1);
    EXPECT_EQ(frame_bytes(gif, 0), one);
    EXPECT_FALSE(decode(frame_bytes(gif, 0), "GIF").isNull());

    vux_tools::gif_options plain;
    plain.control = false;
    const std::string none = vux_tools::make_gif(three_frames, plain);
    EXPECT_TRUE(gif.split_frames(none.data(), int32_t(none.size())));
    EXPECT_EQ(gif.get_count(), 0);
}

TEST(GifFrames, AControlBlockWithoutAnImageMakesNoFrame) {
    std::string src = vux_tools::make_gif(three_frames);
    src.insert(src.size() - 1, std::string("\x21\xF9\x04\x04\x0A\0\0\0", 8));  // after the last image
    vux_gif gif;
    ASSERT_TRUE(gif.split_frames(src.data(), int32_t(src.size())));
    ASSERT_EQ(gif.get_count(), 3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_FALSE(decode(frame_bytes(gif, i), "GIF").isNull());
}

TEST(GifFrames, TruncatedOrLyingSourcesGiveNoFrame) {
    const std::string src = vux_tools::make_gif(three_frames);
    for (size_t n = 0; n < src.size(); ++n) {
        const std::vector<char> cut(src.begin(), src.begin() + long(n));
        vux_gif gif;
        EXPECT_FALSE(gif.split_frames(cut.data(), int32_t(n)));
        EXPECT_EQ(gif.get_count(), 0);
    }
    // A global table larger than the file, and a sub-block size past the end.
    std::string big_table = src.substr(0, 13);
    std::string past_end = src.substr(0, 13 + 768 + 19 + 8 + 10 + 1) + "\xFF" + "abc";
    vux_gif gif;
    EXPECT_FALSE(gif.split_frames(big_table.data(), int32_t(big_table.size())));
    EXPECT_FALSE(gif.split_frames(past_end.data(), int32_t(past_end.size())));
    EXPECT_EQ(gif.get_count(), 0);
}

TEST(GifFrames, OutputIsCapped) {
    // A 1 MB application extension before the first frame is copied into
    // every frame: 70 frames would make some 70 MB.
    std::vector<image_frame> tiny(70, image_frame{1, 1, 0, 0, 3});
    vux_tools::gif_options o;
    o.comment = false;
    std::string src = vux_tools::make_gif(tiny, o);
    std::string ext("\x21\xFF\x0BVUXPADDING1", 14);
    for (int i = 0; i < 4112; ++i) ext += '\xFF' + std::string(255, 'z');
    ext += '\0';
    src.insert(13 + 768, ext);
    vux_gif gif;
    EXPECT_FALSE(gif.split_frames(src.data(), int32_t(src.size())));
    EXPECT_EQ(gif.get_count(), 0);
    // With 10 frames it fits.
    std::vector<image_frame> fewer(10, image_frame{1, 1, 0, 0, 3});
    std::string ok = vux_tools::make_gif(fewer, o);
    ok.insert(13 + 768, ext);
    EXPECT_TRUE(gif.split_frames(ok.data(), int32_t(ok.size())));
    EXPECT_EQ(gif.get_count(), 10);
}
