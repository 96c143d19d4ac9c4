#include "core/vux_png.h"
#include <zlib.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include "core/vux_be32.h"
#include "core/vux_reader.h"

namespace {

constexpr uint8_t signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t max_dimension = 0x7FFFFFFFu;  // the largest width or height a PNG may state
constexpr int32_t chunk_overhead = 12;           // length, type, CRC

uint32_t be32(const uint8_t* p) { return vux_load_be32(p); }

void put_be32(uint8_t* p, uint32_t v) { vux_store_be32(p, v); }

bool valid_size(uint32_t w, uint32_t h) { return w > 0 && h > 0 && w <= max_dimension && h <= max_dimension; }

void append_chunk(vux_buffer& out, const char* type, const uint8_t* data, int32_t length) {
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (length > 0) crc = crc32(crc, data, uInt(length));
    out.append_be32(length).append_bytes(type, 4).append_bytes(data, length).append_be32(int32_t(uint32_t(crc)));
}

struct chunk_view {
    const uint8_t* data = nullptr;
    int32_t length = 0;
    bool present() const { return data != nullptr; }
};

// The state of one split: the source's header chunks, the size the next
// frame takes from its fcTL, and the frame being built.
class png_splitter {
public:
    explicit png_splitter(vux_object_list& frames) : frames_(frames) {}

    chunk_view ihdr, plte, trns;
    uint32_t frame_width = 0, frame_height = 0;

    bool add_data(const uint8_t* data, int32_t length) {
        if (frame_.length() == 0) {
            if (!ihdr.present()) return false;  // a frame without a header decodes nowhere
            uint8_t header[13];
            std::memcpy(header, ihdr.data, sizeof header);
            put_be32(header, frame_width);
            put_be32(header + 4, frame_height);
            if (!reserve(8 + chunk_overhead + 13)) return false;
            frame_.append_bytes(signature, 8);
            append_chunk(frame_, "IHDR", header, 13);
            if (plte.present() && !copy_chunk("PLTE", plte)) return false;
            if (trns.present() && !copy_chunk("tRNS", trns)) return false;
        }
        return copy_chunk("IDAT", {data, length});
    }

    bool finish() {
        if (frame_.length() == 0) return true;
        if (!reserve(chunk_overhead)) return false;
        append_chunk(frame_, "IEND", nullptr, 0);
        total_ += std::max<int64_t>(frame_.length(), vux_buffer::min_capacity);
        frames_.append(std::make_unique<vux_buffer>(std::move(frame_)));
        frame_ = vux_buffer();
        return true;
    }

private:
    bool copy_chunk(const char* type, chunk_view chunk) {
        if (!reserve(int64_t(chunk_overhead) + chunk.length)) return false;
        append_chunk(frame_, type, chunk.data, chunk.length);
        return true;
    }
    // Room for n more bytes within the output cap (IEND included). A frame
    // counts at least a buffer's smallest storage, so that many tiny frames
    // cannot hold far more memory than the cap says.
    bool reserve(int64_t n) {
        const int64_t frame = std::max<int64_t>(frame_.length() + n + chunk_overhead, vux_buffer::min_capacity);
        return total_ + frame <= vux_png::max_output && !frame_.overflowed();
    }

    vux_object_list& frames_;
    vux_buffer frame_;
    int64_t total_ = 0;
};

}  // namespace

bool vux_png_has_signature(const void* data, int32_t length) {
    return data && length >= 8 && std::memcmp(data, signature, 8) == 0;
}

bool vux_png::split_frames(const void* data, int32_t length) {
    clear();
    width_ = height_ = 0;
    if (!vux_png_has_signature(data, length)) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    png_splitter split(*this);
    bool animated = false;
    auto fail = [this] {
        clear();
        return false;
    };

    int32_t offset = 8;
    while (offset < length) {
        const int32_t left = length - offset;
        if (left < chunk_overhead) return fail();
        // Unsigned: a length of 2^31 or more is simply too long, never a
        // step backwards.
        const uint32_t size = be32(p + offset);
        if (size > uint32_t(left - chunk_overhead)) return fail();
        const uint8_t* type = p + offset + 4;
        const uint8_t* body = p + offset + 8;
        const int32_t n = int32_t(size);
        auto is = [type](const char* t) { return std::memcmp(type, t, 4) == 0; };

        if (is("IEND")) {
            if (animated && !split.finish()) return fail();
            return true;
        } else if (is("IHDR")) {
            if (n != 13 || !valid_size(be32(body), be32(body + 4))) return fail();
            width_ = int32_t(be32(body));
            height_ = int32_t(be32(body + 4));
            split.ihdr = {body, n};
            split.frame_width = uint32_t(width_);
            split.frame_height = uint32_t(height_);
        } else if (is("PLTE")) {
            split.plte = {body, n};
        } else if (is("tRNS")) {
            split.trns = {body, n};
        } else if (is("IDAT")) {
            if (animated && !split.add_data(body, n)) return fail();
        } else if (is("acTL")) {
            if (n != 8 || !split.finish()) return fail();
            animated = true;
            split.frame_width = uint32_t(width_);
            split.frame_height = uint32_t(height_);
        } else if (is("fcTL")) {
            if (!animated || n != 26 || !split.finish()) return fail();
            const uint32_t w = be32(body + 4), h = be32(body + 8);
            if (!valid_size(w, h)) return fail();
            split.frame_width = w;
            split.frame_height = h;
        } else if (is("fdAT")) {
            if (!animated || n <= 4 || !split.add_data(body + 4, n - 4)) return fail();
        }
        offset += chunk_overhead + n;  // cannot pass length: size was checked against what is left
    }
    // A source that ends without IEND keeps the frames finished so far.
    return true;
}
