#pragma once
#include "core/vux_string.h"

// How a contact is known to the service: its key is the MD5 digest (32
// lower-case hex digits) of the number or e-mail address, and the list shows a
// masked form, so the clear value never leaves the machine. The client and
// the stand-in's demo data both go through this one function, so a value
// typed, picked, imported or seeded always gets the same key.
struct orbel_contact_key {
    vux_string key;    // 32 lower-case hex digits
    vux_string shown;  // at most 11 bytes
};

// The canonical form of a contact value: ASCII letters in lower case (as the
// logon takes account names), so "Ann@Mail.com" and "ann@mail.com" are one
// contact and a digest typed in upper case is the same digest.
vux_string orbel_contact_canonical(const vux_string& value);

// The key and shown text of a value (canonical form taken first):
// - 32 hex digits: the digest itself, shown as eleven '*';
// - a mobile number: its digest, shown as 3 digits, "****", 4 digits;
// - otherwise (an e-mail address): its digest, shown as the local part cut
//   to 11 bytes and padded with '*' to 11.
orbel_contact_key orbel_make_contact_key(const vux_string& value);

namespace vux_record_build {
struct value;
struct bytes_form;
}  // namespace vux_record_build

// The readable form of a contact table in a data file: a list of
// {"name": text, "value": number or e-mail address, "icon": 0 or 1}, each
// becoming an entry as the service holds it (state 0) with the key and
// shown text above. For vux_record_build::fill of "entries".
vux_record_build::bytes_form orbel_contact_json_form();
