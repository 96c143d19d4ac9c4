#pragma once
#include <QString>
#include <cstdint>
#include "core/vux_http_parser.h"
#include "launcher/tessin_client_writer.h"

// The body of a 3905 reply as it arrives: the frame's header, code, status
// and file length first, then the file, which goes straight into the new
// client file, then the trailer. A client larger than any buffer the program
// could hold arrives this way.
//
// The frame is refused (and with it the reply) as soon as it cannot be a
// whole successful 3905 that fills the reply exactly: a bad header, another
// code, a status not 0, an empty file, a file length other than the reply
// leaves room for, or a bad trailer. A file that cannot be written is no
// refusal: the rest of the reply is still checked, and the old client stays.
class tessin_download_frame : public vux_http_body_sink {
public:
    // Header, code, status and the file's length field; then the trailer.
    static constexpr int32_t prefix_length = 21;
    static constexpr int32_t trailer_length = 4;

    explicit tessin_download_frame(const QString& client_path) : writer_(client_path) {}

    bool begin(int32_t content_length) override;
    bool take(const uint8_t* data, int32_t length) override;

    // Every byte of a good frame has arrived.
    bool whole() const {
        return content_length_ > 0 && received_ == content_length_ && trailer_have_ == trailer_length;
    }
    // Puts the new client in place; false when it could not be written, and
    // the old client stays.
    bool commit();
    // Drops the file written so far.
    void cancel() { writer_.cancel(); }

private:
    bool take_prefix();

    tessin_client_writer writer_;
    int32_t content_length_ = 0;
    int32_t received_ = 0;
    int32_t file_length_ = 0;
    uint8_t prefix_[prefix_length] = {};
    int32_t prefix_have_ = 0;
    int32_t trailer_have_ = 0;
    bool writing_ = false;  // false once the file failed to go in
};
