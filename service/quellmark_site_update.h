#pragma once
#include <string>

#include "service/quellmark_handler.h"

struct quellmark_account;
class quellmark_service_state;

// Site requests (3912), operation 2: takes an update's masked fields into
// the stored site.
void quellmark_add_site_update_handlers(quellmark_handler_table& table);

// The activation phone confirms the site's number, as a text message from
// it would: the site counts as activated from now on. False when the
// account has no such site or the site has no number.
bool quellmark_confirm_activation(quellmark_service_state& state, const quellmark_account& account,
                                  const std::string& key);
