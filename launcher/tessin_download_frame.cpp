#include "launcher/tessin_download_frame.h"
#include <algorithm>
#include <cstring>
#include "core/vux_frame_marks.h"
#include "core/vux_link.h"
#include "core/vux_reader.h"
#include "desktop/messages/vux_desktop_response_download.h"

bool tessin_download_frame::begin(int32_t content_length) {
    writer_.cancel();
    content_length_ = content_length;
    received_ = prefix_have_ = trailer_have_ = file_length_ = 0;
    writing_ = false;
    return content_length > prefix_length + trailer_length;
}

bool tessin_download_frame::take_prefix() {
    const vux_link prefix(prefix_, prefix_length);  // the reader keeps a reference to it
    vux_reader r(prefix);
    if (!r.read_header()) return false;
    const int32_t code = r.read_int32();
    const int32_t status = r.read_int32();
    file_length_ = r.read_int32();
    if (r.has_error() || code != vux_desktop_response_download::code || status != 0) return false;
    if (file_length_ <= 0 || file_length_ != content_length_ - prefix_length - trailer_length) return false;
    writing_ = writer_.open(file_length_);
    return true;
}

bool tessin_download_frame::take(const uint8_t* data, int32_t length) {
    if (content_length_ <= 0 || length < 0 || length > content_length_ - received_) return false;
    received_ += length;
    if (prefix_have_ < prefix_length) {
        const int32_t n = std::min(length, prefix_length - prefix_have_);
        std::memcpy(prefix_ + prefix_have_, data, size_t(n));
        prefix_have_ += n;
        data += n;
        length -= n;
        if (prefix_have_ == prefix_length && !take_prefix()) return false;
    }
    // Everything before the trailer is the file.
    const int32_t file_left = content_length_ - trailer_length - (received_ - length);
    const int32_t file_part = std::clamp(file_left, 0, length);
    if (writing_ && file_part > 0) writing_ = writer_.write(data, file_part);
    data += file_part;
    length -= file_part;
    for (; length > 0; ++data, --length, ++trailer_have_)
        if (*data != vux_frame_trailer[trailer_have_]) return false;
    return true;
}

bool tessin_download_frame::commit() {
    if (!whole() || !writing_) {
        writer_.cancel();
        return false;
    }
    writing_ = false;
    return writer_.commit();
}
