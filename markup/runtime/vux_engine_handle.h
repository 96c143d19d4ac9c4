#pragma once
#include "markup/runtime/vux_engine.h"
#include "markup/runtime/vux_manager.h"

// The handle is the manager; vux_engine is only its name on the C side.
// In a header of its own so that tests can reach the manager behind a handle.
struct vux_engine : vux_manager {};
