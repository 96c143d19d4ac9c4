#include "core/vux_gif.h"
#include <algorithm>
#include <memory>
#include <vector>
#include "core/vux_buffer.h"

namespace {

uint8_t upper(uint8_t c) { return (c >= 'a' && c <= 'z') ? uint8_t(c - 32) : c; }

int64_t colour_table_bytes(uint8_t packed) { return (packed & 0x80) ? int64_t(3) << ((packed & 7) + 1) : 0; }

// The block walk. Offsets are 64-bit so that a size added to an offset near
// the end can never wrap; every byte is read through at(), which refuses an
// offset outside the source.
class gif_walker {
public:
    gif_walker(const uint8_t* p, int64_t length) : p_(p), length_(length) {}

    bool at(int64_t offset, uint8_t& b) const {
        if (offset < 0 || offset >= length_) return false;
        b = p_[offset];
        return true;
    }

    // Data sub-blocks from offset: size bytes until a 0, each followed by
    // that many bytes. False when the source ends first.
    bool skip_sub_blocks(int64_t& offset) const {
        for (;;) {
            uint8_t size;
            if (!at(offset, size)) return false;
            offset += 1 + size;
            if (size == 0) return true;
        }
    }

    // An extension whose first block has a fixed size: that block and the
    // sub-blocks after it; with any other size only the introducer, label
    // and size byte are passed.
    bool skip_sized_extension(int64_t& offset, uint8_t fixed) const {
        uint8_t size;
        if (!at(offset + 2, size)) return false;
        if (size != fixed) {
            offset += 3;
            return true;
        }
        offset += 3 + fixed;
        return skip_sub_blocks(offset);
    }

    // Walks from offset to the trailer, noting each graphic control
    // extension's offset, the end of each image and the trailer's offset.
    bool walk(int64_t offset, std::vector<int64_t>& controls, std::vector<int64_t>& image_ends,
              int64_t& trailer) const {
        for (;;) {
            uint8_t b;
            if (!at(offset, b)) return false;
            if (b == 0x3B) {
                trailer = offset;
                return true;
            }
            if (b == 0x2C) {
                uint8_t packed;
                if (!at(offset + 9, packed)) return false;
                offset += 10 + colour_table_bytes(packed) + 1;  // descriptor, local table, code size
                if (!skip_sub_blocks(offset)) return false;
                image_ends.push_back(offset);
            } else if (b == 0x21) {
                uint8_t label, size;
                if (!at(offset + 1, label)) return false;
                switch (label) {
                case 0xFF:  // application
                    if (!skip_sized_extension(offset, 11)) return false;
                    break;
                case 0xF9:  // graphic control
                    if (!at(offset + 2, size)) return false;
                    controls.push_back(offset);
                    offset += size == 4 ? 8 : 3;
                    break;
                case 0xFE:  // comment
                    offset += 2;
                    if (!skip_sub_blocks(offset)) return false;
                    break;
                case 0x01:  // plain text
                    if (!skip_sized_extension(offset, 12)) return false;
                    break;
                default: offset += 2; break;
                }
            } else {
                offset += 1;
            }
        }
    }

private:
    const uint8_t* p_;
    int64_t length_;
};

}  // namespace

bool vux_gif_has_signature(const void* data, int32_t length) {
    if (!data || length <= 5) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return upper(p[0]) == 'G' && upper(p[1]) == 'I' && upper(p[2]) == 'F' && p[3] == '8' && p[4] == '9' &&
           upper(p[5]) == 'A';
}

bool vux_gif::split_frames(const void* data, int32_t length) {
    clear();
    width_ = height_ = 0;
    if (!vux_gif_has_signature(data, length) || length < 13) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    width_ = p[6] | p[7] << 8;
    height_ = p[8] | p[9] << 8;

    std::vector<int64_t> controls, image_ends;
    int64_t trailer = 0;
    const gif_walker walker(p, length);
    if (!walker.walk(13 + colour_table_bytes(p[10]), controls, image_ends, trailer)) return false;
    if (controls.empty() || image_ends.empty()) return true;

    // A frame runs from its control block to the next one (the last frame to
    // the end of the last image), and only a stretch holding an image is a
    // frame: a control block with no image after it would give a file that
    // shows nothing, or a stretch that ends before it begins.
    const int64_t prefix = controls.front();
    const int64_t last_image_end = image_ends.back();
    // Up to the trailer and no further: bytes after it belong to no image.
    const int64_t tail = trailer + 1 - last_image_end;
    struct stretch {
        int64_t begin, end;
    };
    std::vector<stretch> frames;
    int64_t total = 0;
    for (size_t i = 0; i < controls.size(); ++i) {
        const int64_t begin = controls[i];
        const int64_t end = i + 1 < controls.size() ? controls[i + 1] : last_image_end;
        auto image = std::upper_bound(image_ends.begin(), image_ends.end(), begin);
        if (image == image_ends.end() || *image > end) continue;
        // Each file counts at least a buffer's smallest storage.
        total += std::max<int64_t>(prefix + (end - begin) + tail, vux_buffer::min_capacity);
        if (total > max_output) return false;
        frames.push_back({begin, end});
    }
    for (const stretch& f : frames) {
        auto file = std::make_unique<vux_buffer>();
        file->reserve(int32_t(prefix + (f.end - f.begin) + tail));
        file->append_bytes(p, int32_t(prefix))
            .append_bytes(p + f.begin, int32_t(f.end - f.begin))
            .append_bytes(p + last_image_end, int32_t(tail));
        append(std::move(file));
    }
    return true;
}
