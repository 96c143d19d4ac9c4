#include "emulator/vux_le_image_cache.h"

#include <QCryptographicHash>
#include <algorithm>
#include <climits>

QImage vux_le_image_cache::decode(const uint8_t* bytes, qsizetype length) {
    if (!bytes || length <= 0) return {};
    const QByteArray key = QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(bytes), length),
                                                    QCryptographicHash::Sha1);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key != key) continue;
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().image;
    }
    QImage image = QImage::fromData(bytes, int(std::min<qsizetype>(length, INT_MAX)));
    if (image.isNull() || image.sizeInBytes() > max_bytes) return image;
    entries_.push_front({key, image});
    bytes_ += image.sizeInBytes();
    while (int(entries_.size()) > max_count || bytes_ > max_bytes) {
        bytes_ -= entries_.back().image.sizeInBytes();
        entries_.pop_back();
    }
    return image;
}

void vux_le_image_cache::clear() {
    entries_.clear();
    bytes_ = 0;
}
