#include "markup/model/vux_placed_item.h"

vux_placed_item::~vux_placed_item() = default;
