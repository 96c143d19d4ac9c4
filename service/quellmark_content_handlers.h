#pragma once
#include <string>

#include "service/quellmark_handler.h"

class quellmark_service_state;

// Private messages (3914) and pictures by name (3922). The content lists of
// site updates (3912, operation 2) are taken in by the site-update handler,
// through the service's content store.
void quellmark_add_content_handlers(quellmark_handler_table& table);

// A member's message to the site, as a phone would send it (tests and the
// demo). False when the account holds no such site or the member is not
// one of its members.
bool quellmark_post_member_message(quellmark_service_state& state, const std::string& account,
                                   const std::string& site_key, const std::string& member_key, const std::string& text);
