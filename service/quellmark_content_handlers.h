#pragma once
#include <string>

#include "service/quellmark_handler.h"

class quellmark_service_state;

// Private messages (3914), pictures by name (3922) and the content lists of
// site updates (3912, operation 2). The site-update part wraps the 3912
// handler registered before it (the sheet's fields and contacts), so it must
// be added after that one.
void quellmark_add_content_handlers(quellmark_handler_table& table);

// A member's message to the site, as a phone would send it (tests and the
// demo). False when the account holds no such site or the member is not
// one of its members.
bool quellmark_post_member_message(quellmark_service_state& state, const std::string& account,
                                   const std::string& site_key, const std::string& member_key, const std::string& text);
