#pragma once
// Fills every field of a desktop record with a distinct non-default value.
#include "record_fill.h"

class desktop_fill : public record_fill {
public:
    explicit desktop_fill(int32_t seed = 1, int32_t list_items = 2)
        : record_fill({seed, list_items, list_items, list_items}) {}
};

inline void desktop_fill_record(vux_record& r, int32_t seed = 1, int32_t list_items = 2) {
    desktop_fill f(seed, list_items);
    r.fields(f);
}
