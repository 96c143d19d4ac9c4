#include "markup/runtime/vux_receiver.h"
#include <cstring>
#include "core/vux_link.h"
#include "markup/runtime/vux_exchange.h"
#include "markup/runtime/vux_network.h"

vux_receiver::vux_receiver(bool main_channel, const vux_network& network, vux_exchange& exchange)
    : main_channel_(main_channel ? 1 : 0), network_(network), exchange_(exchange) {}

vux_receiver::~vux_receiver() { close_connection(); }

bool vux_receiver::send(const uint8_t* bytes, int32_t length) {
    // A new request replaces the old one whole: its connection, its reply
    // and a failure not yet reported go with it.
    close_connection();
    close_reply();
    drop_request();
    attempts_ = 0;
    connection_id_ = network_.open_connection(bytes, length);
    if (connection_id_ == 0) return false;
    request_ = std::make_unique<vux_buffer>(bytes, length);
    exchange_.add_sent(length);
    return true;
}

bool vux_receiver::resend() {
    close_reply();
    waiting_ticks_ = receiving_ticks_ = 0;
    written_ = 0;
    outcome_ = none;
    ++attempts_;
    if (!request_) return false;
    connection_id_ = network_.open_connection(request_->data(), request_->length());
    if (connection_id_ != 0) exchange_.add_sent(request_->length());
    return connection_id_ != 0;
}

void vux_receiver::on_ready() {
    waiting_ticks_ = 0;
    receiving_ticks_ = 0;
    written_ = 1;
}

int32_t vux_receiver::on_data(const uint8_t* bytes, int32_t length) {
    receiving_ticks_ = 0;
    if (length < 0) length = 0;
    exchange_.add_received(length);
    if (outcome_ != none) return 2;
    if (!parser_) parser_ = std::make_unique<vux_http_parser>();
    // A body beyond the cap is refused, whether its length says so or the
    // bytes run past it.
    const int64_t limit = int64_t(max_body) + vux_http_parser::max_header_length;
    const bool fed = int64_t(parser_->received()) + length <= limit && parser_->feed(bytes, length);
    if (!fed || parser_->get_content_length() > max_body) {
        error_code_ = parser_->get_status();
        fail(reply_refused);
        return 2;
    }
    if (!parser_->is_complete()) return 1;
    const uint8_t* body = parser_->get_body();
    const int32_t n = parser_->get_body_length();
    if (n > 8 && (std::memcmp(body, "vux+", 4) == 0 || std::memcmp(body, "vux-", 4) == 0)) {
        sequence_ = vux_link(body, n).read_be32(5);
        return 2;
    }
    error_code_ = 0;
    fail(reply_refused);
    return 2;
}

void vux_receiver::fail(int32_t why) {
    if (outcome_ != none) return;
    close_reply();
    outcome_ = why;
}

void vux_receiver::close_connection() {
    if (connection_id_ == 0) return;
    network_.close_connection(connection_id_);
    connection_id_ = 0;
    waiting_ticks_ = 0;
    receiving_ticks_ = 0;
    written_ = 0;
    outcome_ = none;
}

void vux_receiver::close_reply() {
    parser_.reset();
    sequence_ = 0;
}

bool vux_receiver::is_complete() const { return parser_ && parser_->is_complete(); }

int32_t vux_receiver::progress(int32_t scale) const {
    if (!parser_) return written_ ? 0 : -1;
    const int32_t total = parser_->get_content_length();
    if (total <= 0) return 0;
    return int32_t(int64_t(scale) * parser_->get_body_length() / total);
}

// Only a request on its open connection counts: a complete reply held by
// the sequence test has had its connection closed, so no resend follows it.
void vux_receiver::count_waiting() {
    if (!written_ || attempts_ > 1) return;
    if (parser_)
        ++receiving_ticks_;
    else
        ++waiting_ticks_;
}

bool vux_receiver::complete() {
    const bool main = main_channel();
    if (outcome_ == connection_failed) {
        outcome_ = none;
        if (attempts_ >= (main ? 1 : 15)) drop_request();
        exchange_.connection_failed(main);
        return true;
    }
    if (outcome_ == reply_refused) {
        outcome_ = none;
        if (attempts_ >= 2) drop_request();
        exchange_.reply_refused(main, error_code_);
        return true;
    }
    if (is_complete()) {
        // The reply is delivered from a copy: reading it may start a new
        // exchange on this channel, which closes the reply.
        vux_buffer body(parser_->get_body(), parser_->get_body_length());
        close_reply();
        if (main)
            exchange_.main_reply(body.data(), body.length());
        else
            exchange_.poll_reply(body.data(), body.length());
        return true;
    }
    return false;
}

void vux_receiver::end() {
    close_connection();
    drop_request();
    close_reply();
    outcome_ = none;
    attempts_ = 0;
}
