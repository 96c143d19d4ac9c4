#pragma once
#include "service/quellmark_handler.h"

class vux_desktop_site;

// Applies the contact tables of a site update (operation 2) whose change
// bit is set (managers 0x100000, members 0x200000, waiters 0x400000) to the
// stored site, entry by entry in order: state 1 adds or replaces the entry
// of that key (stored as state 0, keeping the icon the service gave it, else
// 0), state 3 removes it, any other state is ignored.
void quellmark_apply_contact_update(vux_desktop_site& site, const vux_desktop_site& update);

// Appends each 32-byte digest of `digests` that the site does not hold yet
// to its share data (operation 3); a trailing partial digest is ignored.
void quellmark_apply_share_entries(vux_desktop_site& site, const vux_link& digests);

// 3912 operation 3 (share entries).
void quellmark_add_contact_handlers(quellmark_handler_table& table);
