#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// Metric overrides for the metrics table: each entry packs a metric index
// into bits 31-24 and its value into bits 23-0.
class vux_extent : public vux_model_record<vux_extent, vux_type_extent> {
public:
    const char* class_name() const override { return "vux_extent"; }
    void fields(vux_field_visitor& v) override;

    int32_t count() const { return entries.count(); }
    // Bits 31-24 of entry i as a signed number.
    int32_t key_at(int32_t i) const { return int8_t(uint32_t(entries.get(i)) >> 24); }
    int32_t value_at(int32_t i) const { return int32_t(uint32_t(entries.get(i)) & 0xFFFFFFu); }

    int32_t variant = 0;  // 0: the first metric variant, other: the second
    vux_integer_list entries;
};
