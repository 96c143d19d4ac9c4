#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "core/vux_object.h"

// Expands a packed markup document ("vux-", one byte, one int32, then LZW
// codes of 12 bits, most significant bit first) back into its framed bytes.
// The dictionary grows from code 256 up to 4094 and then stays full; code
// 4095 ends the stream. Every code is checked against the dictionary before
// it is used, and the output is capped, so hostile input stops with an error
// instead of emitting garbage or growing without bound.
class vux_expand : public vux_object {
public:
    enum class result : uint8_t {
        ok,
        empty,           // no complete first code, or the end code first
        bad_first_code,  // the first code must be a byte (below 256)
        bad_code,        // a code above the next free dictionary entry
        chain_too_long,  // a dictionary walk longer than any entry can be
        too_large,       // the output would pass the cap
        bad_offset,      // the start lies outside the source
    };

    static constexpr int32_t header_length = 9;
    static constexpr int32_t table_size = 4096;
    static constexpr int32_t end_code = 4095;
    // Documents are far smaller; the cap only stops a small input from
    // expanding to gigabytes (each 12-bit code can stand for 4094 bytes).
    static constexpr int32_t default_max_output = 64 << 20;

    // "vux-" and at least one byte of codes after the 9-byte header: a
    // "vux-" input of 9 bytes or fewer has no codes and is not packed.
    static bool is_packed(const void* data, int32_t length);

    // The tables are made once and kept for further expansions.
    void allocate_tables();
    void free_tables();

    // Decodes the codes from offset on and appends the bytes to out. On any
    // error out is left as it was and the result says why. Tables that were
    // not allocated are allocated here.
    result expand(const vux_link& source, int32_t offset, vux_buffer& out, int32_t max_output = default_max_output);

    // A packed document into out (cleared first): its codes from offset 9.
    static result unpack(const vux_link& packed, vux_buffer& out, int32_t max_output = default_max_output);

private:
    // Per dictionary entry: where its string lies in the output and how long it is.
    std::unique_ptr<int32_t[]> offset_;
    std::unique_ptr<uint16_t[]> length_;
};
