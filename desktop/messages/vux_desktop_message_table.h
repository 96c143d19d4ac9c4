#pragma once
#include "core/vux_message_table.h"

// The launcher and desktop messages, 3902-3923: each request, then the
// response that answers it.
vux_message_table vux_desktop_message_table();
