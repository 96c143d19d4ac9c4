#pragma once
#include "core/vux_link.h"
#include "core/vux_string.h"

// FF D8 FF, then E0 with "JFIF" at bytes 6-9 or E1 with "Exif" there, and a
// zero at byte 10. Fewer than 11 bytes is no JPEG.
bool orbel_is_jpeg(const vux_link& bytes);

// A plain decimal number as the client's number fields take it: digits with
// at most one inner '.', an optional leading '-', no superfluous leading zero
// ("0", "0.5", "-0.5", "12.75", "-3"; not "05", "-0", ".5", "5.").
bool orbel_is_decimal_number(const vux_string& text);

// Bytes before the first '.' to integer_part, the rest to fraction_part with
// any further '.' dropped. Both are cleared first.
void orbel_split_decimal(const vux_string& text, vux_string& integer_part, vux_string& fraction_part);

// out = text with every byte but A-Z a-z 0-9 - . _ ~ as '%' and two
// upper-case hex digits.
void orbel_url_encode(vux_string& out, const vux_string& text);
