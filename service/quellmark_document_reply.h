#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include "core/vux_buffer.h"
#include "core/vux_record.h"

// A runtime reply: a markup document whose header carries a sequence and
// whose records are the response, then further records (windows, texts,
// actions) in the form a document stream holds them. The service frames it
// as a whole instead of as one message.
class quellmark_document_reply : public vux_record {
public:
    quellmark_document_reply(std::unique_ptr<vux_record> response, int32_t sequence)
        : code_(response->type_code()), response_(std::move(response)), sequence_(sequence) {}
    // A reply of records only, without the response (code) it stands for:
    // the phone's exchange then ends without what the response would do.
    quellmark_document_reply(int32_t code, int32_t sequence) : code_(code), sequence_(sequence) {}

    const char* class_name() const override { return "quellmark_document_reply"; }
    void fields(vux_field_visitor& v) override {
        if (response_) response_->fields(v);
    }
    int32_t type_code() const override { return code_; }

    // Records to send after the response: each a type code and its body.
    void append_records(const std::string& bytes) { records_ += bytes; }
    // Appends one record, its code first.
    void append(const vux_record& r);
    // The whole stream: header (sequence at byte 5), response, records, trailer.
    vux_buffer frame() const;

private:
    int32_t code_ = 0;
    std::unique_ptr<vux_record> response_;
    int32_t sequence_ = 0;
    std::string records_;
};
