#include "service/quellmark_document_reply.h"
#include "core/vux_writer.h"

void quellmark_document_reply::append(const vux_record& r) {
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_int32(r.type_code());
    r.write(w);
    if (!w.failed()) records_.append(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
}

vux_buffer quellmark_document_reply::frame() const {
    vux_buffer out;
    vux_writer w(out);
    w.write_header(0, sequence_);
    if (response_) {
        w.write_int32(response_->type_code());
        response_->write(w);
    }
    out.append_bytes(records_.data(), int32_t(records_.size()));
    w.write_trailer();
    if (w.failed()) return {};
    return out;
}
