#pragma once
#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <list>

// Decoded pictures by their encoded content: the engine draws the same
// textures every frame, and decoding them each time costs more than the
// drawing. At most 64 pictures or 16 MiB of pixels; the oldest used go first.
class vux_le_image_cache {
public:
    static constexpr int max_count = 64;
    static constexpr qsizetype max_bytes = 16 * 1024 * 1024;

    // The decoded picture of those bytes; null when they do not decode.
    QImage decode(const uint8_t* bytes, qsizetype length);
    void clear();
    int count() const { return int(entries_.size()); }
    qsizetype bytes() const { return bytes_; }

private:
    struct entry {
        QByteArray key;
        QImage image;
    };
    std::list<entry> entries_;  // most recently used first
    qsizetype bytes_ = 0;
};
