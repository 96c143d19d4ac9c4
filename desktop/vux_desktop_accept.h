#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "core/vux_record.h"

// The one rule by which every handler takes a reply. A frame is accepted only
// when its header is good, its code is one the handler expects, every field
// of the message was there (the reader's error flag is clear after the last
// field) and the trailer follows at the very end. Anything else is refused:
// a truncated reply must take the failure path, never read as success.

// A new, empty response for a launcher or desktop response code (3903, 3905,
// 3907 ... 3923); null for any other code.
std::unique_ptr<vux_record> vux_desktop_make_response(int32_t code);
// The same for request codes (3902, 3904, 3906 ... 3922).
std::unique_ptr<vux_record> vux_desktop_make_request(int32_t code);

// The decoded response when the frame passes the rule; null otherwise.
std::unique_ptr<vux_record> vux_desktop_accept(const vux_link& body, std::initializer_list<int32_t> expected);
// The decoded request of any request code, by the same rule (for the side
// that answers requests); null otherwise.
std::unique_ptr<vux_record> vux_desktop_accept_request(const vux_link& body);

// The type code of a frame whose header is good; 0 otherwise. Lets a handler
// that shares an observer with others leave foreign codes alone instead of
// failing on them. It says nothing about whether the body is whole.
int32_t vux_desktop_frame_code(const vux_link& body);

// The frame of a message: header, type code, fields, trailer; empty when it
// does not fit in a buffer.
vux_buffer vux_desktop_frame(const vux_object& message);

// The response of class T (expecting T's own code), or null.
template <class T>
std::unique_ptr<T> vux_desktop_accept_as(const vux_link& body) {
    std::unique_ptr<vux_record> r = vux_desktop_accept(body, {T::code});
    if (!dynamic_cast<T*>(r.get())) return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(r.release()));
}
